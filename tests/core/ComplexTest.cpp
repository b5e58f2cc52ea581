#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "solver/Complex.h"
#include "solver/SolverErrors.h"

namespace vornik {
namespace {

constexpr double kPiD = std::numbers::pi;

struct PolarCase {
    const char* name;
    double re, im;
    double mod, arg;
};

TEST(RectToPolar, CornersOfTheAxesAndQuadrants) {
    const PolarCase cases[] = {
        {"positive imaginary axis", 0, 10, 10, kPiD / 2},
        {"negative imaginary axis", 0, -10, 10, -kPiD / 2},
        {"origin", 0, 0, 0, 0},
        {"real part below epsilon counts as zero", 5e-13, 3, 3, kPiD / 2},
        {"negative real axis", -1, 0, 1, kPiD},
        {"negative real axis with negative zero", -1, -0.0, 1, kPiD},
        {"third quadrant", -1, -1, std::sqrt(2.0), -3 * kPiD / 4},
        {"first quadrant", 3, 4, 5, std::atan(4.0 / 3.0)},
    };
    for (const auto& c : cases) {
        double m = c.re, a = c.im;
        RectToPolar(m, a);
        EXPECT_DOUBLE_EQ(m, c.mod) << c.name;
        EXPECT_DOUBLE_EQ(a, c.arg) << c.name;
    }
}

TEST(RectToPolar, NotFiniteValuesEnd) {
    double m = std::nan(""), a = 1;
    RectToPolar(m, a);
    EXPECT_TRUE(std::isnan(m));
    double m2 = INFINITY, a2 = INFINITY;
    RectToPolar(m2, a2);
    EXPECT_TRUE(std::isinf(m2));
}

TEST(PolarOperations, ProductsDoNotWrapTheAngle) {
    double m = 2, a = 3;
    PolarMul(m, a, 3, 1);
    EXPECT_DOUBLE_EQ(m, 6);
    EXPECT_DOUBLE_EQ(a, 4);
    PolarMulConj(m, a, 2, 5);
    EXPECT_DOUBLE_EQ(m, 12);
    EXPECT_DOUBLE_EQ(a, -1);
}

TEST(PolarOperations, GuardedDivisionsShowTheTwoMessages) {
    double m = 0, a = 0.3;
    try {
        PolarReciprocal(m, a);
        FAIL() << "reciprocal of zero must fail";
    } catch (const SolverMessage& e) {
        EXPECT_STREQ(e.what(), "Сопротивление не может быть равно нулю!");
    }
    double d = 0, b = 0;
    try {
        PolarDiv(d, b, 0, 1);
        FAIL() << "0/0 must fail";
    } catch (const SolverMessage& e) {
        EXPECT_STREQ(e.what(), "Не верные данные!");
    }
    double d2 = 0, b2 = 0;
    try {
        PolarDiv(d2, b2, 380, 0);
        FAIL() << "380/0 must fail";
    } catch (const SolverMessage& e) {
        EXPECT_STREQ(e.what(), "Сопротивление не может быть равно нулю!");
    }
    double d3 = 1e-300, b3 = 0;
    EXPECT_THROW(PolarDiv(d3, b3, 1e300, 0), SolverMessage) << "overflow";
    double d4 = 20, b4 = 0.5;
    PolarDiv(d4, b4, 380, 0);
    EXPECT_DOUBLE_EQ(d4, 19);
    EXPECT_DOUBLE_EQ(b4, -0.5);
}

TEST(RectArithmetic, DivisionGuardIsOnTheSquaredModulus) {
    try {
        RectDiv({1, 1}, {0.0000005, 0});
        FAIL() << "squared modulus 2.5e-13 must fail";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "Division by zero");
    }
    const Rect q = RectDiv({1, 2}, {3, 4});
    EXPECT_DOUBLE_EQ(q.re, 11.0 / 25);
    EXPECT_DOUBLE_EQ(q.im, 2.0 / 25);
    const Rect p = RectMul({1, 2}, {3, 4});
    EXPECT_DOUBLE_EQ(p.re, -5);
    EXPECT_DOUBLE_EQ(p.im, 10);
}

TEST(Conversions, DegreesAndPolarToRect) {
    EXPECT_EQ(DegToRad(-120), -2.0943951023931953);
    double m = 380, a = DegToRad(-120);
    PolarToRect(m, a);
    EXPECT_NEAR(m, -190, 1e-12);
    EXPECT_NE(m, -190) << "the real part is a few units in the last place away from -190";
    double m2 = 1, a2 = kPiD / 2;
    PolarToRect(m2, a2);
    EXPECT_GT(m2, 0) << "no special case at pi/2";
}

}  // namespace
}  // namespace vornik
