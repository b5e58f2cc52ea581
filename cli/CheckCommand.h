#pragma once
// vornik-cli --check ANSWERS: a student's answers (an answers file or a CSV table
// mode,quantity,answer) marked against the task of the other options.

#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "fileio/Failure.h"

namespace vornik {

// The marks, and what standard error is told before them.
struct CheckMade {
    std::string output;  // the marks, as text or JSON
    std::vector<std::string> warnings;
};

// Why nothing was marked (the message names the file), and the warnings found on the way.
struct CheckFailure {
    std::string message;
    std::vector<std::string> warnings;
};

using CheckOutcome = Outcome<CheckMade, CheckFailure>;

// Marks the answers of `options.check`. The task is that of the options when --task or a circuit
// option was given, otherwise an answers file's own task.
CheckOutcome RunCheck(const CliOptions& options);

}  // namespace vornik
