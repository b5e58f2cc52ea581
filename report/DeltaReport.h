#pragma once
// Worked solutions of a delta-connected load.

#include <array>
#include <string>

#include "report/ReportPhase.h"
#include "report/ResultsDocument.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// Normal mode, branches AB, BC, CA; clears the document first.
void WriteDeltaReport(const CalcState& state, const CircuitInput& input, ResultsDocument& doc,
                      const std::array<ReportPhase, 3>& branches);

// Break of one load phase; variant 1, 2, 3 = AB, BC, CA selects the branch-current lines.
void WriteDeltaPhaseBreakReport(const CalcState& state, ResultsDocument& doc, const std::string& broken,
                                const std::string& other1, const std::string& other2, int variant);

// Break of one line wire: the direct branch and the series pair.
void WriteDeltaLineBreakReport(const CalcState& state, ResultsDocument& doc, const std::string& wire,
                               const std::string& pair, const std::string& direct, const std::string& series1,
                               const std::string& series2);

}  // namespace vornik
