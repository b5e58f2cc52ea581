#pragma once
// The --diagram part of vornik-cli.

#include <optional>
#include <string>

#include "fileio/Failure.h"
#include "json/Json.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// The radio button number of SEL (1..14 or MODE:KIND), or a one-line usage hint.
Outcome<int> ParseDiagramSelection(const std::string& sel, bool star);

// Checks that the --out file name ends in an extension the picture format is taken from
// (.jpg, .jpeg, .bmp, .png, .svg), else fails with a one-line usage hint.
Outcome<void> CheckDiagramOut(const std::string& path);

// Draws the diagram of `button` from the run's mode slots and writes it to `out` when given
// (format by its extension). Returns the JSON object of the "diagram" member. Throws
// std::runtime_error (FileWriteError for the file itself) when the file cannot be written.
Json DrawCliDiagram(const CalcState& state, const CircuitInput& form, int button,
                    const std::optional<std::string>& out);

}  // namespace vornik
