// TForm4: the precision settings form "Настройка точности рассчёта".
#include "ui/windows/Unit4.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include "solver/Parameters.h"
#include "ui/platform/KeyFilters.h"
#include "ui/platform/WindowPlace.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/GapLayout.h"

namespace {

constexpr int kClientWidth = 298;
constexpr int kClientHeight = 269;
constexpr int kComboHeight = 19;
constexpr int kRowTop = 30;
constexpr int kRowPitch = 46;

struct Row {
    const char* headingName;
    const char* heading;
    const char* formulaName;
    const char* formula;
};

const Row kRows[5] = {
    {"Label2", "Напряжение ", "Label3",
     "U=                e j                 U=               +j                 (V)  "},
    {"Label4", "Сопротивление", "Label5",
     "Z=               +j                Z=                 ej                  (Om)"},
    {"Label6", "Проводимость", "Label12",
     "Y=                e j                 Y=               +j                 (Sm)  "},
    {"Label8", "Ток", "Label11",
     "I=                e j                   I=               +j                 (A)    "},
    {"Label10", "Мощность", "Label7",
     "S=                e j                S=               +j                 (V*A)   "},
};

}  // namespace

TForm4::TForm4(QWidget* parent) : OnDemandWindow(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Настройка точности рассчёта"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11, false));

    // Centred on the desktop for a start; the first showing centres the frame.
    CentreOnDesktop(this);
}

void TForm4::setVisible(bool visible) {
    // Centred by its frame, not its client area, before the window system first maps it, so the
    // frame appears centred at once; later showings keep the place the user gave it.
    if (visible && !centred_) {
        centred_ = true;
        CentreOnDesktop(this);
    }
    OnDemandWindow::setVisible(visible);
}

QString TForm4::PrecisionText(int index) const {
    if (!IsBuilt()) {
        return QString::fromLatin1(vornik::kPrecisionFields.at(index).initial);
    }
    return ComboBoxes.at(index)->currentText();
}

void TForm4::BuildControls() {
    Label1 = new QLabel(QStringLiteral("Кол-во знаков после запятой"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13, true));
    Label1->adjustSize();
    Label1->move((kClientWidth - Label1->width()) / 2, 4);

    Bevel1 = Bevel(this, 4, 22, kClientWidth - 8, kClientHeight - 26);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));

    const QFont headingFont = PixelFont(QStringLiteral("MS Sans Serif"), 11, true);
    const QFont formulaFont = PixelFont(QStringLiteral("MS Sans Serif"), 11, true);
    QLabel* formulas[5] = {};
    for (int row = 0; row < 5; ++row) {
        const int top = kRowTop + row * kRowPitch;
        QLabel* heading = new QLabel(QString::fromUtf8(kRows[row].heading), this);
        heading->setObjectName(QString::fromLatin1(kRows[row].headingName));
        heading->setFont(headingFont);
        heading->adjustSize();
        heading->move(12, top);
        Headings[row] = heading;

        QLabel* formula = new QLabel(QString::fromUtf8(kRows[row].formula), this);
        formula->setObjectName(QString::fromLatin1(kRows[row].formulaName));
        formula->setFont(formulaFont);
        formula->setFixedHeight(kComboHeight + 4);
        formula->adjustSize();
        formula->move(10, top + 15);
        Formulas[row] = formula;
        formulas[row] = formula;
    }

    // The combo boxes live on a transparent panel carrying their font, so they inherit it: a font
    // set on a combo box itself makes it build its drop-down at once. The panel is made after the
    // formula labels so that it lies above them and the combo boxes in their gaps get the clicks.
    auto* grid = new QWidget(this);
    grid->setGeometry(0, 0, kClientWidth, kClientHeight);
    grid->setFont(PixelFont(QStringLiteral("Times New Roman"), 11, false));
    const QStringList items = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                               QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
    for (int index = 0; index < static_cast<int>(ComboBoxes.size()); ++index) {
        auto* combo = new QComboBox(grid);
        combo->setObjectName(QStringLiteral("ComboBox%1").arg(index + 1));
        // A line edit of our own: setEditable would also build the drop-down's
        // container at once, a good part of the form's creation time.
        combo->setLineEdit(new QLineEdit(combo));
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(items);
        combo->setEditText(QString::fromLatin1(vornik::kPrecisionFields[index].initial));
        TypedInputFilter::Attach(combo, DecimalsKeyFilter, 1);
        // Each formula's four gaps hold the row's four combo boxes, left to right.
        PlaceInGap(combo, formulas[index / 4], index % 4, kComboHeight);
        ComboBoxes[index] = combo;
    }
    for (size_t k = 1; k < ComboBoxes.size(); ++k) {
        setTabOrder(ComboBoxes[k - 1], ComboBoxes[k]);
    }
}
