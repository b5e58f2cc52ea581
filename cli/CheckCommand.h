#pragma once
// vornik-cli --check ANSWERS: a student's answers (an answers file or a CSV table
// mode,quantity,answer) marked against the task of the other options.

#include <string>
#include <vector>

#include "cli/CliOptions.h"

namespace vornik {

struct CheckOutcome {
    bool read = false;                  // false: ANSWERS could not be read (`error` says why)
    std::string error;                  // the message naming the file
    std::string output;                 // the marks, as text or JSON
    std::vector<std::string> warnings;  // for standard error
};

// Marks the answers of `options.check`. The task is that of the options when --task or a circuit
// option was given, otherwise an answers file's own task.
CheckOutcome RunCheck(const CliOptions& options);

}  // namespace vornik
