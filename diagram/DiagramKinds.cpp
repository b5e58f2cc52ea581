#include "diagram/DiagramKinds.h"

#include <optional>
#include <span>
#include <vector>

#include "diagram/DiagramDrawing.h"
#include "diagram/ScaleChooser.h"

namespace vornik {

namespace {

struct PhasorEntry {
    PhasorValue value;
    std::string label;
    Rgb color;
    int offset = 5;
    bool arrow = true;
    bool text = true;
};

// Scales all entries (drawn or not), then draws them in order.
void DrawPhasorList(DiagramCanvas& canvas, DiagramLabels& labels, std::span<const PhasorEntry> entries,
                    const std::string& unit) {
    // Labels may be kept from drawing to drawing: only this drawing's arrows are listed.
    labels.phasors.clear();
    std::vector<double> values;
    values.reserve(2 * entries.size());
    for (const PhasorEntry& e : entries) {
        values.push_back(e.value.re);
        values.push_back(e.value.im);
    }
    const std::optional<ScaleSearch> scale = ChooseScale(canvas, values, unit, labels);
    if (!scale) {
        return;
    }
    for (const PhasorEntry& e : entries) {
        const int re = scale->Scaled(e.value.re);
        const int im = scale->Scaled(e.value.im);
        if (e.arrow) {
            DrawPhasor(canvas, 0, 0, re, im, e.color, PenStyle::Solid, 1);
            labels.phasors.push_back({e.label, e.value.re, e.value.im});
        }
        if (e.text) {
            DrawPhasorLabel(canvas, re, im, e.label, e.color, e.offset);
        }
    }
}

}  // namespace

void DrawStarVoltages(DiagramCanvas& canvas, DiagramLabels& labels, const std::array<PhasorValue, 7>& v) {
    const PhasorEntry entries[] = {
        {v[0], "Ua", kRed, 5},    {v[1], "Ub", kRed, 2},    {v[2], "Uc", kRed, 10},   {v[3], "U0", kBlue, 5},
        {v[4], "Ua`", kGreen, 5}, {v[5], "Ub`", kGreen, 5}, {v[6], "Uc`", kGreen, 5},
    };
    DrawPhasorList(canvas, labels, entries, kVoltageUnit);
}

void DrawStarCurrents(DiagramCanvas& canvas, DiagramLabels& labels, bool neutral,
                      const std::array<PhasorValue, 4>& v) {
    const PhasorEntry entries[] = {
        {v[0], "Ia", kRed},
        {v[1], "Ib", kRed},
        {v[2], "Ic", kRed},
        {v[3], "I0", kBlue, 5, neutral, neutral},
    };
    DrawPhasorList(canvas, labels, entries, kCurrentUnit);
}

void DrawStarBreakVoltages(DiagramCanvas& canvas, DiagramLabels& labels,
                           const std::array<std::string, 4>& names, const std::array<PhasorValue, 5>& v) {
    const PhasorEntry entries[] = {
        {v[0], names[0], kRed},   {v[1], names[1], kRed},   {v[2], "U0", kBlue},
        {v[3], names[2], kGreen}, {v[4], names[3], kGreen},
    };
    DrawPhasorList(canvas, labels, entries, kVoltageUnit);
}

void DrawStarBreakCurrents(DiagramCanvas& canvas, DiagramLabels& labels, bool neutral,
                           const std::array<std::string, 2>& names, const std::array<PhasorValue, 3>& v) {
    // With two phases left the I0 label marks where the currents meet even without a neutral wire.
    const PhasorEntry entries[] = {
        {v[0], names[0], kRed},
        {v[1], names[1], kRed},
        {v[2], "I0", kBlue, 5, neutral, true},
    };
    DrawPhasorList(canvas, labels, entries, kCurrentUnit);
}

void DrawDeltaVoltages(DiagramCanvas& canvas, DiagramLabels& labels, const std::array<PhasorValue, 3>& v) {
    const PhasorEntry entries[] = {
        {v[0], "Uab", kRed, 5},
        {v[1], "Ubc", kRed, -2},
        {v[2], "Uca", kRed, 5},
    };
    DrawPhasorList(canvas, labels, entries, kVoltageUnit);
}

void DrawDeltaCurrents(DiagramCanvas& canvas, DiagramLabels& labels, const std::array<PhasorValue, 6>& v) {
    const PhasorEntry entries[] = {
        {v[0], "Iab", kRed},  {v[1], "Ibc", kRed},  {v[2], "Ica", kRed},
        {v[3], "Ia", kGreen}, {v[4], "Ib", kGreen}, {v[5], "Ic", kGreen},
    };
    DrawPhasorList(canvas, labels, entries, kCurrentUnit);
}

void DrawDeltaPhaseBreakVoltages(DiagramCanvas& canvas, DiagramLabels& labels,
                                 const std::array<std::string, 2>& names,
                                 const std::array<PhasorValue, 2>& v) {
    const PhasorEntry entries[] = {{v[0], names[0], kRed}, {v[1], names[1], kRed}};
    DrawPhasorList(canvas, labels, entries, kVoltageUnit);
}

void DrawDeltaPhaseBreakCurrents(DiagramCanvas& canvas, DiagramLabels& labels,
                                 const std::array<std::string, 2>& names,
                                 const std::array<PhasorValue, 5>& v) {
    const PhasorEntry entries[] = {
        {v[0], names[0], kRed}, {v[1], names[1], kRed}, {v[2], "Ia", kGreen},
        {v[3], "Ib", kGreen},   {v[4], "Ic", kGreen},
    };
    DrawPhasorList(canvas, labels, entries, kCurrentUnit);
}

void DrawDeltaLineBreakVoltages(DiagramCanvas& canvas, DiagramLabels& labels,
                                const std::array<std::string, 3>& names,
                                const std::array<PhasorValue, 3>& v) {
    const PhasorEntry entries[] = {{v[0], names[0], kRed}, {v[1], names[1], kBlue}, {v[2], names[2], kGreen}};
    DrawPhasorList(canvas, labels, entries, kVoltageUnit);
}

void DrawDeltaLineBreakCurrents(DiagramCanvas& canvas, DiagramLabels& labels,
                                const std::array<std::string, 2>& names,
                                const std::array<PhasorValue, 2>& v) {
    const PhasorEntry entries[] = {{v[0], names[0], kRed}, {v[1], names[1], kRed}};
    DrawPhasorList(canvas, labels, entries, kCurrentUnit);
}

}  // namespace vornik
