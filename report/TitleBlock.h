#pragma once
// The title block of a printed solution: what was solved, so that a page handed in or pinned to
// a board says which circuit it belongs to.

#include <string>
#include <vector>

#include "solver/Parameters.h"

namespace vornik {

// The heading of a document when no task title is given.
inline constexpr const char* kDefaultDocumentHeading = "Расчёт трёхфазной цепи";

// The heading (the task title, or the default heading), the connection, the texts of the fields
// that connection uses as they were typed, the ticked modes and the date, one line each.
std::vector<std::string> TitleBlockLines(const CircuitInput& input, const std::string& taskTitle,
                                         const std::string& date);

// The caption of a diagram of radio button 1..14 of the diagram window in this connection, such
// as "Нормальный режим: напряжения".
std::string DiagramCaption(bool star, int button);

// Whether the mode of radio button 1..14 is computed by a run with these ticks.
bool DiagramModeComputed(const CircuitInput& input, int button);

}  // namespace vornik
