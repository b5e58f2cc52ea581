#include <gtest/gtest.h>

#include <cmath>

#include "TestCircuits.h"
#include "solver/SolverErrors.h"
#include "solver/StarSolver.h"

namespace vornik {
namespace {

using test::Circuit;
using test::kDeg;

SolutionRecord SolveNormal(const CircuitInput& p) {
    SolutionRecord r{};
    SolveStar(r, p,
              {{{p.Text(Param::Edit4), p.Text(Param::Edit5)},
                {p.Text(Param::Edit6), p.Text(Param::Edit7)},
                {p.Text(Param::Edit8), p.Text(Param::Edit9)}}});
    return r;
}

TEST(SolveStar, BalancedLoadHasNoNeutralShift) {
    const SolutionRecord r = SolveNormal(Circuit("10", "0", "10", "0", "10", "0"));
    EXPECT_EQ(r[U0Mod], 0);
    EXPECT_EQ(r[U0Arg], 0);
    EXPECT_LT(std::fabs(r[U0Re]), 1e-12);
    EXPECT_NEAR(r[IaMod], 38, 1e-9);
    EXPECT_NEAR(r[IbMod], 38, 1e-9);
    EXPECT_NEAR(r[IcMod], 38, 1e-9);
    EXPECT_NEAR(r[IaArg], 0, 1e-12);
    EXPECT_NEAR(r[IbArg] / kDeg, -120, 1e-9);
    EXPECT_NEAR(r[IcArg] / kDeg, 120, 1e-9);
    EXPECT_NEAR(r[PTotal], 43320, 1e-8);
    EXPECT_NEAR(r[PBalance], 43320, 1e-8);
}

TEST(SolveStar, UnbalancedWithoutNeutralStillComputesTheSecondNeutralCurrent) {
    const SolutionRecord r = SolveNormal(Circuit("10", "0", "20", "0", "20", "0"));
    EXPECT_NEAR(r[U0Mod], 95, 1e-9);
    EXPECT_NEAR(r[U0Arg], 0, 1e-12);
    EXPECT_NEAR(r[IaMod], 28.5, 1e-9);
    EXPECT_NEAR(r[IbMod], 21.767, 1e-3);
    EXPECT_NEAR(r[IbArg] / kDeg, -130.89, 1e-2);
    EXPECT_NEAR(r[IcArg] / kDeg, 130.89, 1e-2);
    EXPECT_LT(r[I0Mod], 1e-9);
    EXPECT_NEAR(r[I0ViaU0Mod], 95, 1e-9);
}

TEST(SolveStar, MixedLoadWithAndWithoutNeutral) {
    CircuitInput p = Circuit("10", "5", "20", "-10", "15", "0", true);
    SolutionRecord r = SolveNormal(p);
    EXPECT_NEAR(r[U0Mod], 16.510, 1e-3);
    EXPECT_NEAR(r[U0Arg] / kDeg, -30.488, 1e-3);
    EXPECT_NEAR(r[IaMod], 32.724, 1e-3);
    EXPECT_NEAR(r[IaArg] / kDeg, -25.253, 1e-3);
    EXPECT_NEAR(r[IbMod], 17.004, 1e-3);
    EXPECT_NEAR(r[IbArg] / kDeg, -95.924, 1e-3);
    EXPECT_NEAR(r[IcMod], 26.297, 1e-3);
    EXPECT_NEAR(r[IcArg] / kDeg, 121.181, 1e-3);
    EXPECT_NEAR(r[I0Mod], 16.510, 1e-3);
    EXPECT_NEAR(r[I0ViaU0Mod], 16.510, 1e-3);
    EXPECT_NEAR(r[PTotal], 26864.23, 1e-2);
    EXPECT_NEAR(r[PBalance], 26864.23, 1e-2);
    EXPECT_NEAR(r[QTotal], 2463.09, 1e-2);
    EXPECT_NEAR(r[QBalance], 2463.09, 1e-2);

    p.SetChecked(1, false);
    r = SolveNormal(p);
    EXPECT_NEAR(r[U0Mod], 104.371, 1e-3);
    EXPECT_NEAR(r[U0Arg] / kDeg, -25.338, 1e-3);
    EXPECT_NEAR(r[IaMod], 25.861, 1e-3);
    EXPECT_NEAR(r[IaArg] / kDeg, -17.678, 1e-3);
    EXPECT_NEAR(r[IbMod], 17.986, 1e-3);
    EXPECT_NEAR(r[IbArg] / kDeg, -108.426, 1e-3);
    EXPECT_NEAR(r[IcMod], 31.308, 1e-3);
    EXPECT_NEAR(r[IcArg] / kDeg, 127.262, 1e-3);
    EXPECT_NEAR(r[PTotal], 27860.28, 1e-2);
    EXPECT_NEAR(r[QTotal], 109.26, 1e-2);
}

TEST(SolveStar, ShortCircuitOfPhaseAThroughTheShunt) {
    CircuitInput p = Circuit("0", "0", "10", "0", "10", "0");
    SolutionRecord r{};
    SolveStar(r, p, {{{"0,01", "0"}, {"10", "0"}, {"10", "0"}}});
    EXPECT_NEAR(r[U0Mod], 378.86, 1e-2);
    EXPECT_NEAR(r[IaMod], 113.77, 1e-2);
    EXPECT_EQ(r[Ra], 0.01);
    p.SetChecked(1, true);
    SolveStar(r, p, {{{"0,01", "0"}, {"10", "0"}, {"10", "0"}}});
    EXPECT_NEAR(r[U0Mod], 375.12, 1e-2);
    EXPECT_NEAR(r[IaMod], 488.14, 1e-2);
}

TEST(SolveStarTwoPhase, BreakOfWireALeavesTheThirdBranchUntouched) {
    const CircuitInput p = Circuit("10", "0", "10", "0", "10", "0");
    SolutionRecord r{};
    r.fill(7.0);
    SolveStarTwoPhase(r, p, {{{"380", "-120"}, {"380", "120"}}}, {{{"10", "0"}, {"10", "0"}}});
    EXPECT_NEAR(r[U0Mod], 190, 1e-9);
    EXPECT_NEAR(r[U0Arg], 3.141592653589793, 1e-12);
    EXPECT_NEAR(r[U0Re], -190, 1e-9);
    EXPECT_NEAR(r[IaMod], 32.909, 1e-3);
    EXPECT_NEAR(r[IaArg] / kDeg, -90, 1e-9);
    EXPECT_NEAR(r[IbMod], 32.909, 1e-3);
    EXPECT_NEAR(r[IbArg] / kDeg, 90, 1e-9);
    EXPECT_NEAR(r[PTotal], 21660, 1e-8);
    EXPECT_NEAR(r[PBalance], 21660, 1e-8);
    for (int f :
         {8, 9, 10, 11, 20, 21, 22, 23, 33, 34, 35, 36, 50, 51, 52, 53, 62, 63, 64, 65, 80, 81, 82, 83}) {
        EXPECT_EQ(r[f], 7.0) << "field " << f << " belongs to the absent third branch";
    }
}

TEST(SolveStar, FailuresAndWhatTheyLeaveBehind) {
    struct Case {
        const char* name;
        CircuitInput params;
        const char* message;
        bool runtime;
    };
    CircuitInput r0Zero = Circuit("10", "0", "10", "0", "10", "0");
    r0Zero[Param::Edit10] = "0";
    CircuitInput badAngle = Circuit("10", "0", "10", "0", "10", "0");
    badAngle[Param::Edit2] = "-";
    const Case cases[] = {
        {"default form: all zero", Circuit("0", "0", "0", "0", "0", "0"),
         "Сопротивление не может быть равно нулю!", false},
        {"R0 = 0 without the neutral wire", r0Zero, "Сопротивление не может быть равно нулю!", false},
        {"admittances cancel", Circuit("0", "10", "0", "-20", "0", "-20"), "Division by zero", true},
        {"lone minus as an angle", badAngle, "'-' is not a valid floating point value", true},
    };
    for (const auto& c : cases) {
        try {
            SolveNormal(c.params);
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const SolverMessage& e) {
            EXPECT_FALSE(c.runtime) << c.name;
            EXPECT_STREQ(e.what(), c.message) << c.name;
        } catch (const RuntimeError& e) {
            EXPECT_TRUE(c.runtime) << c.name;
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
    }
    // Fields written before the failing step keep their values.
    SolutionRecord r{};
    const CircuitInput zero = Circuit("0", "0", "0", "0", "0", "0");
    EXPECT_THROW(SolveStar(r, zero, {{{"0", "0"}, {"0", "0"}, {"0", "0"}}}), SolverMessage);
    EXPECT_EQ(r[UaMod], 380);
    EXPECT_EQ(r[R0], 1);
    EXPECT_EQ(r[YaMod], 0);
}

}  // namespace
}  // namespace vornik
