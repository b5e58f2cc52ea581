#pragma once
// vornik-cli --class-set: the options of a class set checked and turned into a request.

#include <string>

#include "classset/ClassSet.h"
#include "cli/CliOptions.h"

namespace vornik {

// Whether any class-set option was given.
bool HasClassSetOptions(const CliOptions& options);

// The request of the options (the circuit options are the base task), or a one-line usage hint.
Outcome<ClassSetRequest> ClassSetRequestFrom(const CliOptions& options);

// The command line as a shell would take it back, for the set's summary.
std::string QuotedCommand(int argc, const char* const* argv);

}  // namespace vornik
