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
    Complain(std::string("the output could not be written: ") + std::strerror(errno));
    return kOutputFailed;
}

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit then fails the write with "File too large" instead of killing the program
    // halfway through a file.
    std::signal(SIGXFSZ, SIG_IGN);

    CliOptions options;
    if (const std::string error = ParseCliOptions(argc, argv, options); !error.empty()) {
        return Usage(error);
    }
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
        GradeRequest request;
        if (const std::string error = GradeRequestFrom(options, request); !error.empty()) {
            return Usage(error);
        }
        request.command = QuotedCommand(argc, argv);
        request.date = TodayText();
#if VORNIK_PICTURES
        const GroupPdfWriter pdfs(&BuildPdf);
        request.pdfs = &pdfs;
#else
        request.pdfsMissing = "эта сборка vornik-cli без Qt не пишет PDF";
#endif
        const GradeOutcome outcome = GradeGroup(request);
        if (!outcome.ok) {
            Complain(outcome.message);
            return kStopped;
        }
        return WriteOutput(TerminalSafe(outcome.message) + "\n");
    }
    if (HasClassSetOptions(options)) {
        ClassSetRequest request;
        if (const std::string error = ClassSetRequestFrom(options, request); !error.empty()) {
            return Usage(error);
        }
        request.command = QuotedCommand(argc, argv);
        request.date = TodayText();
#if VORNIK_PICTURES
        // The PDFs through the canvas module, as --pdf makes them.
        const SetPdfWriter pdfs(&BuildPdf, request.date);
        request.pdfs = &pdfs;
#else
        request.pdfsMissing = "эта сборка vornik-cli без Qt не пишет PDF";
#endif
        const ClassSetOutcome outcome = MakeClassSet(request);
        if (!outcome.ok) {
            Complain(outcome.message);
            return kStopped;
        }
        // The folder's name as given, escaped as in the messages.
        return WriteOutput(TerminalSafe(outcome.message) + "\n");
    }
    if (options.check) {
        const CheckOutcome outcome = RunCheck(options);
        for (const std::string& warning : outcome.warnings) {
            Complain(warning);
        }
        if (!outcome.read) {
            Complain(outcome.error);
            return kStopped;
        }
        return WriteOutput(outcome.output);
    }
    int button = 0;
    if (options.diagram) {
        if (const std::string error = ParseDiagramSelection(*options.diagram, options.params.star, button);
            !error.empty()) {
            return Usage(error);
        }
        if (options.out) {
            if (const std::string error = CheckDiagramOut(*options.out); !error.empty()) {
                return Usage(error);
            }
        }
    } else if (options.out) {
        return Usage("--out goes with --diagram");
    }

    const TaskFile task = OptionsTask(options);
    if (options.saveTask) {
        try {
            SaveTask(*options.saveTask, task);
        } catch (const FileWriteError& e) {
            Complain(std::string("the task could not be written (the old file is kept): ") + e.what());
            return kStopped;
        }
        if (!options.json && !options.diagram) {
            return 0;
        }
    }

    CalcState state;
    LinesDocument doc;
    CapturedMessages messages;
    const RunContext ctx{state, options.params, options.precision, doc, messages};
    const RunOutcome outcome = N5Click(ctx);
    const bool completed = outcome.completed;
    const std::optional<std::string> message =
        completed ? std::nullopt : std::optional<std::string>(outcome.message);

    RunOutput run{doc.lines, message, completed, &state, std::nullopt, std::nullopt};
    if (options.diagram) {
        run.diagram = Json(nullptr);
        if (completed) {
            try {
                run.diagram = DrawCliDiagram(state, options.params, button, options.out);
            } catch (const std::exception& e) {
                Complain(e.what());
                return kStopped;
            }
        }
    }

    if (options.pdf) {
        // The report as far as it got; the diagrams only of a run that completed.
        try {
            WriteCliPdf(state, options.params, doc.lines, options.pdfDiagrams && completed, TodayText(),
                        *options.pdf);
        } catch (const std::exception& e) {
            Complain(e.what());
            return kStopped;
        }
    }

    const int status = completed ? 0 : kStopped;
    if (options.json) {
        run.task = Json::parse(WriteTask(task));
        if (const int failed = WriteOutput(JsonText(RunJson(run)) + "\n"); failed != 0) {
            return failed;
        }
    } else {
        std::string out;
        for (const std::string& line : doc.lines) {
            out += line;
            out += '\n';
        }
        if (const int failed = WriteOutput(out); failed != 0) {
            return failed;
        }
        if (message) {
            std::fprintf(stderr, "%s\n", TerminalSafe(*message).c_str());
        }
    }
    return status;
}
