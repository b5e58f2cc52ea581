#pragma once
// Helpers of the desktop-program tests: the program's windows built by its own start-up code and
// the results document against the command line's report; the modal dialogs are answered by
// tests/ui/ModalDialogs.h.

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextEdit>

#include "tests/ui/ModalDialogs.h"
#include "ui/app/Forms.h"
#include "ui/app/StartUp.h"
#include "ui/windows/Unit2.h"

// The program's application settings and windows, as its start-up makes them.
inline void StartProgramWindows() {
    PrepareApplication(*static_cast<QApplication*>(QCoreApplication::instance()));
    CreateWindows();
}

// The lines vornik-cli writes for the given arguments.
inline QStringList CliReport(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(VORNIK_CLI_PATH), arguments);
    if (!cli.waitForFinished(30000)) {
        return {QStringLiteral("vornik-cli did not finish")};
    }
    QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// The paragraphs of the results document.
inline QStringList DocumentLines() {
    QStringList lines;
    const QTextDocument* doc = Form2->RichEdit1->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        lines << b.text();
    }
    return lines;
}

// The text of a PDF file as pdftotext reads it, without white space (lines break anywhere).
inline QString PdfTextWithoutSpaces(const QString& path) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!text.waitForFinished(20000)) {
        return QStringLiteral("pdftotext (poppler-utils) did not run");
    }
    QString got = QString::fromUtf8(text.readAllStandardOutput());
    got.remove(QRegularExpression(QStringLiteral("\\s")));
    return got;
}
