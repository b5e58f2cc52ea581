#include "diagram/Diagram.h"

#include "diagram/DiagramKinds.h"

namespace vornik {

namespace {

constexpr int kButtonCount = 14;

PhasorValue At(const SolutionRecord& r, Field re) {
    return {r[re], r[re + 1]};
}

// The mode slot of each button pair (buttons 2k-1 and 2k share pair k-1).
constexpr int kStarSlots[] = {0, 1, 3, 5, 2, 4, 6};
constexpr int kDeltaSlots[] = {0, 1, 2, 3, 4, 5, 6};

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
    Field firstVoltage, secondVoltage;
    Field firstCurrent, secondCurrent;
};
const DeltaPhaseBreak kDeltaPhaseBreak[] = {
    {{"Ubc", "Uca"}, {"Ibc", "Ica"}, UbRe, UcRe, YbRe, YcRe},
    {{"Uab", "Uca"}, {"Iab", "Ica"}, UaRe, UcRe, YaRe, YcRe},
    {{"Uab", "Ubc"}, {"Iab", "Ibc"}, UaRe, UbRe, YaRe, YbRe},
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
            DrawDeltaVoltages(canvas, labels, {At(r, UaRe), At(r, UbRe), At(r, UcRe)});
        } else {
            // Phase currents, then line currents.
            DrawDeltaCurrents(
                canvas, labels,
                {At(r, YaRe), At(r, YbRe), At(r, YcRe), At(r, UaLoadRe), At(r, UbLoadRe), At(r, UcLoadRe)});
        }
    } else if (pair <= 3) {
        const DeltaPhaseBreak& b = kDeltaPhaseBreak[pair - 1];
        if (voltages) {
            DrawDeltaPhaseBreakVoltages(canvas, labels, b.voltages,
                                        {At(r, b.firstVoltage), At(r, b.secondVoltage)});
        } else {
            DrawDeltaPhaseBreakCurrents(canvas, labels, b.currents,
                                        {At(r, b.firstCurrent), At(r, b.secondCurrent), At(r, UaLoadRe),
                                         At(r, UbLoadRe), At(r, UcLoadRe)});
        }
    } else {
        // The line-break record keeps the direct phase's voltage in Ic, the series pair's in Ia and Ib,
        // the direct current in Ya and the series current in Yb.
        const DeltaLineBreakNames& names = kDeltaLineBreak[pair - 4];
        if (voltages) {
            DrawDeltaLineBreakVoltages(canvas, labels, names.voltages,
                                       {At(r, IcRe), At(r, IaRe), At(r, IbRe)});
        } else {
            DrawDeltaLineBreakCurrents(canvas, labels, names.currents, {At(r, YaRe), At(r, YbRe)});
        }
    }
}

}  // namespace

void DrawSelectedDiagram(DiagramCanvas& canvas, const std::array<SolutionRecord, kModeSlotCount>& modeSlots,
                         const DiagramSelection& selection, DiagramLabels& labels) {
    ClearDiagram(canvas);
    labels.legend.clear();
    if (selection.button < 1 || selection.button > kButtonCount) {
        return;
    }
    const int pair = (selection.button - 1) / 2;
    // Odd buttons show voltages, even ones currents.
    const bool voltages = selection.button % 2 == 1;
    if (selection.star) {
        DrawStar(canvas, modeSlots[kStarSlots[pair]], pair, voltages, selection.neutral, labels);
    } else {
        DrawDelta(canvas, modeSlots[kDeltaSlots[pair]], pair, voltages, labels);
    }
}

}  // namespace vornik
