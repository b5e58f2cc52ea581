#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "Golden.h"
#include "TestCircuits.h"
#include "report/StarReport.h"
#include "solver/StarSolver.h"

namespace vornik {
namespace {

using test::Circuit;
using test::Session;

int CountOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return CountOf(lines, line) > 0;
}

TEST(StarReport, NormalModeHeadOfTheDefaultSupply) {
    Session run;
    ASSERT_TRUE(run.Execute(Circuit("10", "5", "20", "-10", "15", "0", true)));
    const auto& l = run.doc.lines;
    ASSERT_EQ(l.size(), 67u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1],
              "1. Представим напряжение и сопротивление в комплексном виде в алгебраической и показательной "
              "формах записи");
    EXPECT_EQ(l[3], "Ua= 380ej0 = 380 +j 0 (B)");
    EXPECT_EQ(l[4], "Ub= 380ej-120 = -190 +j -329 (B)");
    EXPECT_EQ(l[5], "Uc= 380ej120 = -190 +j 329 (B)");
    EXPECT_EQ(l[7], "Za= 10+j 5 = 11,2 ej 26,6 (Om)");
    EXPECT_EQ(l[8], "Zb= 20+j -10 = 22,4 ej -26,6 (Om)");
    EXPECT_EQ(l[13], "Ya=1/Za= 1/11,2 ej 26,6 = 0,089 ej -26,565 = 0,08+j 0 (Sm)");
    EXPECT_EQ(l[16], "Y0=1/Z0= 1/1 = 1 (Sm)");
    EXPECT_EQ(l[18], "3. Напряжение Смещения нейтрали при наличии нулевого провода:");
    EXPECT_EQ(l[20], "U0=(Ua*Ya+Ub*Yb+Uc*Yc)/(Ya+Yb+Yc+Y0)= 17 ej -30 = 14+j -8 (V)");
    EXPECT_EQ(l.back(), "");
    EXPECT_EQ(l[l.size() - 2], "Баланс мощностей сходится значит задача решена верно!");
    EXPECT_TRUE(Has(l, "Из вычислений видно что ток в нулевом проводе определён правильно."));
    EXPECT_TRUE(Has(l, "P=Pa+Pb+Pc=Ia^2*Ra+Ib^2*Rb+Ic^2*Rc=26864 (Vt) "));
    EXPECT_TRUE(Has(l, "Q=Qa+Qb+Qc=Ia^2*Xa+Ib^2*Xb+Ic^2*Xc=2463 (Var) "));
    EXPECT_TRUE(Has(l, "Sa= 11973 (V*A)    Pa= 10709 (Vt)    Qa= 5354 (Var)"));
}

// Each report's length with and without the neutral wire.
TEST(StarReport, LineCountsPerMode) {
    struct Case {
        const char* name;
        int box;  // 0: normal only
        bool neutral;
        size_t lines;  // of the emergency report alone
    };
    const Case cases[] = {
        {"normal with neutral", 0, true, 67},        {"normal without neutral", 0, false, 56},
        {"short circuit with neutral", 2, true, 65}, {"short circuit without neutral", 3, false, 54},
        {"line break with neutral", 5, true, 58},    {"line break without neutral", 7, false, 47},
    };
    for (const auto& c : cases) {
        CircuitInput p = Circuit("10", "0", "20", "0", "20", "5", c.neutral);
        if (c.box) {
            p.SetChecked(c.box, true);
        }
        Session run;
        ASSERT_TRUE(run.Execute(p)) << c.name;
        const size_t normal = c.neutral ? 67 : 56;
        EXPECT_EQ(run.doc.lines.size(), c.box ? normal + c.lines : c.lines) << c.name;
    }
}

TEST(StarReport, ShortCircuitNamesTheShunt) {
    CircuitInput p = Circuit("10", "0", "10", "0", "10", "0");
    p.SetChecked(3, true);
    Session run;
    ASSERT_TRUE(run.Execute(p));
    const std::vector<std::string> l(run.doc.lines.begin() + 56, run.doc.lines.end());
    EXPECT_EQ(l[0], "РАБОТА В АВАРИЙНОМ РЕЖИМЕ");
    EXPECT_EQ(l[1],
              "При коротком замыкании фазы \"B\" линейный провод этой фазы подводиться непосредственно к "
              "нулевой точке нагрузки.");
    EXPECT_EQ(
        l[3],
        "1. Представим сопротивление в комплексном виде в алгебраической и показательной формах записи");
    EXPECT_EQ(l[6], "Zшунт= 0,01+j 0 = 0 ej 0 (Om)");
    EXPECT_EQ(l[12], "Yшунт=1/Zшунт= 1/0 ej 0 = 100 ej 0 = 100+j 0 (Sm)");
    EXPECT_EQ(l[17], "U0=(Ua*Ya+Uшунт*Yшунт+Uc*Yc)/(Ya+Yшунт+Yc)= 379 ej -120 = -189+j -328 (V)");
    EXPECT_TRUE(Has(l, "Iшунт=Uшунт*Yшунт= 113,8 ej -120 = -56,9+j -98,5 (A)"));
    EXPECT_TRUE(Has(l, "Sшунт=Uшунт`*Iшунт= 129 ej 0 = 129+j 0 (V*A)"));
    EXPECT_TRUE(Has(l, "P=Pa+Pшунт+Pc=Ia^2*Ra+Iшунт^2*Rшунт+Ic^2*Rc=86510 (Vt) "));
}

TEST(StarReport, LineBreakNamesOnlyTheRemainingPhases) {
    CircuitInput p = Circuit("10", "0", "10", "0", "10", "0", true);
    p.SetChecked(5, true);
    Session run;
    ASSERT_TRUE(run.Execute(p));
    const std::vector<std::string> l(run.doc.lines.begin() + 67, run.doc.lines.end());
    ASSERT_EQ(l.size(), 58u);
    EXPECT_EQ(l[0], "РАБОТА В АВАРИЙНОМ РЕЖИМЕ") << "no empty line of its own before the preamble";
    EXPECT_EQ(l[1], "При обрыве линейного провода фазы \"A\" она переходит в высокоэмпедансное состояние");
    EXPECT_EQ(l[5], "Zb= 10+j 0 = 10 ej 0 (Om)");
    EXPECT_EQ(l[6], "Zc= 10+j 0 = 10 ej 0 (Om)");
    EXPECT_TRUE(Has(l, "U0=(Ub*Yb+Uc*Yc)/(Yb+Yc+Y0)= 32 ej 180 = -32+j 0 (V)"));
    EXPECT_TRUE(Has(l, "I0=Ib+Ic= -31,7+j 0 = 31,7 ej 180 (A)"));
    EXPECT_TRUE(Has(l, "S=Sb+Sc= 26674+j 0 (V*A)"));

    // Wire B without the neutral wire: no Y0 line, no neutral-current section.
    CircuitInput q = Circuit("10", "0", "10", "0", "10", "0", false);
    q.SetChecked(6, true);
    Session run2;
    ASSERT_TRUE(run2.Execute(q));
    const std::vector<std::string> m(run2.doc.lines.begin() + 56, run2.doc.lines.end());
    ASSERT_EQ(m.size(), 47u);
    EXPECT_TRUE(Has(m, "3. Напряжение Смещения нейтрали при отсутствии нулевого провода:"));
    EXPECT_TRUE(Has(m, "U0=(Ua*Ya+Uc*Yc)/(Ya+Yc)= 190 ej 60 = 95+j 165 (V)"));
    EXPECT_FALSE(Has(m, "Y0=1/Z0= 1/1 = 1 (Sm)"));
    EXPECT_EQ(CountOf(m, "Из вычислений видно что ток в нулевом проводе определён правильно."), 0);
}

TEST(StarReport, CheckSentencesAreUnconditional) {
    // Hand-made record whose two neutral currents and two power totals disagree.
    CalcState state;
    for (int k = 0; k < kPrecisionCount; ++k) {
        state.precision[k] = 0;
    }
    state.live[ZaMod] = state.live[ZbMod] = state.live[ZcMod] = 1;
    state.live[I0Mod] = 5;
    state.live[I0ViaU0Mod] = 7;
    state.live[PTotal] = 100;
    state.live[PBalance] = 200;
    CircuitInput form = Circuit("1", "0", "1", "0", "1", "0", true);
    LinesDocument doc;
    WriteStarReport(state, form, doc, "F", {{{"a", "1", "0"}, {"b", "1", "0"}, {"c", "1", "0"}}}, false);
    EXPECT_TRUE(Has(doc.lines, "I0=U0*Y0= 7 ej 0 (A)"));
    EXPECT_TRUE(Has(doc.lines, "Из вычислений видно что ток в нулевом проводе определён правильно."));
    EXPECT_TRUE(Has(doc.lines, "P=Pa+Pb+Pc=Ia^2*Ra+Ib^2*Rb+Ic^2*Rc=200 (Vt) "));
    EXPECT_TRUE(Has(doc.lines, "Баланс мощностей сходится значит задача решена верно!"));
}

TEST(StarReport, SecondNeutralCurrentIsU0TimesY0WithTheModulusSetting) {
    // R0 = 2 makes U0*Y0 (14,26 A) differ from U0/Y0 (57,05 A); I.mag, I.ang and I.re differ so
    // that the line shows which setting wrote each number. U0 = 28,523 V at -29,785 degrees.
    CircuitInput p = Circuit("10", "5", "20", "-10", "15", "0", true);
    p[Param::Edit10] = "2";
    Session run;
    run.precision.texts[IMag] = "3";
    run.precision.texts[IAng] = "2";
    run.precision.texts[IRe] = "1";
    ASSERT_TRUE(run.Execute(p));
    EXPECT_TRUE(Has(run.doc.lines, "I0=U0*Y0= 14,262 ej -29,78 (A)"));
}

TEST(StarReport, TypedTextsAreEchoedAsTyped) {
    CircuitInput p = Circuit("10,50", "0", "10", "0", "10", "0");
    p[Param::ComboBox1] = " 380";
    Session run;
    ASSERT_TRUE(run.Execute(p));
    EXPECT_EQ(run.doc.lines[3], "Ua=  380ej0 = 380 +j 0 (B)");
    EXPECT_EQ(run.doc.lines[7], "Za= 10,50+j 0 = 10,5 ej 0 (Om)");
}

TEST(StarReport, NotFiniteValuesAreWrittenAsText) {
    Session run;
    CircuitInput p = Circuit("1E308", "1E308", "10", "0", "10", "0");
    ASSERT_TRUE(run.Execute(p));
    EXPECT_EQ(run.doc.lines[7], "Za= 1E308+j 1E308 = INF ej 45 (Om)");
}

// Whole worked solutions, kept as files a reviewer can read.
TEST(StarReport, GoldenFullRuns) {
    struct Case {
        const char* file;
        CircuitInput params;
    };
    CircuitInput all = Circuit("10", "5", "20", "-10", "15", "0", true);
    for (int box = 2; box <= 7; ++box) {
        all.SetChecked(box, true);
    }
    CircuitInput allNoNeutral = all;
    allNoNeutral.SetChecked(1, false);
    const Case cases[] = {{"star_all_modes_neutral.txt", all},
                          {"star_all_modes_no_neutral.txt", allNoNeutral}};
    for (const auto& c : cases) {
        Session run;
        ASSERT_TRUE(run.Execute(c.params)) << c.file;
        test::ExpectGolden(run.doc.lines, c.file);
    }
}

}  // namespace
}  // namespace vornik
