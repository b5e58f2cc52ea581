#include <gtest/gtest.h>

#include <set>

#include "classset/AnswerKey.h"
#include "classset/RandomVariants.h"

namespace vornik {
namespace {

TEST(RandomVariants, TheGeneratorIsSplitMix64) {
    // The published sequence for seed 0: a set drawn today is drawn the same on every machine later.
    SplitMix64 rng(0);
    EXPECT_EQ(rng.Next(), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(rng.Next(), 0x6E789E6AA1B965F4ull);
    EXPECT_EQ(rng.Next(), 0x06C45D188009454Full);
    // Below(n) covers [0, n) and nothing else.
    SplitMix64 draws(42);
    std::set<std::uint64_t> seen;
    for (int k = 0; k < 2000; ++k) {
        const std::uint64_t v = draws.Below(7);
        ASSERT_LT(v, 7u);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 7u);
}

TEST(RandomVariants, RangesGiveTheirValuesAsTyped) {
    struct Case {
        const char* text;
        int field;
        std::int64_t count;
        std::vector<std::pair<std::int64_t, const char*>> values;
    };
    const Case cases[] = {
        {"r1=5..20/0,5", static_cast<int>(Param::Edit4), 31, {{0, "5"}, {1, "5,5"}, {30, "20"}}},
        {"x2=-1..1/0.25", static_cast<int>(Param::Edit7), 9, {{0, "-1"}, {1, "-0,75"}, {4, "0"}, {8, "1"}}},
        {"Edit10=0,05..0,5/0,05", static_cast<int>(Param::Edit10), 10, {{0, "0,05"}, {9, "0,5"}}},
        {"u1=200..250", static_cast<int>(Param::ComboBox1), 51, {{50, "250"}}},
        {"a1=0..10/3", static_cast<int>(Param::Edit1), 4, {{3, "9"}}},  // TO need not be on the grid
    };
    for (const Case& c : cases) {
        const Outcome<VaryRange> parsed = ParseVaryRange(c.text);
        ASSERT_TRUE(parsed.Ok()) << c.text << ": " << parsed.Error().message;
        const VaryRange& r = *parsed;
        EXPECT_EQ(r.field, c.field) << c.text;
        EXPECT_EQ(r.count, c.count) << c.text;
        for (const auto& [k, text] : c.values) {
            EXPECT_EQ(r.Text(k), text) << c.text << " value " << k;
        }
    }
    for (const char* bad : {"r1", "r1=5", "r1=20..5/1", "r1=5..20/0", "r1=5..20/-1", "q1=1..2/1",
                            "title=1..2/1", "r1=a..b/1", "r1=1..1000000000000000000/1"}) {
        EXPECT_FALSE(ParseVaryRange(bad).Ok()) << bad;
    }
}

TaskValues Base() {
    TaskValues base;
    base.input[Param::Edit6] = "10";
    base.input[Param::Edit8] = "10";
    return base;
}

VaryRange Range(const char* text) {
    const Outcome<VaryRange> r = ParseVaryRange(text);
    EXPECT_TRUE(r.Ok()) << text;
    return r.Ok() ? *r : VaryRange{};
}

TEST(RandomVariants, TheSameSeedDrawsTheSameSetOfDifferentRunningVariants) {
    const std::vector<VaryRange> ranges = {Range("r1=0..4/1"), Range("x1=-2..2/1")};
    const DrawResult drawnA = DrawVariants(Base(), 12, 2026, ranges, VariantRuns);
    const DrawResult drawnB = DrawVariants(Base(), 12, 2026, ranges, VariantRuns);
    const DrawResult drawnC = DrawVariants(Base(), 12, 2027, ranges, VariantRuns);
    ASSERT_TRUE(drawnA && drawnB && drawnC);
    const DrawnVariants& a = *drawnA;
    const DrawnVariants& b = *drawnB;
    const DrawnVariants& c = *drawnC;
    ASSERT_EQ(a.variants.size(), 12u);
    std::set<std::pair<std::string, std::string>> values;
    bool differs = false;
    for (size_t k = 0; k < a.variants.size(); ++k) {
        const CircuitInput& in = a.variants[k].task.input;
        EXPECT_EQ(a.variants[k].name, std::to_string(k + 1));
        EXPECT_TRUE(SameExercise(a.variants[k].task, b.variants[k].task)) << k;
        differs = differs || !SameExercise(a.variants[k].task, c.variants[k].task);
        // r1 = x1 = 0 is a zero impedance: such a draw is drawn again.
        EXPECT_FALSE(in.Text(Param::Edit4) == "0" && in.Text(Param::Edit5) == "0") << k;
        EXPECT_TRUE(values.insert({in.Text(Param::Edit4), in.Text(Param::Edit5)}).second) << "repeated " << k;
        EXPECT_EQ(in.Text(Param::Edit6), "10");
    }
    EXPECT_TRUE(differs) << "another seed gives another set";
    // 25 pairs, 12 drawn: repeats are all but certain, and counted.
    EXPECT_GT(a.duplicateRedraws + a.stoppedRedraws, 0);
    EXPECT_EQ(a.duplicateRedraws, b.duplicateRedraws);
}

TEST(RandomVariants, TooFewPossibleVariantsIsAnError) {
    // Three values, one of which stops the run: two variants at most.
    const std::vector<VaryRange> ranges = {Range("r1=0..2/1")};
    const DrawResult two = DrawVariants(Base(), 2, 1, ranges, VariantRuns);
    ASSERT_TRUE(two);
    EXPECT_EQ(two->variants.size(), 2u);
    // Three possible, one of which stops: the draws run out, and the message says how far they got.
    const DrawResult three = DrawVariants(Base(), 3, 1, ranges, VariantRuns);
    ASSERT_FALSE(three);
    EXPECT_NE(three.Error().message.find("набрано только 2 из 3"), std::string::npos)
        << three.Error().message;
    const DrawResult four = DrawVariants(Base(), 4, 1, ranges, VariantRuns);
    ASSERT_FALSE(four);
    EXPECT_NE(four.Error().message.find("только 3"), std::string::npos) << four.Error().message;
}

}  // namespace
}  // namespace vornik
