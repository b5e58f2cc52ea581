#pragma once
// vornik-cli --grade: the options of marking a group's work checked and turned into a request.

#include <string>

#include "cli/CliOptions.h"
#include "fileio/Failure.h"
#include "grade/GradeGroup.h"

namespace vornik {

// Whether any option of --grade was given.
bool HasGradeOptions(const CliOptions& options);

// The request of the options, or a one-line usage hint.
Outcome<GradeRequest> GradeRequestFrom(const CliOptions& options);

}  // namespace vornik
