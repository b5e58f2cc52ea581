// TForm6: the splash screen shown while the windows are built.
#include "ui/windows/Unit6.h"

#include "ui/widgets/Controls.h"
#include "ui/widgets/RawPicture.h"
#include "ui/widgets/RoundedWindow.h"
#include "ui/widgets/SplashDrawing.h"

TForm6::TForm6(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // FormCreate: the shape.
    MakeRoundedBlackWindow(this, kSplashWidth, kSplashHeight);
    // The emblem and the captions, drawn beforehand.
    PictureLabel(this, SplashPicture(), 0, 0);
    CentreOnScreen(this);
}

QPixmap SplashPicture() {
    return QPixmap::fromImage(ShippedPicture(QStringLiteral("splash.ppm")));
}
