#pragma once
// Worked solutions of a star-connected load.

#include <array>
#include <string>

#include "report/ReportPhase.h"
#include "report/ResultsDocument.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// Normal mode (clears the document first) or the short circuit of phase `faultPhase`.
void WriteStarReport(const CalcState& state, const CircuitInput& input, ResultsDocument& doc,
                     const std::string& faultPhase, const std::array<ReportPhase, 3>& phases,
                     bool shortCircuit);

// Break of one line wire: the two remaining phases.
void WriteStarBreakReport(const CalcState& state, const CircuitInput& input, ResultsDocument& doc,
                          const std::string& brokenLine, const std::array<ReportPhase, 2>& phases);

}  // namespace vornik
