#pragma once
// The --pdf part of vornik-cli.

#include <string>
#include <vector>

#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// Writes the PDF of the run to `path` through ReplaceFile: the title block of `form` dated
// `date`, the report lines and, when `diagrams` is set, the voltage and current diagrams of every
// computed mode. Throws std::runtime_error (FileWriteError for the file itself) on failure.
void WriteCliPdf(const CalcState& state, const CircuitInput& form, const std::vector<std::string>& lines,
                 bool diagrams, const std::string& date, const std::string& path);

// Today's date as the title block shows it, "07.12.2026".
std::string TodayText();

}  // namespace vornik
