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

// The title block of the solution on show: that of the last run that stored results, with the
// inputs that run read, whatever the form holds now; before any run stored results, that of
// `beforeAnyRun` (the form as it is). Every front end's PDF, print and printout take this one.
std::vector<std::string> StoredRunTitleBlock(const CalcState& state, const CircuitInput& beforeAnyRun,
                                             const std::string& taskTitle, const std::string& date);

// The caption of a diagram of radio button 1..14 of the diagram window in this connection, such
// as "Нормальный режим: напряжения".
std::string DiagramCaption(bool star, int button);

// The phase of emergency pair 1..6 of the diagram window as the report's caption of that mode
// names it: "фаза \"A\"" (star), "фаза \"AB\"" (break of a delta load phase), "провод \"A\""
// (break of a delta line wire).
std::string DiagramPairPhase(bool star, int pair);

}  // namespace vornik
