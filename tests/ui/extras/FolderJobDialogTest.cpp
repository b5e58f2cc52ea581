// The two windows that make a folder, "Варианты для группы…" and "Проверить работы группы…", as a
// teacher sees them before a job: what the window is for, every control on it, a long status line
// wrapped inside the window; and the status line's colour: red for a fault only.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "tests/ui/FolderJobStops.h"
#include "ui/windows/ClassSetDialog.h"
#include "ui/windows/GradeDialog.h"

namespace {

// A window of each kind, with every control of its own; the frame's controls are added by the
// test.
struct Window {
    std::unique_ptr<FolderJobDialog> dialog;
    QList<QWidget*> controls;
};

using MakeWindow = std::function<Window()>;

Window ClassSetWindow() {
    auto dialog = std::make_unique<ClassSetDialog>();
    QList<QWidget*> controls = {dialog->FromTable, dialog->Random, dialog->TablePath,
                                dialog->Count,     dialog->Seed,   dialog->Ranges,
                                dialog->Tolerance, dialog->OutDir, dialog->CreateButton};
    return {std::move(dialog), controls};
}

Window GradeWindow() {
    auto dialog = std::make_unique<GradeDialog>();
    QList<QWidget*> controls = {dialog->SetDir,     dialog->Answers, dialog->Scale,
                                dialog->Thresholds, dialog->OutDir,  dialog->StartButton};
    return {std::move(dialog), controls};
}

// Whether the status line is shown as a fault.
bool ShownAsFault(const QLabel* status) {
    return status->styleSheet().contains(QStringLiteral("color"));
}

}  // namespace

Q_DECLARE_METATYPE(MakeWindow)

class FolderJobDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void theWindowAsShown_data() {
        QTest::addColumn<MakeWindow>("make");
        QTest::addColumn<QString>("purpose");  // a word of the line that says what the window does
        QTest::newRow("Варианты для группы") << MakeWindow(ClassSetWindow) << QStringLiteral("Moodle");
        QTest::newRow("Проверить работы группы") << MakeWindow(GradeWindow) << QStringLiteral("самопроверке");
    }
    void theWindowAsShown() {
        QFETCH(MakeWindow, make);
        QFETCH(QString, purpose);
        Window window = make();
        FolderJobDialog& dialog = *window.dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        window.controls << dialog.Progress << dialog.Status << dialog.CancelButton << dialog.CloseButton;
        for (QWidget* control : window.controls) {
            QVERIFY2(control->window() == &dialog && control->isVisibleTo(&dialog),
                     qPrintable(control->accessibleName() + u' ' + control->metaObject()->className()));
        }
        bool said = false;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            said = said || (label->isVisibleTo(&dialog) && label->text().contains(purpose));
        }
        QVERIFY2(said, qPrintable(purpose));
        // A long message (a folder's path, a table's cell) wraps instead of widening the window.
        const int width = dialog.minimumSizeHint().width();
        dialog.Status->setText(QString(40, u'ж') + QStringLiteral(" слово").repeated(80));
        QVERIFY2(dialog.minimumSizeHint().width() < width + 100,
                 qPrintable(QString::number(dialog.minimumSizeHint().width())));
    }

    // The status line is red for a fault of the job, never while it runs or when it has made its
    // folder.
    void onlyAFaultIsRed_data() {
        QTest::addColumn<MakeWindow>("make");
        QTest::addColumn<bool>("fault");
        QTest::newRow("Варианты для группы, made") << MakeWindow(ClassSetWindow) << false;
        QTest::newRow("Варианты для группы, a fault") << MakeWindow(ClassSetWindow) << true;
        QTest::newRow("Проверить работы группы, a fault") << MakeWindow(GradeWindow) << true;
    }
    void onlyAFaultIsRed() {
        QFETCH(MakeWindow, make);
        QFETCH(bool, fault);
        QTemporaryDir tmp;
        Window window = make();
        FolderJobDialog& dialog = *window.dialog;
        dialog.openFolder = [](const QString&) {};
        if (auto* classSet = qobject_cast<ClassSetDialog*>(&dialog)) {
            classSet->Random->setChecked(true);
            classSet->Count->setValue(fault ? 5 : 2);
            classSet->Ranges->setPlainText(fault ? QStringLiteral("r1=1..2/1")
                                                 : QStringLiteral("r1=5..20/1"));
            classSet->OutDir->setText(tmp.filePath(QStringLiteral("group")));
            vornik::TaskValues task;
            task.input[vornik::Param::Edit6] = "10";
            task.input[vornik::Param::Edit8] = "10";
            QVERIFY(classSet->Create(task));
        } else {
            auto* grade = qobject_cast<GradeDialog*>(&dialog);
            grade->SetDir->setText(tmp.filePath(QStringLiteral("no set")));
            grade->Answers->setText(tmp.filePath(QStringLiteral("no answers.csv")));
            grade->OutDir->setText(tmp.filePath(QStringLiteral("marks")));
            QVERIFY(grade->Start());
        }
        QSignalSpy finished(&dialog, &FolderJobDialog::Finished);
        QVERIFY2(!ShownAsFault(dialog.Status), qPrintable(dialog.Status->text()));
        QVERIFY(finished.wait(600000));
        QCOMPARE(finished.front().front().toBool(), !fault);
        QVERIFY2(ShownAsFault(dialog.Status) == fault, qPrintable(dialog.Status->text()));
    }
};

QTEST_MAIN(FolderJobDialogTest)
#include "FolderJobDialogTest.moc"
