#include <gtest/gtest.h>

#include <algorithm>

#include "TestCircuits.h"

namespace vornik {
namespace {

using test::Circuit;
using test::kDeg;
using test::Session;

// The first line of every emergency report, in document order.
std::vector<std::string> Preambles(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (size_t k = 0; k + 1 < lines.size(); ++k) {
        if (lines[k] == "РАБОТА В АВАРИЙНОМ РЕЖИМЕ" || lines[k] == "АВАРИЙНЫЙ РЕЖИМ РАБОТЫ") {
            out.push_back(lines[k + 1].empty() ? lines[k + 2] : lines[k + 1]);
        }
    }
    return out;
}

TEST(StarRun, AllSixModesInStepOrderFillEverySlot) {
    CircuitInput p = Circuit("10", "0", "20", "0", "20", "0");
    for (int box = 2; box <= 7; ++box) {
        p.SetChecked(box, true);
    }
    Session run;
    ASSERT_TRUE(run.Execute(p));
    const auto pre = Preambles(run.doc.lines);
    ASSERT_EQ(pre.size(), 6u);
    const char* expected[] = {"коротком замыкании фазы \"A\"", "линейного провода фазы \"A\"",
                              "коротком замыкании фазы \"B\"", "линейного провода фазы \"B\"",
                              "коротком замыкании фазы \"C\"", "линейного провода фазы \"C\""};
    for (int k = 0; k < 6; ++k) {
        EXPECT_NE(pre[k].find(expected[k]), std::string::npos) << pre[k];
    }
    // Each slot's phase currents (modulus in A, angle in degrees) from an independent calculation;
    // a line-wire break keeps the other two phases in A, B, C order, its third branch is not its own.
    struct Current {
        double mod;
        double deg;
    };
    struct SlotCurrents {
        const char* mode;
        std::vector<Current> currents;
    };
    const SlotCurrents slots[kModeSlotCount] = {
        {"normal", {{28.5, 0}, {21.767235, -130.8934}, {21.767235, 130.8934}}},
        {"short circuit A", {{56.943057, 0}, {32.884311, -149.9752}, {32.884311, 149.9752}}},
        {"wire A broken: B, C", {{16.454483, -90}, {16.454483, 90}}},
        {"short circuit B", {{65.735788, 29.9752}, {86.938530, -130.8934}, {32.876118, 90.0496}}},
        {"wire B broken: A, C", {{21.939310, -30}, {21.939310, 150}}},
        {"short circuit C", {{65.735788, -29.9752}, {32.876118, -90.0496}, {86.938530, 130.8934}}},
        {"wire C broken: A, B", {{21.939310, 30}, {21.939310, -150}}},
    };
    for (int slot = 0; slot < kModeSlotCount; ++slot) {
        const SolutionRecord& rec = run.state.modeSlots[slot];
        for (size_t k = 0; k < slots[slot].currents.size(); ++k) {
            SCOPED_TRACE(testing::Message() << slots[slot].mode << ", current " << k + 1);
            const Current& i = slots[slot].currents[k];
            EXPECT_NEAR(rec[IaMod + 4 * k], i.mod, 1e-6);
            EXPECT_NEAR(rec[IaArg + 4 * k] / kDeg, i.deg, 1e-4);
        }
    }
    // Slot 1 is the short circuit of A: its branch a is the 0,01 shunt.
    EXPECT_EQ(run.state.modeSlots[1][Ra], 0.01);
    // Slot 2 (wire A broken) keeps the third-branch fields of the run just before it (slot 1).
    for (int f :
         {8, 9, 10, 11, 20, 21, 22, 23, 33, 34, 35, 36, 50, 51, 52, 53, 62, 63, 64, 65, 80, 81, 82, 83}) {
        EXPECT_EQ(run.state.modeSlots[2][f], run.state.modeSlots[1][f]) << "field " << f;
    }
    // The live record ends with the last step (wire C broken: branches A and B).
    EXPECT_EQ(run.state.live, run.state.modeSlots[6]);
}

TEST(StarRun, OnlyTheNormalModeChangesOnlySlotZero) {
    Session run;
    for (auto& slot : run.state.modeSlots) {
        slot.fill(3.0);
    }
    ASSERT_TRUE(run.Execute(Circuit("10", "0", "10", "0", "10", "0")));
    EXPECT_NEAR(run.state.modeSlots[0][IaMod], 38, 1e-9);
    for (int slot = 1; slot < kModeSlotCount; ++slot) {
        EXPECT_EQ(run.state.modeSlots[slot][IaMod], 3.0) << "slot " << slot;
    }
    EXPECT_EQ(run.doc.lines.size(), 56u);
}

TEST(StarRun, PrecisionSettingsAreNegatedAndApplied) {
    Session run;
    run.precision.texts[SRe] = "5";
    ASSERT_TRUE(run.Execute(Circuit("10", "5", "20", "-10", "15", "0", true)));
    EXPECT_EQ(run.state.precision[SRe], -5);
    EXPECT_EQ(run.state.precision[ZMag], -1);
    EXPECT_NE(std::find(run.doc.lines.begin(), run.doc.lines.end(), "P= 26864,227 (Vt) Q= 2463 (Var)"),
              run.doc.lines.end());
}

TEST(StarRun, FailuresStopTheRunAndKeepWhatWasDone) {
    struct Case {
        const char* name;
        CircuitInput params;
        std::string precisionText;  // replaces I.mag when set
        const char* solverMessage;
        const char* runtimeMessage;
        size_t linesLeft;  // document lines after the failure (previous report = 56 lines)
    };
    CircuitInput shuntZero = Circuit("10", "0", "10", "0", "10", "0");
    shuntZero[Param::Edit12] = "0";
    shuntZero.SetChecked(2, true);
    shuntZero.SetChecked(3, true);
    CircuitInput badR0 = Circuit("10", "0", "10", "0", "10", "0");
    badR0[Param::Edit10] = "1,,5";
    CircuitInput cancel = Circuit("0", "10", "0", "-20", "0", "-20");
    const Case cases[] = {
        {"emptied precision box", Circuit("10", "0", "10", "0", "10", "0"), "", nullptr,
         "'' is not a valid integer value.", 56},
        {"shunt of B is zero", shuntZero, "1", "Сопротивление не может быть равно нулю!", nullptr, 56 + 54},
        {"R0 read although the neutral wire is off", badR0, "1", nullptr,
         "'1,,5' is not a valid floating point value.", 56},
        {"neutral-shift denominator vanishes", cancel, "1", nullptr, "Division by zero.", 56},
    };
    for (const auto& c : cases) {
        Session run;
        ASSERT_TRUE(run.Execute(Circuit("10", "0", "20", "0", "20", "0"))) << c.name;
        const auto before = run.doc.lines;
        run.precision.texts[IMag] = c.precisionText;
        EXPECT_FALSE(run.Execute(c.params)) << c.name;
        ASSERT_EQ(run.messages.Count(), 1u) << c.name;
        if (c.solverMessage) {
            EXPECT_EQ(run.messages.solver.at(0), c.solverMessage) << c.name;
        } else {
            EXPECT_EQ(run.messages.runtime.at(0), c.runtimeMessage) << c.name;
        }
        // The outcome holds the message told, and which box it goes in.
        EXPECT_EQ(run.outcome.message, c.solverMessage ? c.solverMessage : c.runtimeMessage) << c.name;
        EXPECT_EQ(run.outcome.error, c.solverMessage == nullptr) << c.name;
        EXPECT_EQ(run.doc.lines.size(), c.linesLeft) << c.name;
        if (c.linesLeft == 56 && c.solverMessage == nullptr) {
            EXPECT_EQ(run.doc.lines, before) << c.name << ": the previous report stays";
        }
    }
}

TEST(StarRun, ShuntZeroLeavesEarlierSlotsFilled) {
    CircuitInput p = Circuit("10", "0", "10", "0", "10", "0");
    p[Param::Edit12] = "0";
    p.SetChecked(2, true);
    p.SetChecked(3, true);
    Session run;
    EXPECT_FALSE(run.Execute(p));
    EXPECT_EQ(run.state.modeSlots[1][Ra], 0.01) << "short circuit A ran before the failure";
    EXPECT_EQ(run.state.modeSlots[3][UaMod], 0) << "short circuit B never reached its snapshot";
}

// Absurd and odd texts end in a report or exactly one message, never a crash.
TEST(StarRun, OddInputsEndInAReportOrOneMessage) {
    const char* texts[] = {"1E308", "-1E308", "-0", "1e-300", "9999", "1e400", "", ",", "-", "0"};
    for (const char* t : texts) {
        for (const char* where : {"r", "u", "angle", "r0"}) {
            CircuitInput p = Circuit("10", "1", "10", "2", "10", "3", true);
            for (int box = 2; box <= 7; ++box) {
                p.SetChecked(box, true);
            }
            const std::string w = where;
            if (w == "r")
                p[Param::Edit6] = t;
            if (w == "u")
                p[Param::ComboBox2] = t;
            if (w == "angle")
                p[Param::Edit3] = t;
            if (w == "r0")
                p[Param::Edit10] = t;
            Session run;
            const bool ok = run.Execute(p);
            EXPECT_EQ(run.messages.Count(), ok ? 0u : 1u) << t << " in " << where;
            if (ok) {
                EXPECT_EQ(run.doc.lines.size(), 436u) << t << " in " << where;
            }
        }
    }
}

// After a failure the run names the control to blame: the first text it converts that is no
// number, in the order its steps read them, or the first field whose resistance is zero.
TEST(RunFailedField, NamesTheControlToBlame) {
    struct Case {
        const char* what;
        bool star;
        std::vector<std::pair<Param, const char*>> texts;
        std::vector<int> ticks;
        const char* precision5;  // text of ComboBox5 of the precision form, or null
        const char* field;       // expected control, or "" when the run names none
    };
    const Case cases[] = {
        {"a resistance", true, {{Param::Edit4, "1,2,"}}, {}, nullptr, "Form3-Edit4"},
        {"a voltage before a resistance",
         true,
         {{Param::Edit4, "y"}, {Param::ComboBox2, "x"}},
         {},
         nullptr,
         "Form3-ComboBox2"},
        {"the same text: angle A before modulus B",
         true,
         {{Param::ComboBox2, "a"}, {Param::Edit1, "a"}},
         {},
         nullptr,
         "Form3-Edit1"},
        {"delta: the same text: angle A before modulus B",
         false,
         {{Param::ComboBox2, "a"}, {Param::Edit1, "a"}},
         {},
         nullptr,
         "Form3-Edit1"},
        {"delta: a reactance", false, {{Param::Edit9, "-"}}, {}, nullptr, "Form3-Edit9"},
        {"star reads R0 without the neutral wire", true, {{Param::Edit10, ","}}, {}, nullptr, "Form3-Edit10"},
        {"delta does not read R0", false, {{Param::Edit10, ","}}, {}, nullptr, ""},
        {"the shunt of a ticked short circuit",
         true,
         {{Param::Edit12, "1,2,"}},
         {2, 3},
         nullptr,
         "Form3-Edit12"},
        {"an unticked shunt before a ticked one",
         true,
         {{Param::Edit11, "a"}, {Param::Edit12, "b"}},
         {3},
         nullptr,
         "Form3-Edit12"},
        {"a precision box", true, {}, {}, "x", "Form4-ComboBox5"},
        {"the precision is read before the form", true, {{Param::Edit4, "y"}}, {}, "x", "Form4-ComboBox5"},
        {"a zero resistance", true, {{Param::Edit4, "0"}}, {}, nullptr, "Form3-Edit4"},
        {"the first of two zero resistances",
         true,
         {{Param::Edit8, "0"}, {Param::Edit6, "0"}},
         {},
         nullptr,
         "Form3-Edit6"},
        {"a zero R0", true, {{Param::Edit10, "0"}}, {}, nullptr, "Form3-Edit10"},
        {"a zero shunt", true, {{Param::Edit13, "0"}}, {4}, nullptr, "Form3-Edit13"},
        {"delta: a zero resistance", false, {{Param::Edit6, "0"}}, {}, nullptr, "Form3-Edit6"},
        {"delta: a zero voltage over a zero resistance is no zero resistance",
         false,
         {{Param::ComboBox1, "0"}, {Param::Edit4, "0"}},
         {},
         nullptr,
         ""},
        {"a division by zero names no field",
         true,
         {{Param::Edit4, "0"},
          {Param::Edit5, "10"},
          {Param::Edit6, "0"},
          {Param::Edit7, "-20"},
          {Param::Edit8, "0"},
          {Param::Edit9, "-20"}},
         {},
         nullptr,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CircuitInput p = test::Circuit("10", "0", "10", "0", "10", "0", false, c.star);
        for (const auto& [field, text] : c.texts) {
            p[field] = text;
        }
        for (int box : c.ticks) {
            p.SetChecked(box, true);
        }
        Session run;
        if (c.precision5) {
            run.precision.texts[4] = c.precision5;
        }
        run.Execute(p);
        EXPECT_EQ(run.outcome.field, c.field);
        const std::vector<std::string> told =
            *c.field ? std::vector<std::string>{c.field} : std::vector<std::string>{};
        EXPECT_EQ(run.messages.fields, told);
    }
}

}  // namespace
}  // namespace vornik
