// Fuzzes vornik-cli's option parser and JSON writer over arbitrary arguments: every argument
// list ends in a usage hint or a run, and whatever bytes the arguments hold, the JSON written
// reads back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliDiagram.h"
#include "cli/CliOptions.h"
#include "json/Json.h"
#include "run/CalculationRun.h"

namespace {

// The text must be JSON that parses back to the same value.
void CheckJson(const vornik::Json& value) {
    const std::string text = vornik::JsonText(value);
    const auto read = nlohmann::ordered_json::parse(text, nullptr, false);
    if (read.is_discarded() || vornik::JsonText(read) != text) {
        std::abort();
    }
}

}  // namespace

// Input: the arguments after the program name, separated by NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args{"vornik-cli"};
    std::string current;
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[k]);
        }
    }
    args.push_back(current);
    std::vector<const char*> argv;
    for (const std::string& a : args) {
        argv.push_back(a.c_str());
    }
    const vornik::Outcome<vornik::CliOptions> parsed =
        vornik::ParseCliOptions(static_cast<int>(argv.size()), argv.data());
    if (!parsed) {
        // The hint may echo any argument.
        CheckJson(vornik::Json(parsed.Error().message));
        return 0;
    }
    const vornik::CliOptions& options = *parsed;
    int button = 0;
    if (options.diagram) {
        const vornik::Outcome<int> selected =
            vornik::ParseDiagramSelection(*options.diagram, options.params.star);
        if (!selected) {
            CheckJson(vornik::Json(selected.Error().message));
            return 0;
        }
        button = *selected;
    }
    vornik::CalcState state;
    vornik::LinesDocument doc;
    vornik::CapturedMessages messages;
    const vornik::RunOutcome outcome =
        vornik::N5Click({state, options.params, options.precision, doc, messages});
    const bool completed = outcome.completed;
    vornik::RunOutput run{
        doc.lines,    completed ? std::nullopt : std::optional<std::string>(outcome.message),
        completed,    &state,
        std::nullopt, std::nullopt};
    if (options.diagram && completed) {
        // Never a file: only the drawing operations go into the JSON.
        run.diagram = vornik::DrawCliDiagram(state, options.params, button, std::nullopt);
    }
    CheckJson(vornik::RunJson(run));
    return 0;
}
