#include "ui/app/Accessibility.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextEdit>

#include "ui/app/Forms.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"
#include "ui/windows/Unit5.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

// Set on a window once the signals that keep its names current are connected.
const char* const kWatchedProperty = "vornikNamesWatched";
// Set on the About box once its keys are connected.
const char* const kKeysProperty = "vornikKeysConnected";

void Name(QWidget* control, const QString& name, const QString& description = QString()) {
    // Setting a name tells the screen reader it changed; only real changes are told.
    if (control->accessibleName() != name) {
        control->setAccessibleName(name);
    }
    if (!description.isEmpty() && control->accessibleDescription() != description) {
        control->setAccessibleDescription(description);
    }
}

// A screen reader on Linux hears a combo box's current text as its name; a pick-only list is
// told apart by its description, an editable one by its line edit.
void NameCombo(QComboBox* combo, const QString& name, const QString& description = QString()) {
    QLineEdit* edit = combo->lineEdit();
    Name(combo, name, description.isEmpty() && edit == nullptr ? name : description);
    if (edit != nullptr) {
        Name(edit, name, description);
    }
}

// The quantities of a formula-like row caption (" Ra=            Xa=            (Om)" gives Ra
// and Xa). Some captions write a Cyrillic а, с or О for the Latin letter; the names use the
// Latin one, so that a row is called the same whichever spelling the caption has at the moment.
QStringList Quantities(const QString& caption) {
    QString plain = caption;
    plain.replace(u'\u0430', u'a').replace(u'\u0441', u'c').replace(u'\u041e', u'O');
    QStringList terms;
    for (const QString& word : plain.split(u' ', Qt::SkipEmptyParts)) {
        if (word.endsWith(u'=')) {
            terms << word.chopped(1);
        }
    }
    return terms;
}

// A check box caption without the unit and the spaces that leave room for a field.
QString CheckCaption(const QString& caption) {
    static const QRegularExpression unit(QStringLiteral("\\((O|\u041e)m\\)"));
    return QString(caption).remove(unit).simplified();
}

void NameResultsWindow(TForm2& form) {
    Name(form.RichEdit1, QStringLiteral("Результаты рассчёта"),
         QStringLiteral("Решение, записанное последним расчётом; текст можно править"));
}

void NameParameterForm(TForm3& form) {
    QLabel* voltageRows[3] = {form.Label3, form.Label10, form.Label11};
    QComboBox* magnitudes[3] = {form.ComboBox1, form.ComboBox2, form.ComboBox3};
    QLineEdit* angles[3] = {form.Edit1, form.Edit2, form.Edit3};
    for (int k = 0; k < 3; ++k) {
        const QStringList u = Quantities(voltageRows[k]->text());
        const QString quantity = u.value(0);
        NameCombo(magnitudes[k], quantity, magnitudes[k]->toolTip());
        Name(angles[k], QStringLiteral("угол ") + quantity, QStringLiteral("градусов"));
    }
    QLabel* loadRows[3] = {form.Label4, form.Label5, form.Label6};
    QLineEdit* loads[3][2] = {{form.Edit4, form.Edit5}, {form.Edit6, form.Edit7}, {form.Edit8, form.Edit9}};
    for (int k = 0; k < 3; ++k) {
        const QStringList rx = Quantities(loadRows[k]->text());
        Name(loads[k][0], rx.value(0), QStringLiteral("Ом"));
        Name(loads[k][1], rx.value(1), QStringLiteral("Ом"));
    }
    Name(form.Edit10, Quantities(form.Label7->text()).value(0), QStringLiteral("Ом"));

    // The emergency boxes read "фаза "А"" under two headings; the heading tells them apart.
    QCheckBox* firstGroup[3] = {form.CheckBox2, form.CheckBox3, form.CheckBox4};
    QLineEdit* shunts[3] = {form.Edit11, form.Edit12, form.Edit13};
    QCheckBox* breaks[3] = {form.CheckBox5, form.CheckBox6, form.CheckBox7};
    for (int k = 0; k < 3; ++k) {
        const QString phase = CheckCaption(firstGroup[k]->text());
        Name(firstGroup[k], form.Label9->text() + QStringLiteral(", ") + phase);
        // The line-wire boxes keep their captions in both connections, and the shunt belongs to
        // the same phase whichever connection is chosen.
        const QString linePhase = CheckCaption(breaks[k]->text());
        Name(shunts[k], shunts[k]->toolTip() + QStringLiteral(", ") + linePhase, QStringLiteral("Ом"));
        Name(breaks[k], form.Label13->text() + QStringLiteral(", ") + linePhase);
    }
}

void NamePrecisionForm(TForm4& form) {
    // Left to right in each row's formula: the exponential form first, the algebraic one second,
    // except for the impedance, written algebraic first.
    static const char* const kExponentialFirst[4] = {"модуль", "угол", "действительная часть",
                                                     "мнимая часть"};
    static const char* const kAlgebraicFirst[4] = {"действительная часть", "мнимая часть", "модуль", "угол"};
    constexpr int kImpedanceRow = 1;
    const QString what = form.Label1->text();
    for (int index = 0; index < static_cast<int>(form.ComboBoxes.size()); ++index) {
        const int row = index / 4;
        const char* component = (row == kImpedanceRow ? kAlgebraicFirst : kExponentialFirst)[index % 4];
        NameCombo(form.ComboBoxes[index],
                  form.Headings[row]->text().trimmed() + QStringLiteral(", ") + QString::fromUtf8(component),
                  what);
    }
}

// What a pair of the diagram window's buttons shows: the normal mode, or the emergency mode of
// the parameter form's box that enables the pair.
QString DiagramMode(int pair) {
    if (pair == 0 || Form3 == nullptr) {
        return pair == 0 ? QStringLiteral("нормальный режим") : QStringLiteral("аварийный режим");
    }
    const QCheckBox* boxes[6] = {Form3->CheckBox2, Form3->CheckBox3, Form3->CheckBox4,
                                 Form3->CheckBox5, Form3->CheckBox6, Form3->CheckBox7};
    return boxes[pair - 1]->accessibleName();
}

void NameDiagramWindow(TForm7& form) {
    if (Form3 != nullptr) {
        NameParameterForm(*Form3);
    }
    Name(form.SpeedButton2, QStringLiteral("Векторная диаграмма"), QStringLiteral("Без действия"));
    Name(form.SpeedButton4, QStringLiteral("Пустая кнопка"), QStringLiteral("Без действия"));
    for (int n = 1; n <= 14; ++n) {
        QRadioButton* button = form.RadioButton(n);
        Name(button, button->text() + QStringLiteral(", ") + DiagramMode((n - 1) / 2));
        if (button->isChecked()) {
            Name(form.Image1, QStringLiteral("Векторная диаграмма"), button->accessibleName());
        }
    }
    if (form.Image1->accessibleName().isEmpty()) {
        Name(form.Image1, QStringLiteral("Векторная диаграмма"));
    }
    // The read-outs keep their number as the name; the description says what it is.
    form.Label6->setAccessibleDescription(QStringLiteral("X курсора, пикселей"));
    form.Label7->setAccessibleDescription(QStringLiteral("Y курсора, пикселей"));
    form.Label9->setAccessibleDescription(QStringLiteral("A: пикселей выше центра"));
    form.Label10->setAccessibleDescription(QStringLiteral("J: пикселей левее центра"));
    form.Label11->setAccessibleDescription(QStringLiteral("Масштаб"));
}

void NameAssistant(TForm8& form) {
    Name(form.Edit2, QStringLiteral("Частота"),
         (form.RadioButton1->isChecked() ? form.RadioButton1 : form.RadioButton2)->text().simplified());
    const QString phases[3] = {QStringLiteral("фаза А"), QStringLiteral("фаза В"), QStringLiteral("фаза С")};
    QLineEdit* inductances[3] = {form.Edit3, form.Edit5, form.Edit7};
    QLineEdit* capacitances[3] = {form.Edit4, form.Edit6, form.Edit8};
    QComboBox* inductanceUnits[3] = {form.ComboBox1, form.ComboBox2, form.ComboBox3};
    QComboBox* capacitanceUnits[3] = {form.ComboBox4, form.ComboBox5, form.ComboBox6};
    QPushButton* buttons[3] = {form.Button3, form.Button4, form.Button5};
    const QString targets[3] = {QStringLiteral("Xa"), QStringLiteral("Xb"), QStringLiteral("Xc")};
    for (int k = 0; k < 3; ++k) {
        Name(inductances[k], QStringLiteral("Индуктивность L, ") + phases[k]);
        Name(capacitances[k], QStringLiteral("Ёмкость C, ") + phases[k]);
        NameCombo(inductanceUnits[k], QStringLiteral("Единица индуктивности, ") + phases[k]);
        NameCombo(capacitanceUnits[k], QStringLiteral("Единица ёмкости, ") + phases[k]);
        Name(buttons[k], buttons[k]->text() + QStringLiteral(", ") + phases[k],
             QStringLiteral("Записать реактивное сопротивление в поле ") + targets[k] +
                 QStringLiteral(" окна параметров"));
    }
    Name(form.Button1, form.Button1->text(), QStringLiteral("Фазное напряжение из линейного"));
    Name(form.Button2, form.Button2->text(),
         QStringLiteral("Фазное напряжение из линейного, в поля Ua, Ub, Uc окна параметров"));
}

// Keeps the names that depend on a choice current: the parameter form's rows follow the
// connection, the diagram's description follows the chosen mode, the assistant's frequency
// field follows the kind of frequency.
void WatchChoices(QWidget* window) {
    if (window->property(kWatchedProperty).toBool()) {
        return;
    }
    window->setProperty(kWatchedProperty, true);
    if (auto* form = dynamic_cast<TForm3*>(window)) {
        for (QRadioButton* r : {form->RadioButton1, form->RadioButton2}) {
            QObject::connect(r, &QRadioButton::toggled, form, [form] { NameParameterForm(*form); });
        }
    } else if (auto* form = dynamic_cast<TForm7*>(window)) {
        for (int n = 1; n <= 14; ++n) {
            QRadioButton* button = form->RadioButton(n);
            QObject::connect(button, &QRadioButton::toggled, form, [form, button](bool on) {
                if (on) {
                    Name(form->Image1, QStringLiteral("Векторная диаграмма"), button->accessibleName());
                }
            });
        }
    } else if (auto* form = dynamic_cast<TForm8*>(window)) {
        QObject::connect(form->RadioButton1, &QRadioButton::toggled, form, [form] { NameAssistant(*form); });
    }
}

// Names controls that no routine above named: a button without a caption by its hint, the line
// edit of a combo box by the combo box, any other control that takes the focus by its hint.
void NameRest(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->accessibleName().isEmpty()) {
            continue;
        }
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* combo = qobject_cast<QComboBox*>(w->parentWidget());
        if (button != nullptr && button->text().isEmpty() && !button->toolTip().isEmpty()) {
            Name(button, button->toolTip());
        } else if (qobject_cast<QLineEdit*>(w) != nullptr && combo != nullptr) {
            Name(w, combo->accessibleName());
        } else if (w->focusPolicy() != Qt::NoFocus && !w->toolTip().isEmpty()) {
            Name(w, w->toolTip());
        }
    }
}

// Names a window's controls each time the window is shown.
class NameOnShow : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow()) {
                NameControls(widget);
            }
        }
        return false;
    }
};

// The About box's addresses are reached with Tab like links, and Enter or Space opens a new
// message to the address, as a click does.
class AddressKeys : public QObject {
  public:
    explicit AddressKeys(TForm5& box) : QObject(&box), box_(box) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) {
            return false;
        }
        if (watched == box_.Label8) {
            box_.Label8Click();
        } else {
            box_.Label9Click();
        }
        return true;
    }

  private:
    TForm5& box_;
};

void PrepareAboutKeys(TForm5& box) {
    if (box.property(kKeysProperty).toBool()) {
        return;
    }
    box.setProperty(kKeysProperty, true);
    auto* keys = new AddressKeys(box);
    for (QLabel* address : {box.Label8.get(), box.Label9.get()}) {
        address->setFocusPolicy(Qt::StrongFocus);
        address->installEventFilter(keys);
        Name(address, QStringLiteral("E-mail ") + address->text());
    }
}

}  // namespace

void NameControls(QWidget* window) {
    // The main window needs no routine of its own: its buttons are called by their hints (see
    // NameRest), its menus by their captions.
    if (auto* form = dynamic_cast<TForm2*>(window)) {
        NameResultsWindow(*form);
    } else if (auto* form = dynamic_cast<TForm3*>(window)) {
        NameParameterForm(*form);
    } else if (auto* form = dynamic_cast<TForm4*>(window)) {
        NamePrecisionForm(*form);
    } else if (auto* form = dynamic_cast<TForm7*>(window)) {
        NameDiagramWindow(*form);
    } else if (auto* form = dynamic_cast<TForm8*>(window)) {
        NameAssistant(*form);
    } else if (auto* box = dynamic_cast<TForm5*>(window)) {
        PrepareAboutKeys(*box);
    }
    WatchChoices(window);
    NameRest(window);
}

void InstallAccessibility() {
    static NameOnShow* watcher = nullptr;
    if (watcher == nullptr) {
        watcher = new NameOnShow(qApp);
        qApp->installEventFilter(watcher);
    }
}
