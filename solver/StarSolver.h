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
// texts from the caller. Fills every field of the live record.
void SolveStar(SolutionRecord& rec, const CircuitInput& input, const std::string& ra, const std::string& xa,
               const std::string& rb, const std::string& xb, const std::string& rc, const std::string& xc);

// Star with one line wire broken: the two remaining phases land in the a and b positions.
void SolveStarTwoPhase(SolutionRecord& rec, const CircuitInput& input, const std::string& u1,
                       const std::string& angle1, const std::string& u2, const std::string& angle2,
                       const std::string& r1, const std::string& x1, const std::string& r2,
                       const std::string& x2);

}  // namespace vornik
