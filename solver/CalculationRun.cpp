#include "solver/CalculationRun.h"

#include <algorithm>
#include <limits>

#include "report/DeltaReport.h"
#include "report/StarReport.h"
#include "solver/DeltaSolver.h"
#include "solver/SolverErrors.h"
#include "solver/StarSolver.h"
#include "solver/TextToNumber.h"

namespace vornik {

void ReadPrecisionSettings(CalcState& state, const PrecisionTexts& texts) {
    for (int k = 0; k < kPrecisionCount; ++k) {
        // Negated in 64 bits: a pasted "-2147483648" must not overflow.
        const long long negated = -static_cast<long long>(TextToInt(texts.Text(k)));
        state.precision[k] = static_cast<int>(std::min<long long>(negated, std::numeric_limits<int>::max()));
    }
}

namespace {

// One short circuit: the phase's R and X replaced by its shunt text and "0".
struct ShortStep {
    int box;
    int slot;
    int phase;  // 0, 1, 2
    Param shunt;
    const char* name;
};

// One line-wire break: the two remaining phases.
struct BreakStep {
    int box;
    int slot;
    const char* name;
    int keep1;
    int keep2;
};

const Param kMods[3] = {Param::ComboBox1, Param::ComboBox2, Param::ComboBox3};
const Param kAngles[3] = {Param::Edit1, Param::Edit2, Param::Edit3};
const Param kR[3] = {Param::Edit4, Param::Edit6, Param::Edit8};
const Param kX[3] = {Param::Edit5, Param::Edit7, Param::Edit9};
const char* const kStarLabels[3] = {"a", "b", "c"};

void RunShort(const RunContext& ctx, const ShortStep& step) {
    auto texts = [&](std::string(&r)[3], std::string(&x)[3]) {
        for (int k = 0; k < 3; ++k) {
            r[k] = ctx.form.Text(kR[k]);
            x[k] = ctx.form.Text(kX[k]);
        }
        r[step.phase] = ctx.form.Text(step.shunt);
        x[step.phase] = "0";
    };
    std::string r[3], x[3];
    texts(r, x);
    SolveStar(ctx.state.live, ctx.form, r[0], x[0], r[1], x[1], r[2], x[2]);
    ctx.state.Snapshot(step.slot);
    texts(r, x);
    std::string labels[3] = {kStarLabels[0], kStarLabels[1], kStarLabels[2]};
    labels[step.phase] = "шунт";
    WriteStarReport(ctx.state, ctx.form, ctx.doc, step.name, labels[0], labels[1], labels[2], r[0], x[0],
                    r[1], x[1], r[2], x[2], true);
}

void RunBreak(const RunContext& ctx, const BreakStep& step) {
    const ParameterFields& f = ctx.form;
    const int a = step.keep1, b = step.keep2;
    SolveStarTwoPhase(ctx.state.live, f, f.Text(kMods[a]), f.Text(kAngles[a]), f.Text(kMods[b]),
                      f.Text(kAngles[b]), f.Text(kR[a]), f.Text(kX[a]), f.Text(kR[b]), f.Text(kX[b]));
    ctx.state.Snapshot(step.slot);
    WriteStarBreakReport(ctx.state, f, ctx.doc, step.name, kStarLabels[a], kStarLabels[b], f.Text(kR[a]),
                         f.Text(kX[a]), f.Text(kR[b]), f.Text(kX[b]));
}

}  // namespace

void RunStar(const RunContext& ctx) {
    const ParameterFields& f = ctx.form;
    SolveStar(ctx.state.live, f, f.Text(Param::Edit4), f.Text(Param::Edit5), f.Text(Param::Edit6),
              f.Text(Param::Edit7), f.Text(Param::Edit8), f.Text(Param::Edit9));
    ctx.state.Snapshot(0);
    WriteStarReport(ctx.state, f, ctx.doc, "F", "a", "b", "c", f.Text(Param::Edit4), f.Text(Param::Edit5),
                    f.Text(Param::Edit6), f.Text(Param::Edit7), f.Text(Param::Edit8), f.Text(Param::Edit9),
                    false);

    static const ShortStep kShorts[3] = {
        {2, 1, 0, Param::Edit11, "A"}, {3, 3, 1, Param::Edit12, "B"}, {4, 5, 2, Param::Edit13, "C"}};
    static const BreakStep kBreaks[3] = {{5, 2, "A", 1, 2}, {6, 4, "B", 0, 2}, {7, 6, "C", 0, 1}};
    for (int k = 0; k < 3; ++k) {
        if (f.Checked(kShorts[k].box)) {
            RunShort(ctx, kShorts[k]);
        }
        if (f.Checked(kBreaks[k].box)) {
            RunBreak(ctx, kBreaks[k]);
        }
    }
}

void RunDelta(const RunContext& ctx) {
    const ParameterFields& f = ctx.form;
    CalcState& st = ctx.state;
    SolutionRecord& r = st.live;

    SolveDelta(r, f, f.Text(Param::Edit4), f.Text(Param::Edit5), f.Text(Param::Edit6), f.Text(Param::Edit7),
               f.Text(Param::Edit8), f.Text(Param::Edit9));
    st.Snapshot(0);
    WriteDeltaReport(st, f, ctx.doc, "ab", "bc", "ca", f.Text(Param::Edit4), f.Text(Param::Edit5),
                     f.Text(Param::Edit6), f.Text(Param::Edit7), f.Text(Param::Edit8), f.Text(Param::Edit9));

    // Step 2: load phase AB.
    if (f.Checked(2)) {
        SolveDeltaPhaseBreak(r, 0, 0, r[YbRe], r[YbIm], r[YcRe], r[YcIm]);
        st.Snapshot(1);
        WriteDeltaPhaseBreakReport(st, ctx.doc, "AB", "BC", "CA", 1);
    }
    // Step 3: line wire A (the report comes before the snapshot here; both read the same record).
    if (f.Checked(5)) {
        SolveDeltaLineBreak(r, r[UbMod], r[UbArg], r[Rb], r[Xb], r[Rc], r[Xc], r[Ra], r[Xa]);
        WriteDeltaLineBreakReport(st, ctx.doc, "A", "cab", "bc", "ca", "ab");
        st.Snapshot(4);
        st.Restore();
    }
    // Step 4: load phase BC.
    if (f.Checked(3)) {
        SolveDeltaPhaseBreak(r, r[YaRe], r[YaIm], 0, 0, r[YcRe], r[YcIm]);
        st.Snapshot(2);
        WriteDeltaPhaseBreakReport(st, ctx.doc, "BC", "AB", "CA", 2);
    }
    // Step 5: line wire B.
    if (f.Checked(6)) {
        SolveDeltaLineBreak(r, r[UcMod], r[UcArg], r[Rc], r[Xc], r[Ra], r[Xa], r[Rb], r[Xb]);
        st.Snapshot(5);
        WriteDeltaLineBreakReport(st, ctx.doc, "B", "abc", "ca", "ab", "bc");
        st.Restore();
    }
    // Step 6: load phase CA.
    if (f.Checked(4)) {
        SolveDeltaPhaseBreak(r, r[YaRe], r[YaIm], r[YbRe], r[YbIm], 0, 0);
        st.Snapshot(3);
        WriteDeltaPhaseBreakReport(st, ctx.doc, "CA", "AB", "BC", 3);
    }
    // Step 7: line wire C.
    if (f.Checked(7)) {
        SolveDeltaLineBreak(r, r[UaMod], r[UaArg], r[Ra], r[Xa], r[Rb], r[Xb], r[Rc], r[Xc]);
        st.Snapshot(6);
        WriteDeltaLineBreakReport(st, ctx.doc, "C", "bca", "ab", "bc", "ca");
        st.Restore();
    }
}

bool N5Click(const RunContext& ctx) {
    try {
        ReadPrecisionSettings(ctx.state, ctx.precision);
        if (ctx.form.Star()) {
            RunStar(ctx);
        } else {
            RunDelta(ctx);
        }
        return true;
    } catch (const SolverMessage& e) {
        ctx.messages.SolverMessage(e.what());
    } catch (const RuntimeError& e) {
        ctx.messages.RuntimeError(std::string(e.what()) + ".");
    }
    return false;
}

}  // namespace vornik
