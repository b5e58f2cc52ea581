// vornik-cli --out x.svg: the vector drawing matches the recorded operations and, rasterised by
// rsvg-convert, the program's own PNG outside the text boxes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <QMargins>
#include <QRect>
#include <QXmlStreamReader>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "RunCli.h"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;
using vornik::test::RunCli;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct SvgContent {
    int lines = 0;
    int dottedLines = 0;
    int rects = 0;
    std::vector<std::string> texts;
    std::vector<QRect> textBoxes;  // the white box under each text
    QString error;
};

SvgContent ParseSvg(const std::string& bytes) {
    SvgContent svg;
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    QRect lastRect;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto a = xml.attributes();
        if (xml.name() == u"line") {
            ++svg.lines;
            svg.dottedLines += a.hasAttribute("stroke-dasharray") ? 1 : 0;
        } else if (xml.name() == u"rect") {
            ++svg.rects;
            lastRect = QRect(a.value("x").toInt(), a.value("y").toInt(), a.value("width").toInt(),
                             a.value("height").toInt());
        } else if (xml.name() == u"text") {
            svg.textBoxes.push_back(lastRect);
            svg.texts.push_back(xml.readElementText().toStdString());
        }
    }
    if (xml.hasError()) {
        svg.error = xml.errorString();
    }
    return svg;
}

bool Masked(const std::vector<QRect>& textBoxes, int x, int y) {
    for (const QRect& r : textBoxes) {
        // Grown by a pixel for the glyphs' antialiased edges.
        if (r.adjusted(-1, -1, 1, 1).contains(x, y)) {
            return true;
        }
    }
    return false;
}

// Two nearly parallel lines drawn over each other leave their pixels visible a step apart in
// either picture, hence two pixels.
constexpr int kReach = 2;

bool ColourNear(const QImage& image, int x, int y, QRgb colour) {
    for (int dy = -kReach; dy <= kReach; ++dy) {
        for (int dx = -kReach; dx <= kReach; ++dx) {
            if (image.rect().contains(x + dx, y + dy) && image.pixel(x + dx, y + dy) == colour) {
                return true;
            }
        }
    }
    return false;
}

constexpr QRgb kWhite = qRgb(255, 255, 255);

bool InkNear(const QImage& image, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (image.rect().contains(x + dx, y + dy) && image.pixel(x + dx, y + dy) != kWhite) {
                return true;
            }
        }
    }
    return false;
}

// How many pixels outside the text boxes have each colour.
std::map<QRgb, int> ColourCounts(const QImage& image, const std::vector<QRect>& textBoxes) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!Masked(textBoxes, x, y)) {
                ++counts[image.pixel(x, y)];
            }
        }
    }
    return counts;
}

// Pixels outside the text boxes whose colour the other picture has nowhere within a pixel:
// the painter and the SVG rasteriser may step a slanted line's pixels differently, but
// every line must be there, in its colour and in its place. Where lines of two colours meet,
// which one is on top may differ by a pixel as well.
int UnmatchedPixels(const QImage& a, const QImage& b, const std::vector<QRect>& textBoxes,
                    std::string& where) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y) || Masked(textBoxes, x, y)) {
                continue;
            }
            // Lines drawn over each other may show a pixel of the lower one in one picture only;
            // the colour counts below keep that from hiding a line of the wrong colour.
            const bool overdrawn = InkNear(b, x, y) && InkNear(a, x, y);
            if (!overdrawn && (!ColourNear(b, x, y, a.pixel(x, y)) || !ColourNear(a, x, y, b.pixel(x, y)))) {
                if (count++ == 0) {
                    where = "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                }
            }
        }
    }
    return count;
}

// The bounding box of what is not white inside a box.
QRect Ink(const QImage& image, const QRect& box) {
    QRect ink;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (image.rect().contains(x, y) && image.pixel(x, y) != kWhite) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

class SvgCliTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "vornik-svg-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(SvgCliTest, EveryButtonOfTheBrowserTestCircuitsMatchesThePicture) {
    ASSERT_EQ(system("command -v rsvg-convert >/dev/null"), 0) << "rsvg-convert (librsvg2-bin) is needed";
    // The circuits of the browser's diagram test: a star with a neutral wire and every fault, a
    // star without one, a delta with every fault.
    const char* const circuits[] = {
        "--r1 10 --x1 5 --r2 20 --r3 8 --x3 -6 --neutral --short A --short B --short C --break A --break B "
        "--break C",
        "--u1 220 --u2 220 --u3 220 --r1 10 --r2 10 --x2 4 --r3 15 --short B --break C",
        "--delta --r1 10 --x1 3 --r2 12 --r3 7 --x3 -2 --open AB --open BC --open CA --break A --break B "
        "--break C",
    };
    for (const char* circuit : circuits) {
        for (int button = 1; button <= 14; ++button) {
            const std::string what = std::string(circuit) + " --diagram " + std::to_string(button);
            SCOPED_TRACE(what);
            const fs::path svgPath = dir_ / "d.svg";
            const fs::path pngPath = dir_ / "d.png";
            const fs::path rasterPath = dir_ / "r.png";
            const auto run = RunCli(what + " --json --out " + svgPath.string(), false);
            ASSERT_EQ(run.status, 0);
            ASSERT_EQ(RunCli(what + " --out " + pngPath.string(), false).status, 0);
            const json ops = json::parse(run.out).at("diagram").at("ops");

            const SvgContent svg = ParseSvg(ReadAll(svgPath));
            ASSERT_TRUE(svg.error.isEmpty()) << svg.error.toStdString();
            int lines = 0, dotted = 0, fills = 0;
            std::vector<std::string> texts;
            for (const json& op : ops) {
                lines += op.at("op") == "line" ? 1 : 0;
                dotted += op.at("op") == "line" && op.at("style") == "dot" ? 1 : 0;
                fills += op.at("op") == "fill" ? 1 : 0;
                if (op.at("op") == "text") {
                    texts.push_back(op.at("text"));
                }
            }
            EXPECT_EQ(svg.lines, lines);
            EXPECT_EQ(svg.dottedLines, dotted);
            EXPECT_EQ(svg.texts, texts);
            // A white box under every text, besides the fills.
            EXPECT_EQ(svg.rects, fills + static_cast<int>(texts.size()));

            ASSERT_EQ(system(("rsvg-convert -o " + rasterPath.string() + " " + svgPath.string()).c_str()), 0);
            const QImage raster =
                QImage(QString::fromStdString(rasterPath.string())).convertToFormat(QImage::Format_RGB32);
            const QImage png =
                QImage(QString::fromStdString(pngPath.string())).convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(raster.size(), QSize(400, 400));
            ASSERT_EQ(png.size(), QSize(400, 400));
            std::string where;
            EXPECT_EQ(UnmatchedPixels(raster, png, svg.textBoxes, where), 0) << where;
            // Every colour covers about as many pixels: the rasteriser's slanted lines are a little
            // heavier than the painter's.
            const auto rendered = ColourCounts(raster, svg.textBoxes);
            for (const auto& [colour, count] : ColourCounts(png, svg.textBoxes)) {
                const auto found = rendered.find(colour);
                const int got = found == rendered.end() ? 0 : found->second;
                EXPECT_NEAR(got, count, 10 + count / 4) << "colour " << std::hex << colour;
            }
            // Each text lands where the painter put it: its glyphs cover the same pixels give or
            // take the antialiased edge.
            for (std::size_t k = 0; k < svg.textBoxes.size(); ++k) {
                const QRect drawn = Ink(png, svg.textBoxes[k]);
                const QRect rendered = Ink(raster, svg.textBoxes[k]);
                const QMargins d(rendered.left() - drawn.left(), rendered.top() - drawn.top(),
                                 rendered.right() - drawn.right(), rendered.bottom() - drawn.bottom());
                EXPECT_TRUE(std::abs(d.left()) <= 1 && std::abs(d.top()) <= 1 && std::abs(d.right()) <= 1 &&
                            std::abs(d.bottom()) <= 1)
                    << "text '" << svg.texts[k] << "' ink moved by " << d.left() << " " << d.top() << " "
                    << d.right() << " " << d.bottom();
            }
        }
    }
}

}  // namespace
