#include "ui/Unit6.h"

#include <QImage>
#include <QResource>
#include <QTextStream>

#include "ui/Controls.h"
#include "ui/RoundedWindow.h"
#include "ui/SplashDrawing.h"

namespace {

// The picture of a binary PPM file ("P6", 8 bits a channel) as written by QImage. Its pixels are
// taken as they stand, which is several times quicker than a decoder; any other PPM goes to the
// decoder.
QImage ReadRawPpm(const QByteArray& ppm) {
    QTextStream header(ppm);
    QString magic;
    int width = 0, height = 0, maxValue = 0;
    header >> magic >> width >> height >> maxValue;
    // One whitespace character ends the header.
    const qint64 start = header.pos() + 1;
    if (magic != QLatin1String("P6") || maxValue != 255 || width <= 0 || height <= 0 ||
        ppm.size() - start != qint64(width) * height * 3) {
        return QImage::fromData(ppm, "PPM");
    }
    // The copy owns its pixels; the bytes stay the caller's.
    return QImage(reinterpret_cast<const uchar*>(ppm.constData() + start), width, height, width * 3,
                  QImage::Format_RGB888)
        .copy();
}

}  // namespace

TForm6::TForm6(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // FormCreate: the shape.
    MakeRoundedBlackWindow(this, kSplashWidth, kSplashHeight);
    // The emblem and the captions, drawn beforehand.
    PictureLabel(this, SplashPicture(), 0, 0);
    CentreOnScreen(this);
}

QPixmap SplashPicture() {
    // The picture is compiled into the program's library; registering it here keeps the linker
    // from dropping it.
    Q_INIT_RESOURCE(pictures);
    const QByteArray ppm = QResource(QStringLiteral(":/vornik/splash.ppm")).uncompressedData();
    return QPixmap::fromImage(ReadRawPpm(ppm));
}
