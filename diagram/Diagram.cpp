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

// The mode slot of each button pair (buttons 2k-1 and 2k share pair k-1).
constexpr int kStarSlots[] = {0, 1, 3, 5, 2, 4, 6};
constexpr int kDeltaSlots[] = {0, 1, 2, 3, 4, 5, 6};

// Where the not-computed line is written: across the upper half, above the real axis.
constexpr int kNotComputedX = 8;
constexpr int kNotComputedY = 170;

// The two phases left by a broken line wire A, B or C (pairs 4, 5, 6).
struct StarBreakNames {
    std::array<std::string, 4> voltages;
    std::array<std::string, 2> currents;
};
const StarBreakNames kStarBreak[] = {
    {{"Ub", "Uc", "Ub`", "Uc`"}, {"Ib", "Ic"}},
    {{"Ua", "Uc", "Ua`", "Uc`"}, {"Ia", "Ic"}},
    {{"Ua", "Ub", "Ua`", "Ub`"}, {"Ia", "Ib"}},
};

// A broken load phase AB, BC or CA (pairs 1, 2, 3): the two intact phases and their fields.
struct DeltaPhaseBreak {
    std::array<std::string, 2> voltages;
    std::array<std::string, 2> currents;
    int firstVoltage, secondVoltage;  // modulus fields
    int firstCurrent, secondCurrent;
};
const DeltaPhaseBreak kDeltaPhaseBreak[] = {
    {{"Ubc", "Uca"}, {"Ibc", "Ica"}, UbcMod, UcaMod, IbcMod, IcaMod},
    {{"Uab", "Uca"}, {"Iab", "Ica"}, UabMod, UcaMod, IabMod, IcaMod},
    {{"Uab", "Ubc"}, {"Iab", "Ibc"}, UabMod, UbcMod, IabMod, IbcMod},
};

// A broken line wire A, B or C (pairs 4, 5, 6): the directly fed phase first, then the pair in series.
struct DeltaLineBreakNames {
    std::array<std::string, 3> voltages;
    std::array<std::string, 2> currents;
};
const DeltaLineBreakNames kDeltaLineBreak[] = {
    {{"Ubc", "Uca", "Uab"}, {"Ibc", "Ica"}},
    {{"Uca", "Uab", "Ubc"}, {"Ica", "Iab"}},
    {{"Uab", "Ubc", "Uca"}, {"Iab", "Ibc"}},
};

void DrawStar(DiagramCanvas& canvas, const SolutionRecord& r, int pair, bool voltages, bool neutral,
              DiagramLabels& labels) {
    if (pair <= 3) {
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
    const StarBreakNames& names = kStarBreak[pair - 4];
    if (voltages) {
        DrawStarBreakVoltages(canvas, labels, names.voltages,
                              {At(r, UaRe), At(r, UbRe), At(r, U0Re), At(r, UaLoadRe), At(r, UbLoadRe)});
    } else {
        DrawStarBreakCurrents(canvas, labels, neutral, names.currents,
                              {At(r, IaRe), At(r, IbRe), At(r, I0Re)});
    }
}

void DrawDelta(DiagramCanvas& canvas, const SolutionRecord& r, int pair, bool voltages,
               DiagramLabels& labels) {
    if (pair == 0) {
        if (voltages) {
            DrawDeltaVoltages(canvas, labels, {Of(r, UabMod), Of(r, UbcMod), Of(r, UcaMod)});
        } else {
            // Phase currents, then line currents.
            DrawDeltaCurrents(canvas, labels,
                              {Of(r, IabMod), Of(r, IbcMod), Of(r, IcaMod), Of(r, IaLineMod),
                               Of(r, IbLineMod), Of(r, IcLineMod)});
        }
    } else if (pair <= 3) {
        const DeltaPhaseBreak& b = kDeltaPhaseBreak[pair - 1];
        if (voltages) {
            DrawDeltaPhaseBreakVoltages(canvas, labels, b.voltages,
                                        {Of(r, b.firstVoltage), Of(r, b.secondVoltage)});
        } else {
            DrawDeltaPhaseBreakCurrents(canvas, labels, b.currents,
                                        {Of(r, b.firstCurrent), Of(r, b.secondCurrent), Of(r, IaLineMod),
                                         Of(r, IbLineMod), Of(r, IcLineMod)});
        }
    } else {
        // The direct phase's voltage is the line voltage; the series pair shares one current.
        const DeltaLineBreakNames& names = kDeltaLineBreak[pair - 4];
        if (voltages) {
            DrawDeltaLineBreakVoltages(canvas, labels, names.voltages,
                                       {Of(r, ULineMod), Of(r, Us1Mod), Of(r, Us2Mod)});
        } else {
            DrawDeltaLineBreakCurrents(canvas, labels, names.currents,
                                       {Of(r, IDirectMod), Of(r, ISeries1Mod)});
        }
    }
}

}  // namespace

bool ModeButtonEnabled(const CircuitInput& input, int button) {
    const int pair = (button - 1) / 2;  // 0 for the normal mode, else the tick CheckBox(pair + 1)
    if (pair == 0) {
        return true;
    }
    return pair < kCheckBoxCount && input.Checked(static_cast<Tick>(pair));
}

int ModeSlotOfButton(bool star, int button) {
    const int pair = (button - 1) / 2;
    return star ? kStarSlots[pair] : kDeltaSlots[pair];
}

void DrawSelectedDiagram(DiagramCanvas& canvas, const std::array<SolutionRecord, kModeSlotCount>& modeSlots,
                         const DiagramSelection& selection, DiagramLabels& labels) {
    ClearDiagram(canvas);
    labels.legend.clear();
    if (selection.button < 1 || selection.button > kModeButtonCount) {
        return;
    }
    const int pair = (selection.button - 1) / 2;
    // Odd buttons show voltages, even ones currents.
    const bool voltages = selection.button % 2 == 1;
    const SolutionRecord& slot = modeSlots[ModeSlotOfButton(selection.star, selection.button)];
    if (selection.star) {
        DrawStar(canvas, slot, pair, voltages, selection.neutral, labels);
    } else {
        DrawDelta(canvas, slot, pair, voltages, labels);
    }
}

bool ModeComputedBy(const StoredRun& run, int button) {
    if (button < 1 || button > kModeButtonCount) {
        return false;
    }
    const int pair = (button - 1) / 2;
    return run.storedSlots[run.star ? kStarSlots[pair] : kDeltaSlots[pair]];
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
