// vornik-cli: the calculation run of the desktop program from the command line.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "canvas/GradePdfs.h"
#include "canvas/SetPdfs.h"
#include "cli/CheckCommand.h"
#include "cli/ClassSetCommand.h"
#include "cli/CliDiagram.h"
#include "cli/CliOptions.h"
#include "cli/CliPdf.h"
#include "cli/GradeCommand.h"
#include "fileio/ReplaceFile.h"
#include "fileio/SystemErrorText.h"
#include "json/Json.h"
#include "run/CalculationRun.h"

namespace {

using namespace vornik;

// Exit statuses (listed in --help).
constexpr int kStopped = 1;
constexpr int kUsage = 2;
constexpr int kOutputFailed = 3;

// Messages name arguments and files as given: printed escaped, so that a control character in
// them can neither break the message into lines nor reach the terminal as a command.
void Complain(const std::string& text) {
    std::fprintf(stderr, "vornik-cli: %s\n", TerminalSafe(text).c_str());
}

int Usage(const std::string& hint) {
    Complain(hint);
    return kUsage;
}

// Writes all of `text` to standard output and makes sure it got there: a full disk must not
// pass for success. (A reader that goes away ends the program by SIGPIPE, as for any filter.)
// Returns 0 or the exit status after saying what went wrong.
int WriteOutput(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0 &&
        std::fclose(stdout) == 0) {
        return 0;
    }
    Complain(std::string("вывод не записан: ") + SystemErrorText(errno));
    return kOutputFailed;
}

// A set of variants for a group: its folder, or the message why there is none.
int MakeSet(const CliOptions& options, int argc, char** argv) {
    Outcome<ClassSetRequest> request = ClassSetRequestFrom(options);
    if (!request) {
        return Usage(request.Error().message);
    }
    request->command = QuotedCommand(argc, argv);
    request->date = TodayText();
#if VORNIK_PICTURES
    // The PDFs through the canvas module, as --pdf makes them.
    const SetPdfWriter pdfs(&BuildPdf, request->date);
    request->pdfs = &pdfs;
#else
    request->pdfsMissing = "эта сборка vornik-cli без Qt не пишет PDF";
#endif
    const ClassSetOutcome outcome = MakeClassSet(*request);
    if (!outcome) {
        Complain(outcome.Error().message);
        return kStopped;
    }
    // The folder's name as given, escaped as in the messages.
    return WriteOutput(TerminalSafe(outcome->message) + "\n");
}

// The diagram button of --diagram (0 without one), after checking --out's name.
Outcome<int> DiagramButton(const CliOptions& options) {
    if (!options.diagram) {
        if (options.out) {
            return Failure{"--out — только вместе с --diagram", ""};
        }
        return 0;
    }
    const Outcome<int> button = ParseDiagramSelection(*options.diagram, options.params.star);
    if (button && options.out) {
        if (const Outcome<void> out = CheckDiagramOut(*options.out); !out) {
            return out.Error();
        }
    }
    return button;
}

Outcome<void> SaveTaskFile(const std::string& path, const TaskFile& task) {
    try {
        SaveTask(path, task);
    } catch (const FileWriteError& e) {
        return Failure{std::string("задача не записана (старый файл сохранён): ") + e.what(), ""};
    }
    return {};
}

// The diagram's JSON and its --out file, and the --pdf file, of a run; a file that cannot be
// written stops vornik-cli.
Outcome<void> WriteRunFiles(const CliOptions& options, int button, const CalcState& state,
                            const std::vector<std::string>& lines, bool completed, RunOutput& run) {
    try {
        if (options.diagram) {
            run.diagram =
                completed ? DrawCliDiagram(state, options.params, button, options.out) : Json(nullptr);
        }
        if (options.pdf) {
            // The report as far as it got; the diagrams only of a run that completed.
            WriteCliPdf(state, options.params, lines, options.pdfDiagrams && completed, TodayText(),
                        *options.pdf);
        }
    } catch (const std::exception& e) {
        return Failure{e.what(), ""};
    }
    return {};
}

// The worked solution on standard output, the run's message on standard error.
// --check: the student's answers marked against the task, as text or JSON.
int MarkAnswers(const CliOptions& options) {
    const CheckOutcome outcome = RunCheck(options);
    for (const std::string& warning : outcome ? outcome->warnings : outcome.Error().warnings) {
        Complain(warning);
    }
    if (!outcome) {
        Complain(outcome.Error().message);
        return kStopped;
    }
    return WriteOutput(outcome->output);
}

int PrintReport(const std::vector<std::string>& lines, const std::optional<std::string>& message) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += '\n';
    }
    if (const int failed = WriteOutput(out); failed != 0) {
        return failed;
    }
    if (message) {
        std::fprintf(stderr, "%s\n", TerminalSafe(*message).c_str());
    }
    return 0;
}

// The calculation run of the options, with its diagram, PDF and output.
int Calculate(const CliOptions& options, int button, const TaskFile& task) {
    CalcState state;
    LinesDocument doc;
    CapturedMessages messages;
    const RunOutcome outcome = N5Click({state, options.params, options.precision, doc, messages});
    const bool completed = outcome.completed;
    const std::optional<std::string> message =
        completed ? std::nullopt : std::optional<std::string>(outcome.message);
    RunOutput run{doc.lines, message, completed, &state, std::nullopt, std::nullopt};
    if (const Outcome<void> written = WriteRunFiles(options, button, state, doc.lines, completed, run);
        !written) {
        Complain(written.Error().message);
        return kStopped;
    }
    const int status = completed ? 0 : kStopped;
    if (options.json) {
        run.task = Json::parse(WriteTask(task));
        const int failed = WriteOutput(JsonText(RunJson(run)) + "\n");
        return failed != 0 ? failed : status;
    }
    const int failed = PrintReport(doc.lines, message);
    return failed != 0 ? failed : status;
}

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit then fails the write with "File too large" instead of killing the program
    // halfway through a file.
    std::signal(SIGXFSZ, SIG_IGN);

    const Outcome<CliOptions> parsed = ParseCliOptions(argc, argv);
    if (!parsed) {
        return Usage(parsed.Error().message);
    }
    const CliOptions& options = *parsed;
    if (options.help) {
        return WriteOutput(CliHelpText());
    }
    if (options.version) {
        return WriteOutput(CliVersionText());
    }
    for (const std::string& warning : options.warnings) {
        Complain(warning);
    }
    if (HasGradeOptions(options)) {
        Outcome<GradeRequest> read = GradeRequestFrom(options);
        if (!read) {
            return Usage(read.Error().message);
        }
        GradeRequest& request = *read;
        request.command = QuotedCommand(argc, argv);
        request.date = TodayText();
#if VORNIK_PICTURES
        const GroupPdfWriter pdfs(&BuildPdf);
        request.pdfs = &pdfs;
#else
        request.pdfsMissing = "эта сборка vornik-cli без Qt не пишет PDF";
#endif
        const GradeOutcome outcome = GradeGroup(request);
        if (!outcome) {
            Complain(outcome.Error().message);
            return kStopped;
        }
        return WriteOutput(TerminalSafe(outcome->message) + "\n");
    }
    if (HasClassSetOptions(options)) {
        return MakeSet(options, argc, argv);
    }
    if (options.check) {
        return MarkAnswers(options);
    }
    const Outcome<int> button = DiagramButton(options);
    if (!button) {
        return Usage(button.Error().message);
    }
    const TaskFile task = OptionsTask(options);
    if (options.saveTask) {
        if (const Outcome<void> saved = SaveTaskFile(*options.saveTask, task); !saved) {
            Complain(saved.Error().message);
            return kStopped;
        }
        if (!options.json && !options.diagram) {
            return 0;
        }
    }
    return Calculate(options, *button, task);
}
