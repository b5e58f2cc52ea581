#pragma once
// The star-connection solver: neutral displacement (node voltage) method.

#include <string>

#include "solver/Complex.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

Rect NeutralShift3(Rect ua, Rect ub, Rect uc, Rect ya, Rect yb, Rect yc);
Rect NeutralShift3R0(Rect ua, Rect ub, Rect uc, Rect ya, Rect yb, Rect yc, double y0);
Rect NeutralShift2(Rect u1, Rect u2, Rect y1, Rect y2);
Rect NeutralShift2R0(Rect u1, Rect u2, Rect y1, Rect y2, double y0);

// Three-phase star: the voltages, R0 and the neutral tick come from the input, the six R/X
// texts from the caller. Fills every field of the live record. A failure names the field of
// the text that is no number, or of the first zero resistance.
void SolveStar(SolutionRecord& rec, const CircuitInput& input, const FieldText& ra, const FieldText& xa,
               const FieldText& rb, const FieldText& xb, const FieldText& rc, const FieldText& xc);

// Star with one line wire broken: the two remaining phases land in the a and b positions.
void SolveStarTwoPhase(SolutionRecord& rec, const CircuitInput& input, const FieldText& u1,
                       const FieldText& angle1, const FieldText& u2, const FieldText& angle2,
                       const FieldText& r1, const FieldText& x1, const FieldText& r2, const FieldText& x2);

}  // namespace vornik
