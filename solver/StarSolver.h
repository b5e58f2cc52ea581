#pragma once
// The star-connection solver: neutral displacement (node voltage) method.

#include <array>

#include "solver/Complex.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

Rect NeutralShift3(Rect ua, Rect ub, Rect uc, Rect ya, Rect yb, Rect yc);
Rect NeutralShift3R0(Rect ua, Rect ub, Rect uc, Rect ya, Rect yb, Rect yc, double y0);
Rect NeutralShift2(Rect u1, Rect u2, Rect y1, Rect y2);
Rect NeutralShift2R0(Rect u1, Rect u2, Rect y1, Rect y2, double y0);

// Three-phase star: the voltages, R0 and the neutral tick come from the input, the R/X texts of
// phases A, B, C from the caller. Fills every field of the live record. A failure names the
// field of the text that is no number, or of the first zero resistance.
void SolveStar(SolutionRecord& rec, const CircuitInput& input, const std::array<PhaseTexts, 3>& phases);

// Star with one line wire broken: the two remaining phases, with their voltages, land in the
// a and b positions.
void SolveStarTwoPhase(SolutionRecord& rec, const CircuitInput& input,
                       const std::array<SourceTexts, 2>& sources, const std::array<PhaseTexts, 2>& phases);

}  // namespace vornik
