#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "solver/SolverErrors.h"
#include "solver/TextToNumber.h"

namespace vornik {
namespace {

struct FloatCase {
    const char* text;
    double value;
};

TEST(TextToFloat, AcceptsTheFormsUsersType) {
    const FloatCase cases[] = {
        {"380", 380}, {"0,01", 0.01},   {",5", 0.5},   {"5,", 5},         {"-120", -120},
        {"+7", 7},    {"  12  ", 12},   {"1E3", 1000}, {"2,5e-2", 0.025}, {"1e+2", 100},
        {"-0", 0},    {"1E308", 1e308}, {"007", 7},    {"1e-400", 0},
    };
    for (const auto& c : cases) {
        double v = -999;
        ASSERT_TRUE(TryTextToFloat(c.text, v)) << c.text;
        EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
    EXPECT_TRUE(std::signbit(TextToFloat("-0")));
}

TEST(TextToFloat, RejectsEverythingElseWithTheRuntimeMessage) {
    const char* bad[] = {"",    " ",   "-",   ",",     "+",      "1,2,3", "1.5", "1e",  "e5",   "1e+",
                         "abc", "1 2", "--1", "1e400", "-1e400", "0x10",  "inf", "nan", "1,5,", "٣"};
    for (const char* text : bad) {
        double v = 0;
        EXPECT_FALSE(TryTextToFloat(text, v)) << text;
        try {
            TextToFloat(text);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
}

TEST(TextToFloat, IgnoresTheProcessLocale) {
    // Whatever locale the program runs in, the comma stays the separator.
    for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "C.UTF-8", "en_US.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) == nullptr) {
            continue;
        }
        EXPECT_DOUBLE_EQ(TextToFloat("1,5"), 1.5) << name;
        double v = 0;
        EXPECT_FALSE(TryTextToFloat("1.5", v)) << name;
    }
    std::setlocale(LC_ALL, "C");
}

TEST(TextToInt, WholeNumbersOnly) {
    EXPECT_EQ(TextToInt("3"), 3);
    EXPECT_EQ(TextToInt(" -5 "), -5);
    EXPECT_EQ(TextToInt("2147483647"), 2147483647);
    EXPECT_EQ(TextToInt("-2147483648"), -2147483647 - 1);
    for (const char* text : {"", "-", "1,5", "2147483648", "x", "1e2"}) {
        try {
            TextToInt(text);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

}  // namespace
}  // namespace vornik
