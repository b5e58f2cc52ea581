#include "run/CalculationRun.h"

#include <algorithm>
#include <array>
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

// R and X of phase (or branch) k as typed.
PhaseTexts PhaseOf(const CircuitInput& in, int k) {
    return {in.Field(kR[k]), in.Field(kX[k])};
}

// The phases as the report names them: the texts of `phases` under the given labels.
template <size_t N>
std::array<ReportPhase, N> Labelled(const std::array<PhaseTexts, N>& phases,
                                    const std::array<std::string, N>& labels) {
    std::array<ReportPhase, N> out;
    for (size_t k = 0; k < N; ++k) {
        out[k] = {labels[k], phases[k].r.text, phases[k].x.text};
    }
    return out;
}

// The short circuit of one phase: its R and X replaced by its shunt text and "0". The texts are
// taken for the solver and again for the report, as each step always has.
void RunShort(const RunContext& ctx, int phase) {
    auto texts = [&] {
        std::array<PhaseTexts, 3> phases = {PhaseOf(ctx.input, 0), PhaseOf(ctx.input, 1),
                                            PhaseOf(ctx.input, 2)};
        phases[phase].r = ctx.input.Field(kShunts[phase]);
        phases[phase].x =
            FieldText(std::string("0"));  // not a bare literal: GCC 12 warns falsely on that at -O3
        return phases;
    };
    SolveStar(ctx.state.live, ctx.input, texts());
    ctx.state.Snapshot(kStarShortSlots[phase]);
    std::array<std::string, 3> labels = {kStarLabels[0], kStarLabels[1], kStarLabels[2]};
    labels[phase] = "шунт";
    WriteStarReport(ctx.state, ctx.input, ctx.doc, kPhaseNames[phase], Labelled(texts(), labels), true);
}

// The break of one line wire: the two other phases, in the order A, B, C.
void RunBreak(const RunContext& ctx, int phase) {
    const CircuitInput& in = ctx.input;
    const int a = phase == 0 ? 1 : 0;
    const int b = phase == 2 ? 1 : 2;
    const std::array<PhaseTexts, 2> phases = {PhaseOf(in, a), PhaseOf(in, b)};
    SolveStarTwoPhase(ctx.state.live, in,
                      {SourceTexts{in.Field(kMods[a]), in.Field(kAngles[a])},
                       SourceTexts{in.Field(kMods[b]), in.Field(kAngles[b])}},
                      phases);
    ctx.state.Snapshot(kStarBreakSlots[phase]);
    WriteStarBreakReport(ctx.state, in, ctx.doc, kPhaseNames[phase],
                         Labelled<2>(phases, {kStarLabels[a], kStarLabels[b]}));
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
    const std::array<PhaseTexts, 3> phases = {PhaseOf(in, 0), PhaseOf(in, 1), PhaseOf(in, 2)};
    SolveStar(ctx.state.live, in, phases);
    ctx.state.Snapshot(0);
    WriteStarReport(ctx.state, in, ctx.doc, "F", Labelled<3>(phases, {"a", "b", "c"}), false);
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
    const std::array<PhaseTexts, 3> branches = {PhaseOf(in, 0), PhaseOf(in, 1), PhaseOf(in, 2)};
    SolveDelta(ctx.state.live, in, branches);
    ctx.state.Snapshot(0);
    WriteDeltaReport(ctx.state, in, ctx.doc, Labelled<3>(branches, {"ab", "bc", "ca"}));
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
    ctx.state.BeginRun(StoredRunOf(ctx.input));
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
