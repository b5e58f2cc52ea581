#include "run/CalculationRun.h"

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
        const long long negated = -static_cast<long long>(TextToInt(texts.Text(k), PrecisionControlId(k)));
        state.precision[k] = static_cast<int>(std::min<long long>(negated, std::numeric_limits<int>::max()));
    }
}

namespace {

const Param kMods[3] = {Param::ComboBox1, Param::ComboBox2, Param::ComboBox3};
const Param kAngles[3] = {Param::Edit1, Param::Edit2, Param::Edit3};
const Param kR[3] = {Param::Edit4, Param::Edit6, Param::Edit8};
const Param kX[3] = {Param::Edit5, Param::Edit7, Param::Edit9};
const Param kShunts[3] = {Param::Edit11, Param::Edit12, Param::Edit13};
const char* const kPhaseNames[3] = {"A", "B", "C"};
const char* const kStarLabels[3] = {"a", "b", "c"};

// Mode slots of the star emergency modes, phase by phase.
constexpr int kStarShortSlots[3] = {1, 3, 5};
constexpr int kStarBreakSlots[3] = {2, 4, 6};

// The short circuit of one phase: its R and X replaced by its shunt text and "0". The texts are
// taken for the solver and again for the report, as each step always has.
void RunShort(const RunContext& ctx, int phase) {
    auto texts = [&](FieldText(&r)[3], FieldText(&x)[3]) {
        for (int k = 0; k < 3; ++k) {
            r[k] = ctx.input.Field(kR[k]);
            x[k] = ctx.input.Field(kX[k]);
        }
        r[phase] = ctx.input.Field(kShunts[phase]);
        x[phase] = FieldText(std::string("0"));  // not a bare literal: GCC 12 warns falsely on that at -O3
    };
    FieldText r[3], x[3];
    texts(r, x);
    SolveStar(ctx.state.live, ctx.input, r[0], x[0], r[1], x[1], r[2], x[2]);
    ctx.state.Snapshot(kStarShortSlots[phase]);
    texts(r, x);
    std::string labels[3] = {kStarLabels[0], kStarLabels[1], kStarLabels[2]};
    labels[phase] = "шунт";
    WriteStarReport(ctx.state, ctx.input, ctx.doc, kPhaseNames[phase], labels[0], labels[1], labels[2],
                    r[0].text, x[0].text, r[1].text, x[1].text, r[2].text, x[2].text, true);
}

// The break of one line wire: the two other phases, in the order A, B, C.
void RunBreak(const RunContext& ctx, int phase) {
    const CircuitInput& in = ctx.input;
    const int a = phase == 0 ? 1 : 0;
    const int b = phase == 2 ? 1 : 2;
    SolveStarTwoPhase(ctx.state.live, in, in.Field(kMods[a]), in.Field(kAngles[a]), in.Field(kMods[b]),
                      in.Field(kAngles[b]), in.Field(kR[a]), in.Field(kX[a]), in.Field(kR[b]),
                      in.Field(kX[b]));
    ctx.state.Snapshot(kStarBreakSlots[phase]);
    WriteStarBreakReport(ctx.state, in, ctx.doc, kPhaseNames[phase], kStarLabels[a], kStarLabels[b],
                         in.Text(kR[a]), in.Text(kX[a]), in.Text(kR[b]), in.Text(kX[b]));
}

// The break of one load phase of a delta: the line currents from the normal-mode phase currents
// with the broken one taken as zero.
struct DeltaPhaseBreak {
    int slot;
    const char* broken;
    const char* other1;
    const char* other2;
};
constexpr DeltaPhaseBreak kDeltaPhaseBreaks[3] = {
    {1, "AB", "BC", "CA"}, {2, "BC", "AB", "CA"}, {3, "CA", "AB", "BC"}};

void RunDeltaPhaseBreak(const RunContext& ctx, int phase) {
    SolutionRecord& r = ctx.state.live;
    double re[3] = {r[IabRe], r[IbcRe], r[IcaRe]};
    double im[3] = {r[IabIm], r[IbcIm], r[IcaIm]};
    re[phase] = 0;
    im[phase] = 0;
    SolveDeltaPhaseBreak(r, re[0], im[0], re[1], im[1], re[2], im[2]);
    const DeltaPhaseBreak& step = kDeltaPhaseBreaks[phase];
    ctx.state.Snapshot(step.slot);
    WriteDeltaPhaseBreakReport(ctx.state, ctx.doc, step.broken, step.other1, step.other2, phase + 1);
}

// The break of one line wire of a delta: the line voltage between the two intact wires feeds
// the direct phase alone and the two other phases in series.
struct DeltaLineBreak {
    int slot;
    int uMod;                      // the line voltage between the intact wires
    int direct, series1, series2;  // R fields of the phases
    const char* wire;
    const char* pair;
    const char* directName;
    const char* series1Name;
    const char* series2Name;
};
constexpr DeltaLineBreak kDeltaLineBreaks[3] = {
    {4, UbcMod, Rbc, Rca, Rab, "A", "cab", "bc", "ca", "ab"},
    {5, UcaMod, Rca, Rab, Rbc, "B", "abc", "ca", "ab", "bc"},
    {6, UabMod, Rab, Rbc, Rca, "C", "bca", "ab", "bc", "ca"},
};

void RunDeltaLineBreak(const RunContext& ctx, int wire) {
    CalcState& st = ctx.state;
    SolutionRecord& r = st.live;
    const DeltaLineBreak& step = kDeltaLineBreaks[wire];
    SolveDeltaLineBreak(r, r[step.uMod], r[step.uMod + kArg], r[step.direct], r[step.direct + 1],
                        r[step.series1], r[step.series1 + 1], r[step.series2], r[step.series2 + 1]);
    // The report reads the live record only, so snapshot and report may come in either order.
    st.Snapshot(step.slot);
    WriteDeltaLineBreakReport(st, ctx.doc, step.wire, step.pair, step.directName, step.series1Name,
                              step.series2Name);
    // Every later step starts from the normal mode again.
    st.Restore();
}

}  // namespace

void RunStar(const RunContext& ctx) {
    const CircuitInput& in = ctx.input;
    SolveStar(ctx.state.live, in, in.Field(Param::Edit4), in.Field(Param::Edit5), in.Field(Param::Edit6),
              in.Field(Param::Edit7), in.Field(Param::Edit8), in.Field(Param::Edit9));
    ctx.state.Snapshot(0);
    WriteStarReport(ctx.state, in, ctx.doc, "F", "a", "b", "c", in.Text(Param::Edit4), in.Text(Param::Edit5),
                    in.Text(Param::Edit6), in.Text(Param::Edit7), in.Text(Param::Edit8),
                    in.Text(Param::Edit9), false);
    for (int phase = 0; phase < 3; ++phase) {
        if (in.Checked(kPhaseFaultTicks[phase])) {
            RunShort(ctx, phase);
        }
        if (in.Checked(kLineBreakTicks[phase])) {
            RunBreak(ctx, phase);
        }
    }
}

void RunDelta(const RunContext& ctx) {
    const CircuitInput& in = ctx.input;
    SolveDelta(ctx.state.live, in, in.Field(Param::Edit4), in.Field(Param::Edit5), in.Field(Param::Edit6),
               in.Field(Param::Edit7), in.Field(Param::Edit8), in.Field(Param::Edit9));
    ctx.state.Snapshot(0);
    WriteDeltaReport(ctx.state, in, ctx.doc, "ab", "bc", "ca", in.Text(Param::Edit4), in.Text(Param::Edit5),
                     in.Text(Param::Edit6), in.Text(Param::Edit7), in.Text(Param::Edit8),
                     in.Text(Param::Edit9));
    for (int k = 0; k < 3; ++k) {
        if (in.Checked(kPhaseFaultTicks[k])) {
            RunDeltaPhaseBreak(ctx, k);
        }
        if (in.Checked(kLineBreakTicks[k])) {
            RunDeltaLineBreak(ctx, k);
        }
    }
}

RunOutcome N5Click(const RunContext& ctx) {
    ctx.state.BeginRun(ctx.input.Star(), ctx.input.Checked(kNeutralWire));
    RunOutcome outcome;
    try {
        ReadPrecisionSettings(ctx.state, ctx.precision);
        if (ctx.input.Star()) {
            RunStar(ctx);
        } else {
            RunDelta(ctx);
        }
        outcome.completed = true;
        return outcome;
    } catch (const SolverMessage& e) {
        outcome.message = e.what();
        outcome.field = e.Control();
        ctx.messages.SolverMessage(outcome.message);
    } catch (const RuntimeError& e) {
        outcome.message = ErrorBoxText(e.what());
        outcome.error = true;
        outcome.field = e.Control();
        ctx.messages.RuntimeError(outcome.message);
    }
    if (!outcome.field.empty()) {
        ctx.messages.FailedField(outcome.field);
    }
    return outcome;
}

}  // namespace vornik
