#pragma once
// Helpers of the desktop-program tests: the program's windows built by its own start-up code,
// modal message boxes recorded and closed while a command runs, and the results document against
// the command line's report.

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "ui/Forms.h"
#include "ui/StartUp.h"
#include "ui/Unit2.h"

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    Qt::TextFormat format;
};

// Runs action; every modal message box it opens is recorded and closed with OK.
inline QList<SeenBox> CaptureMessageBoxes(const std::function<void()>& action) {
    QList<SeenBox> seen;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.append({box->windowTitle(), box->text(), box->icon(), box->textFormat()});
            box->done(QMessageBox::Ok);
        }
    });
    timer.start();
    action();
    timer.stop();
    return seen;
}

// Runs action; the first modal dialog of type D it opens is handed to `drive`, which must
// accept or reject it.
template <typename D>
bool DriveModalDialog(const std::function<void()>& action, const std::function<void(D*)>& drive) {
    bool seen = false;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()); dialog && !seen) {
            seen = true;
            drive(dialog);
        }
    });
    timer.start();
    action();
    timer.stop();
    return seen;
}

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
