// The input assistant: phase voltage from line voltage, reactance from L, C and frequency, the
// three messages and the line-voltage section following the connection.

#include <QSignalSpy>
#include <QtTest>
#include <climits>

#include "solver/InputAssistant.h"
#include "solver/SolverErrors.h"
#include "tests/ui/ModalDialogs.h"
#include "ui/app/Forms.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit8.h"

using vornik::ReactanceStatus;

namespace {
constexpr int kHenry = 0, kMilliHenry = 1, kMicroHenry = 2;
constexpr int kFarad = 0, kMicroFarad = 2, kNanoFarad = 3;
}  // namespace

class InputAssistantTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        Form3 = new TForm3;
        Form8 = new TForm8;
    }
    void cleanupTestCase() {
        delete Form8;
        delete Form3;
        Form8 = nullptr;
        Form3 = nullptr;
    }

    // The phase voltage and its unit are written on the white formula picture: readable there
    // whatever the theme's text colour, also while disabled in delta.
    void resultReadableOnTheFormulaPicture_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("star");
        QTest::newRow("light theme") << false << true;
        QTest::newRow("dark theme") << true << true;
        QTest::newRow("dark theme, delta (disabled)") << true << false;
    }
    void resultReadableOnTheFormulaPicture() {
        QFETCH(bool, dark);
        QFETCH(bool, star);
        if (dark) {
            QPalette palette;
            palette.setColor(QPalette::Window, QColor(42, 42, 46));
            palette.setColor(QPalette::WindowText, QColor(235, 235, 235));
            palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(250, 250, 250));
            palette.setColor(QPalette::Base, QColor(30, 30, 32));
            palette.setColor(QPalette::Text, QColor(235, 235, 235));
            QApplication::setPalette(palette);
        }
        (star ? Form3->RadioButton1 : Form3->RadioButton2)->click();
        TForm8 fresh;
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        const QImage shown = fresh.grab().toImage();
        QLabel* unit = nullptr;
        for (QLabel* label : fresh.findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("(В)")) {
                unit = label;
            }
        }
        QVERIFY(unit != nullptr);
        QCOMPARE(fresh.Label1->isEnabled(), star);
        for (QLabel* label : {fresh.Label1.get(), unit}) {
            // Pixels of the label that stand out from the white picture behind it.
            const QRect area = label->geometry();
            int ink = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    ink += QColor(shown.pixel(x, y)).lightness() < 160 ? 1 : 0;
                }
            }
            QVERIFY2(ink > 40, qPrintable(QStringLiteral("%1: %2 ink pixels").arg(label->text()).arg(ink)));
        }
        QApplication::setPalette(QPalette());
        Form3->RadioButton1->click();
    }

    void phaseVoltage_data() {
        QTest::addColumn<double>("line");
        QTest::addColumn<int>("phase");
        QTest::newRow("660 V -> 381 (381.05)") << 660.0 << 381;
        QTest::newRow("380 V -> 219") << 380.0 << 219;
        QTest::newRow("220 V -> 127") << 220.0 << 127;
        QTest::newRow("127 V -> 73") << 127.0 << 73;
        QTest::newRow("-660 V -> -381") << -660.0 << -381;
        QTest::newRow("0 -> 0") << 0.0 << 0;
    }
    void phaseVoltage() {
        QFETCH(double, line);
        QFETCH(int, phase);
        const std::optional<int> got = vornik::PhaseVoltageFromLine(line);
        QVERIFY(got.has_value());
        QCOMPARE(*got, phase);
    }

    void phaseVoltageOutOfRange_data() {
        QTest::addColumn<double>("line");
        QTest::newRow("1E30") << 1e30;
        QTest::newRow("-1E30") << -1e30;
        QTest::newRow("just above INT_MAX") << (static_cast<double>(INT_MAX) + 1.0) * 1.7320508075688772;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    }
    void phaseVoltageOutOfRange() {
        QFETCH(double, line);
        QVERIFY(!vornik::PhaseVoltageFromLine(line).has_value());
    }

    void roundingTiesToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::newRow("2.5 -> 2") << 2.5 << 0 << 2.0;
        QTest::newRow("3.5 -> 4") << 3.5 << 0 << 4.0;
        QTest::newRow("-2.5 -> -2") << -2.5 << 0 << -2.0;
        QTest::newRow("31.415927 -> 31.42") << 31.415927 << 2 << 31.42;
        QTest::newRow("-31.830988 -> -31.83") << -31.830988 << 2 << -31.83;
        QTest::newRow("2*pi*50 to 5 places") << 314.1592653589793 << 5 << 314.15927;
    }
    void roundingTiesToEven() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(static_cast<double>(vornik::RoundHalfEvenToDecimals(value, decimals)), expected);
    }

    void reactance_data() {
        QTest::addColumn<double>("l");
        QTest::addColumn<int>("lUnit");
        QTest::addColumn<double>("c");
        QTest::addColumn<int>("cUnit");
        QTest::addColumn<double>("frequency");
        QTest::addColumn<bool>("angular");
        QTest::addColumn<double>("x");
        QTest::newRow("L 100 mH at 50 Hz")
            << 100.0 << kMilliHenry << 0.0 << kMicroFarad << 50.0 << false << 31.42;
        QTest::newRow("C 100 uF at 50 Hz")
            << 0.0 << kMilliHenry << 100.0 << kMicroFarad << 50.0 << false << -31.83;
        QTest::newRow("L and C in series")
            << 100.0 << kMilliHenry << 100.0 << kMicroFarad << 50.0 << false << -0.42;
        QTest::newRow("L 50 mH") << 50.0 << kMilliHenry << 0.0 << kMicroFarad << 50.0 << false << 15.71;
        QTest::newRow("C 10 uF") << 0.0 << kMilliHenry << 10.0 << kMicroFarad << 50.0 << false << -318.31;
        QTest::newRow("w 314,15927 as for 50 Hz")
            << 100.0 << kMilliHenry << 100.0 << kMicroFarad << 314.15927 << true << -0.42;
        QTest::newRow("negative L counts as its size")
            << -100.0 << kMilliHenry << 0.0 << kMicroFarad << 50.0 << false << 31.42;
        QTest::newRow("negative C counts as its size")
            << 0.0 << kMilliHenry << -100.0 << kMicroFarad << 50.0 << false << -31.83;
        QTest::newRow("henries") << 0.1 << kHenry << 0.0 << -1 << 50.0 << false << 31.42;
        QTest::newRow("microhenries") << 100000.0 << kMicroHenry << 0.0 << -1 << 50.0 << false << 31.42;
        QTest::newRow("farads") << 0.0 << -1 << 0.0001 << kFarad << 50.0 << false << -31.83;
        QTest::newRow("nanofarads") << 0.0 << -1 << 100000.0 << kNanoFarad << 50.0 << false << -31.83;
        QTest::newRow("missing unit of a zero quantity is no error")
            << 0.0 << -1 << 100.0 << kMicroFarad << 50.0 << false << -31.83;
        QTest::newRow("w = 0 with only L gives 0")
            << 100.0 << kMilliHenry << 0.0 << -1 << 0.0 << false << 0.0;
    }
    void reactance() {
        QFETCH(double, l);
        QFETCH(int, lUnit);
        QFETCH(double, c);
        QFETCH(int, cUnit);
        QFETCH(double, frequency);
        QFETCH(bool, angular);
        QFETCH(double, x);
        const vornik::ReactanceResult r = vornik::ReactanceFromLC({l, c, lUnit, cUnit, frequency, angular});
        QCOMPARE(r.status, ReactanceStatus::Ok);
        QCOMPARE(r.x, x);
    }

    void reactanceMessages_data() {
        QTest::addColumn<double>("l");
        QTest::addColumn<int>("lUnit");
        QTest::addColumn<double>("c");
        QTest::addColumn<int>("cUnit");
        QTest::addColumn<QString>("message");
        QTest::newRow("both zero") << 0.0 << kMilliHenry << 0.0 << kMicroFarad << "Введите значения!!!";
        QTest::newRow("both zero, no units") << 0.0 << -1 << 0.0 << -1 << "Введите значения!!!";
        QTest::newRow("L without unit")
            << 100.0 << -1 << 0.0 << kMicroFarad << "Укажите велечину индуктивности!";
        QTest::newRow("L and C without units: inductance first")
            << 100.0 << -1 << 100.0 << -1 << "Укажите велечину индуктивности!";
        QTest::newRow("C without unit") << 0.0 << kMilliHenry << 100.0 << -1 << "Укажите велечину ёмкости!";
        QTest::newRow("L with unit, C without")
            << 100.0 << kMilliHenry << 100.0 << -1 << "Укажите велечину ёмкости!";
    }
    void reactanceMessages() {
        QFETCH(double, l);
        QFETCH(int, lUnit);
        QFETCH(double, c);
        QFETCH(int, cUnit);
        QFETCH(QString, message);
        const vornik::ReactanceResult r = vornik::ReactanceFromLC({l, c, lUnit, cUnit, 50, false});
        QVERIFY(r.status != ReactanceStatus::Ok);
        QCOMPARE(QString::fromUtf8(vornik::ReactanceMessage(r.status)), message);
    }

    void reactanceArithmeticFailures() {
        // w = 0 with a capacitor divides by zero; an enormous frequency overflows.
        QVERIFY_THROWS_EXCEPTION(vornik::RuntimeError,
                                 vornik::ReactanceFromLC({0, 100, kMilliHenry, kMicroFarad, 0, false}));
        QVERIFY_THROWS_EXCEPTION(vornik::RuntimeError,
                                 vornik::ReactanceFromLC({100, 0, kHenry, kMicroFarad, 1e308, false}));
    }

    // --- the window ---

    void lineVoltageButtons() {
        ModalWatcher watcher;
        Form8->show();
        Form3->RadioButton1->setChecked(true);
        Form8->Edit1->setText(QStringLiteral("380"));
        Form8->Button1->click();
        QCOMPARE(Form8->Label1->text(), QStringLiteral("219"));
        QCOMPARE(Form8->PhaseVoltage, 219);
        // "Рассчитать" leaves the parameter form alone.
        QCOMPARE(Form3->ComboBox1->currentText(), QStringLiteral("380"));

        Form3->Edit2->setText(QStringLiteral("-120"));
        Form8->Button2->click();
        for (QComboBox* magnitude : {Form3->ComboBox1, Form3->ComboBox2, Form3->ComboBox3}) {
            QCOMPARE(magnitude->currentText(), QStringLiteral("219"));
        }
        QCOMPARE(Form3->Edit2->text(), QStringLiteral("-120"));

        Form8->Edit1->setText(QStringLiteral("660"));
        Form8->Button2->click();
        QCOMPARE(Form3->ComboBox3->currentText(), QStringLiteral("381"));
        QCOMPARE(Form8->Label1->text(), QStringLiteral("381"));
        QVERIFY(watcher.boxes.isEmpty());
        Form8->hide();
    }

    void lineVoltageConversionErrors_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << "'' is not a valid floating point value.";
        QTest::newRow("lone minus") << "-"
                                    << "'-' is not a valid floating point value.";
        QTest::newRow("two commas") << "1,2,3"
                                    << "'1,2,3' is not a valid floating point value.";
        QTest::newRow("beyond a 32-bit phase voltage") << "1E30"
                                                       << "'1E30' is not a valid integer value.";
    }
    void lineVoltageConversionErrors() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        Form8->show();
        Form3->RadioButton1->setChecked(true);
        Form8->Edit1->setText(QStringLiteral("380"));
        Form8->Button2->click();
        Form8->Label1->setText(QStringLiteral("keep"));
        ModalWatcher watcher;
        Form8->Edit1->setText(text);
        Form8->Button2->click();
        QCOMPARE(watcher.Texts(), QStringList{message});
        QCOMPARE(watcher.boxes.front().icon, QMessageBox::Critical);
        QCOMPARE(Form8->Label1->text(), QStringLiteral("keep"));
        QCOMPARE(Form3->ComboBox1->currentText(), QStringLiteral("219"));
        Form8->hide();
    }

    // After the error box the cursor is in the field that was not a number, its text selected.
    void cursorInTheFieldAfterMessage_data() {
        QTest::addColumn<int>("field");  // EditN
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("button");  // ButtonN
        QTest::newRow("line voltage, Рассчитать") << 1 << "abc" << 1;
        QTest::newRow("line voltage, Задать") << 1 << "1,2,3" << 2;
        QTest::newRow("inductance of phase B") << 5 << "-" << 4;
        QTest::newRow("capacitance of phase C") << 8 << "1,,2" << 5;
        QTest::newRow("frequency") << 2 << "," << 3;
    }
    void cursorInTheFieldAfterMessage() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, button);
        Form8->show();
        Form3->RadioButton1->setChecked(true);
        Form8->RadioButton1->setChecked(true);
        QLineEdit* const edits[] = {Form8->Edit1, Form8->Edit2, Form8->Edit3, Form8->Edit4,
                                    Form8->Edit5, Form8->Edit6, Form8->Edit7, Form8->Edit8};
        QPushButton* const buttons[] = {Form8->Button1, Form8->Button2, Form8->Button3, Form8->Button4,
                                        Form8->Button5};
        for (QLineEdit* edit : edits) {
            edit->setText(QStringLiteral("1"));
        }
        Form8->Edit2->setText(QStringLiteral("50"));
        QLineEdit* edit = edits[field - 1];
        edit->setText(text);
        QPushButton* push = buttons[button - 1];
        push->setFocus();
        ModalWatcher watcher;
        push->click();
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(Form8->focusWidget(), edit);
        QCOMPARE(edit->selectedText(), text);
        Form8->hide();
    }

    void phaseButtonsWriteReactances() {
        ModalWatcher watcher;
        Form8->show();
        Form8->RadioButton1->setChecked(true);
        Form8->Edit2->setText(QStringLiteral("50"));
        Form8->Edit3->setText(QStringLiteral("100"));
        Form8->Edit4->setText(QStringLiteral("0"));
        Form8->Button3->click();
        QCOMPARE(Form3->Edit5->text(), QStringLiteral("31,42"));
        Form8->Edit5->setText(QStringLiteral("0"));
        Form8->Edit6->setText(QStringLiteral("100"));
        Form8->Button4->click();
        QCOMPARE(Form3->Edit7->text(), QStringLiteral("-31,83"));
        Form8->Edit7->setText(QStringLiteral("100"));
        Form8->Edit8->setText(QStringLiteral("100"));
        Form8->Button5->click();
        QCOMPARE(Form3->Edit9->text(), QStringLiteral("-0,42"));

        // Angular frequency read as it stands.
        Form8->RadioButton2->setChecked(true);
        QCOMPARE(Form8->Label5->text(), QStringLiteral(" (1/c) "));
        Form8->Edit2->setText(QStringLiteral("314,15927"));
        Form8->Edit7->setText(QStringLiteral("0"));
        Form8->Edit8->setText(QStringLiteral("10"));
        Form8->Button5->click();
        QCOMPARE(Form3->Edit9->text(), QStringLiteral("-318,31"));
        Form8->RadioButton1->setChecked(true);
        QCOMPARE(Form8->Label5->text(), QStringLiteral(" (Гц) "));
        QVERIFY(watcher.boxes.isEmpty());
        Form8->hide();
    }

    void phaseButtonMessagesWriteNothing_data() {
        QTest::addColumn<QString>("l");
        QTest::addColumn<int>("lUnit");
        QTest::addColumn<QString>("c");
        QTest::addColumn<int>("cUnit");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("error");
        QTest::newRow("no values") << "0" << kMilliHenry << "0" << kMicroFarad << "50"
                                   << "Введите значения!!!" << false;
        QTest::newRow("no inductance unit") << "5" << -1 << "0" << kMicroFarad << "50"
                                            << "Укажите велечину индуктивности!" << false;
        QTest::newRow("no capacitance unit") << "0" << kMilliHenry << "5" << -1 << "50"
                                             << "Укажите велечину ёмкости!" << false;
        QTest::newRow("text that is not a number") << "1,2,3" << kMilliHenry << "0" << kMicroFarad << "50"
                                                   << "'1,2,3' is not a valid floating point value." << true;
        QTest::newRow("frequency 0 with a capacitor") << "0" << kMilliHenry << "5" << kMicroFarad << "0"
                                                      << "Floating point division by zero." << true;
    }
    void phaseButtonMessagesWriteNothing() {
        QFETCH(QString, l);
        QFETCH(int, lUnit);
        QFETCH(QString, c);
        QFETCH(int, cUnit);
        QFETCH(QString, frequency);
        QFETCH(QString, message);
        QFETCH(bool, error);
        Form8->show();
        Form8->RadioButton1->setChecked(true);
        Form3->Edit5->setText(QStringLiteral("7"));
        Form8->Edit3->setText(l);
        Form8->ComboBox1->setCurrentIndex(lUnit);
        Form8->Edit4->setText(c);
        Form8->ComboBox4->setCurrentIndex(cUnit);
        Form8->Edit2->setText(frequency);
        ModalWatcher watcher;
        Form8->Button3->click();
        QCOMPARE(watcher.Texts(), QStringList{message});
        QCOMPARE(watcher.boxes.front().icon, error ? QMessageBox::Critical : QMessageBox::NoIcon);
        QCOMPARE(Form3->Edit5->text(), QStringLiteral("7"));
        Form8->Edit2->setText(QStringLiteral("50"));
        Form8->hide();
    }

    void showingResetsUnits() {
        Form8->show();
        Form8->ComboBox1->setCurrentIndex(kHenry);
        Form8->ComboBox6->setCurrentIndex(kNanoFarad);
        Form8->hide();
        Form8->show();
        for (QComboBox* unit : {Form8->ComboBox1, Form8->ComboBox2, Form8->ComboBox3}) {
            QCOMPARE(unit->currentText(), QStringLiteral("мГн"));
        }
        for (QComboBox* unit : {Form8->ComboBox4, Form8->ComboBox5, Form8->ComboBox6}) {
            QCOMPARE(unit->currentText(), QStringLiteral("мкФ"));
        }
        Form8->hide();
    }

    void lineVoltageSectionFollowsConnection() {
        auto sectionEnabled = [] {
            return QList<bool>{Form8->Edit1->isEnabled(), Form8->Label1->isEnabled(),
                               Form8->Button1->isEnabled(), Form8->Button2->isEnabled()};
        };
        const QList<bool> on{true, true, true, true};
        const QList<bool> off{false, false, false, false};
        Form3->RadioButton2->setChecked(true);
        Form8->show();
        QCOMPARE(sectionEnabled(), off);
        Form8->hide();
        Form3->RadioButton1->setChecked(true);
        Form8->show();
        QCOMPARE(sectionEnabled(), on);

        // Switching the connection on the parameter form while the assistant is open.
        Form3->RadioButton2->click();
        QCOMPARE(sectionEnabled(), off);
        Form3->RadioButton1->click();
        QCOMPARE(sectionEnabled(), on);
        Form8->hide();
    }

    void numericKeyFilter() {
        Form8->show();
        Form8->Edit3->clear();
        Form8->Edit3->setFocus();
        QTest::keyClicks(Form8->Edit3, QStringLiteral("1.5a -"));
        QCOMPARE(Form8->Edit3->text(), QStringLiteral("1,5-"));
        QTest::keyClicks(Form8->Edit3, QStringLiteral("12345"));
        QCOMPARE(Form8->Edit3->text().size(), 6);
        Form8->hide();
    }
};

QTEST_MAIN(InputAssistantTest)
#include "InputAssistantTest.moc"
