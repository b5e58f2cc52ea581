// The windows that start hidden build their controls on first need: after start-up they have none,
// and every command that reaches them before they were ever shown behaves as with built windows.

#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

#include "ShellTestSupport.h"
#include "solver/Parameters.h"
#include "ui/app/Forms.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"
#include "ui/windows/Unit5.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

QList<bool> LineVoltageSectionEnabled() {
    return {Form8->Edit1->isEnabled(), Form8->Label1->isEnabled(), Form8->Button1->isEnabled(),
            Form8->Button2->isEnabled()};
}

}  // namespace

class ShellOnDemandTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { StartProgramWindows(); }
    void cleanupTestCase() { DestroyWindows(); }

    void hiddenWindowsStartWithoutControls() {
        QVERIFY(!Form4->IsBuilt());
        QVERIFY(!Form5->IsBuilt());
        QVERIFY(!Form7->IsBuilt());
        QVERIFY(!Form8->IsBuilt());
        QVERIFY(Form4->findChildren<QWidget*>().isEmpty());
        // The windows themselves are complete: caption, size and place.
        QCOMPARE(Form4->windowTitle(), QStringLiteral("Настройка точности рассчёта"));
        QCOMPARE(Form4->size(), QSize(298, 269));
        QCOMPARE(Form8->windowTitle(), QStringLiteral("Настройка вводимых параметров"));
        QCOMPARE(Form8->pos(), QPoint(218, 103));
        QCOMPARE(Form7->size(), QSize(574, 444));
    }

    // The run reads the precision form's initial texts without building the form.
    void executeBeforeThePrecisionFormWasBuilt() {
        Form3->Edit4->setText(QStringLiteral("10"));
        Form3->Edit5->setText(QStringLiteral("5"));
        Form3->Edit6->setText(QStringLiteral("20"));
        Form3->Edit8->setText(QStringLiteral("15"));
        Form3->CheckBox3->setChecked(true);
        const auto boxes = CaptureMessageBoxes([] { Form1->N5->trigger(); });
        QCOMPARE(boxes.size(), 0);
        QVERIFY(!Form4->IsBuilt());
        const QStringList expected =
            CliReport({"--r1", "10", "--x1", "5", "--r2", "20", "--r3", "15", "--short", "B"});
        QVERIFY2(expected.size() > 10, qPrintable(expected.join(u'\n')));
        QCOMPARE(DocumentLines(), expected);
        QVERIFY(Form1->SpeedButton6->isEnabled());

        // Once built, the form shows the texts the run used, and the run reads the form.
        for (int n = 1; n <= 20; ++n) {
            QCOMPARE(Form4->ComboBox(n)->currentText(),
                     QString::fromLatin1(vornik::kPrecisionFields[n - 1].initial));
        }
        QVERIFY(Form4->IsBuilt());
        Form4->ComboBox(19)->setEditText(QStringLiteral("5"));
        QCOMPARE(Form4->PrecisionText(18), QStringLiteral("5"));
        Form4->ComboBox(19)->setEditText(QStringLiteral("0"));
    }

    // The connection switched while the assistant has no controls yet: its first showing
    // disables the line-voltage section, and the switch works on it from then on.
    void deltaSwitchThenFirstShowOfTheAssistant() {
        QVERIFY(!Form8->IsBuilt());
        Form3->RadioButton2->click();
        QVERIFY(Form3->RadioButton2->isChecked());
        QVERIFY(!Form8->IsBuilt());
        Form1->SpeedButton12->click();
        QVERIFY(Form8->isVisible());
        QCOMPARE(LineVoltageSectionEnabled(), QList<bool>(4, false));
        Form3->RadioButton1->click();
        QCOMPARE(LineVoltageSectionEnabled(), QList<bool>(4, true));
        Form3->RadioButton2->click();
        QCOMPARE(LineVoltageSectionEnabled(), QList<bool>(4, false));
        Form3->RadioButton1->click();
        Form8->hide();
    }

    // An assistant whose controls are first reached by a command, not by a showing, is built in
    // the state of the connection.
    void assistantReachedBeforeItsFirstShow() {
        Form3->RadioButton2->click();
        TForm8 delta;
        QVERIFY(!delta.IsBuilt());
        for (QWidget* w :
             std::initializer_list<QWidget*>{delta.Edit1, delta.Label1, delta.Button1, delta.Button2}) {
            QVERIFY(!w->isEnabled());
        }
        Form3->RadioButton1->click();
        TForm8 star;
        QVERIFY(star.Edit1->isEnabled());
        QVERIFY(star.Button2->isEnabled());
    }

    // "Сохранить рисунок" before the diagram window was ever shown writes the blank plane.
    void savePictureBeforeTheDiagramWindowWasBuilt() {
        QVERIFY(!Form7->IsBuilt());
        QTemporaryDir dir;
        const bool dialogShown = DriveModalDialog<QFileDialog>([] { Form1->N16->trigger(); },
                                                               [&dir](QFileDialog* dialog) {
                                                                   dialog->selectFile(dir.filePath("blank"));
                                                                   static_cast<QDialog*>(dialog)->accept();
                                                               });
        QVERIFY(dialogShown);
        QVERIFY(!Form7->isVisible());
        const QImage saved(dir.filePath(QStringLiteral("blank.jpg")));
        QCOMPARE(saved.size(), QSize(400, 400));
        int dark = 0;
        for (int y = 50; y < 350; ++y) {
            dark += qGray(saved.pixel(200, y)) < 128 ? 1 : 0;
        }
        QVERIFY2(dark > 50, qPrintable(QStringLiteral("%1 dark pixels on the real axis").arg(dark)));
        QCOMPARE(Form7->DrawCount(), 0);
    }

    // Its home placement ("Центрировать окна") needs no controls.
    void diagramWindowPlacedWithoutBuilding() {
        TForm7 fresh;
        fresh.move(500, 400);
        fresh.SpeedButton1Click();
        QCOMPARE(fresh.pos(), QPoint(218, 103));
        QVERIFY(!fresh.IsBuilt());
    }

    void aboutBoxBuiltOnFirstShow() {
        QVERIFY(!Form5->IsBuilt());
        Form1->N12->trigger();
        QVERIFY(Form5->isVisible());
        QVERIFY(Form5->IsBuilt());
        QCOMPARE(Form5->Label8->text(), TForm5::ContactAddress1());
        QCOMPARE(Form5->Label9->text(), TForm5::ContactAddress2());
        Form5->hide();
    }
};

QTEST_MAIN(ShellOnDemandTest)
#include "ShellOnDemandTest.moc"
