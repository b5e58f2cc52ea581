// The toolbar glyphs drawn in ink alone take the ink of a dark theme's text, so they stay
// visible there; glyphs whose ink stands on their own light fill keep their drawn look.

#include <QApplication>
#include <QPalette>
#include <QToolButton>
#include <QtTest>

#include "ui/widgets/Controls.h"
#include "ui/widgets/Glyphs.h"

namespace {

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(42, 42, 46));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    dark.setColor(QPalette::Button, QColor(52, 52, 56));
    dark.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::Text, QColor(235, 235, 235));
    return dark;
}

QImage Shown(Glyph glyph, int size) {
    return GlyphIcon(glyph, size).pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The darkest fully opaque pixel: a point of the glyph's ink on the default theme.
QPoint DarkestInk(const QImage& image) {
    QPoint at(-1, -1);
    int darkest = 256;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 255 && c.lightness() < darkest) {
                darkest = c.lightness();
                at = QPoint(x, y);
            }
        }
    }
    return at;
}

}  // namespace

class GlyphPaletteTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void cleanup() { QApplication::setPalette(QPalette()); }

    void inkFollowsDarkTheme_data() {
        QTest::addColumn<int>("glyph");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("inkOnly");
        const QList<std::tuple<const char*, Glyph, bool>> glyphs = {
            {"scissors", Glyph::Cut, true},
            {"0,00", Glyph::Precision, true},
            {"centring arrows", Glyph::Centre, true},
            {"x of x²", Glyph::Superscript, true},
            {"assistant (ink on its own light page)", Glyph::Assistant, false},
            {"execute (ink outline of a green fill)", Glyph::Execute, false},
        };
        for (const auto& [name, glyph, inkOnly] : glyphs) {
            for (int size : {24, 40}) {
                QTest::addRow("%s at %d", name, size) << static_cast<int>(glyph) << size << inkOnly;
            }
        }
    }

    void inkFollowsDarkTheme() {
        QFETCH(int, glyph);
        QFETCH(int, size);
        QFETCH(bool, inkOnly);
        const auto g = static_cast<Glyph>(glyph);
        const QImage light = Shown(g, size);
        const QPoint ink = DarkestInk(light);
        QVERIFY(ink.x() >= 0);
        QVERIFY2(light.pixelColor(ink).lightness() < 60, "the drawn ink is dark");

        QApplication::setPalette(DarkPalette());
        const QImage dark = Shown(g, size);
        if (inkOnly) {
            QVERIFY2(dark.pixelColor(ink).lightness() > 180,
                     qPrintable(QStringLiteral("ink at (%1, %2) is %3 on a dark theme")
                                    .arg(ink.x())
                                    .arg(ink.y())
                                    .arg(dark.pixelColor(ink).name())));
            // Only the ink changes: the ground stays transparent where it was.
            QCOMPARE(dark.pixelColor(0, 0).alpha(), light.pixelColor(0, 0).alpha());
        } else {
            QCOMPARE(dark, light);
        }

        // Back on a light theme the glyph is as drawn again.
        QApplication::setPalette(QPalette());
        QCOMPARE(Shown(g, size), light);
    }

    // A button already on screen shows the new ink after the theme changes.
    void buttonFollowsThemeChange() {
        QWidget strip;
        strip.resize(60, 60);
        ButtonStrip buttons(&strip, 55, 40, 1);
        QToolButton* cut = buttons.AddButton("SpeedButton1", QStringLiteral("Вырезать в буфер"), Glyph::Cut);
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        auto lightPixels = [cut] {
            const QImage shot = cut->grab().toImage();
            int count = 0;
            for (int y = 0; y < shot.height(); ++y) {
                for (int x = 0; x < shot.width(); ++x) {
                    count += shot.pixelColor(x, y).lightness() > 200 ? 1 : 0;
                }
            }
            return count;
        };
        QApplication::setPalette(DarkPalette());
        QCoreApplication::processEvents();
        // The blades are the only light marks on the dark button.
        QVERIFY2(lightPixels() > 20, qPrintable(QString::number(lightPixels())));
    }
};

QTEST_MAIN(GlyphPaletteTest)
#include "GlyphPaletteTest.moc"
