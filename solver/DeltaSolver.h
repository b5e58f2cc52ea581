#pragma once
// The delta-connection solver and its two emergency steps.

#include <array>

#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// Line voltages from the input, branch R/X texts from the caller (ab, bc, ca). A failure names
// the field of the text that is no number, or of the first zero resistance.
void SolveDelta(SolutionRecord& rec, const CircuitInput& input, const std::array<PhaseTexts, 3>& branches);

// Break of one load phase: the line currents from the given phase currents (0, 0 for the broken one).
void SolveDeltaPhaseBreak(SolutionRecord& rec, double iabRe, double iabIm, double ibcRe, double ibcIm,
                          double icaRe, double icaIm);

// Break of one line wire: U feeds the direct phase alone and the series pair s1 + s2.
void SolveDeltaLineBreak(SolutionRecord& rec, double uMod, double uArg, double rDirect, double xDirect,
                         double rs1, double xs1, double rs2, double xs2);

}  // namespace vornik
