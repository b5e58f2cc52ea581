#include "ui/widgets/SplashDrawing.h"

#include <QPixmap>
#include <QWidget>

#include "solver/Version.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/Emblem.h"

namespace {

constexpr int kEmblem = 175;

}  // namespace

void BuildSplashControls(QWidget* splash) {
    PictureLabel(splash, PhasorEmblem(kEmblem), 16, (kSplashHeight - kEmblem) / 2);  // Image1
    const QColor lime(0, 255, 0);
    ColouredLabel(splash, QStringLiteral("Vornik"), PixelFont(QStringLiteral("Arial"), 35, true), lime, 206,
                  22);  // Label1
    ColouredLabel(splash, QStringLiteral("(Three phase chains)"),
                  PixelFont(QStringLiteral("Times New Roman"), 24, true), lime, 206, 74);  // Label2
    ColouredLabel(splash, QStringLiteral(" Version ") + QLatin1String(vornik::kVersion),
                  PixelFont(QStringLiteral("MS Sans Serif"), 24, true), QColor(255, 255, 0), 200,
                  112);  // Label3
    ColouredLabel(splash, QStringLiteral("  Load..."),
                  PixelFont(QStringLiteral("Times New Roman"), 13, false), QColor(255, 0, 0), 340,
                  176);  // Label5
}

QImage DrawSplashPicture() {
    QWidget splash;
    splash.setFixedSize(kSplashWidth, kSplashHeight);
    QPalette black = splash.palette();
    black.setColor(QPalette::Window, Qt::black);
    splash.setPalette(black);
    splash.setAutoFillBackground(true);
    BuildSplashControls(&splash);
    return splash.grab().toImage();
}
