// The pictures shipped drawn beforehand (splash, toolbar glyphs): the copies in the program are
// what the code draws now, and the windows show them. scripts/draw-pictures.sh draws them again
// after a change; both draw with the font files UsePictureFonts names.

#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "ui/widgets/Glyphs.h"
#include "ui/widgets/RawPicture.h"
#include "ui/widgets/SplashDrawing.h"
#include "ui/windows/Unit6.h"

namespace {

const char* const kRedraw = "the shipped picture is not what the code draws: run scripts/draw-pictures.sh";

QImage Rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage Premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Pixels of the picture close to the colour, each channel within 60.
int CountNear(const QImage& picture, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            count += qAbs(c.red() - colour.red()) < 60 && qAbs(c.green() - colour.green()) < 60 &&
                             qAbs(c.blue() - colour.blue()) < 60
                         ? 1
                         : 0;
        }
    }
    return count;
}

}  // namespace

class ShippedPicturesTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void splashIsTheDrawnPicture() {
        const QImage drawn = Rgb(DrawSplashPicture());
        QCOMPARE(drawn.size(), QSize(456, 212));
        QVERIFY2(Rgb(SplashPicture().toImage()) == drawn, kRedraw);
        TForm6 splash;
        QCOMPARE(Rgb(splash.grab().toImage()), drawn);
        // Not a blank picture: lime captions, the yellow version and the red "Load...".
        QVERIFY(CountNear(drawn, QColor(0, 255, 0)) > 300);
        QVERIFY(CountNear(drawn, QColor(255, 255, 0)) > 100);
        QVERIFY(CountNear(drawn, QColor(255, 0, 0)) > 20);
    }

    void glyphSheetIsTheDrawnSheet() {
        const QImage drawn = Premultiplied(DrawGlyphSheet());
        QCOMPARE(drawn.size(), QSize(13 * 40, 2 * (16 + 24 + 40)));
        QVERIFY2(Premultiplied(ShippedPicture(QStringLiteral("glyphs.pam"))) == drawn, kRedraw);
    }

    // Every glyph of a shipped size looks as drawn now, in both looks; other sizes are drawn.
    void iconsShowTheDrawnGlyphs_data() {
        QTest::addColumn<int>("glyph");
        QTest::addColumn<int>("size");
        for (int g = 0; g <= static_cast<int>(Glyph::Program); ++g) {
            for (int size : {16, 24, 40, 32}) {
                QTest::addRow("glyph %d at %d", g, size) << g << size;
            }
        }
    }
    void iconsShowTheDrawnGlyphs() {
        QFETCH(int, glyph);
        QFETCH(int, size);
        const QIcon icon = GlyphIcon(static_cast<Glyph>(glyph), size);
        for (bool enabled : {true, false}) {
            const QImage shown = Premultiplied(
                icon.pixmap(QSize(size, size), enabled ? QIcon::Normal : QIcon::Disabled).toImage());
            const QImage drawn =
                Premultiplied(DrawGlyphPicture(static_cast<Glyph>(glyph), size, enabled).toImage());
            QCOMPARE(shown.size(), QSize(size, size));
            QVERIFY(shown == drawn);
        }
        // A glyph is a picture, not an empty square.
        const QImage drawn = DrawGlyphPicture(static_cast<Glyph>(glyph), size, true).toImage();
        int inked = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                inked += qAlpha(drawn.pixel(x, y)) > 0 ? 1 : 0;
            }
        }
        QVERIFY2(inked > size, qPrintable(QString::number(inked)));
    }

    // The raw formats read back what was written, with and without transparency.
    void rawPicturesRoundTrip_data() {
        QTest::addColumn<bool>("alpha");
        QTest::newRow("PPM") << false;
        QTest::newRow("PAM") << true;
    }
    void rawPicturesRoundTrip() {
        QFETCH(bool, alpha);
        QImage picture(7, 5, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                picture.setPixel(x, y, qRgba(30 * x, 50 * y, 200 - x * y, alpha ? 40 * y + 3 * x : 255));
            }
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("picture"));
        QVERIFY(WriteRawPicture(picture, path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(alpha ? "P7\n" : "P6\n"));
        const QImage read = ReadRawPicture(bytes);
        QCOMPARE(read.hasAlphaChannel(), alpha);
        QCOMPARE(read.convertToFormat(QImage::Format_ARGB32), picture.convertToFormat(QImage::Format_ARGB32));
        // A cut file is not taken as it stands; it is left to the decoders, which refuse it.
        QVERIFY(ReadRawPicture(bytes.left(bytes.size() - 1)).isNull());
    }
};

// The live drawing uses the font files the shipped pictures were drawn with (UsePictureFonts,
// before the application exists), so the comparison holds whichever other fonts of those
// families the machine has.
int main(int argc, char** argv) {
    if (!UsePictureFonts()) {
        return 1;
    }
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    ShippedPicturesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "ShippedPicturesTest.moc"
