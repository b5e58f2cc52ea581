#include "run/CalculationRun.h"

#include <algorithm>
#include <array>
#include <limits>

#include "report/DeltaReport.h"
#include "report/StarReport.h"
#include "solver/DeltaSolver.h"
#include "solver/Modes.h"
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
const char* const kStarLabels[3] = {"a", "b", "c"};
const char* const kDeltaLabels[3] = {"ab", "bc", "ca"};

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
void RunShort(const RunContext& ctx, const ModeSpec& mode) {
    const int phase = mode.phase;
    auto texts = [&] {
        std::array<PhaseTexts, 3> phases = {PhaseOf(ctx.input, 0), PhaseOf(ctx.input, 1),
                                            PhaseOf(ctx.input, 2)};
        phases[phase].r = ctx.input.Field(kShunts[phase]);
        phases[phase].x =
            FieldText(std::string("0"));  // not a bare literal: GCC 12 warns falsely on that at -O3
        return phases;
    };
    SolveStar(ctx.state.live, ctx.input, texts());
    ctx.state.Snapshot(mode.slot);
    std::array<std::string, 3> labels = {kStarLabels[0], kStarLabels[1], kStarLabels[2]};
    labels[phase] = "шунт";
    WriteStarReport(ctx.state, ctx.input, ctx.doc, mode.phaseName, Labelled(texts(), labels), true);
}

// The break of one line wire: the two other phases, in the order A, B, C.
void RunBreak(const RunContext& ctx, const ModeSpec& mode) {
    const CircuitInput& in = ctx.input;
    const int a = mode.positions[0];
    const int b = mode.positions[1];
    const std::array<PhaseTexts, 2> phases = {PhaseOf(in, a), PhaseOf(in, b)};
    SolveStarTwoPhase(ctx.state.live, in,
                      {SourceTexts{in.Field(kMods[a]), in.Field(kAngles[a])},
                       SourceTexts{in.Field(kMods[b]), in.Field(kAngles[b])}},
                      phases);
    ctx.state.Snapshot(mode.slot);
    WriteStarBreakReport(ctx.state, in, ctx.doc, mode.phaseName,
                         Labelled<2>(phases, {kStarLabels[a], kStarLabels[b]}));
}

// The break of one load phase of a delta: the line currents from the normal-mode phase currents
// with the broken one taken as zero.
void RunDeltaPhaseBreak(const RunContext& ctx, const ModeSpec& mode) {
    const int phase = mode.phase;
    SolutionRecord& r = ctx.state.live;
    double re[3] = {r[IabRe], r[IbcRe], r[IcaRe]};
    double im[3] = {r[IabIm], r[IbcIm], r[IcaIm]};
    re[phase] = 0;
    im[phase] = 0;
    SolveDeltaPhaseBreak(r, re[0], im[0], re[1], im[1], re[2], im[2]);
    ctx.state.Snapshot(mode.slot);
    const std::array<int, 2> intact = OtherPhases(phase);
    WriteDeltaPhaseBreakReport(ctx.state, ctx.doc, mode.phaseName,
                               ModeSpecOf({false, ModeKind::PhaseFault, intact[0]}).phaseName,
                               ModeSpecOf({false, ModeKind::PhaseFault, intact[1]}).phaseName, phase + 1);
}

// The break of one line wire of a delta: the line voltage between the two intact wires feeds
// the direct phase alone and the two other phases in series.
void RunDeltaLineBreak(const RunContext& ctx, const ModeSpec& mode) {
    CalcState& st = ctx.state;
    SolutionRecord& r = st.live;
    const int direct = mode.positions[0];
    const int series1 = mode.positions[1];
    const int series2 = mode.positions[2];
    // The line voltage between the intact wires and the R fields of the phases (X follows R).
    const int uMod = UabMod + kBranchStride * direct;
    const int rDirect = Rab + kBranchStride * direct;
    const int rSeries1 = Rab + kBranchStride * series1;
    const int rSeries2 = Rab + kBranchStride * series2;
    SolveDeltaLineBreak(r, r[uMod], r[uMod + kArg], r[rDirect], r[rDirect + 1], r[rSeries1], r[rSeries1 + 1],
                        r[rSeries2], r[rSeries2 + 1]);
    // The report reads the live record only, so snapshot and report may come in either order.
    st.Snapshot(mode.slot);
    // The series pair as one branch: "cab" for "ca" and "ab".
    const std::string pair = std::string(kDeltaLabels[series1]) + kDeltaLabels[series2][1];
    WriteDeltaLineBreakReport(st, ctx.doc, mode.phaseName, pair, kDeltaLabels[direct], kDeltaLabels[series1],
                              kDeltaLabels[series2]);
    // Every later step starts from the normal mode again.
    st.Restore();
}

}  // namespace

namespace {

using ModeStep = void (*)(const RunContext&, const ModeSpec&);

// Each ticked emergency mode of the connection after its normal mode, in the table's order.
void RunTickedModes(const RunContext& ctx, bool star, ModeStep phaseFault, ModeStep lineBreak) {
    for (const ModeSpec& mode : ModesOf(star).subspan(1)) {
        if (ComputedBy(mode, ctx.input)) {
            (mode.kind == ModeKind::PhaseFault ? phaseFault : lineBreak)(ctx, mode);
        }
    }
}

}  // namespace

void RunStar(const RunContext& ctx) {
    const CircuitInput& in = ctx.input;
    const std::array<PhaseTexts, 3> phases = {PhaseOf(in, 0), PhaseOf(in, 1), PhaseOf(in, 2)};
    SolveStar(ctx.state.live, in, phases);
    ctx.state.Snapshot(ModesOf(true)[0].slot);
    WriteStarReport(ctx.state, in, ctx.doc, "F", Labelled<3>(phases, {"a", "b", "c"}), false);
    RunTickedModes(ctx, true, RunShort, RunBreak);
}

void RunDelta(const RunContext& ctx) {
    const CircuitInput& in = ctx.input;
    const std::array<PhaseTexts, 3> branches = {PhaseOf(in, 0), PhaseOf(in, 1), PhaseOf(in, 2)};
    SolveDelta(ctx.state.live, in, branches);
    ctx.state.Snapshot(ModesOf(false)[0].slot);
    WriteDeltaReport(ctx.state, in, ctx.doc, Labelled<3>(branches, {"ab", "bc", "ca"}));
    RunTickedModes(ctx, false, RunDeltaPhaseBreak, RunDeltaLineBreak);
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
