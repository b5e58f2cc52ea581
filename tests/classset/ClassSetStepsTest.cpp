// MakeClassSet's progress: one step at a time up to the last, which comes only once the folder is
// in place; a step refused at any stage (computing, PDFs, writing) leaves nothing beside the set.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "classset/ClassSet.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

// PDFs without a PDF builder: the set's steps and files are the same.
struct FakePdfs : ClassSetPdfWriter {
    // The sheet's lines as its file, so that a test can read what the sheet asks.
    std::string TaskSheet(const std::vector<std::string>& lines) const override {
        std::string text = "%PDF-sheet";
        for (const std::string& line : lines) {
            text += "\n" + line;
        }
        return text;
    }
    std::string Solution(const TaskValues&, const std::string&, const VariantRun&) const override {
        return "%PDF-solution";
    }
    std::string Key(const std::vector<std::string>&,
                    const std::vector<std::vector<std::string>>&) const override {
        return "%PDF-key";
    }
};

constexpr int kVariants = 3;
// 3 computed, 7 PDFs made, 4 tables + 3 tasks + 7 PDFs + summary written, the rename.
constexpr int kSteps = kVariants + 7 + (4 + kVariants + 7 + 1) + 1;

class ClassSetSteps : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "vornik-steps-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        request_.outDir = (dir_ / "group").string();
        request_.base.input[Param::Edit6] = "10";
        request_.base.input[Param::Edit8] = "10";
        request_.count = kVariants;
        request_.seed = 7;
        const Outcome<VaryRange> range = ParseVaryRange("r1=5..20/1");
        ASSERT_TRUE(range.Ok());
        request_.ranges = {*range};
        request_.pdfs = &pdfs_;
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::vector<std::string> Left() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    fs::path dir_;
    FakePdfs pdfs_;
    ClassSetRequest request_;
};

TEST_F(ClassSetSteps, EveryStepOnceAndTheLastOnlyWithTheFolderInPlace) {
    std::vector<int> done;
    const ClassSetOutcome outcome = MakeClassSet(request_, [&](int step, int total) {
        EXPECT_EQ(total, kSteps);
        EXPECT_EQ(fs::exists(request_.outDir), step == total) << "step " << step;
        done.push_back(step);
        return true;
    });
    ASSERT_TRUE(outcome.Ok()) << outcome.Error().message;
    std::vector<int> wanted;
    for (int k = 1; k <= kSteps; ++k) {
        wanted.push_back(k);
    }
    EXPECT_EQ(done, wanted);
    EXPECT_EQ(std::distance(fs::directory_iterator(request_.outDir), fs::directory_iterator()),
              4 + 3 + 7 + 1);
    // Each student's sheet asks for the quantities of its modes.
    std::ifstream sheet(fs::path(request_.outDir) / "02-task.pdf");
    const std::string text((std::istreambuf_iterator<char>(sheet)), std::istreambuf_iterator<char>());
    EXPECT_NE(
        text.find(
            "\nНайти (в скобках — единица и число знаков после запятой, как в решении):\nнормальный режим: "),
        std::string::npos)
        << text;
}

TEST_F(ClassSetSteps, ACancelLeavesNothing) {
    const struct {
        const char* stage;
        int refused;
    } cases[] = {
        {"computing the first variant", 1},    {"making the first PDF", kVariants + 1},
        {"making the key PDF", kVariants + 7}, {"writing the first file", kVariants + 8},
        {"writing the summary", kSteps - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stage);
        int calls = 0;
        const ClassSetOutcome outcome = MakeClassSet(request_, [&](int step, int) {
            ++calls;
            return step < c.refused;
        });
        ASSERT_FALSE(outcome.Ok());
        EXPECT_TRUE(outcome.Error().cancelled);
        EXPECT_EQ(calls, c.refused);  // stopped at once
        EXPECT_EQ(Left(), std::vector<std::string>{});
    }
}

// key.pdf's pages: a line takes as many printed lines as its characters (not bytes) fill, so two
// variants of a heading and one full-width mode line each fit a page of six lines, and do not once
// that line is a character longer.
TEST(KeyPages, ALineCountsItsCharactersPerPrintedLine) {
    struct Case {
        int captionChars;  // Cyrillic, two bytes each; the line adds " (normal):", 10 characters
        size_t pages;
    };
    const Case cases[] = {{20, 1}, {21, 2}};
    for (const Case& c : cases) {
        VariantRun run;
        std::string caption;
        for (int k = 0; k < c.captionChars; ++k) {
            caption += "ж";
        }
        run.modes.push_back({"normal", 0, caption, {}});
        const Variant variant;
        const std::vector<SetEntry> entries = {{&variant, "1", &run}, {&variant, "2", &run}};
        const auto pages = KeyPages(entries, 6, 30);
        EXPECT_EQ(pages.size(), c.pages) << c.captionChars << " letters";
    }
}

}  // namespace
}  // namespace vornik
