#pragma once
// Command-line options of vornik-cli: the parameter form and the precision form as options.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/Failure.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"
#include "task/TaskFile.h"

namespace vornik {

using CliPrecision = PrecisionValues;

struct CliOptions {
    CircuitInput params;
    CliPrecision precision;
    bool json = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> diagram;   // --diagram SEL
    std::optional<std::string> out;       // --out FILE
    std::optional<std::string> saveTask;  // --save-task FILE
    // The title and note of the last --task read, kept when the task is saved again.
    std::string taskTitle;
    std::string taskNote;
    std::vector<std::string> warnings;  // to be shown on standard error (a task of a later version)
    std::optional<std::string> pdf;     // --pdf FILE
    bool pdfDiagrams = false;           // --pdf-diagrams
    // A class set: --class-set OUTDIR with --variants TABLE or --count N --seed S --vary R…
    std::optional<std::string> classSet;
    std::optional<std::string> variants;
    std::optional<std::string> count;
    std::optional<std::string> seed;
    std::vector<std::string> vary;
    std::optional<std::string> keyFields;
    std::optional<std::string> tolerance;
    std::optional<std::string> angleTolerance;
    std::optional<std::string> quizDecimal;
    // Marking a group's work: --grade SETDIR --answers PATH OUTDIR [--scale 5|100] [--thresholds a,b,c]
    std::optional<std::string> grade;
    std::optional<std::string> answers;
    std::optional<std::string> scale;
    std::optional<std::string> thresholds;
    std::vector<std::string> positional;  // arguments that are no option: OUTDIR of --grade
    // --check ANSWERS: mark a student's answers against the task.
    std::optional<std::string> check;
    // A task or circuit option was given (the task to mark against is not the initial one).
    bool taskGiven = false;
};

// The task of the options: what --save-task writes and --json reports.
TaskFile OptionsTask(const CliOptions& options);

// The options of the arguments, or a one-line hint (Russian) at the first that is wrong.
Outcome<CliOptions> ParseCliOptions(int argc, const char* const* argv);

// `text` made safe to print as one line on a terminal: a backslash, control characters
// (C0, DEL and C1) and bytes that are not valid UTF-8 are written as escapes (\\, \n, \t,
// \x1b, \u009b); everything else, Cyrillic included, stays as it is.
std::string TerminalSafe(std::string_view text);

// The --help text.
std::string CliHelpText();

// The --version text: the program's name and version, one line.
std::string CliVersionText();

}  // namespace vornik
