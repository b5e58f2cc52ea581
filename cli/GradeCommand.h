#pragma once
// vornik-cli --grade: the options of marking a group's work checked and turned into a request.

#include <string>

#include "cli/CliOptions.h"
#include "fileio/Failure.h"
#include "grade/GradeGroup.h"

namespace vornik {

// Whether any option of --grade was given.
bool HasGradeOptions(const CliOptions& options);

// Fills `request` from the options. Returns an empty string on success, else a one-line usage hint.
Outcome<void> GradeRequestFrom(const CliOptions& options, GradeRequest& request);

}  // namespace vornik
