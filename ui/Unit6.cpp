#include "ui/Unit6.h"

#include <QLabel>

#include "ui/Controls.h"
#include "ui/ExtrasUi.h"
#include "ui/RoundedWindow.h"

namespace {

constexpr int kClientWidth = 456;
constexpr int kClientHeight = 212;
constexpr int kPicture = 175;

}  // namespace

TForm6::TForm6(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // FormCreate: the shape.
    MakeRoundedBlackWindow(this, kClientWidth, kClientHeight);

    PictureLabel(this, PhasorEmblem(kPicture), 16, (kClientHeight - kPicture) / 2);  // Image1

    const QColor lime(0, 255, 0);
    ColouredLabel(this, QStringLiteral("Vornik"), PixelFont(QStringLiteral("Arial"), 35, true), lime, 206,
                  22);
    ColouredLabel(this, QStringLiteral("(Three phase chains)"),
                  PixelFont(QStringLiteral("Times New Roman"), 24, true), lime, 206, 74);
    ColouredLabel(this, QStringLiteral(" Version 2.2"), PixelFont(QStringLiteral("MS Sans Serif"), 24, true),
                  QColor(255, 255, 0), 200, 112);
    ColouredLabel(this, QStringLiteral("  Load..."), PixelFont(QStringLiteral("Times New Roman"), 13, false),
                  QColor(255, 0, 0), 340, 176);
    CentreOnScreen(this);
}
