#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "diagram/RecordingCanvas.h"
#include "diagram/ScaleChooser.h"

namespace {

using namespace vornik;

constexpr const char* kPrevious = " - 7";

TEST(ChooseScale, WorkedValues) {
    struct Case {
        double largest;
        ScaleMode mode;
        long steps;
        const char* label11;  // nullptr: left as it was
        const char* label12;
        const char* legend;
    };
    const Case cases[] = {
        {380, ScaleMode::Divide, 10, " - 2", "380", "1см - 56,7 B"},
        {660, ScaleMode::Divide, 24, " - 3,4", "660", "1см - 96,39 B"},
        {220, ScaleMode::Divide, 2, " - 1,2", "220", "1см - 34,02 B"},
        {196, ScaleMode::Divide, 1, " - 1,1", "196", "1см - 31,185 B"},
        {190, ScaleMode::Multiply, 0, nullptr, "190", "1см - 28,35 B"},
        {170, ScaleMode::Multiply, 1, " + 1,1", "170", "1см - 25,773 B"},
        {127, ScaleMode::Multiply, 4, " + 1,4", "127", "1см - 20,25 B"},
        {195, ScaleMode::Multiply, 0, nullptr, "195", "1см - 28,35 B"},
        {195.0001, ScaleMode::Divide, 1, " - 1,1", "195", "1см - 31,185 B"},
        {1.5, ScaleMode::Multiply, 1124, " + 113,399999999998", "1,5", "1см - 0,25 B"},
        // Step by step the divisor drifts below 1 + 0,1 * 54 = 6,4.
        {1234, ScaleMode::Divide, 54, " - 6,39999999999999", "1234", "1см - 181,44 B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "M = " << c.largest);
        // The largest value may be negative and sit in any position: only its magnitude counts.
        const std::vector<double> values = {c.largest / 3, 0.0, -c.largest, c.largest / 2};
        RecordingCanvas canvas;
        DiagramLabels labels;
        labels.label11 = kPrevious;
        const std::optional<ScaleSearch> s = ChooseScale(canvas, values, "B", labels);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->mode, c.mode);
        EXPECT_EQ(s->steps, c.steps);
        EXPECT_EQ(labels.label11, c.label11 ? c.label11 : kPrevious);
        EXPECT_EQ(labels.label12, c.label12);
        EXPECT_EQ(labels.legend, c.legend);
        ASSERT_FALSE(canvas.Ops().empty());
        EXPECT_EQ(canvas.Ops().front().text, c.legend);

        // Every tip stays inside the canvas and the largest one fills most of the half-width.
        int largestPixel = 0;
        for (const double v : values) {
            largestPixel = std::max(largestPixel, std::abs(s->Scaled(v)));
        }
        EXPECT_LE(largestPixel, 195);
        if (c.mode == ScaleMode::Multiply && c.steps > 0) {
            // The scaled value is above 170; its nearest integer may be 170 itself.
            EXPECT_GE(largestPixel, 170);
        }
    }
}

TEST(ChooseScale, ValuesWithoutAUsableScaleDrawOnlyTheLargestValue) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::vector<double> values;
        const char* label12;
    };
    const Case cases[] = {
        {"a mode never computed", {0, 0, 0, 0}, "0"},
        {"not a number", {100, nan, 3, 4}, "NAN"},
        {"infinite", {100, -inf, 3, 4}, "INF"},
        {"infinite and not a number", {inf, nan}, "NAN"},
        {"tiny", {1e-7, -2e-8}, "0"},
        {"huge", {1e10, 5}, "10000000000"},
        {"beyond the step limit by a little", {195 * (1 + 0.1 * 2.0005e8), 1}, "3900975195"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        DiagramLabels labels;
        labels.label11 = kPrevious;
        labels.legend = "stale";
        EXPECT_FALSE(ChooseScale(canvas, c.values, "A", labels).has_value());
        EXPECT_EQ(labels.label11, kPrevious);
        EXPECT_EQ(labels.label12, c.label12);
        EXPECT_EQ(labels.legend, "");
        EXPECT_TRUE(canvas.Ops().empty());
    }
}

TEST(ChooseScale, LongSearchesWithinTheLimitStillFinish) {
    for (const double m : {2e-5, 3.8e9}) {
        SCOPED_TRACE(m);
        const std::vector<double> values = {m};
        const ScaleSearch s = SearchScale(values);
        ASSERT_NE(s.mode, ScaleMode::None);
        EXPECT_GT(s.steps, 1'000'000);
        EXPECT_LE(s.steps, kMaxScaleSteps);
        const int pixel = std::abs(s.Scaled(m));
        EXPECT_LE(pixel, 195);
        EXPECT_GE(pixel, 170);
    }
}

TEST(ChooseScale, NearestIntegerTiesGoToEven) {
    const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},
                                            {-2.5, -2}, {-3.5, -4}, {2.4999, 2}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(NearestInt(value), expected) << value;
    }
}

}  // namespace
