// TForm3: the calculation-parameter form "Параметры  расчёта".
#include "ui/windows/Unit3.h"

#include <QKeyEvent>
#include <QShowEvent>
#include <QStyleOptionButton>

#include "solver/Parameters.h"
#include "ui/app/Forms.h"
#include "ui/platform/KeyFilters.h"
#include "ui/platform/WindowPlace.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/FieldBehaviour.h"
#include "ui/widgets/GapLayout.h"
#include "ui/widgets/Glyphs.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

// Enter in a parameter field runs the calculation. The key is taken here: an editable combo
// box hands a key its line edit left unused to the line edit once more, which would run twice.
class EnterRuns : public QObject {
  public:
    explicit EnterRuns(TForm3& form) : QObject(&form), form_(form) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            return false;
        }
        form_.SpeedButton6Click();
        return true;
    }

  private:
    TForm3& form_;
};

constexpr int kClientWidth = 212;
constexpr int kClientHeight = 443;
constexpr int kHomeLeft = 0;
constexpr int kHomeTop = 103;
constexpr int kFieldHeight = 21;
constexpr int kPitch = 23;
constexpr int kVoltageTop = 48;
constexpr int kLoadTop = 124;

// Captions that change with the connection. Some contain Cyrillic letters that look like Latin
// ones (\u0430 а, \u0441 с, \u041e О); they are kept as the form has always shown them.
const QString kStarVoltage[3] = {QStringLiteral(" U\u0430= "), QStringLiteral(" Ub= "),
                                 QStringLiteral(" Uc= ")};
const QString kInitialVoltage[3] = {QStringLiteral(" Ua= "), QStringLiteral(" Ub= "),
                                    QStringLiteral(" U\u0441= ")};
const QString kDeltaVoltage[3] = {QStringLiteral("U\u0430b="), QStringLiteral("Ubc="),
                                  QStringLiteral("Uca=")};
const QString kStarLoad[3] = {QStringLiteral(" Ra=            Xa=            (Om)"),
                              QStringLiteral(" Rb=            Xb=            (Om)"),
                              QStringLiteral(" Rc=            Xc=            (Om)")};
const QString kDeltaLoad[3] = {QStringLiteral("Rab=          Xab=           (Om)"),
                               QStringLiteral("Rbc=          Xbc=           (Om)"),
                               QStringLiteral("Rca=          Xca=           (Om)")};
const QString kShortCircuit[3] = {QStringLiteral("фаза \"А\"                 (\u041em)"),
                                  QStringLiteral("фаза \"В\"                 (Om)"),
                                  QStringLiteral("фаза \"С\"                 (Om)")};
const QString kPhaseBreak[3] = {QStringLiteral("фаза \"АВ\""), QStringLiteral("фаза \"ВС\""),
                                QStringLiteral("фаза \"СА\"")};
const QString kShortHeading = QStringLiteral("КЗ фазы");
const QString kPhaseBreakHeading = QStringLiteral("Обрыв фазы нагрузки");

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QFont RowFont() {
    return PixelFont(QStringLiteral("MS Sans Serif"), 13, true);
}

QFont HeadingFont() {
    return PixelFont(QStringLiteral("MS Sans Serif"), 11, true);
}

QLabel* Label(QWidget* parent, const char* name, const QString& text, const QFont& font, int x, int y) {
    auto* l = Named(new QLabel(text, parent), name);
    l->setFont(font);
    l->adjustSize();
    l->move(x, y);
    return l;
}

const vornik::FieldSpec& FieldAt(vornik::Param first, int offset) {
    return vornik::kFields.at(static_cast<int>(first) + offset);
}

// The form's initial text of a field.
QString Initial(vornik::Param first, int offset = 0) {
    return QString::fromUtf8(FieldAt(first, offset).initial);
}

const char* ControlName(vornik::Param first, int offset = 0) {
    return FieldAt(first, offset).control;
}

const char* ControlName(vornik::Tick first, int offset) {
    return vornik::kTicks.at(static_cast<int>(first) + offset).control;
}

}  // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Параметры  расчёта"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    // The fields' font; set on the form so the fields inherit it (a font set on a combo box
    // makes it build its drop-down at once).
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13, false));
    BuildControls();
    PlaceFields();
    move(kHomeLeft, kHomeTop);
}

void TForm3::BuildControls() {
    BuildVoltageRows();
    BuildLoadRows();
    BuildEmergencyRows();
    AttachInputFilters();
    SetTabOrder();
    ConnectControls();
}

// The centring button, the heading, the connection and the three supply voltages.
void TForm3::BuildVoltageRows() {
    const QFont rowFont = RowFont();
    const QFont headingFont = HeadingFont();
    SpeedButton1 = Named(new QToolButton(this), "SpeedButton1");
    SpeedButton1->setToolTip(QStringLiteral("Центрировать окно"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(GlyphIcon(Glyph::Centre, 18));
    SpeedButton1->setGeometry(1, 1, 22, 22);
    Label1 = Label(this, "Label1", QStringLiteral("Основные параметры цепи"), headingFont, 28, 6);

    RadioButton1 = Named(new QRadioButton(QStringLiteral("ЗВЕЗДА"), this), "RadioButton1");
    RadioButton2 = Named(new QRadioButton(QStringLiteral("ТРЕУГОЛЬНИК"), this), "RadioButton2");
    for (QRadioButton* r : {RadioButton1, RadioButton2}) {
        r->setFont(rowFont);
        r->adjustSize();
    }
    RadioButton1->move(4, 24);
    RadioButton2->move(90, 24);
    RadioButton1->setChecked(true);

    // Voltage rows: magnitude, "ej", angle, "(V)".
    QLabel** voltageLabels[3] = {&Label3, &Label10, &Label11};
    const char* voltageNames[3] = {"Label3", "Label10", "Label11"};
    QComboBox** combos[3] = {&ComboBox1, &ComboBox2, &ComboBox3};
    QLineEdit** angles[3] = {&Edit1, &Edit2, &Edit3};
    for (int k = 0; k < 3; ++k) {
        const int y = kVoltageTop + k * kPitch;
        *voltageLabels[k] = Label(this, voltageNames[k], kInitialVoltage[k], rowFont, 2, y + 2);
        QComboBox* c = Named(new QComboBox(this), ControlName(vornik::Param::ComboBox1, k));
        // A line edit of our own: setEditable would also build the drop-down's
        // container at once, a good part of the form's creation time.
        c->setLineEdit(new QLineEdit(c));
        c->setInsertPolicy(QComboBox::NoInsert);
        c->addItems(
            {QStringLiteral("127"), QStringLiteral("220"), QStringLiteral("380"), QStringLiteral("660")});
        c->setEditText(Initial(vornik::Param::ComboBox1, k));
        c->setToolTip(QStringLiteral("Фазное напряжение"));
        c->setGeometry(40, y, 60, kFieldHeight);
        *combos[k] = c;
        QLineEdit* e = Named(new QLineEdit(Initial(vornik::Param::Edit1, k), this),
                             ControlName(vornik::Param::Edit1, k));
        e->setGeometry(124, y, 44, kFieldHeight);
        *angles[k] = e;
    }
    Label2 = Named(new StackedLabel(QStringLiteral("ej  ej  ej"), kPitch, this), "Label2");
    Label2->setFont(rowFont);
    Label2->setGeometry(103, kVoltageTop - 1, 20, 3 * kPitch);
    Label8 = Named(new StackedLabel(QStringLiteral("(V)  (V)  (V)"), kPitch, this), "Label8");
    Label8->setFont(rowFont);
    Label8->setGeometry(172, kVoltageTop - 1, 36, 3 * kPitch);
}

// R and X of the three load phases and the neutral wire.
void TForm3::BuildLoadRows() {
    const QFont rowFont = RowFont();
    // Load rows: R and X in the gaps of the row caption.
    QLabel** loadLabels[3] = {&Label4, &Label5, &Label6};
    const char* loadNames[3] = {"Label4", "Label5", "Label6"};
    for (int k = 0; k < 3; ++k) {
        *loadLabels[k] = Label(this, loadNames[k], kStarLoad[k], rowFont, 2, kLoadTop + k * kPitch + 2);
    }
    QLineEdit** loads[6] = {&Edit4, &Edit5, &Edit6, &Edit7, &Edit8, &Edit9};
    for (int k = 0; k < 6; ++k) {
        *loads[k] = Named(new QLineEdit(Initial(vornik::Param::Edit4, k), this),
                          ControlName(vornik::Param::Edit4, k));
    }

    // Neutral wire.
    CheckBox1 =
        Named(new QCheckBox(QStringLiteral("Нулевой провод"), this), ControlName(vornik::Tick::CheckBox1, 0));
    CheckBox1->setFont(rowFont);
    CheckBox1->adjustSize();
    CheckBox1->move(4, 196);
    Label7 = Label(this, "Label7", QStringLiteral("R0=           (Om)"), rowFont, 24, 220);
    Edit10 = Named(new QLineEdit(Initial(vornik::Param::Edit10), this), ControlName(vornik::Param::Edit10));
    Edit10->setEnabled(false);
    Label7->setEnabled(false);
}

// The emergency-mode ticks, the shunt fields and the execute button.
void TForm3::BuildEmergencyRows() {
    const QFont rowFont = RowFont();
    const QFont headingFont = HeadingFont();
    // Emergency modes.
    Label12 = Label(this, "Label12", QStringLiteral("Аварийный режим работы"), headingFont, 4, 248);
    Label9 = Label(this, "Label9", kShortHeading, headingFont, 4, 264);
    QCheckBox** shorts[3] = {&CheckBox2, &CheckBox3, &CheckBox4};
    QLineEdit** shunts[3] = {&Edit11, &Edit12, &Edit13};
    for (int k = 0; k < 3; ++k) {
        QCheckBox* b = Named(new QCheckBox(kShortCircuit[k], this), ControlName(vornik::Tick::CheckBox2, k));
        b->setFont(rowFont);
        b->adjustSize();
        b->move(4, 280 + k * kPitch);
        *shorts[k] = b;
        QLineEdit* e = Named(new QLineEdit(Initial(vornik::Param::Edit11, k), this),
                             ControlName(vornik::Param::Edit11, k));
        e->setToolTip(QStringLiteral("Сопротивление шунта"));
        *shunts[k] = e;
    }
    Label13 = Label(this, "Label13", QStringLiteral("Обрыв линейного провода"), headingFont, 4, 352);
    QCheckBox** breaks[3] = {&CheckBox5, &CheckBox6, &CheckBox7};
    const QString breakCaptions[3] = {QStringLiteral("фаза \"А\"  "), QStringLiteral("фаза \"В\"  "),
                                      QStringLiteral("фаза \"С\" ")};
    for (int k = 0; k < 3; ++k) {
        QCheckBox* b = Named(new QCheckBox(breakCaptions[k], this), ControlName(vornik::Tick::CheckBox5, k));
        b->setFont(rowFont);
        b->adjustSize();
        b->move(4, 368 + k * kPitch);
        *breaks[k] = b;
    }
    SpeedButton6 =
        Named(GlyphButton(this, QRect(140, 372, 50, 50), GlyphIcon(Glyph::Execute, 40), 40), "SpeedButton6");
    SpeedButton6->setToolTip(QStringLiteral("ВЫПОЛНИТЬ"));
}

// Typing filter and limits of every numeric field.
void TForm3::AttachInputFilters() {
    QComboBox* combos[3] = {ComboBox1, ComboBox2, ComboBox3};
    for (const vornik::FieldSpec& entry : vornik::kFields) {
        const int k = static_cast<int>(entry.field);
        if (k < 3) {
            TypedInputFilter::Attach(combos[k], NumericKeyFilter, entry.maxLength);
        } else {
            TypedInputFilter::Attach(FieldEdit(entry.field), NumericKeyFilter, entry.maxLength);
        }
    }
}

QLineEdit* TForm3::FieldEdit(vornik::Param field) const {
    QComboBox* const combos[3] = {ComboBox1, ComboBox2, ComboBox3};
    QLineEdit* const edits[13] = {Edit1, Edit2, Edit3,  Edit4,  Edit5,  Edit6, Edit7,
                                  Edit8, Edit9, Edit10, Edit11, Edit12, Edit13};
    const int k = static_cast<int>(field);
    return k < 3 ? combos[k]->lineEdit() : edits[k - 3];
}

QCheckBox* TForm3::Box(vornik::Tick box) const {
    QCheckBox* const boxes[vornik::kCheckBoxCount] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4,
                                                      CheckBox5, CheckBox6, CheckBox7};
    return boxes[static_cast<int>(box)];
}

// The form's keys, all kept here: the tab order as listed for the form, then the execute button
// (reached with Tab after the connection buttons, so keyboard users can run the calculation);
// the centring button takes no focus. Enter in a field runs the calculation.
void TForm3::SetTabOrder() {
    QWidget* order[] = {ComboBox1, Edit1,     ComboBox2,    Edit2,        ComboBox3,   Edit3,  Edit4,
                        Edit5,     Edit6,     Edit7,        Edit8,        Edit9,       Edit10, CheckBox1,
                        CheckBox2, CheckBox3, CheckBox4,    Edit11,       Edit12,      Edit13, CheckBox5,
                        CheckBox6, CheckBox7, RadioButton1, RadioButton2, SpeedButton6};
    for (size_t k = 1; k < std::size(order); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton6->setFocusPolicy(Qt::StrongFocus);
    auto* enter = new EnterRuns(*this);
    for (const vornik::FieldSpec& entry : vornik::kFields) {
        QLineEdit* field = FieldEdit(entry.field);
        field->installEventFilter(enter);
    }
}

// Buttons, the neutral-wire tick and the connection choice.
void TForm3::ConnectControls() {
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm3::SpeedButton1Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm3::SpeedButton6Click);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm3::CheckBox1Click);
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            RadioButton1Enter();
            RadioButton1Click();
        }
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            RadioButton2Enter();
            RadioButton2Click();
        }
    });
    RadioButton1->installEventFilter(this);
    RadioButton2->installEventFilter(this);
}

void TForm3::PlaceFields() {
    // A load field covers neither its star caption nor its delta one ("Rab=" is wider than
    // " Ra=").
    QLabel* loadLabels[3] = {Label4, Label5, Label6};
    QLineEdit* loadFields[3][2] = {{Edit4, Edit5}, {Edit6, Edit7}, {Edit8, Edit9}};
    for (int k = 0; k < 3; ++k) {
        const QLabel* label = loadLabels[k];
        for (int gap = 0; gap < 2; ++gap) {
            PlaceInCommonGap(loadFields[k][gap], label->fontMetrics(), {kStarLoad[k], kDeltaLoad[k]}, gap,
                             label->x(), label->y() + label->height() / 2, kFieldHeight);
        }
    }
    PlaceInGap(Edit10, Label7, 0, kFieldHeight);
    // The shunt fields sit in the gap of their check box's caption.
    QCheckBox* boxes[3] = {CheckBox2, CheckBox3, CheckBox4};
    QLineEdit* shunts[3] = {Edit11, Edit12, Edit13};
    for (int k = 0; k < 3; ++k) {
        QStyleOptionButton option;
        option.initFrom(boxes[k]);
        option.text = boxes[k]->text();
        const QRect contents =
            boxes[k]->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, boxes[k]);
        PlaceInGap(shunts[k], boxes[k]->fontMetrics(), boxes[k]->text(), 0, boxes[k]->x() + contents.x(),
                   boxes[k]->y() + boxes[k]->height() / 2, kFieldHeight);
        // The delta caption ("фаза "АВ"") is longer than the star one before the gap: the field
        // starts after it so no caption is hidden.
        const int deltaEnd =
            boxes[k]->x() + contents.x() + boxes[k]->fontMetrics().horizontalAdvance(kPhaseBreak[k]);
        const QRect field = shunts[k]->geometry();
        if (field.left() < deltaEnd + 3) {
            shunts[k]->setGeometry(deltaEnd + 3, field.top(), field.right() - deltaEnd - 2, field.height());
        }
    }
}

void TForm3::RadioButton1Enter() {
    ShowConnection(true);
}

void TForm3::RadioButton2Enter() {
    ShowConnection(false);
}

void TForm3::ShowConnection(bool star) {
    (star ? RadioButton2 : RadioButton1)->setChecked(false);
    (star ? RadioButton1 : RadioButton2)->setChecked(true);
    QLabel* voltage[3] = {Label3, Label10, Label11};
    QLabel* load[3] = {Label4, Label5, Label6};
    QCheckBox* shorts[3] = {CheckBox2, CheckBox3, CheckBox4};
    for (int k = 0; k < 3; ++k) {
        voltage[k]->setText(star ? kStarVoltage[k] : kDeltaVoltage[k]);
        voltage[k]->adjustSize();
        load[k]->setText(star ? kStarLoad[k] : kDeltaLoad[k]);
        load[k]->adjustSize();
        shorts[k]->setText(star ? kShortCircuit[k] : kPhaseBreak[k]);
        shorts[k]->adjustSize();
    }
    // The neutral wire and the shunts of a short circuit belong to the star connection only.
    CheckBox1->setEnabled(star);
    Edit10->setEnabled(star && CheckBox1->isChecked());
    Label7->setEnabled(star && CheckBox1->isChecked());
    Label9->setText(star ? kShortHeading : kPhaseBreakHeading);
    Label9->adjustSize();
    for (QLineEdit* e : {Edit11, Edit12, Edit13}) {
        e->setEnabled(star);
    }
}

void TForm3::RadioButton1Click() {
    if (Form8 != nullptr) {
        Form8->EnableLineVoltageSection(true);
    }
}

void TForm3::RadioButton2Click() {
    if (Form8 != nullptr) {
        Form8->EnableLineVoltageSection(false);
    }
}

void TForm3::CheckBox1Click() {
    const bool enable = !Edit10->isEnabled();
    Edit10->setEnabled(enable);
    Label7->setEnabled(enable);
}

void TForm3::SetVoltages(const QString& text) {
    for (QComboBox* voltage : {ComboBox1, ComboBox2, ComboBox3}) {
        SetFieldText(voltage, text);
    }
}

void TForm3::SetReactance(int phase, const QString& text) {
    QLineEdit* const reactances[3] = {Edit5, Edit7, Edit9};
    SetFieldText(reactances[phase], text);
}

void TForm3::SpeedButton6Click() {
    Form1->SpeedButton1->click();
}

void TForm3::FormActivate() {
    if (Form7) {
        Form7->close();
    }
}

void TForm3::PlaceWindow() {
    PlaceOuter(this, kHomeLeft, kHomeTop);
}

bool TForm3::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QWidget::event(event);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    // The connection follows the focus entering a radio button (a click or an arrow key).
    if (event->type() == QEvent::FocusIn) {
        if (watched == RadioButton1) {
            RadioButton1Enter();
        } else if (watched == RadioButton2) {
            RadioButton2Enter();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}
