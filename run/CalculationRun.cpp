#include "run/CalculationRun.h"

#include <algorithm>
#include <limits>
#include <vector>

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
    auto texts = [&](std::string(&r)[3], std::string(&x)[3]) {
        for (int k = 0; k < 3; ++k) {
            r[k] = ctx.input.Text(kR[k]);
            x[k] = ctx.input.Text(kX[k]);
        }
        r[phase] = ctx.input.Text(kShunts[phase]);
        x[phase] = std::string("0");  // not a bare literal: GCC 12 warns falsely on that at -O3
    };
    std::string r[3], x[3];
    texts(r, x);
    SolveStar(ctx.state.live, ctx.input, r[0], x[0], r[1], x[1], r[2], x[2]);
    ctx.state.Snapshot(kStarShortSlots[phase]);
    texts(r, x);
    std::string labels[3] = {kStarLabels[0], kStarLabels[1], kStarLabels[2]};
    labels[phase] = "шунт";
    WriteStarReport(ctx.state, ctx.input, ctx.doc, kPhaseNames[phase], labels[0], labels[1], labels[2], r[0],
                    x[0], r[1], x[1], r[2], x[2], true);
}

// The break of one line wire: the two other phases, in the order A, B, C.
void RunBreak(const RunContext& ctx, int phase) {
    const CircuitInput& in = ctx.input;
    const int a = phase == 0 ? 1 : 0;
    const int b = phase == 2 ? 1 : 2;
    SolveStarTwoPhase(ctx.state.live, in, in.Text(kMods[a]), in.Text(kAngles[a]), in.Text(kMods[b]),
                      in.Text(kAngles[b]), in.Text(kR[a]), in.Text(kX[a]), in.Text(kR[b]), in.Text(kX[b]));
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
    SolveStar(ctx.state.live, in, in.Text(Param::Edit4), in.Text(Param::Edit5), in.Text(Param::Edit6),
              in.Text(Param::Edit7), in.Text(Param::Edit8), in.Text(Param::Edit9));
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
    SolveDelta(ctx.state.live, in, in.Text(Param::Edit4), in.Text(Param::Edit5), in.Text(Param::Edit6),
               in.Text(Param::Edit7), in.Text(Param::Edit8), in.Text(Param::Edit9));
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

namespace {

constexpr const char* kParamNames[kParamCount] = {
    "ComboBox1", "ComboBox2", "ComboBox3", "Edit1", "Edit2",  "Edit3",  "Edit4",  "Edit5",
    "Edit6",     "Edit7",     "Edit8",     "Edit9", "Edit10", "Edit11", "Edit12", "Edit13"};

// The fields in the order the run's steps first convert them: the three voltages (modulus, then
// angle), R and X of each phase, in star the neutral resistance and the shunt of each ticked
// short circuit. The emergency steps convert no other text for the first time.
std::vector<Param> FieldsInConversionOrder(const CircuitInput& in) {
    std::vector<Param> order;
    for (int k = 0; k < 3; ++k) {
        order.push_back(kMods[k]);
        order.push_back(kAngles[k]);
    }
    for (int k = 0; k < 3; ++k) {
        order.push_back(kR[k]);
        order.push_back(kX[k]);
    }
    if (in.Star()) {
        order.push_back(Param::Edit10);
        for (int phase = 0; phase < 3; ++phase) {
            if (in.Checked(kPhaseFaultTicks[phase])) {
                order.push_back(kShunts[phase]);
            }
        }
    }
    return order;
}

}  // namespace

std::string FailedFieldOfRun(const CircuitInput& input, const PrecisionTexts& precision,
                             const std::string& message) {
    // The precision texts are read first; conversion is the same for the same text, so the first
    // text that does not convert is the one the run stopped at, if the message names it.
    for (int k = 0; k < kPrecisionCount; ++k) {
        int unused = 0;
        const std::string text = precision.Text(k);
        if (!TryTextToInt(text, unused)) {
            return message == "'" + text + "' is not a valid integer value"
                       ? "Form4-ComboBox" + std::to_string(k + 1)
                       : std::string();
        }
    }
    for (const Param field : FieldsInConversionOrder(input)) {
        double unused = 0;
        const std::string& text = input.Text(field);
        if (!TryTextToFloat(text, unused)) {
            return message == "'" + text + "' is not a valid floating point value"
                       ? std::string("Form3-") + kParamNames[static_cast<int>(field)]
                       : std::string();
        }
    }
    return {};
}

bool N5Click(const RunContext& ctx) {
    ctx.state.BeginRun(StoredRunOf(ctx.input));
    try {
        ReadPrecisionSettings(ctx.state, ctx.precision);
        if (ctx.input.Star()) {
            RunStar(ctx);
        } else {
            RunDelta(ctx);
        }
        return true;
    } catch (const SolverMessage& e) {
        ctx.messages.SolverMessage(e.what());
    } catch (const RuntimeError& e) {
        ctx.messages.RuntimeError(ErrorBoxText(e.what()));
        if (const std::string field = FailedFieldOfRun(ctx.input, ctx.precision, e.what()); !field.empty()) {
            ctx.messages.FailedField(field);
        }
    }
    return false;
}

}  // namespace vornik
