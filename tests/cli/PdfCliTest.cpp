// vornik-cli --pdf: pages, page size, the text of every report line, the diagrams at true scale.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "RunCli.h"

namespace {

namespace fs = std::filesystem;
using vornik::test::RunCli;

using vornik::test::CommandOutput;
using vornik::test::WithoutSpaces;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

struct PdfPages {
    int count = 0;
    std::vector<std::string> sizes;  // "595 x 842" per page
};

PdfPages PageInfo(const fs::path& pdf) {
    PdfPages info;
    const std::string text = CommandOutput("pdfinfo -f 1 -l 999 '" + pdf.string() + "' 2>&1");
    std::smatch m;
    if (std::regex_search(text, m, std::regex("Pages:\\s+(\\d+)"))) {
        info.count = std::stoi(m[1]);
    }
    const std::regex size("Page\\s+\\d+ size:\\s+([0-9.]+ x [0-9.]+) pts \\(A4\\)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), size); it != std::sregex_iterator(); ++it) {
        info.sizes.push_back((*it)[1]);
    }
    return info;
}

struct Word {
    double xMin = 0;
    double yMin = 0;
    std::string text;
};

// The words of one page with their boxes, in points from the page's top left corner.
std::vector<Word> PageWords(const fs::path& pdf, int page) {
    const std::string n = std::to_string(page);
    const std::string html =
        CommandOutput("pdftotext -bbox -f " + n + " -l " + n + " '" + pdf.string() + "' -");
    std::vector<Word> words;
    const std::regex word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it) {
        words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), (*it)[3]});
    }
    return words;
}

class PdfCliTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(system("command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null"), 0)
            << "pdfinfo and pdftotext (poppler-utils) are needed";
        std::string pattern = testing::TempDir() + "vornik-pdf-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(PdfCliTest, StarAndDeltaWithEveryTick) {
    struct Case {
        const char* circuit;
        int computedModes;
        std::vector<std::string> titleLines;
    };
    const Case cases[] = {
        {"--r1 10 --x1 5 --r2 20 --r3 8 --x3 -6 --neutral --short A --short B --short C --break A --break B "
         "--break C",
         7,
         {"Расчёт трёхфазной цепи", "Соединение нагрузки: ЗВЕЗДА, с нулевым проводом",
          "Ub = 380 В, угол -120°", "Rc = 8 Ом, Xc = -6 Ом", "R0 = 1 Ом", "фаза C 0,01 Ом",
          "Аварийные режимы: КЗ фазы A, КЗ фазы B, КЗ фазы C, Обрыв линейного провода A, Обрыв линейного "
          "провода B, "
          "Обрыв линейного провода C"}},
        {"--delta --u2 400 --a3 119,5 --r1 10 --x1 3 --r2 12 --r3 7 --x3 -2 --open AB --open BC --open CA "
         "--break A --break B --break C",
         7,
         {"Соединение нагрузки: ТРЕУГОЛЬНИК", "Ubc = 400 В, угол -120°", "Uca = 380 В, угол 119,5°",
          "Rab = 10 Ом, Xab = 3 Ом",
          "Аварийные режимы: Обрыв фазы нагрузки AB, Обрыв фазы нагрузки BC, "
          "Обрыв фазы нагрузки CA, Обрыв линейного провода A"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.circuit);
        const fs::path plain = dir_ / "plain.pdf";
        const fs::path full = dir_ / "full.pdf";
        const auto report = RunCli(std::string(c.circuit) + " --pdf " + plain.string(), false);
        ASSERT_EQ(report.status, 0);
        ASSERT_EQ(RunCli(std::string(c.circuit) + " --pdf-diagrams --pdf " + full.string(), false).status, 0);

        // A4 portrait for the text; a landscape page for each mode's two diagrams.
        const PdfPages textOnly = PageInfo(plain);
        const PdfPages withDiagrams = PageInfo(full);
        ASSERT_GT(textOnly.count, 1);
        EXPECT_EQ(withDiagrams.count, textOnly.count + c.computedModes);
        ASSERT_EQ(withDiagrams.sizes.size(), static_cast<size_t>(withDiagrams.count));
        for (int page = 0; page < withDiagrams.count; ++page) {
            EXPECT_EQ(withDiagrams.sizes[page], page < textOnly.count ? "595 x 842" : "842 x 595")
                << "page " << page + 1;
        }

        // Every report line comes back as text, in order (wrapped lines joined again).
        const std::string text =
            WithoutSpaces(CommandOutput("pdftotext -enc UTF-8 '" + plain.string() + "' -"));
        size_t at = 0;
        int lines = 0;
        for (const std::string& line : Lines(report.out)) {
            const std::string wanted = WithoutSpaces(line);
            if (wanted.empty()) {
                continue;
            }
            const size_t found = text.find(wanted, at);
            ASSERT_NE(found, std::string::npos) << "report line " << line;
            at = found + wanted.size();
            ++lines;
        }
        EXPECT_GT(lines, 40);
        // And nothing twice: from its first line on, the text is the report, page numbers aside.
        const std::string reportText = WithoutSpaces(report.out);
        const std::string unnumbered =
            WithoutSpaces(std::regex_replace(CommandOutput("pdftotext -enc UTF-8 '" + plain.string() + "' -"),
                                             std::regex("(^|\\n)[0-9]+ ?/ ?[0-9]+(?=[\\n\\f])"), "$1"));
        const size_t start = unnumbered.find(reportText.substr(0, 40));
        ASSERT_NE(start, std::string::npos);
        EXPECT_EQ(unnumbered.substr(start), reportText);
        // The title block before the report, with the date.
        for (const std::string& line : c.titleLines) {
            EXPECT_NE(text.find(WithoutSpaces(line)), std::string::npos) << line;
        }
        EXPECT_TRUE(std::regex_search(text, std::regex("Дата:[0-9]{2}\\.[0-9]{2}\\.[0-9]{4}")));
        // Page numbers under the text; with diagrams they count the diagram pages too.
        EXPECT_NE(text.find("1/" + std::to_string(textOnly.count)), std::string::npos);
        // With the diagrams the count takes in their pages; the last page's pair is the last
        // mode's voltages, then its currents.
        std::smatch footer;
        const std::string first = CommandOutput("pdftotext -enc UTF-8 -f 1 -l 1 '" + full.string() + "' -");
        ASSERT_TRUE(std::regex_search(first, footer, std::regex("(^|\n)1 ?/ ?([0-9]+)\n")));
        EXPECT_EQ(footer[2], std::to_string(withDiagrams.count));
        const std::string n = std::to_string(withDiagrams.count);
        const std::string last = WithoutSpaces(
            CommandOutput("pdftotext -enc UTF-8 -f " + n + " -l " + n + " '" + full.string() + "' -"));
        const size_t voltages = last.find(":напряжения");
        ASSERT_NE(voltages, std::string::npos) << last;
        EXPECT_LT(voltages, last.find(":токи")) << last;
    }
}

TEST_F(PdfCliTest, ADiagramIsAPointPerPicturePixel) {
    const fs::path pdf = dir_ / "d.pdf";
    ASSERT_EQ(RunCli("--r1 10 --r2 10 --r3 10 --pdf-diagrams --pdf " + pdf.string(), false).status, 0);
    const PdfPages info = PageInfo(pdf);
    ASSERT_GE(info.count, 2);
    // The axis captions " +j " at x 5 and " -j " at x 385, both at y 205, and " + " at y 2 of
    // the first diagram: their words start the same space's width further right.
    const std::vector<Word> words = PageWords(pdf, info.count);
    const Word* plusJ = nullptr;
    const Word* minusJ = nullptr;
    const Word* plus = nullptr;
    for (const Word& w : words) {
        if (w.text == "+j" && plusJ == nullptr) {
            plusJ = &w;
        } else if (w.text == "-j" && minusJ == nullptr) {
            minusJ = &w;
        } else if (w.text == "+" && plus == nullptr) {
            plus = &w;
        }
    }
    ASSERT_TRUE(plusJ && minusJ && plus);
    EXPECT_NEAR(minusJ->xMin - plusJ->xMin, 380.0, 0.5);
    EXPECT_NEAR(plusJ->yMin - plus->yMin, 203.0, 0.5);
    EXPECT_NEAR(plus->xMin - plusJ->xMin, 200.0, 0.5);
}

}  // namespace
