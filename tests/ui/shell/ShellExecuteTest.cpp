// The execute command through the real windows: the results document against vornik-cli for
// the same inputs, and what a failed run leaves behind.

#include <QProcess>
#include <QTextBlock>
#include <QtTest>

#include "ShellTestSupport.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"
#include "ui/app/Forms.h"
#include "ui/platform/WindowPlace.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"

using vornik::Param;

namespace {

// One circuit as typed into the parameter and precision forms.
struct Circuit {
    bool star = true;
    QList<QPair<Param, QString>> texts;
    QList<int> boxes;                     // ticked check boxes, 1..7
    QList<QPair<int, QString>> decimals;  // precision combo box number (1..20), text
};

QStringList CliArguments(const Circuit& c) {
    QStringList args;
    if (!c.star) {
        args << "--delta";
    }
    for (const auto& [field, text] : c.texts) {
        args << vornik::FieldOf(field).option << text;
    }
    for (int box : c.boxes) {
        const vornik::TickSpec& tick = vornik::kTicks.at(box - 1);
        args << (c.star ? tick.starOption : tick.deltaOption);
        if (const char* value = c.star ? tick.starValue : tick.deltaValue; *value != '\0') {
            args << value;
        }
    }
    for (const auto& [number, text] : c.decimals) {
        args << "--decimals" << QStringLiteral("%1=%2").arg(vornik::kPrecisionFields[number - 1].name, text);
    }
    return args;
}

QStringList CliReport(const Circuit& c) {
    return CliReport(CliArguments(c));
}

QLineEdit* EditFor(Param field) {
    QLineEdit* edits[13] = {Form3->Edit1,  Form3->Edit2,  Form3->Edit3, Form3->Edit4, Form3->Edit5,
                            Form3->Edit6,  Form3->Edit7,  Form3->Edit8, Form3->Edit9, Form3->Edit10,
                            Form3->Edit11, Form3->Edit12, Form3->Edit13};
    return edits[static_cast<int>(field) - static_cast<int>(Param::Edit1)];
}

void SetText(Param field, const QString& text) {
    const int k = static_cast<int>(field);
    if (k <= static_cast<int>(Param::ComboBox3)) {
        QComboBox* combos[3] = {Form3->ComboBox1, Form3->ComboBox2, Form3->ComboBox3};
        combos[k]->setEditText(text);
    } else {
        EditFor(field)->setText(text);
    }
}

QCheckBox* Box(int n) {
    QCheckBox* boxes[7] = {Form3->CheckBox1, Form3->CheckBox2, Form3->CheckBox3, Form3->CheckBox4,
                           Form3->CheckBox5, Form3->CheckBox6, Form3->CheckBox7};
    return boxes[n - 1];
}

// Puts the forms into the state of the circuit, starting from their initial texts.
void Enter(const Circuit& c) {
    const vornik::CircuitInput initial;
    for (int k = 0; k < vornik::kParamCount; ++k) {
        SetText(static_cast<Param>(k), QString::fromStdString(initial.texts[k]));
    }
    for (int n = 1; n <= 7; ++n) {
        Box(n)->setChecked(c.boxes.contains(n));
    }
    (c.star ? Form3->RadioButton1 : Form3->RadioButton2)->setChecked(true);
    for (const auto& [field, text] : c.texts) {
        SetText(field, text);
    }
    for (int n = 1; n <= 20; ++n) {
        Form4->ComboBox(n)->setEditText(QString::fromLatin1(vornik::kPrecisionFields[n - 1].initial));
    }
    for (const auto& [number, text] : c.decimals) {
        Form4->ComboBox(number)->setEditText(text);
    }
}

const QList<QPair<Param, QString>> kMixedLoad = {{Param::Edit4, "10"}, {Param::Edit5, "5"},
                                                 {Param::Edit6, "20"}, {Param::Edit7, "-10"},
                                                 {Param::Edit8, "15"}, {Param::Edit9, "0"}};

Circuit Star(QList<int> boxes = {}) {
    return Circuit{true, kMixedLoad, boxes, {}};
}

}  // namespace

Q_DECLARE_METATYPE(Circuit)

class ShellExecuteTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { StartProgramWindows(); }
    void cleanupTestCase() { DestroyWindows(); }

    // Runs first: nothing has completed yet in this process.
    void failureBeforeAnyRunKeepsDiagramDisabled() {
        Form2->RichEdit1->setPlainText(QStringLiteral("текст пользователя"));
        Circuit c = Star();
        c.texts.append({Param::Edit6, QString()});
        Enter(c);
        const auto boxes = CaptureMessageBoxes([] { Form3->SpeedButton6->click(); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("'' is not a valid floating point value."));
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QVERIFY(!Form1->SpeedButton6->isEnabled());
        QCOMPARE(Form2->RichEdit1->toPlainText(), QStringLiteral("текст пользователя"));
    }

    void documentMatchesCommandLine_data() {
        QTest::addColumn<Circuit>("circuit");
        QTest::newRow("star, mixed load, normal mode") << Star();
        QTest::newRow("star, neutral wire, all six modes") << Star({1, 2, 3, 4, 5, 6, 7});
        QTest::newRow("star, short circuit B and break C") << Star({3, 7});
        QTest::newRow("delta, all six modes") << Circuit{false, kMixedLoad, {2, 3, 4, 5, 6, 7}, {}};
        QTest::newRow("delta, resistive 10 ohm, break B and load phase CA") << Circuit{
            false,
            {{Param::Edit1, "0"}, {Param::Edit4, "10"}, {Param::Edit6, "10"}, {Param::Edit8, "10"}},
            {4, 6},
            {}};
        QTest::newRow("star, decimals changed")
            << Circuit{true, kMixedLoad, {2}, {{13, "3"}, {19, "5"}, {1, "2"}, {12, "0"}}};
        QTest::newRow("star, angles and decimal comma voltages") << Circuit{true,
                                                                            {{Param::ComboBox1, "220"},
                                                                             {Param::ComboBox2, "219,5"},
                                                                             {Param::Edit2, "-119"},
                                                                             {Param::Edit4, "3,3"},
                                                                             {Param::Edit5, "-4"},
                                                                             {Param::Edit6, "7"},
                                                                             {Param::Edit9, "2,5"},
                                                                             {Param::Edit8, "1"},
                                                                             {Param::Edit10, "0,5"}},
                                                                            {1, 5},
                                                                            {}};
    }

    void documentMatchesCommandLine() {
        QFETCH(Circuit, circuit);
        Enter(circuit);
        const auto boxes = CaptureMessageBoxes([] { Form1->N5->trigger(); });
        QCOMPARE(boxes.size(), 0);
        const QStringList expected = CliReport(circuit);
        const QStringList shown = DocumentLines();
        QVERIFY2(expected.size() > 10, qPrintable(expected.join(u'\n')));
        for (int k = 0; k < qMin(expected.size(), shown.size()); ++k) {
            if (shown[k] != expected[k]) {
                QFAIL(qPrintable(QStringLiteral("line %1: window \"%2\", vornik-cli \"%3\"")
                                     .arg(k + 1)
                                     .arg(shown[k], expected[k])));
            }
        }
        QCOMPARE(shown.size(), expected.size());
        QVERIFY(Form1->SpeedButton6->isEnabled());
        // The report lines carry no formatting of their own: the document's Times New Roman 12 pt.
        const QTextCharFormat format = Form2->RichEdit1->document()->lastBlock().charFormat();
        QVERIFY(!format.hasProperty(QTextFormat::FontPointSize));
        QCOMPARE(Form2->RichEdit1->document()->defaultFont().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(Form2->RichEdit1->document()->defaultFont().pointSize(), 12);
    }

    void failuresShowTheirBoxAndKeepWhatWasDone_data() {
        QTest::addColumn<Circuit>("circuit");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("documentKept");  // else the normal-mode report of this run stays
        Circuit notNumber = Star();
        notNumber.texts.append({Param::Edit5, "1,2,3"});
        QTest::newRow("two commas") << notNumber << "'1,2,3' is not a valid floating point value."
                                    << int(QMessageBox::Critical) << true;
        Circuit loneMinus = Star();
        loneMinus.texts.append({Param::ComboBox2, "-"});
        QTest::newRow("lone minus") << loneMinus << "'-' is not a valid floating point value."
                                    << int(QMessageBox::Critical) << true;
        // A field's text is shown as typed, never as markup.
        Circuit markup = Star();
        markup.texts.append({Param::Edit7, "<hr><img src=\"/x.png\">"});
        QTest::newRow("markup in a field")
            << markup << "'<hr><img src=\"/x.png\">' is not a valid floating point value."
            << int(QMessageBox::Critical) << true;
        Circuit zeroShunt = Star({2});
        zeroShunt.texts.append({Param::Edit11, "0"});
        QTest::newRow("zero shunt") << zeroShunt << "Сопротивление не может быть равно нулю!"
                                    << int(QMessageBox::NoIcon) << false;
        QTest::newRow("precision emptied")
            << Circuit{true, kMixedLoad, {}, {{7, ""}}} << "'' is not a valid integer value."
            << int(QMessageBox::Critical) << true;
        Circuit zeroPhase{false, {{Param::Edit4, "0"}, {Param::Edit5, "0"}}, {}, {}};
        QTest::newRow("delta, zero impedance")
            << zeroPhase << "Сопротивление не может быть равно нулю!" << int(QMessageBox::NoIcon) << true;
    }

    void failuresShowTheirBoxAndKeepWhatWasDone() {
        QFETCH(Circuit, circuit);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(bool, documentKept);
        Enter(Star());
        Form1->N5Click();
        const QString before = Form2->RichEdit1->toPlainText();
        QVERIFY(Form1->SpeedButton6->isEnabled());

        Enter(circuit);
        const auto boxes = CaptureMessageBoxes([] { Form1->SpeedButton1->click(); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, message);
        QCOMPARE(int(boxes[0].icon), icon);
        QCOMPARE(boxes[0].format, Qt::PlainText);
        QCOMPARE(boxes[0].title, QFileInfo(QCoreApplication::applicationFilePath()).baseName());
        // A run that stops leaves the diagram command as it was: enabled by the earlier run.
        QVERIFY(Form1->SpeedButton6->isEnabled());
        if (documentKept) {
            QCOMPARE(Form2->RichEdit1->toPlainText(), before);
        } else {
            // Only the normal-mode report of this run: what the command line writes without the mode.
            Circuit normalOnly = circuit;
            normalOnly.boxes.clear();
            QCOMPARE(DocumentLines(), CliReport(normalOnly));
        }
    }

    // After the box of a text that is no number, or of a zero resistance, the cursor is in that
    // field with its text selected, in the precision form too; a failure no field is to blame for
    // leaves the focus where it was.
    void conversionFailureSelectsItsField_data() {
        QTest::addColumn<Circuit>("circuit");
        QTest::addColumn<QString>("field");  // window-control, or empty when the focus stays
        Circuit notNumber = Star();
        notNumber.texts.append({Param::Edit5, "1,2,3"});
        QTest::newRow("X of phase A") << notNumber << "Form3-Edit5";
        Circuit loneMinus = Star();
        loneMinus.texts.append({Param::ComboBox2, "-"});
        QTest::newRow("voltage B") << loneMinus << "Form3-ComboBox2";
        QTest::newRow("precision box 7") << Circuit{true, kMixedLoad, {}, {{7, "-"}}} << "Form4-ComboBox7";
        Circuit zeroShunt = Star({2});
        zeroShunt.texts.append({Param::Edit11, "0"});
        QTest::newRow("zero shunt") << zeroShunt << "Form3-Edit11";
        // Reactances that cancel: the neutral shift divides by zero.
        const Circuit cancel{true,
                             {{Param::Edit4, "0"},
                              {Param::Edit5, "10"},
                              {Param::Edit6, "0"},
                              {Param::Edit7, "-20"},
                              {Param::Edit8, "0"},
                              {Param::Edit9, "-20"}},
                             {},
                             {}};
        QTest::newRow("division by zero") << cancel << "";
    }

    void conversionFailureSelectsItsField() {
        QFETCH(Circuit, circuit);
        QFETCH(QString, field);
        Form4->hide();
        Enter(circuit);
        ShowWindow(Form3);
        Form3->Edit1->setFocus();
        QVERIFY(QTest::qWaitFor([] { return QApplication::focusWidget() == Form3->Edit1; }));
        const auto boxes = CaptureMessageBoxes([] { Form1->SpeedButton1->click(); });
        QCOMPARE(boxes.size(), 1);
        if (field.isEmpty()) {
            QTest::qWait(20);
            // No other field of the form takes the cursor.
            for (const QLineEdit* line : Form3->findChildren<QLineEdit*>()) {
                QVERIFY2(line == Form3->Edit1 || !line->hasFocus(), qPrintable(line->objectName()));
            }
            return;
        }
        const QStringList parts = field.split(u'-');
        QWidget* window = parts[0] == "Form3" ? static_cast<QWidget*>(Form3) : Form4;
        QWidget* control = window->findChild<QWidget*>(parts[1]);
        auto* combo = qobject_cast<QComboBox*>(control);
        QLineEdit* line = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(control);
        QVERIFY(line != nullptr);
        QVERIFY2(
            QTest::qWaitFor([line] { return line->hasFocus(); }),
            qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none"));
        QVERIFY(window->isVisible());
        if (boxes[0].icon == QMessageBox::Critical) {
            QVERIFY(boxes[0].text.contains(QStringLiteral("'%1'").arg(line->text())));
        } else {
            QCOMPARE(boxes[0].text, QStringLiteral("Сопротивление не может быть равно нулю!"));
        }
        QCOMPARE(line->selectedText(), line->text());
    }

    void precisionChangeWaitsForNextRun() {
        Enter(Star());
        Form1->N5Click();
        const QString before = Form2->RichEdit1->toPlainText();
        Form4->ComboBox(19)->setEditText(QStringLiteral("5"));
        QCOMPARE(Form2->RichEdit1->toPlainText(), before);
        Form1->N5Click();
        QVERIFY(Form2->RichEdit1->toPlainText() != before);
    }
};

QTEST_MAIN(ShellExecuteTest)
#include "ShellExecuteTest.moc"
