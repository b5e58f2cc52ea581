#include <gtest/gtest.h>
#include <stdlib.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas/PictureCanvas.h"
#include "canvas/QtDiagramCanvas.h"
#include "diagram/Diagram.h"
#include "diagram/PictureFile.h"
#include "tests/core/TestCircuits.h"

namespace {

using namespace vornik;
using vornik::test::Circuit;
using vornik::test::Session;
namespace fs = std::filesystem;

QRgb PixelAt(const RgbPicture& p, int x, int y) {
    const std::uint8_t* px = &p.rgb[(static_cast<size_t>(y) * p.width + x) * 3];
    return qRgb(px[0], px[1], px[2]);
}

std::string TempDir() {
    std::string pattern = testing::TempDir() + "vornik-canvas-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

TEST(QtCanvas, UaTipIsRedInTheSavedBmp) {
    // An unbalanced load without a neutral wire moves U0 off the centre, so that the load voltage
    // Ua` does not cover the source voltage Ua.
    Session s;
    ASSERT_TRUE(s.Execute(Circuit("10", "0", "20", "0", "30", "0")));
    QtDiagramCanvas canvas;
    DiagramLabels labels;
    DrawSelectedDiagram(canvas, s.state.modeSlots, {true, false, 1}, labels);
    ASSERT_EQ(labels.label11, " - 2");

    const std::string dir = TempDir();
    ASSERT_FALSE(dir.empty());
    const std::string path = dir + "/diagram.jpg";  // BMP data under a JPEG name
    SavePicture(canvas.Picture(), PictureFormat::Bmp, path);
    const QImage read(QString::fromStdString(path), "BMP");
    fs::remove_all(dir);
    ASSERT_EQ(read.size(), QSize(400, 400));
    EXPECT_EQ(read.pixel(200, 10), qRgb(255, 0, 0));
    EXPECT_EQ(read.pixel(200, 100), qRgb(255, 0, 0)) << "the Ua shaft";
    EXPECT_EQ(read.pixel(399, 399), qRgb(255, 255, 255));
}

TEST(QtCanvas, LinesAreAliasedAndTheAxesDotted) {
    QtDiagramCanvas canvas;
    canvas.FillWhite();
    canvas.SetPen(kRed, PenStyle::Solid, 1);
    canvas.MoveTo(10, 10);
    canvas.LineTo(390, 123);
    canvas.SetPen(kBlack, PenStyle::Dot, 1);
    canvas.MoveTo(0, 300);
    canvas.LineTo(400, 300);
    const RgbPicture p = canvas.Picture();
    int red = 0;
    int black = 0;
    int white = 0;
    int other = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 400; ++x) {
            const QRgb c = PixelAt(p, x, y);
            red += c == qRgb(255, 0, 0);
            white += c == qRgb(255, 255, 255);
            if (c == qRgb(0, 0, 0)) {
                ++black;
                EXPECT_EQ(y, 300) << "black off the axis at " << x;
            }
        }
    }
    other = 400 * 400 - red - black - white;
    EXPECT_EQ(other, 0) << "no blended pixels";
    EXPECT_GE(red, 380);
    EXPECT_EQ(PixelAt(p, 10, 10), qRgb(255, 0, 0));

    // Dotted, not dashed: along the whole axis single black pixels alternate with gaps of one
    // constant width of at most three pixels.
    std::vector<int> dots;
    for (int x = 0; x < 400; ++x) {
        if (PixelAt(p, x, 300) == qRgb(0, 0, 0)) {
            dots.push_back(x);
        }
    }
    ASSERT_GT(dots.size(), 100u);
    EXPECT_LE(dots.front(), 3);
    EXPECT_GE(dots.back(), 396);
    const int period = dots[1] - dots[0];
    EXPECT_GE(period, 2);
    EXPECT_LE(period, 4);
    for (size_t k = 1; k < dots.size(); ++k) {
        EXPECT_EQ(dots[k] - dots[k - 1], period) << "after the dot at x = " << dots[k - 1];
    }
}

TEST(QtCanvas, TextHasAnOpaqueWhiteBackground) {
    QtDiagramCanvas canvas;
    canvas.FillWhite();
    canvas.SetPen(kBlack, PenStyle::Solid, 1);
    for (int y = 90; y < 150; ++y) {
        canvas.MoveTo(90, y);
        canvas.LineTo(300, y);
    }
    canvas.SetFontFace("Time New Roman");
    canvas.SetFontSize(12);
    canvas.SetFontColor(kRed);
    canvas.TextOut(110, 100, " Ua ");
    const QFontMetrics metrics(canvas.Font(), &canvas.Image());
    const int width = metrics.horizontalAdvance(" Ua ");
    const RgbPicture p = canvas.Picture();
    int reddish = 0;
    for (int y = 101; y < 100 + metrics.height() - 1; ++y) {
        for (int x = 111; x < 110 + width - 1; ++x) {
            const QRgb c = PixelAt(p, x, y);
            EXPECT_NE(c, qRgb(0, 0, 0)) << "black left behind the text at " << x << ", " << y;
            reddish += qRed(c) > 200 && qGreen(c) < 100;
        }
    }
    EXPECT_GT(reddish, 10);
    EXPECT_EQ(PixelAt(p, 105, 110), qRgb(0, 0, 0)) << "the background is painted behind the text only";
    EXPECT_EQ(PixelAt(p, 110 + width + 5, 110), qRgb(0, 0, 0));
}

TEST(QtCanvas, FacesAndSizes) {
    QtDiagramCanvas canvas;
    const QFontInfo fresh(canvas.Font());
    EXPECT_EQ(canvas.Font().pointSize(), 8);
    canvas.SetFontFace("Time New Roman");
    canvas.SetFontSize(12);
    const QFontInfo label(canvas.Font());
    // "Time New Roman" does not exist anywhere; the label must fall back to a Times-like serif.
    const QStringList serifs = {"Times New Roman", "Liberation Serif", "DejaVu Serif", "Tinos",
                                "Nimbus Roman"};
    EXPECT_TRUE(serifs.contains(label.family())) << label.family().toStdString();
    EXPECT_NE(fresh.family(), label.family());
    // 12 points at 96 dots per inch are 16 pixels.
    const QFontMetrics metrics(canvas.Font(), &canvas.Image());
    EXPECT_GE(metrics.height(), 16);
    EXPECT_LE(metrics.height(), 20);
}

TEST(QtCanvas, HeadlessModuleDrawsTheSamePicture) {
    Session s;
    ASSERT_TRUE(s.Execute(Circuit("10", "5", "20", "0", "30", "-5", true)));
    QtDiagramCanvas direct;
    const std::unique_ptr<PictureCanvas> loaded = MakeHeadlessCanvas();
    for (const int button : {1, 2}) {
        DiagramLabels a;
        DiagramLabels b;
        DrawSelectedDiagram(direct, s.state.modeSlots, {true, true, button}, a);
        DrawSelectedDiagram(*loaded, s.state.modeSlots, {true, true, button}, b);
        EXPECT_EQ(direct.Picture().rgb, loaded->Picture().rgb) << "button " << button;
    }
    const std::string dir = TempDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(loaded->SavePng(dir + "/d.png"), "");
    const QImage png(QString::fromStdString(dir + "/d.png"), "PNG");
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              direct.Image().convertToFormat(QImage::Format_RGB32));
    const std::string error = loaded->SavePng(dir + "/missing/d.png");
    EXPECT_NE(error.find(dir + "/missing/d.png"), std::string::npos) << error;
    fs::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Test discovery runs this program without the test environment; never look for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
