// "Проверить работы группы…": a group marked from the dialog opens its folder and group.pdf; a
// marking stopped while it runs leaves nothing, however it is stopped.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "classset/ClassSet.h"
#include "tests/ui/FolderJobStops.h"
#include "ui/windows/GradeDialog.h"

namespace {

using namespace vornik;

// A class set of `count` variants in `dir`/set and a table of one answer per student in
// `dir`/answers.csv.
void MakeGroup(const QString& dir, int count) {
    ClassSetRequest request;
    request.outDir = QDir(dir).filePath(QStringLiteral("set")).toStdString();
    request.base.input[Param::Edit4] = "10";
    request.base.input[Param::Edit6] = "8";
    request.base.input[Param::Edit8] = "12";
    request.count = count;
    request.seed = 7;
    const Outcome<VaryRange> range = ParseVaryRange("r1=5..60/0,5");
    QVERIFY(range.Ok());
    request.ranges = {*range};
    QVERIFY(MakeClassSet(request).Ok());
    QFile answers(QDir(dir).filePath(QStringLiteral("answers.csv")));
    QVERIFY(answers.open(QIODevice::WriteOnly));
    answers.write("student;variant;Ia\n");
    for (int k = 1; k <= count; ++k) {
        answers.write(QStringLiteral("Ученик %1;%1;20,8\n").arg(k).toUtf8());
    }
}

}  // namespace

class GradeDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void marksTheGroupAndOpensItsFolderAndGroupPdf() {
        QTemporaryDir tmp;
        MakeGroup(tmp.path(), 3);
        GradeDialog dialog;
        QStringList opened;
        dialog.openFolder = [&](const QString& path) { opened << path; };
        dialog.openFile = [&](const QString& path) { opened << path; };
        dialog.SetDir->setText(tmp.filePath(QStringLiteral("set")));
        dialog.Answers->setText(tmp.filePath(QStringLiteral("answers.csv")));
        const QString out = tmp.filePath(QStringLiteral("marks"));
        dialog.OutDir->setText(out);
        QSignalSpy finished(&dialog, &GradeDialog::Finished);
        dialog.StartButton->click();
        QVERIFY(finished.wait(600000));
        QCOMPARE(finished.front().front().toBool(), true);
        QVERIFY2(dialog.Status->text().startsWith(QStringLiteral("Готово: ")),
                 qPrintable(dialog.Status->text()));
        QVERIFY(dialog.Status->styleSheet().isEmpty());  // not shown as a failure
        QCOMPARE(opened, (QStringList{out, QDir(out).filePath(QStringLiteral("group.pdf"))}));
        QVERIFY(QFile::exists(QDir(out).filePath(QStringLiteral("Ученик 2-feedback.pdf"))));
        QCOMPARE(dialog.Progress->value(), dialog.Progress->maximum());
    }

    void stoppedWhileRunningLeavesNothing_data() { AddStopRows(); }
    void stoppedWhileRunningLeavesNothing() {
        QFETCH(QString, how);
        QTemporaryDir tmp;
        MakeGroup(tmp.path(), 60);
        const QString out = tmp.filePath(QStringLiteral("marks"));
        auto dialog = std::make_unique<GradeDialog>();
        bool opened = false;
        dialog->openFolder = [&](const QString&) { opened = true; };
        dialog->openFile = dialog->openFolder;
        dialog->SetDir->setText(tmp.filePath(QStringLiteral("set")));
        dialog->Answers->setText(tmp.filePath(QStringLiteral("answers.csv")));
        dialog->OutDir->setText(out);
        dialog->show();
        QPushButton* start = dialog->StartButton;
        start->click();
        QVERIFY(dialog->Running());
        QVERIFY(!dialog->Start());  // one marking at a time
        StopRunningJob(std::move(dialog), start, how);
        if (QTest::currentTestFailed()) {
            return;
        }
        QVERIFY(!opened);
        QCOMPARE(Entries(tmp.path()), (QStringList{QStringLiteral("answers.csv"), QStringLiteral("set")}));
    }
};

QTEST_MAIN(GradeDialogTest)
#include "GradeDialogTest.moc"
