#pragma once
// The ten kinds of phasor diagram. Each one scales its own values, then draws its phasors in
// order, each as an arrow from the centre followed by its label at the tip. Values are given in
// drawing order; the label texts that depend on the mode are given by the caller.

#include <array>
#include <string>

#include "diagram/Diagram.h"
#include "diagram/DiagramCanvas.h"

namespace vornik {

// Real and imaginary part of one phasor, as stored in a mode slot.
struct PhasorValue {
    double re = 0.0;
    double im = 0.0;
};

inline constexpr const char* kVoltageUnit = "B";
inline constexpr const char* kCurrentUnit = "A";

// Ua, Ub, Uc (source), U0, Ua`, Ub`, Uc` (load).
void DrawStarVoltages(DiagramCanvas& canvas, DiagramLabels& labels, const std::array<PhasorValue, 7>& values);
// Ia, Ib, Ic and I0; I0 is drawn only with a neutral wire but is always scaled.
void DrawStarCurrents(DiagramCanvas& canvas, DiagramLabels& labels, bool neutral,
                      const std::array<PhasorValue, 4>& values);
// Two source voltages, U0, two load voltages.
void DrawStarBreakVoltages(DiagramCanvas& canvas, DiagramLabels& labels,
                           const std::array<std::string, 4>& names, const std::array<PhasorValue, 5>& values);
// Two currents and I0, whose label is drawn even when its arrow is not.
void DrawStarBreakCurrents(DiagramCanvas& canvas, DiagramLabels& labels, bool neutral,
                           const std::array<std::string, 2>& names, const std::array<PhasorValue, 3>& values);
// Uab, Ubc, Uca.
void DrawDeltaVoltages(DiagramCanvas& canvas, DiagramLabels& labels,
                       const std::array<PhasorValue, 3>& values);
// Iab, Ibc, Ica (phase currents), Ia, Ib, Ic (line currents).
void DrawDeltaCurrents(DiagramCanvas& canvas, DiagramLabels& labels,
                       const std::array<PhasorValue, 6>& values);
// The voltages of the two intact load phases.
void DrawDeltaPhaseBreakVoltages(DiagramCanvas& canvas, DiagramLabels& labels,
                                 const std::array<std::string, 2>& names,
                                 const std::array<PhasorValue, 2>& values);
// The currents of the two intact load phases, then the three line currents.
void DrawDeltaPhaseBreakCurrents(DiagramCanvas& canvas, DiagramLabels& labels,
                                 const std::array<std::string, 2>& names,
                                 const std::array<PhasorValue, 5>& values);
// The voltage of the directly fed phase, then the two of the series pair.
void DrawDeltaLineBreakVoltages(DiagramCanvas& canvas, DiagramLabels& labels,
                                const std::array<std::string, 3>& names,
                                const std::array<PhasorValue, 3>& values);
// The current of the directly fed phase and the common current of the series pair.
void DrawDeltaLineBreakCurrents(DiagramCanvas& canvas, DiagramLabels& labels,
                                const std::array<std::string, 2>& names,
                                const std::array<PhasorValue, 2>& values);

}  // namespace vornik
