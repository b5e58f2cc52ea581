#pragma once
// Worked solutions of a star-connected load.

#include <string>

#include "report/ResultsDocument.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// Normal mode (clears the document first) or the short circuit of one phase.
void WriteStarReport(const CalcState& state, const CircuitInput& input, ResultsDocument& doc,
                     const std::string& faultPhase, const std::string& l1, const std::string& l2,
                     const std::string& l3, const std::string& r1, const std::string& x1,
                     const std::string& r2, const std::string& x2, const std::string& r3,
                     const std::string& x3, bool shortCircuit);

// Break of one line wire: the two remaining phases.
void WriteStarBreakReport(const CalcState& state, const CircuitInput& input, ResultsDocument& doc,
                          const std::string& brokenLine, const std::string& l1, const std::string& l2,
                          const std::string& r1, const std::string& x1, const std::string& r2,
                          const std::string& x2);

}  // namespace vornik
