#pragma once
// vornik-cli --class-set: the options of a class set checked and turned into a request.

#include <string>

#include "classset/ClassSet.h"
#include "cli/CliOptions.h"

namespace vornik {

// Whether any class-set option was given.
bool HasClassSetOptions(const CliOptions& options);

// Fills `request` from the options (the circuit options are the base task). Returns an empty
// string on success, else a one-line usage hint.
std::string ClassSetRequestFrom(const CliOptions& options, ClassSetRequest& request);

// The command line as a shell would take it back, for the set's summary.
std::string QuotedCommand(int argc, const char* const* argv);

}  // namespace vornik
