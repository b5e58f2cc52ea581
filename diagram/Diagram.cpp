#include "diagram/Diagram.h"

#include "diagram/DiagramDrawing.h"
#include "diagram/DiagramKinds.h"

namespace vornik {

namespace {

PhasorValue At(const SolutionRecord& r, Field re) {
    return {r[re], r[re + 1]};
}

// The phasor whose modulus field is given, from its algebraic form.
PhasorValue Of(const SolutionRecord& r, int modField) {
    return {r[modField + kRe], r[modField + kIm]};
}

// Where the not-computed line is written: across the upper half, above the real axis.
constexpr int kNotComputedX = 8;
constexpr int kNotComputedY = 170;

constexpr const char* kLines[] = {"a", "b", "c"};
constexpr const char* kPairs[] = {"ab", "bc", "ca"};

void DrawStar(DiagramCanvas& canvas, const SolutionRecord& r, const ModeSpec& mode, bool voltages,
              bool neutral, DiagramLabels& labels) {
    if (mode.kind != ModeKind::LineBreak) {
        // Normal mode and the short circuits share the three-phase diagrams.
        if (voltages) {
            DrawStarVoltages(canvas, labels,
                             {At(r, UaRe), At(r, UbRe), At(r, UcRe), At(r, U0Re), At(r, UaLoadRe),
                              At(r, UbLoadRe), At(r, UcLoadRe)});
        } else {
            DrawStarCurrents(canvas, labels, neutral, {At(r, IaRe), At(r, IbRe), At(r, IcRe), At(r, I0Re)});
        }
        return;
    }
    // A line-wire break keeps its two remaining phases in the first two phase fields.
    const std::string first = kLines[mode.positions[0]];
    const std::string second = kLines[mode.positions[1]];
    if (voltages) {
        DrawStarBreakVoltages(canvas, labels,
                              {"U" + first, "U" + second, "U" + first + "`", "U" + second + "`"},
                              {At(r, UaRe), At(r, UbRe), At(r, U0Re), At(r, UaLoadRe), At(r, UbLoadRe)});
    } else {
        DrawStarBreakCurrents(canvas, labels, neutral, {"I" + first, "I" + second},
                              {At(r, IaRe), At(r, IbRe), At(r, I0Re)});
    }
}

void DrawDelta(DiagramCanvas& canvas, const SolutionRecord& r, const ModeSpec& mode, bool voltages,
               DiagramLabels& labels) {
    if (mode.kind == ModeKind::Normal) {
        if (voltages) {
            DrawDeltaVoltages(canvas, labels, {Of(r, UabMod), Of(r, UbcMod), Of(r, UcaMod)});
        } else {
            // Phase currents, then line currents.
            DrawDeltaCurrents(canvas, labels,
                              {Of(r, IabMod), Of(r, IbcMod), Of(r, IcaMod), Of(r, IaLineMod),
                               Of(r, IbLineMod), Of(r, IcLineMod)});
        }
    } else if (mode.kind == ModeKind::PhaseFault) {
        // The two intact load phases and their fields.
        const std::array<int, 2> intact = OtherPhases(mode.phase);
        const std::string first = kPairs[intact[0]];
        const std::string second = kPairs[intact[1]];
        if (voltages) {
            DrawDeltaPhaseBreakVoltages(
                canvas, labels, {"U" + first, "U" + second},
                {Of(r, UabMod + kBranchStride * intact[0]), Of(r, UabMod + kBranchStride * intact[1])});
        } else {
            DrawDeltaPhaseBreakCurrents(
                canvas, labels, {"I" + first, "I" + second},
                {Of(r, IabMod + kBranchStride * intact[0]), Of(r, IabMod + kBranchStride * intact[1]),
                 Of(r, IaLineMod), Of(r, IbLineMod), Of(r, IcLineMod)});
        }
    } else {
        // The direct phase's voltage is the line voltage; the series pair shares one current.
        const std::string direct = kPairs[mode.positions[0]];
        const std::string series1 = kPairs[mode.positions[1]];
        const std::string series2 = kPairs[mode.positions[2]];
        if (voltages) {
            DrawDeltaLineBreakVoltages(canvas, labels, {"U" + direct, "U" + series1, "U" + series2},
                                       {Of(r, ULineMod), Of(r, Us1Mod), Of(r, Us2Mod)});
        } else {
            DrawDeltaLineBreakCurrents(canvas, labels, {"I" + direct, "I" + series1},
                                       {Of(r, IDirectMod), Of(r, ISeries1Mod)});
        }
    }
}

}  // namespace

bool ModeButtonEnabled(const CircuitInput& input, int button) {
    if (button < 1 || button > kModeButtonCount) {
        return false;
    }
    // The buttons follow the ticks, so either connection's row names the tick.
    return ComputedBy(ModeOfButton(input.Star(), button), input);
}

const ModeSpec& ModeOfButton(bool star, int button) {
    return ModeOfPair(star, (button - 1) / 2);
}

int ModeSlotOfButton(bool star, int button) {
    return ModeOfButton(star, button).slot;
}

void DrawSelectedDiagram(DiagramCanvas& canvas, const std::array<SolutionRecord, kModeSlotCount>& modeSlots,
                         const DiagramSelection& selection, DiagramLabels& labels) {
    ClearDiagram(canvas);
    labels.legend.clear();
    if (selection.button < 1 || selection.button > kModeButtonCount) {
        return;
    }
    const ModeSpec& mode = ModeOfButton(selection.star, selection.button);
    // Odd buttons show voltages, even ones currents.
    const bool voltages = selection.button % 2 == 1;
    const SolutionRecord& slot = modeSlots[mode.slot];
    if (selection.star) {
        DrawStar(canvas, slot, mode, voltages, selection.neutral, labels);
    } else {
        DrawDelta(canvas, slot, mode, voltages, labels);
    }
}

bool ModeComputedBy(const StoredRun& run, int button) {
    if (button < 1 || button > kModeButtonCount) {
        return false;
    }
    return run.storedSlots[ModeSlotOfButton(run.star, button)];
}

void DrawModeNotComputed(DiagramCanvas& canvas, DiagramLabels& labels) {
    ClearDiagram(canvas);
    labels.legend.clear();
    labels.label11 = std::string();
    labels.label12.clear();
    // Black at the legend's size in the canvas's current face, as the legend is drawn: the canvas
    // is left as any drawing with a legend leaves it, so the next picture comes out the same.
    canvas.SetFontColor(kBlack);
    canvas.SetFontSize(kLabelSize);
    canvas.TextOut(kNotComputedX, kNotComputedY, kModeNotComputedText);
}

void DrawStoredDiagram(DiagramCanvas& canvas, const CalcState& state, int button,
                       const DiagramSelection& beforeAnyRun, DiagramLabels& labels) {
    DiagramSelection selection = beforeAnyRun;
    selection.button = button;
    if (state.stored) {
        if (!ModeComputedBy(*state.stored, button)) {
            DrawModeNotComputed(canvas, labels);
            return;
        }
        selection.star = state.stored->star;
        selection.neutral = state.stored->neutral;
    }
    DrawSelectedDiagram(canvas, state.modeSlots, selection, labels);
}

}  // namespace vornik
