#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report/NumberText.h"

namespace vornik {
namespace {

struct RoundCase {
    double value;
    int exponent;
    double expected;
};

TEST(RoundToDecimals, NearestStepWithHalfwayUpward) {
    const RoundCase cases[] = {
        {2.5, 0, 3},     {-2.5, 0, -2},          {-2.6, 0, -3},    {-0.4, 0, 0},
        {2.25, -1, 2.2}, {0.00004, -5, 0.00004}, {0.00004, -4, 0}, {-329.09, 0, -329},
        {1.5, -1, 1.5},  {380, -3, 380},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(RoundToDecimals(c.value, c.exponent), c.expected) << c.value << " @ " << c.exponent;
    }
    EXPECT_FALSE(std::signbit(RoundToDecimals(-0.3, 0))) << "rounding never yields a negative zero";
}

TEST(RoundToDecimals, OutOfRangeAndNotFiniteComeBackUnchanged) {
    EXPECT_EQ(RoundToDecimals(1e300, -5), 1e300);
    EXPECT_EQ(RoundToDecimals(-1e300, 0), -1e300);
    EXPECT_EQ(RoundToDecimals(9.3e18, 0), 9.3e18);
    EXPECT_TRUE(std::isnan(RoundToDecimals(std::nan(""), -2)));
    EXPECT_TRUE(std::isinf(RoundToDecimals(INFINITY, -2)));
}

struct TextCase {
    double value;
    int setting;
    const char* text;
};

TEST(NumberText, GeneralFormatWithDecimalComma) {
    const TextCase cases[] = {
        {380, 0, "380"},
        {-329.09, 0, "-329"},
        {0.5, -3, "0,5"},
        {0.0004, -4, "0,0004"},
        {0.00004, -5, "4E-5"},
        {0.00004, -4, "0"},
        {-0.3, 0, "0"},
        {2.25, -1, "2,2"},
        {10.5, -2, "10,5"},
        {380.0, -5, "380"},
        {-189.99999999999997, 0, "-190"},
        {56.7, -3, "56,7"},
        {1e15, 0, "1E15"},
        {999999999999999.0, 0, "999999999999999"},
        {123456789.123456789, -5, "123456789,12346"},
        {1e300, -5, "1E300"},
        {-1.5e-7, -10, "-1,5E-7"},
        {std::nan(""), 0, "NAN"},
        {INFINITY, 0, "INF"},
        {-INFINITY, -3, "-INF"},
        {113.39999999999786, -20, "113,399999999998"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberText(c.value, c.setting), c.text) << c.value << " with setting " << c.setting;
    }
}

TEST(AngleText, RadiansAreWrittenInDegrees) {
    EXPECT_EQ(AngleText(-2.0943951023931953, -1), "-120");
    EXPECT_EQ(AngleText(0.4636476090008061, -1), "26,6");
    EXPECT_EQ(AngleText(3.141592653589793, 0), "180");
    EXPECT_EQ(static_cast<double>(RadToDeg(1.0)), 57.295779513082320877);
}

}  // namespace
}  // namespace vornik
