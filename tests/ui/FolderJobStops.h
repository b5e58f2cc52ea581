#pragma once
// A job stopped while it runs in a window built on FolderJobDialog, each way a teacher can stop
// it: "Отмена", "Закрыть", the title bar's button, or ending the program (the window goes).

#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "ui/windows/FolderJobDialog.h"

// What is in `dir`, hidden entries too.
inline QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The rows of a test that stops a job: the column "how".
inline void AddStopRows() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Отмена") << "cancel";
    QTest::newRow("Закрыть") << "close button";
    QTest::newRow("the title bar's button") << "close";
    QTest::newRow("the program ends") << "destroy";
}

// Waits until the job running in the shown `dialog` has made a step (`start` cannot start another),
// stops it as `how` says and deletes the dialog. Stopped in the window, "Отмена" is disabled at
// once; the job ends unmade, the status line says "Отменено…", the bar is empty, `start` can start
// the next job, and only "Отмена" leaves the window shown.
inline void StopRunningJob(std::unique_ptr<FolderJobDialog> dialog, QPushButton* start, const QString& how) {
    QSignalSpy finished(dialog.get(), &FolderJobDialog::Finished);
    // The bar moves while the window's own event loop runs: the work is elsewhere.
    QTRY_VERIFY_WITH_TIMEOUT(dialog->Progress->value() > 0, 600000);
    QVERIFY(!start->isEnabled());  // one job at a time
    if (how == "destroy") {
        dialog.reset();
        return;
    }
    if (how == "cancel") {
        dialog->CancelButton->click();
    } else if (how == "close button") {
        dialog->CloseButton->click();
    } else {
        dialog->close();
    }
    QVERIFY(!dialog->CancelButton->isEnabled());  // asked once, while the work winds down
    QVERIFY(finished.wait(600000));
    QCOMPARE(finished.front().front().toBool(), false);
    QVERIFY2(dialog->Status->text().startsWith(QStringLiteral("Отменено")),
             qPrintable(dialog->Status->text()));
    QCOMPARE(dialog->isVisible(), how == "cancel");
    QCOMPARE(dialog->Progress->value(), 0);
    QVERIFY(start->isEnabled());
    QVERIFY(!dialog->CancelButton->isEnabled());
}
