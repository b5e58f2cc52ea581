// The parameter form: initial state, typing filter and limits, star/delta switching, the
// neutral wire, activation and placement.

#include <QClipboard>
#include <QToolTip>
#include <QtTest>

#include "ShellTestSupport.h"
#include "ui/app/Forms.h"
#include "ui/platform/KeyFilters.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

QLineEdit* Field(const QString& name) {
    if (auto* combo = Form3->findChild<QComboBox*>(name)) {
        return combo->lineEdit();
    }
    return Form3->findChild<QLineEdit*>(name);
}

QWidget* Control(const QString& name) {
    return Form3->findChild<QWidget*>(name);
}

QString Caption(const QString& name) {
    QWidget* w = Control(name);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    return qobject_cast<QAbstractButton*>(w)->text();
}

// Clicks a control the way a user does, so it takes the focus as well.
void UserClick(QWidget* w) {
    w->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
}

}  // namespace

class ShellParameterFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        StartProgramWindows();
        Form3->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form3));
    }
    void cleanupTestCase() { DestroyWindows(); }

    void initialState_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        const QString voltage = QStringLiteral("Фазное напряжение");
        const QString shunt = QStringLiteral("Сопротивление шунта");
        QTest::newRow("ComboBox1") << "ComboBox1"
                                   << "380" << 4 << voltage << true;
        QTest::newRow("Edit1") << "Edit1"
                               << "0" << 4 << "" << true;
        QTest::newRow("ComboBox2") << "ComboBox2"
                                   << "380" << 4 << voltage << true;
        QTest::newRow("Edit2") << "Edit2"
                               << "-120" << 4 << "" << true;
        QTest::newRow("ComboBox3") << "ComboBox3"
                                   << "380" << 4 << voltage << true;
        QTest::newRow("Edit3") << "Edit3"
                               << "120" << 4 << "" << true;
        for (const char* name : {"Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9"}) {
            QTest::newRow(name) << name << "0" << 4 << "" << true;
        }
        QTest::newRow("Edit10") << "Edit10"
                                << "1" << 4 << "" << false;
        for (const char* name : {"Edit11", "Edit12", "Edit13"}) {
            QTest::newRow(name) << name << "0,01" << 5 << shunt << true;
        }
    }

    void initialState() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, maxLength);
        QFETCH(QString, hint);
        QFETCH(bool, enabled);
        QLineEdit* edit = Field(name);
        QVERIFY2(edit, qPrintable(name));
        QCOMPARE(edit->text(), text);
        QCOMPARE(TypedInputFilter::MaxLength(edit), maxLength);
        QCOMPARE(Control(name)->toolTip(), hint);
        QCOMPARE(Control(name)->isEnabled(), enabled);
    }

    void initialCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        // Captions with runs of spaces or Latin-looking Cyrillic letters.
        const QList<QPair<const char*, QString>> rows = {
            {"Label11", " U\u0441= "},  // Cyrillic es
            {"Label2", "ej  ej  ej"},
            {"Label4", " Ra=" + QString(12, u' ') + "Xa=" + QString(12, u' ') + "(Om)"},
            {"Label7", "R0=" + QString(11, u' ') + "(Om)"},
            {"Label12", "Аварийный режим работы"},
            {"Label13", "Обрыв линейного провода"},
            {"CheckBox2", "фаза \"А\"" + QString(17, u' ') + "(\u041em)"},  // Cyrillic O
            {"CheckBox5", "фаза \"А\"  "},
            {"CheckBox7", "фаза \"С\" "},
        };
        for (const auto& [name, caption] : rows) {
            QTest::newRow(name) << name << caption;
        }
    }

    void initialCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QCOMPARE(Caption(name), caption);
        QCOMPARE(Form3->windowTitle(), QStringLiteral("Параметры  расчёта"));
        // Captions are drawn whole: no control is narrower than its text.
        QWidget* w = Control(name);
        if (qobject_cast<QLabel*>(w) && name != "Label2" && name != "Label8") {
            QVERIFY(w->width() >= w->fontMetrics().horizontalAdvance(caption));
            QVERIFY(w->geometry().right() < Form3->width());
        }
    }

    // A character refused because the field is full brings a hint beside the field saying how
    // many it holds; a refused letter does not.
    void typing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("hint");
        const QString four = QStringLiteral("Поле вмещает не больше 4 знаков");
        QTest::newRow("full stop becomes comma") << "Edit4"
                                                 << "1.5"
                                                 << "1,5"
                                                 << "";
        QTest::newRow("letters and space dropped") << "Edit5"
                                                   << "a b"
                                                   << ""
                                                   << "";
        QTest::newRow("minus and comma anywhere") << "Edit6"
                                                  << "-,-,"
                                                  << "-,-,"
                                                  << "";
        QTest::newRow("exponent letter dropped") << "Edit7"
                                                 << "1e5"
                                                 << "15"
                                                 << "";
        QTest::newRow("four characters at most") << "Edit1"
                                                 << "12345"
                                                 << "1234" << four;
        QTest::newRow("combo box limited to four") << "ComboBox1"
                                                   << "6600"
                                                   << "6600"
                                                   << "";
        QTest::newRow("combo box fifth refused") << "ComboBox2"
                                                 << "12.345"
                                                 << "12,3" << four;
        QTest::newRow("shunt five characters") << "Edit11"
                                               << "0.0123"
                                               << "0,012"
                                               << "Поле вмещает не больше 5 знаков";
        QTest::newRow("a letter into a full field") << "Edit2"
                                                    << "1234x"
                                                    << "1234"
                                                    << "";
    }

    void typing() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(QString, hint);
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QLineEdit* edit = Field(name);
        edit->clear();
        QWidget* target = Control(name);
        target->setFocus();
        QTest::keyClicks(target, typed);
        QCOMPARE(edit->text(), result);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), hint);
    }

    void backspaceAndSelectionReplace() {
        QLineEdit* edit = Form3->Edit8;
        edit->setText(QStringLiteral("1234"));
        edit->setFocus();
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_5);
        QCOMPARE(edit->text(), QStringLiteral("1234"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Period);
        QCOMPARE(edit->text(), QStringLiteral("123,"));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_7);
        QCOMPARE(edit->text(), QStringLiteral("7"));
    }

    void programTextIsNotLimited() {
        // The input assistant writes reactances like this into four-character fields.
        Form3->Edit5->setText(QStringLiteral("-318,31"));
        QCOMPARE(Form3->Edit5->text(), QStringLiteral("-318,31"));
        Form3->ComboBox1->setEditText(QStringLiteral("57735"));
        QCOMPARE(Form3->ComboBox1->currentText(), QStringLiteral("57735"));
        Form3->ComboBox1->setCurrentIndex(3);
        QCOMPARE(Form3->ComboBox1->currentText(), QStringLiteral("660"));
    }

    void pasteBypassesFilterWithinLimit() {
        QGuiApplication::clipboard()->setText(QStringLiteral("ab.123"));
        QLineEdit* edit = Form3->Edit9;
        edit->clear();
        edit->setFocus();
        QTest::keySequence(edit, QKeySequence::Paste);
        QCOMPARE(edit->text(), QStringLiteral("ab.1"));
    }

    void switchingConnection() {
        Form3->CheckBox1->setChecked(true);
        Form3->CheckBox1Click();
        Form3->CheckBox2->setChecked(true);
        Form3->CheckBox6->setChecked(true);
        QVERIFY(Form3->Edit10->isEnabled());

        UserClick(Form3->RadioButton2);
        QVERIFY(Form3->RadioButton2->isChecked());
        QVERIFY(!Form3->RadioButton1->isChecked());
        const QStringList delta = {"U\u0430b=", "Ubc=", "Uca="};
        QCOMPARE(QStringList({Form3->Label3->text(), Form3->Label10->text(), Form3->Label11->text()}), delta);
        QCOMPARE(Form3->Label4->text(), "Rab=" + QString(10, u' ') + "Xab=" + QString(11, u' ') + "(Om)");
        QCOMPARE(Form3->Label6->text(), "Rca=" + QString(10, u' ') + "Xca=" + QString(11, u' ') + "(Om)");
        QCOMPARE(Form3->Label9->text(), QStringLiteral("Обрыв фазы нагрузки"));
        QCOMPARE(Form3->CheckBox2->text(), QStringLiteral("фаза \"АВ\""));
        QCOMPARE(Form3->CheckBox4->text(), QStringLiteral("фаза \"СА\""));
        for (QWidget* w : std::initializer_list<QWidget*>{Form3->CheckBox1, Form3->Edit10, Form3->Label7,
                                                          Form3->Edit11, Form3->Edit12, Form3->Edit13}) {
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        }
        QVERIFY(Form3->CheckBox1->isChecked());
        QVERIFY(Form3->CheckBox2->isChecked());
        QVERIFY(Form3->CheckBox6->isChecked());
        QCOMPARE(Form3->CheckBox6->text(), QStringLiteral("фаза \"В\"  "));
        for (QWidget* w :
             std::initializer_list<QWidget*>{Form8->Edit1, Form8->Label1, Form8->Button1, Form8->Button2}) {
            QVERIFY(!w->isEnabled());
        }

        UserClick(Form3->RadioButton1);
        QVERIFY(Form3->RadioButton1->isChecked());
        QCOMPARE(Form3->Label3->text(), QStringLiteral(" U\u0430= "));
        QCOMPARE(Form3->Label11->text(), QStringLiteral(" Uc= "));
        QCOMPARE(Form3->Label5->text(), " Rb=" + QString(12, u' ') + "Xb=" + QString(12, u' ') + "(Om)");
        QCOMPARE(Form3->CheckBox3->text(), "фаза \"В\"" + QString(17, u' ') + "(Om)");
        QVERIFY(Form3->CheckBox1->isEnabled());
        QVERIFY(Form3->Edit10->isEnabled());  // the tick stayed
        QVERIFY(Form3->Label7->isEnabled());
        QVERIFY(Form3->Edit11->isEnabled());
        for (QWidget* w :
             std::initializer_list<QWidget*>{Form8->Edit1, Form8->Label1, Form8->Button1, Form8->Button2}) {
            QVERIFY(w->isEnabled());
        }

        // Without the tick, star leaves the neutral-wire resistance disabled.
        UserClick(Form3->RadioButton2);
        Form3->CheckBox1->setChecked(false);
        UserClick(Form3->RadioButton1);
        QVERIFY(!Form3->Edit10->isEnabled());
        QVERIFY(!Form3->Label7->isEnabled());
        QCOMPARE(Form3->Edit10->text(), QStringLiteral("1"));
    }

    // The load fields lie in the gaps of their row's caption in either connection: no letter of
    // "Rab=" or "Xab=" (nor of " Ra=", "Xa=", "(Om)") is under a field.
    void loadCaptionsNeverCovered_data() {
        QTest::addColumn<bool>("star");
        QTest::newRow("star") << true;
        QTest::newRow("delta") << false;
    }
    void loadCaptionsNeverCovered() {
        QFETCH(bool, star);
        UserClick(star ? Form3->RadioButton1 : Form3->RadioButton2);
        const QLabel* labels[3] = {Form3->Label4, Form3->Label5, Form3->Label6};
        const QLineEdit* fields[3][2] = {
            {Form3->Edit4, Form3->Edit5}, {Form3->Edit6, Form3->Edit7}, {Form3->Edit8, Form3->Edit9}};
        for (int k = 0; k < 3; ++k) {
            const QString text = labels[k]->text();
            const QFontMetrics metrics = labels[k]->fontMetrics();
            for (qsizetype at = 0; at < text.size(); ++at) {
                if (text[at] == u' ') {
                    continue;
                }
                const int left = labels[k]->x() + metrics.horizontalAdvance(text.left(at));
                const int right = labels[k]->x() + metrics.horizontalAdvance(text.left(at + 1));
                for (const QLineEdit* field : fields[k]) {
                    QVERIFY2(right <= field->x() || left >= field->geometry().right() + 1,
                             qPrintable(QStringLiteral("%1 covers '%2' of \"%3\"")
                                            .arg(field->objectName(), text.mid(at, 1), text)));
                }
            }
        }
        UserClick(Form3->RadioButton1);
    }

    void neutralWireClickFlipsFieldAndLabel() {
        QVERIFY(!Form3->CheckBox1->isChecked());
        QTest::mouseClick(Form3->CheckBox1, Qt::LeftButton, {}, QPoint(6, Form3->CheckBox1->height() / 2));
        QVERIFY(Form3->CheckBox1->isChecked());
        QVERIFY(Form3->Edit10->isEnabled() && Form3->Label7->isEnabled());
        QTest::mouseClick(Form3->CheckBox1, Qt::LeftButton, {}, QPoint(6, Form3->CheckBox1->height() / 2));
        QVERIFY(!Form3->Edit10->isEnabled() && !Form3->Label7->isEnabled());
    }

    void activationHidesDiagramWindow() {
        Form7->show();
        QVERIFY(Form7->isVisible());
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(Form3, &activate);
        QVERIFY(!Form7->isVisible());
    }

    void closedFormReturnsHomeWithItsTexts() {
        Form3->Edit4->setText(QStringLiteral("12"));
        Form3->move(300, 250);
        Form3->close();
        QVERIFY(Form3->isHidden());
        Form1->N14->trigger();
        QVERIFY(Form3->isVisible());
        QCOMPARE(Form3->pos(), QPoint(0, 103));
        QCOMPARE(Form3->Edit4->text(), QStringLiteral("12"));
        Form3->move(40, 40);
        Form3->SpeedButton1->click();
        QCOMPARE(Form3->pos(), QPoint(0, 103));
    }
};

QTEST_MAIN(ShellParameterFormTest)
#include "ShellParameterFormTest.moc"
