#include <gtest/gtest.h>

#include <algorithm>

#include "Golden.h"
#include "TestCircuits.h"
#include "report/DeltaReport.h"
#include "solver/DeltaSolver.h"
#include "solver/SolverErrors.h"

namespace vornik {
namespace {

using test::Circuit;
using test::kDeg;
using test::Session;

CircuitInput Delta(const char* r1, const char* x1, const char* r2, const char* x2, const char* r3,
                   const char* x3) {
    return Circuit(r1, x1, r2, x2, r3, x3, false, false);
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(SolveDelta, BalancedAndMixedLoads) {
    SolutionRecord r{};
    const CircuitInput p = Delta("10", "0", "10", "0", "10", "0");
    SolveDelta(r, p, {{{"10", "0"}, {"10", "0"}, {"10", "0"}}});
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(r[YaMod + 4 * k], 38, 1e-9);
        EXPECT_NEAR(r[UaLoadMod + 4 * k], 65.818, 1e-3);
    }
    EXPECT_NEAR(r[UaLoadArg] / kDeg, -30, 1e-9);
    EXPECT_NEAR(r[UbLoadArg] / kDeg, -150, 1e-9);
    EXPECT_NEAR(r[UcLoadArg] / kDeg, 90, 1e-9);
    EXPECT_NEAR(r[PTotal], 43320, 1e-8);
    EXPECT_NEAR(r[PBalance], 43320, 1e-8);

    SolveDelta(r, p, {{{"10", "5"}, {"20", "-10"}, {"15", "0"}}});
    const double expected[][2] = {{33.988, -26.565}, {16.994, -93.435},  {25.333, 120},
                                  {56.869, -40.773}, {31.468, -176.787}, {40.609, 106.669}};
    const int fields[] = {YaMod, YbMod, YcMod, UaLoadMod, UbLoadMod, UcLoadMod};
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(r[fields[k]], expected[k][0], 1e-3) << k;
        EXPECT_NEAR(r[fields[k] + 1] / kDeg, expected[k][1], 1e-3) << k;
    }
    EXPECT_NEAR(r[PTotal], 26954.67, 1e-2);
    EXPECT_NEAR(r[PBalance], 26954.67, 1e-2);
    EXPECT_NEAR(r[QTotal], 2888, 0.5);
    EXPECT_NEAR(r[QBalance], 2888, 0.5);
}

TEST(SolveDelta, ZeroImpedanceMessages) {
    struct Case {
        const char* name;
        const char* uab;
        const char* message;
    };
    const Case cases[] = {{"Zab zero", "380", "Сопротивление не может быть равно нулю!"},
                          {"Zab zero and Uab zero", "0", "Не верные данные!"}};
    for (const auto& c : cases) {
        CircuitInput p = Delta("0", "0", "10", "0", "10", "0");
        p[Param::ComboBox1] = c.uab;
        SolutionRecord r{};
        try {
            SolveDelta(r, p, {{{"0", "0"}, {"10", "0"}, {"10", "0"}}});
            ADD_FAILURE() << c.name;
        } catch (const SolverMessage& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
        EXPECT_EQ(r[YaMod], 0) << c.name << ": no current stored before the failure";
    }
    SolutionRecord r{};
    EXPECT_THROW(SolveDeltaLineBreak(r, 380, 0, 10, 0, 5, 10, -5, -10), SolverMessage)
        << "series pair cancels";
    EXPECT_THROW(SolveDeltaLineBreak(r, 380, 0, 0, 0, 5, 10, 5, 10), SolverMessage) << "direct phase zero";
}

TEST(SolveDelta, LineBreakOfWireA) {
    SolutionRecord r{};
    const CircuitInput p = Delta("10", "0", "10", "0", "10", "0");
    SolveDelta(r, p, {{{"10", "0"}, {"10", "0"}, {"10", "0"}}});
    SolveDeltaLineBreak(r, r[UbMod], r[UbArg], r[Rb], r[Xb], r[Rc], r[Xc], r[Ra], r[Xa]);
    EXPECT_NEAR(r[YaMod], 38, 1e-9);
    EXPECT_NEAR(r[YaArg] / kDeg, -120, 1e-9);
    EXPECT_NEAR(r[YbMod], 19, 1e-9);
    EXPECT_EQ(r[YbMod], r[YcMod]);
    EXPECT_EQ(r[YbRe], r[YcRe]);
    EXPECT_NEAR(r[IaMod], 190, 1e-9);
    EXPECT_NEAR(r[IbMod], 190, 1e-9);
    EXPECT_NEAR(r[Pa], 14440, 1e-8);
    EXPECT_NEAR(r[Pb], 3610, 1e-8);
    EXPECT_NEAR(r[Pc], 3610, 1e-8);
    EXPECT_NEAR(r[PTotal], 21660, 1e-8);
    EXPECT_NEAR(r[PBalance], 21660, 1e-8);
    EXPECT_EQ(r[Y0], 20);
    EXPECT_EQ(r[U0Mod], 0);
}

TEST(DeltaRun, AllModesInOrderWithTheDeltaSlotNumbering) {
    CircuitInput p = Delta("10", "0", "10", "0", "10", "0");
    for (int box = 2; box <= 7; ++box) {
        p.SetChecked(box, true);
    }
    Session run;
    ASSERT_TRUE(run.Execute(p));
    EXPECT_EQ(run.doc.lines.size(), 46u + 3 * 15 + 3 * 47);
    std::vector<std::string> order;
    for (const auto& line : run.doc.lines) {
        if (line.rfind("При обрыве", 0) == 0) {
            order.push_back(line.substr(0, line.find(' ', line.find('"'))));
        }
    }
    const std::vector<std::string> expected = {
        "При обрыве фазы \"AB\"", "При обрыве линейного провода \"A\"",
        "При обрыве фазы \"BC\"", "При обрыве линейного провода \"B\"",
        "При обрыве фазы \"CA\"", "При обрыве линейного провода \"C\""};
    EXPECT_EQ(order, expected);
    // Slots 1..3: load-phase breaks = normal record with new line currents.
    for (int slot = 1; slot <= 3; ++slot) {
        for (int f = 0; f < kFieldCount; ++f) {
            if (f < UaLoadMod || f > UcLoadIm) {
                EXPECT_EQ(run.state.modeSlots[slot][f], run.state.modeSlots[0][f])
                    << "slot " << slot << " field " << f;
            }
        }
    }
    // Slots 4..6: line-wire breaks; the live record is the restored normal mode at the end.
    EXPECT_NEAR(run.state.modeSlots[4][YbMod], 19, 1e-9);
    EXPECT_NEAR(run.state.modeSlots[5][YbMod], 19, 1e-9);
    EXPECT_NEAR(run.state.modeSlots[6][YbMod], 19, 1e-9);
    EXPECT_EQ(run.state.live, run.state.modeSlots[0]);
    // Slot 1 (AB broken): Ia = -Ica at -60, Ib = Ibc, Ic unchanged.
    EXPECT_NEAR(run.state.modeSlots[1][UaLoadMod], 38, 1e-9);
    EXPECT_NEAR(run.state.modeSlots[1][UaLoadArg] / kDeg, -60, 1e-9);
    EXPECT_NEAR(run.state.modeSlots[1][UbLoadArg] / kDeg, -120, 1e-9);
    EXPECT_NEAR(run.state.modeSlots[1][UcLoadMod], 65.818, 1e-3);
    EXPECT_NEAR(run.state.modeSlots[1][YaMod], 38, 1e-9)
        << "the broken phase's current field keeps its normal value";
}

TEST(DeltaRun, LoadPhaseBreakAfterLineBreakStartsFromTheNormalCurrents) {
    CircuitInput p = Delta("10", "0", "10", "0", "10", "0");
    p.SetChecked(6, true);  // line wire B
    p.SetChecked(4, true);  // load phase CA
    Session run;
    ASSERT_TRUE(run.Execute(p));
    const SolutionRecord& s = run.state.modeSlots[3];
    EXPECT_NEAR(s[UaLoadMod], 38, 1e-9);
    EXPECT_NEAR(s[UaLoadArg] / kDeg, 0, 1e-9);
    EXPECT_NEAR(s[UbLoadMod], 65.818, 1e-3);
    EXPECT_NEAR(s[UbLoadArg] / kDeg, -150, 1e-9);
    EXPECT_NEAR(s[UcLoadMod], 38, 1e-9);
    EXPECT_NEAR(s[UcLoadArg] / kDeg, 60, 1e-9);
    // Its report shows the normal-mode phase currents Iab and Ibc.
    const std::vector<std::string> tail(run.doc.lines.end() - 15, run.doc.lines.end());
    EXPECT_EQ(tail[7], "Iab=Uab/Rab= 38 ej 0 = 38+j 0 (A)");
    EXPECT_EQ(tail[8], "Ibc=Ubc/Rbc= 38 ej -120 = -19+j -32,9 (A)");
    EXPECT_EQ(tail[14], "Ic=Ica-Ibc = 19+j 32,9 = 38 ej 60 (A)");
}

TEST(DeltaRun, StarOnlyFieldsSurviveADeltaRun) {
    Session run;
    CircuitInput star = Circuit("10", "0", "20", "0", "20", "0", true);
    ASSERT_TRUE(run.Execute(star));
    const SolutionRecord starRecord = run.state.live;
    ASSERT_TRUE(run.Execute(Delta("10", "0", "10", "0", "10", "0")));
    std::vector<int> starOnly = {R0};
    for (int f = Y0; f <= U0Im; ++f) starOnly.push_back(f);
    for (int f = IaMod; f <= I0ViaU0Arg; ++f) starOnly.push_back(f);
    for (int f : starOnly) {
        EXPECT_EQ(run.state.live[f], starRecord[f]) << "field " << f;
        EXPECT_EQ(run.state.modeSlots[0][f], starRecord[f]) << "slot 0 field " << f;
    }
}

TEST(DeltaRun, FailureInALineBreakStepKeepsItsPartialResults) {
    CircuitInput p = Delta("10", "0", "5", "10", "-5", "-10");
    p.SetChecked(5, true);  // wire A: series pair CA + AB = (-5-10j) + (10+0j) is fine
    p.SetChecked(7, true);  // wire C: series pair BC + CA = 0 -> fails
    Session run;
    EXPECT_FALSE(run.Execute(p));
    ASSERT_EQ(run.messages.solver.size(), 1u);
    EXPECT_EQ(run.messages.solver[0], "Сопротивление не может быть равно нулю!")
        << "U/(Zs1+Zs2) with the pair cancelling";
    EXPECT_EQ(run.doc.lines.size(), 46u + 47u);
    EXPECT_EQ(run.state.live[IcMod], 380) << "the failing step wrote its line voltage and was not restored";
    EXPECT_EQ(run.state.modeSlots[0][IcMod], 0);
}

TEST(DeltaReport, LineCountsAndKeyLines) {
    Session run;
    CircuitInput p = Delta("10", "0", "10", "0", "10", "0");
    p.SetChecked(5, true);
    ASSERT_TRUE(run.Execute(p));
    const auto& l = run.doc.lines;
    ASSERT_EQ(l.size(), 46u + 47u);
    EXPECT_EQ(l[3], "Uab= 380ej0 = 380 +j 0 (B)");
    EXPECT_EQ(l[4], "Ubc= 380ej-120 = -190 +j -329 (B)");
    EXPECT_EQ(l[5], "Uca= 380ej120 = -190 +j 329 (B)");
    EXPECT_EQ(l[19], "Ia=Iab-Ica= 57+j -32,9 = 65,8 ej -30 (A)");
    EXPECT_EQ(l[44], "Баланс мощностей сходится значит задача решина верно!");
    const std::vector<std::string> b(l.begin() + 46, l.end());
    EXPECT_EQ(b[3],
              "При обрыве линейного провода \"A\" для схемы \"треугольник\" трёх фазная цепь вырождается в "
              "двух фазную.");
    EXPECT_EQ(b[7], "Ubc= 380 ej -120 = -190+j -329 (B)");
    EXPECT_EQ(b[9],
              "2. Эквивалентное сопротивление ветви Rcab в комплексном виде в алгебраической и показательной "
              "формах записи:");
    EXPECT_EQ(b[11], "Zcab= Zca+Zab = 20 +j 0 = 20 ej 0 (Om)");
    EXPECT_EQ(b[15], "Ibc=Ubc/Zbc= 38 ej -120 = -19+j -32,9 (A)");
    EXPECT_EQ(b[16], "Ica=Iab=Ubc/Zcab= 19 ej -120 = -9,5+j -16,5 (A)");
    EXPECT_EQ(b[20], "Ubc=380 ej -120 = -190+j -329 (B)");
    EXPECT_EQ(b[21], "Uca=190 ej -120 = -95+j -165 (B)");
    EXPECT_EQ(b[24], "4. Мощность фаз:");
    EXPECT_TRUE(Has(b, "P=Pbc+Pca+Pab=Ibc^2*Rbc+Ica^2*Rca+Iab^2*Rab=21660 (Vt) "));
    EXPECT_EQ(b[45], "Баланс мощностей сходится значит задача решена верно!");
}

TEST(DeltaReport, PhaseBreakVariants) {
    CalcState state;
    LinesDocument doc;
    for (int variant = 0; variant <= 4; ++variant) {
        doc.Clear();
        WriteDeltaPhaseBreakReport(state, doc, "BC", "AB", "CA", variant);
        const bool known = variant >= 1 && variant <= 3;
        EXPECT_EQ(doc.lines.size(), known ? 15u : 13u) << variant;
        EXPECT_EQ(doc.lines.back().rfind("Ic=Ica-Ibc = ", 0), 0u)
            << "ends with the Ic line, variant " << variant;
    }
    doc.Clear();
    WriteDeltaPhaseBreakReport(state, doc, "BC", "AB", "CA", 2);
    EXPECT_EQ(
        doc.lines[3],
        "При обрыве фазы \"BC\" сопротивление её равно бесконечности, следовательно, ток в ней равен нулю. "
        "Токи в фазах \"AB\" и \"CA\" остаются такими же как до обрыва фазы \"BC\" вследствии того, что "
        "линейные, а, следовательно, и фазные напряжения не изменяются:");
    EXPECT_EQ(doc.lines[7].rfind("Iab=Uab/Rab= ", 0), 0u);
    EXPECT_EQ(doc.lines[8].rfind("Ica=Uca/Rca= ", 0), 0u);
}

TEST(DeltaReport, GoldenFullRun) {
    CircuitInput p = Delta("10", "5", "20", "-10", "15", "0");
    for (int box = 2; box <= 7; ++box) {
        p.SetChecked(box, true);
    }
    Session run;
    ASSERT_TRUE(run.Execute(p));
    test::ExpectGolden(run.doc.lines, "delta_all_modes.txt");
}

}  // namespace
}  // namespace vornik
