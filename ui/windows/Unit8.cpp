// TForm8: the input-parameter assistant "Настройка вводимых параметров".
#include "ui/windows/Unit8.h"

#include <QFrame>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QShowEvent>
#include <initializer_list>
#include <utility>

#include "run/AssistantAnswers.h"
#include "ui/app/Forms.h"
#include "ui/platform/KeyFilters.h"
#include "ui/platform/MessageBoxes.h"
#include "ui/platform/WindowPlace.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/ExtrasUi.h"
#include "ui/widgets/Glyphs.h"
#include "ui/windows/Unit3.h"

namespace {

constexpr int kClientWidth = 423;
constexpr int kClientHeight = 441;
constexpr int kHomeLeft = 218;
constexpr int kHomeTop = 103;
constexpr int kLineVoltageMaxLength = 4;
constexpr int kValueMaxLength = 6;
constexpr int kUnlimitedLength = 32767;
constexpr int kMilliHenryIndex = 1;
constexpr int kMicroFaradIndex = 2;

// The ink of the formula picture, and the grey of its disabled texts.
const QColor kPictureInk(Qt::black);
const QColor kPictureDisabledInk(120, 120, 120);

// The formula behind the line-voltage fields: Uф = Uл / √3, with the two rows the fields fill.
QPixmap FormulaPicture(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont serif = PixelFont(QStringLiteral("Times New Roman"), 20, false);
    serif.setItalic(true);
    p.setFont(serif);
    p.setPen(kPictureInk);
    p.drawText(QRect(0, 4, size.width(), 26), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Uф = Uл / √3"));
    p.drawText(QRect(8, 40, 46, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Uл ="));
    p.drawText(QRect(8, 78, 46, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Uф ="));
    return picture;
}

// The assistant's message: an error in the error box, a fixed message in the plain box.
void ShowAnswerMessage(const vornik::AssistantAnswer& answer) {
    const QString text = QString::fromStdString(answer.message);
    if (answer.error) {
        ShowErrorBox(text);
    } else {
        ShowPlainMessage(text);
    }
}

}  // namespace

TForm8::TForm8(QWidget* parent) : OnDemandWindow(parent) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Настройка вводимых параметров"));
    setFont(FormFont());
    setFixedSize(kClientWidth, kClientHeight);
    // FormCreate
    PlaceWindow();
}

void TForm8::BuildControls() {
    BuildLineVoltageSection();
    BuildReactanceSection();
    EnableLineVoltageSection(Form3 == nullptr || Form3->StarChosen());
}

void TForm8::EnableLineVoltageSection(bool enabled) {
    if (!IsBuilt()) {
        return;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Edit1, Label1, Button1, Button2}) {
        w->setEnabled(enabled);
    }
}

void TForm8::BuildLineVoltageSection() {
    auto* heading = Caption(this, QStringLiteral("Рассчёт фазного напряжения "), 10, 6);
    heading->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13, true));
    heading->adjustSize();

    Bevel(this, 10, 26, 252, 120);
    PictureLabel(this, FormulaPicture(QSize(248, 116)), 12, 28);  // Image1

    Edit1 = new QLineEdit(QStringLiteral("660"), this);
    Edit1->setGeometry(72, 68, 80, 26);
    Edit1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13, true));
    Edit1->setToolTip(QStringLiteral("Линейное напряжение"));
    TypedInputFilter::Attach(Edit1, NumericKeyFilter, kLineVoltageMaxLength);

    Label1 = new QLabel(QStringLiteral("381"), this);
    Label1->setGeometry(74, 104, 96, 32);
    Label1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 24, false));
    Label1->setToolTip(QStringLiteral("Фазное напряжение"));
    auto* unit = new QLabel(QStringLiteral("(В)"), this);
    unit->setGeometry(174, 104, 60, 32);
    unit->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 24, false));
    // The result and its unit stand on the white formula picture: they are written in the
    // picture's ink, not in the theme's text colour, which a dark theme makes white.
    for (QLabel* onPicture : {Label1.get(), unit}) {
        QPalette ink = onPicture->palette();
        ink.setColor(QPalette::Active, QPalette::WindowText, kPictureInk);
        ink.setColor(QPalette::Inactive, QPalette::WindowText, kPictureInk);
        ink.setColor(QPalette::Disabled, QPalette::WindowText, kPictureDisabledInk);
        onPicture->setPalette(ink);
    }

    Button1 = new QPushButton(QStringLiteral("Рассчитать"), this);
    Button1->setGeometry(10, 152, 122, 26);
    Button2 = new QPushButton(QStringLiteral("Задать"), this);
    Button2->setGeometry(140, 152, 122, 26);
    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm8::Button2Click);

    Bevel(this, 272, 26, 141, 152);
    Label12 = new QLabel(
        QStringLiteral(
            "При соединении потребителей треугольником линейное напряжение равно фазному напряжению."),
        this);
    Label12->setWordWrap(true);
    Label12->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label12->setGeometry(280, 34, 125, 136);
}

void TForm8::BuildReactanceSection() {
    auto* heading = Caption(this, QStringLiteral("Рассчёт реактивных состовляющих фаз  "), 10, 186);
    heading->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13, true));
    heading->adjustSize();

    RadioButton1 = new QRadioButton(QStringLiteral("Частота ( f ) "), this);
    RadioButton1->setGeometry(10, 204, 200, 20);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("Угловая частота ( w = 2*pi*f)"), this);
    RadioButton2->setGeometry(10, 224, 200, 20);
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            RadioButton1Click();
        }
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            RadioButton2Click();
        }
    });

    Edit2 = new QLineEdit(QStringLiteral("50"), this);
    Edit2->setGeometry(214, 212, 90, 22);
    TypedInputFilter::Attach(Edit2, NumericKeyFilter, kUnlimitedLength);
    Label5 = new QLabel(QStringLiteral(" ( Гц ) "), this);
    Label5->setGeometry(306, 212, 60, 22);

    SpeedButton1 = GlyphButton(this, QRect(381, 206, 32, 32), GlyphIcon(Glyph::Centre, 24), 24);
    SpeedButton1->setToolTip(QStringLiteral("Центрировать окно"));
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm8::SpeedButton1Click);

    const QString titles[] = {QStringLiteral("  Фаза А  "), QStringLiteral("  Фаза В "),
                              QStringLiteral("  Фаза С  ")};
    OnDemand<QLineEdit>* inductances[] = {&Edit3, &Edit5, &Edit7};
    OnDemand<QLineEdit>* capacitances[] = {&Edit4, &Edit6, &Edit8};
    OnDemand<QComboBox>* inductanceUnits[] = {&ComboBox1, &ComboBox2, &ComboBox3};
    OnDemand<QComboBox>* capacitanceUnits[] = {&ComboBox4, &ComboBox5, &ComboBox6};
    OnDemand<QPushButton>* buttons[] = {&Button3, &Button4, &Button5};
    constexpr int kGroupTop = 248;
    constexpr int kGroupStep = 64;
    for (int i = 0; i < 3; ++i) {
        const int y = kGroupTop + i * kGroupStep;
        Bevel(this, 10, y + 7, 403, 55);
        auto* title = Caption(this, titles[i], 18, y);
        title->setAutoFillBackground(true);
        title->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11, true));
        title->adjustSize();
        Caption(this, QStringLiteral("  Индуктивность ( L )       Ёмкость ( С )"), 14, y + 17);

        auto* l = new QLineEdit(QStringLiteral("0"), this);
        l->setGeometry(18, y + 34, 64, 22);
        auto* lUnit = new QComboBox(this);
        lUnit->addItems({QStringLiteral("Гн"), QStringLiteral("мГн"), QStringLiteral("мкГн")});
        lUnit->setGeometry(84, y + 34, 66, 22);
        lUnit->setCurrentIndex(-1);
        auto* c = new QLineEdit(QStringLiteral("0"), this);
        c->setGeometry(160, y + 34, 64, 22);
        auto* cUnit = new QComboBox(this);
        cUnit->addItems(
            {QStringLiteral("Ф"), QStringLiteral("мФ"), QStringLiteral("мкФ"), QStringLiteral("нФ")});
        cUnit->setGeometry(226, y + 34, 66, 22);
        cUnit->setCurrentIndex(-1);
        auto* button = new QPushButton(QStringLiteral("Задать"), this);
        button->setGeometry(314, y + 33, 90, 24);
        for (QLineEdit* e : {l, c}) {
            TypedInputFilter::Attach(e, NumericKeyFilter, kValueMaxLength);
        }
        *inductances[i] = l;
        *capacitances[i] = c;
        *inductanceUnits[i] = lUnit;
        *capacitanceUnits[i] = cUnit;
        *buttons[i] = button;
    }
    connect(Button3, &QPushButton::clicked, this, &TForm8::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm8::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm8::Button5Click);
}

void TForm8::PlaceWindow() {
    PlaceOuter(this, kHomeLeft, kHomeTop);
}

void TForm8::SpeedButton1Click() {
    PlaceOuter(this, kHomeLeft, kHomeTop);
}

void TForm8::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TForm8::FormShow() {
    PlaceWindow();
    for (QComboBox* unit : {ComboBox1.get(), ComboBox2.get(), ComboBox3.get()}) {
        unit->setCurrentIndex(kMilliHenryIndex);
    }
    for (QComboBox* unit : {ComboBox4.get(), ComboBox5.get(), ComboBox6.get()}) {
        unit->setCurrentIndex(kMicroFaradIndex);
    }
    EnableLineVoltageSection(Form3 == nullptr || Form3->StarChosen());
}

bool TForm8::ComputePhaseVoltage() {
    const vornik::AssistantAnswer answer = vornik::PhaseVoltageAnswer(Edit1->text().toStdString());
    if (!answer.message.empty()) {
        ShowMessageAtField(answer);
        return false;
    }
    PhaseVoltage = QString::fromStdString(answer.text).toInt();
    return true;
}

void TForm8::Button1Click() {
    if (ComputePhaseVoltage()) {
        Label1->setText(QString::number(PhaseVoltage));
    }
}

void TForm8::Button2Click() {
    if (!ComputePhaseVoltage()) {
        return;
    }
    const QString text = QString::number(PhaseVoltage);
    if (Form3 != nullptr) {
        Form3->SetVoltages(text);
    }
    Label1->setText(text);
}

void TForm8::RadioButton1Click() {
    Label5->setText(QStringLiteral(" (Гц) "));
}

void TForm8::RadioButton2Click() {
    Label5->setText(QStringLiteral(" (1/c) "));
}

void TForm8::SetPhaseReactance(QLineEdit* inductance, QComboBox* inductanceUnit, QLineEdit* capacitance,
                               QComboBox* capacitanceUnit, int phase) {
    vornik::ReactanceTexts texts;
    texts.inductance = inductance->text().toStdString();
    texts.inductanceUnit = inductanceUnit->currentIndex();
    texts.capacitance = capacitance->text().toStdString();
    texts.capacitanceUnit = capacitanceUnit->currentIndex();
    texts.frequency = Edit2->text().toStdString();
    texts.angular = !RadioButton1->isChecked();
    const vornik::AssistantAnswer answer = vornik::ReactanceAnswer(texts);
    if (!answer.message.empty()) {
        ShowMessageAtField(answer, inductance, capacitance);
        return;
    }
    if (Form3 != nullptr) {
        Form3->SetReactance(phase, QString::fromStdString(answer.text));
    }
}

void TForm8::Button3Click() {
    SetPhaseReactance(Edit3, ComboBox1, Edit4, ComboBox4, 0);
}

void TForm8::Button4Click() {
    SetPhaseReactance(Edit5, ComboBox2, Edit6, ComboBox5, 1);
}

void TForm8::Button5Click() {
    SetPhaseReactance(Edit7, ComboBox3, Edit8, ComboBox6, 2);
}

void TForm8::ShowMessageAtField(const vornik::AssistantAnswer& answer, QLineEdit* inductance,
                                QLineEdit* capacitance) {
    ShowAnswerMessage(answer);
    const std::pair<const char*, QLineEdit*> fields[] = {
        {"line", Edit1}, {"inductance", inductance}, {"capacitance", capacitance}, {"frequency", Edit2}};
    for (const auto& [name, edit] : fields) {
        if (edit != nullptr && answer.field == name) {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
    }
}
