#include <gtest/gtest.h>

#include "check/AnswerText.h"

namespace vornik {
namespace {

using Kind = ReadAnswer::Kind;

struct TextCase {
    const char* text;
    bool angle;
    Kind kind;
    double a;  // Real: the value; Complex: the modulus
    double b;  // Complex: the angle in degrees
};

constexpr double kTolerance = 1e-9;

// Every notation a student may type, and texts that are no answer.
TEST(AnswerText, EveryNotationReadsAndBadTextsGetAHint) {
    const double m = 219.97783979301187;  // |190,5 − j110|
    const double d = -30.003332454104;    // its angle
    const TextCase cases[] = {
        {"20,8", false, Kind::Real, 20.8, 0},
        {"20.8", false, Kind::Real, 20.8, 0},
        {"-3,5", false, Kind::Real, -3.5, 0},
        {"+7", false, Kind::Real, 7, 0},
        {"1,2e3", false, Kind::Real, 1200, 0},
        {"1,2E-3", false, Kind::Real, 0.0012, 0},
        {"  1 200,5 ", false, Kind::Real, 1200.5, 0},
        {"-30°", true, Kind::Real, -30, 0},
        {"0,5 рад", true, Kind::Real, 28.64788975654116, 0},
        {"190,5-j110", false, Kind::Complex, m, d},
        {"190,5 − j 110", false, Kind::Complex, m, d},
        {"190,5+j-110", false, Kind::Complex, m, d},
        {"190,5-110j", false, Kind::Complex, m, d},
        {"-j110", false, Kind::Complex, 110, -90},
        {"j5", false, Kind::Complex, 5, 90},
        {"220∠-30", false, Kind::Complex, 220, -30},
        {"220 ∠ -30°", false, Kind::Complex, 220, -30},
        {"220 ej -30", false, Kind::Complex, 220, -30},
        {"220e^(j-30)", false, Kind::Complex, 220, -30},
        {"220·e^(-j30°)", false, Kind::Complex, 220, -30},
        {"220 еj 30", false, Kind::Complex, 220, 30},  // Cyrillic е
        {"220∠0,5236рад", false, Kind::Complex, 220, 30.000066},
        {"20,8∠1,6", true, Kind::Complex, 20.8, 1.6},
        {"-220∠-30", false, Kind::Complex, 220, 150},
        {"", false, Kind::Empty, 0, 0},
        {"   ", true, Kind::Empty, 0, 0},
        {"двадцать", false, Kind::Unreadable, 0, 0},
        {"20,8 А", false, Kind::Unreadable, 0, 0},
        {"1,2,3", false, Kind::Unreadable, 0, 0},
        {"nan", false, Kind::Unreadable, 0, 0},
        {"inf", false, Kind::Unreadable, 0, 0},
        {"1e999", false, Kind::Unreadable, 0, 0},
        {"0,5 рад", false, Kind::Unreadable, 0, 0},
        {"220e^(30)", false, Kind::Unreadable, 0, 0},
        {"220e^(j30", false, Kind::Unreadable, 0, 0},
        {"j5j", false, Kind::Unreadable, 0, 0},
        {"∠30", false, Kind::Unreadable, 0, 0},
        {"абв", true, Kind::Unreadable, 0, 0},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        const ReadAnswer r = ReadAnswerText(c.text, c.angle);
        ASSERT_EQ(r.kind, c.kind);
        if (c.kind == Kind::Real) {
            EXPECT_NEAR(r.value, c.a, kTolerance * std::max(1.0, std::abs(c.a)));
        }
        if (c.kind == Kind::Complex) {
            EXPECT_NEAR(r.modulus, c.a, 1e-4);
            EXPECT_NEAR(r.degrees, c.b, 1e-4);
        }
        if (c.kind == Kind::Unreadable) {
            EXPECT_EQ(
                r.hint,
                c.angle ? "Ожидался угол в градусах, например -30 или 45,5 (в радианах — с «рад»: 0,52 рад)."
                        : "Ожидалось число, например 20,8 или 1,2e3, или комплексное значение: "
                          "190,5-j110 или 220∠-30.");
        } else {
            EXPECT_EQ(r.hint, "");
        }
    }
}

}  // namespace
}  // namespace vornik
