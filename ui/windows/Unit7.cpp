// TForm7: the vector diagram window "Векторная диаграмма".
#include "ui/windows/Unit7.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QMouseEvent>
#include <QPixmap>
#include <algorithm>
#include <exception>
#include <optional>

#include "diagram/Diagram.h"
#include "diagram/DiagramDrawing.h"
#include "diagram/SvgWriter.h"
#include "fileio/ReplaceFile.h"
#include "report/TitleBlock.h"
#include "ui/app/Forms.h"
#include "ui/platform/FileErrorText.h"
#include "ui/platform/MessageBoxes.h"
#include "ui/platform/WindowPlace.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/ExtrasUi.h"
#include "ui/widgets/Glyphs.h"
#include "ui/windows/GuiRunContext.h"
#include "ui/windows/Unit3.h"

namespace {

constexpr int kClientWidth = 574;
constexpr int kClientHeight = 444;
constexpr int kHomeLeft = 218;
constexpr int kHomeTop = 103;
using vornik::kCentre;  // pixel of Image1 at the origin of the complex plane
constexpr int kButtonCount = vornik::kModeButtonCount;
// Inside edge of the frame around the mode choice (6 + 145, less its line).
constexpr int kModeFrameRight = 149;

// Filters of the save dialog: JPEG first, then BMP. The JPEG filter lists the ".jpg" files this
// window writes as well as ".jpeg" ones.
const QString kJpegFilter = QStringLiteral("JPEG Image File (*.jpg *.jpeg)");
const QString kBmpFilter = QStringLiteral("Bitmaps (*.bmp)");
const QString kSvgFilter = QStringLiteral("SVG (*.svg)");
// In the order of the dialog's filters.
const char* const kSuffixes[] = {"jpg", "bmp", "svg"};
int FilterIndex(const QString& filter) {
    return filter == kBmpFilter ? 1 : filter == kSvgFilter ? 2 : 0;
}

// The format a typed picture extension names, whatever filter is chosen; none for a name without
// one of them.
std::optional<vornik::PictureFormat> FormatOfName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        return vornik::PictureFormat::Jpeg;
    }
    if (suffix == QLatin1String("bmp")) {
        return vornik::PictureFormat::Bmp;
    }
    return std::nullopt;
}

}  // namespace

TForm7::TForm7(QWidget* parent) : OnDemandWindow(parent) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Векторная диаграмма"));
    setFont(FormFont());
    setFixedSize(kClientWidth, kClientHeight);
    // Placed before the window exists, so the window system takes its position as the frame's.
    PlaceWindow();
}

void TForm7::BuildControls() {
    BuildToolButtons();
    BuildModeChoice();
    BuildPictureAndReadOut();
    // Until the first diagram the picture is the empty plane with its axes, so the save
    // command always has something meaningful to write; its captions already in the face
    // every diagram leaves.
    vornik::StartCanvas(drawing_);
    vornik::ClearDiagram(drawing_);
    ShowPicture();
}

const vornik::QtDiagramCanvas& TForm7::Canvas() const {
    EnsureBuilt();
    return canvas_;
}

void TForm7::BuildToolButtons() {
    Bevel(this, 6, 6, 145, 43);
    auto toolButton = [this](int x, const QIcon& glyph) {
        return GlyphButton(this, QRect(x, 12, 33, 33), glyph, 24);
    };
    SpeedButton1 = toolButton(12, GlyphIcon(Glyph::Centre, 24));
    SpeedButton1->setToolTip(QStringLiteral("Центрировать окно"));
    SpeedButton2 = toolButton(45, GlyphIcon(Glyph::Diagram, 24));
    SpeedButton3 = toolButton(78, GlyphIcon(Glyph::Save, 24));
    SpeedButton3->setToolTip(QStringLiteral("Сохранить как рисунок"));
    SpeedButton4 = toolButton(111, QIcon());
    SpeedButton4->setEnabled(false);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm7::SpeedButton1Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm7::SpeedButton3Click);
}

void TForm7::BuildModeChoice() {
    Bevel(this, 6, 60, 145, 325);
    auto* heading = Caption(this, QStringLiteral("Векторная диаграмма"), 12, 54);
    heading->setAutoFillBackground(true);
    QFont bold = font();
    bold.setBold(true);
    for (auto [text, y] :
         {std::pair{"Нормальный режим", 72}, {"Аварийный режим", 126}, {"Аварийный режим", 252}}) {
        QLabel* caption = Caption(this, QString::fromUtf8(text), 18, y);
        caption->setFont(bold);
        caption->adjustSize();
    }

    OnDemand<QRadioButton>* named[kButtonCount] = {
        &RadioButton1,  &RadioButton2,  &RadioButton3,  &RadioButton4, &RadioButton5,
        &RadioButton6,  &RadioButton7,  &RadioButton8,  &RadioButton9, &RadioButton10,
        &RadioButton11, &RadioButton12, &RadioButton13, &RadioButton14};
    modeGroup_ = new QButtonGroup(this);
    modeGroup_->setExclusive(true);
    // An emergency pair is as wide as its "Напряжения" button; the mode's phase stands beside it.
    int pairWidth = 0;
    for (int i = 0; i < kButtonCount; ++i) {
        // Pairs 1-2 under "Нормальный режим", 3-8 and 9-14 under the two "Аварийный режим".
        const int y = i < 2 ? 90 + 18 * i : i < 8 ? 144 + 18 * (i - 2) : 270 + 18 * (i - 8);
        auto* button =
            new QRadioButton(i % 2 == 0 ? QStringLiteral("Напряжения") : QStringLiteral("Тока"), this);
        pairWidth = std::max(pairWidth, button->sizeHint().width());
        button->setGeometry(18, y, i < 2 ? 128 : pairWidth, 18);
        button->setEnabled(i < 2);
        modeGroup_->addButton(button, i + 1);
        *named[i] = button;
        radioButtons_[i] = button;
    }
    for (int pair = 1; pair <= kPhaseLabelCount; ++pair) {
        QLabel* phase = new QLabel(this);
        const QRect first = RadioButton(2 * pair + 1)->geometry();
        // The kind of wire over the phase's name, inside the frame of the mode choice.
        const int left = first.left() + pairWidth;
        phase->setGeometry(left, first.top(), kModeFrameRight - left, 2 * first.height());
        phase->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        phase->setWordWrap(true);
        phaseLabels_[pair - 1] = phase;
    }
    ShowStoredRunModes();
    // A button that becomes selected draws. A click on the selected one draws it again, so the
    // user can always bring the picture up to date with the stored results.
    connect(modeGroup_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            RadioButton1Click();
        }
    });
    connect(modeGroup_, &QButtonGroup::idPressed, this,
            [this](int id) { pressedSelected_ = modeGroup_->button(id)->isChecked(); });
    connect(modeGroup_, &QButtonGroup::idClicked, this, [this](int) {
        if (pressedSelected_) {
            pressedSelected_ = false;
            RadioButton1Click();
        }
    });

    Bevel(this, 6, 390, 145, 50);
    Label13 =
        new QLabel(QStringLiteral("При вставке в Word сохраннёных в файл рисунков прочти справку"), this);
    Label13->setGeometry(12, 394, 133, 44);
    Label13->setWordWrap(true);
    Label13->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TForm7::BuildPictureAndReadOut() {
    Bevel(this, 156, 6, 412, 412);
    Image1 = new DiagramView(drawing_, this);
    Image1->setGeometry(162, 12, vornik::kCanvasSize, vornik::kCanvasSize);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setMouseTracking(true);
    Image1->setCursor(Qt::CrossCursor);
    Image1->installEventFilter(this);

    // Read-outs: fixed captions with gaps, the numbers placed in the gaps.
    Bevel(this, 156, 420, 127, 20);
    Label5 = Caption(this, QStringLiteral(" X=             Y="), 162, 422);
    Label6 = new QLabel(this);
    Label6->setGeometry(180, 422, 34, 15);
    Label7 = new QLabel(this);
    Label7->setGeometry(234, 422, 40, 15);
    Bevel(this, 288, 420, 127, 20);
    Label8 = Caption(this, QStringLiteral(" A=            J="), 294, 422);
    Label9 = new QLabel(this);
    Label9->setGeometry(312, 422, 34, 15);
    Label10 = new QLabel(this);
    Label10->setGeometry(360, 422, 50, 15);
    Bevel(this, 420, 420, 55, 20);
    Label11 = new QLabel(this);
    Label11->setGeometry(424, 422, 49, 15);
    Bevel(this, 480, 420, 91, 20);
    Label12 = new QLabel(this);
    Label12->setGeometry(484, 422, 85, 15);
    Label12->setToolTip(QStringLiteral("Наибольшая координата"));
}

void TForm7::PlaceWindow() {
    PlaceOuter(this, kHomeLeft, kHomeTop);
    setFixedSize(kClientWidth, kClientHeight);
}

void TForm7::SpeedButton1Click() {
    PlaceWindow();
}

void TForm7::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TForm7::FormShow() {
    PlaceWindow();
    if (RadioButton1->isChecked()) {
        // Selecting it again would draw nothing, but the run may have changed since the last
        // showing: redraw so the picture always belongs to the current results.
        RadioButton1Click();
    } else {
        RadioButton1->setChecked(true);
    }
    ShowStoredRunModes();
}

void TForm7::ShowStoredRunModes() {
    // The solution on show is the last run's that stored results: its modes can be drawn and its
    // connection names their phases, whatever the ticks say now. Before any run, the ticks and
    // the connection of the form at this moment.
    const std::optional<vornik::StoredRun>& stored = AppState().stored;
    const vornik::CircuitInput input = Form3 != nullptr ? ReadCircuitInput(*Form3) : vornik::CircuitInput{};
    for (int button = 3; button <= kButtonCount; ++button) {
        RadioButton(button)->setEnabled(stored ? vornik::ModeComputedBy(*stored, button)
                                               : vornik::ModeButtonEnabled(input, button));
    }
    const bool star = stored ? stored->star : input.Star();
    for (int pair = 1; pair <= kPhaseLabelCount; ++pair) {
        phaseLabels_[pair - 1]->setText(QString::fromStdString(vornik::DiagramPairPhase(star, pair)));
    }
}

void TForm7::RunStored() {
    if (IsBuilt()) {
        ShowStoredRunModes();
        if (isVisible()) {
            RadioButton1Click();
        }
    }
}

int TForm7::SelectedButton() const {
    for (int i = 0; i < kButtonCount; ++i) {
        if (radioButtons_[i]->isChecked()) {
            return i + 1;
        }
    }
    return 0;
}

void TForm7::RadioButton1Click() {
    const int button = SelectedButton();
    if (button == 0) {
        return;
    }
    // Before any run stored results, the form's connection and neutral wire as they are now.
    vornik::DiagramSelection beforeAnyRun;
    if (Form3 != nullptr) {
        beforeAnyRun.star = Form3->StarChosen();
        beforeAnyRun.neutral = Form3->NeutralTicked();
    }
    vornik::DrawStoredDiagram(drawing_, AppState(), button, beforeAnyRun, labels_);
    if (labels_.label11) {
        Label11->setText(QString::fromStdString(*labels_.label11));
        // A long multiplier (" + 7,79999999999999") does not fit its box: readable in full here.
        Label11->setToolTip(Label11->text().isEmpty() ? QString()
                                                      : QStringLiteral("Масштаб:") + Label11->text());
    }
    Label12->setText(QString::fromStdString(labels_.label12));
    ShowPicture();
    ++drawCount_;
}

void TForm7::ShowPicture() {
    Image1->setPixmap(QPixmap::fromImage(canvas_.Image()));
}

void TForm7::ShowCursorPosition(int X, int Y) {
    Label6->setText(QString::number(X));
    Label7->setText(QString::number(Y));
    Label9->setText(QString::number(kCentre - Y));
    Label10->setText(QString::number(kCentre - X));
}

bool TForm7::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1.get() && event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        ShowCursorPosition(at.x(), at.y());
    }
    return QWidget::eventFilter(watched, event);
}

void TForm7::SpeedButton3Click() {
    // The blank plane is drawn with the controls.
    EnsureBuilt();
    // While this window is hidden the dialog belongs to the window the command came from.
    QWidget* owner = isVisible() ? this : QApplication::activeWindow();
    QFileDialog dialog(owner, QString(), saveFolder_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = {kJpegFilter, kBmpFilter, kSvgFilter};
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(saveFilterIndex_));
    dialog.setDefaultSuffix(QString::fromLatin1(kSuffixes[saveFilterIndex_]));
    // Like the results window's save, an existing picture is replaced without a question; the
    // file is written beside it and renamed over, so a failed save never destroys it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // A name typed without an extension gets the one of the filter chosen now, so a BMP file is
    // not named .jpg by accident.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(QString::fromLatin1(kSuffixes[FilterIndex(filter)]));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    saveFolder_ = QFileInfo(path).absolutePath();
    // A picture extension in the name decides the format, so a file named .jpg holds JPEG data,
    // one named .bmp a bitmap and one named .svg a vector drawing; any other name is written in
    // the chosen filter's format.
    const int filter = FilterIndex(dialog.selectedNameFilter());
    const bool svg =
        QFileInfo(path).suffix().toLower() == QLatin1String("svg") || (!FormatOfName(path) && filter == 2);
    if (svg) {
        saveFilterIndex_ = 2;
        SaveSvgTo(path);
        return;
    }
    const vornik::PictureFormat format =
        FormatOfName(path).value_or(filter == 1 ? vornik::PictureFormat::Bmp : vornik::PictureFormat::Jpeg);
    saveFilterIndex_ = format == vornik::PictureFormat::Bmp ? 1 : 0;
    SavePictureTo(path, format);
}

bool TForm7::SaveSvgTo(const QString& path) {
    EnsureBuilt();
    try {
        // The drawing on the canvas as vectors, its texts measured by the canvas's fonts.
        vornik::ReplaceFile(QFile::encodeName(path).toStdString(),
                            vornik::DiagramSvg(drawing_.Ops(), canvas_));
    } catch (const vornik::FileWriteError& e) {
        ShowErrorBox(FileSaveErrorText(path, e.Code()));
        return false;
    }
    return true;
}

bool TForm7::SavePictureTo(const QString& path, vornik::PictureFormat format) {
    EnsureBuilt();
    try {
        vornik::SavePicture(canvas_.Picture(), format, QFile::encodeName(path).toStdString());
    } catch (const vornik::FileWriteError& e) {
        ShowErrorBox(FileSaveErrorText(path, e.Code()));
        return false;
    } catch (const std::exception& e) {
        ShowRuntimeError(e.what());
        return false;
    }
    return true;
}
