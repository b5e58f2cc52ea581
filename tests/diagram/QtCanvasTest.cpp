#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas/PictureCanvas.h"
#include "canvas/QtDiagramCanvas.h"
#include "canvas/QtPdfDocument.h"
#include "diagram/Diagram.h"
#include "pictures/PictureFile.h"
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

// A text that would reach past an edge is moved back inside by its overflow and drawn whole;
// one that fits is drawn where asked. The same on a canvas for a screen scaled to 200 %, where
// the place is in picture pixels (two image pixels each) and the label keeps its size.
TEST(QtCanvas, TextPastAnEdgeIsMovedInsideWhole) {
    struct Case {
        const char* name;
        int x, y;
    };
    const Case cases[] = {{"fits", 150, 150},        {"right edge", 399, 120}, {"partly right", 385, 60},
                          {"bottom edge", 100, 392}, {"left", -12, 200},       {"top", 60, -5},
                          {"bottom right", 398, 398}};
    auto redBox = [](const RgbPicture& p, int& count) {
        QRect box;
        count = 0;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                const QRgb c = PixelAt(p, x, y);
                if (qRed(c) > 200 && qGreen(c) < 100) {
                    box |= QRect(x, y, 1, 1);
                    ++count;
                }
            }
        }
        return box;
    };
    for (const int ratio : {1, 2}) {
        SCOPED_TRACE(ratio == 1 ? "unscaled" : "scaled to 200 %");
        int wholeCount = 0;
        QRect wholeBox;
        for (const Case& c : cases) {
            QtDiagramCanvas canvas(ratio);
            canvas.FillWhite();
            canvas.SetFontFace("Time New Roman");
            canvas.SetFontSize(12);
            canvas.SetFontColor(kRed);
            canvas.TextOut(c.x, c.y, "Ubc");
            const QFontMetrics metrics(canvas.Font(), &canvas.Image());
            const int width = metrics.horizontalAdvance("Ubc");
            const int left = std::clamp(c.x, 0, kCanvasSize - width);
            const int top = std::clamp(c.y, 0, kCanvasSize - metrics.height());
            int count = 0;
            const QRect box = redBox(canvas.Picture(), count);
            if (wholeCount == 0) {
                wholeCount = count;  // the first case fits: the whole label
                wholeBox = box.translated(-c.x * ratio, -c.y * ratio);
            }
            EXPECT_EQ(count, wholeCount) << c.name << ": the label is not whole";
            EXPECT_EQ(box.translated(-left * ratio, -top * ratio), wholeBox)
                << c.name << ": drawn at " << box.x() << ", " << box.y();
        }
        EXPECT_GT(wholeCount, 20 * ratio * ratio);
    }
}

// On a canvas for a screen scaled to 200 % a label at an edge is moved inside the same way: the
// drawing at twice the resolution keeps every label where the saved picture has it.
TEST(QtCanvas, ScaledCanvasMovesTextInsideLikeThePicture) {
    auto redBox = [](const QImage& image) {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 100) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    };
    for (const QPoint at : {QPoint(150, 150), QPoint(399, 120), QPoint(100, 395), QPoint(398, 398)}) {
        QtDiagramCanvas picture;
        QtDiagramCanvas scaled(2.0);
        for (QtDiagramCanvas* canvas : {&picture, &scaled}) {
            canvas->FillWhite();
            canvas->SetFontFace("Time New Roman");
            canvas->SetFontSize(12);
            canvas->SetFontColor(kRed);
            canvas->TextOut(at.x(), at.y(), "Ubc");
        }
        ASSERT_EQ(scaled.Image().size(), QSize(800, 800));
        const QRect one = redBox(picture.Image());
        const QRect two = redBox(scaled.Image());
        ASSERT_FALSE(two.isEmpty());
        // The same place within a picture pixel or two (glyphs are drawn anew at the double size).
        EXPECT_LE(std::abs(two.center().x() / 2 - one.center().x()), 2) << "label asked at " << at.x();
        EXPECT_LE(std::abs(two.center().y() / 2 - one.center().y()), 2) << "label asked at " << at.y();
        EXPECT_LE(two.right(), 799);
        EXPECT_GT(two.width(), one.width() * 3 / 2) << "the label is whole at " << at.x() << ", " << at.y();
    }
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
    const std::string png = loaded->PngBytes();
    const QImage decoded = QImage::fromData(QByteArray::fromStdString(png), "PNG");
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32),
              direct.Image().convertToFormat(QImage::Format_RGB32));
}

TEST(QtPdf, TheTextNeverEndsWithAPageOfOneLine) {
    // Texts of every length over the first two page breaks: the last line's page holds the line
    // before it too.
    int moved = 0;
    for (int lines = 2; lines <= 60; ++lines) {
        QTextDocument doc;
        doc.setDocumentMargin(0);
        doc.setPageSize(QSizeF(400, 300));
        QTextCursor cursor(&doc);
        for (int k = 1; k <= lines; ++k) {
            if (k > 1) {
                cursor.insertBlock();
            }
            cursor.insertText(QStringLiteral("Строка %1").arg(k));
        }
        cursor.insertBlock();  // a blank line at the end, as the solution has
        const int before = doc.pageCount();
        KeepLastTwoLinesTogether(doc);
        auto pageOf = [&](int block) {
            return static_cast<int>(
                doc.documentLayout()->blockBoundingRect(doc.findBlockByNumber(block)).top() / 300);
        };
        EXPECT_EQ(pageOf(lines - 1), pageOf(lines - 2)) << lines << " lines";
        EXPECT_LE(doc.pageCount(), before + 1) << lines << " lines";
        moved += doc.pageCount() > 1 && pageOf(lines - 1) > pageOf(lines - 3) ? 1 : 0;
    }
    EXPECT_GT(moved, 0) << "no length ended with a single line: the table tests nothing";
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Test discovery runs this program without the test environment; never look for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Never the real user's configuration.
    QStandardPaths::setTestModeEnabled(true);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
