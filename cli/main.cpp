// vornik-cli: the calculation run of the desktop program from the command line.

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>

#include "cli/CliDiagram.h"
#include "cli/CliOptions.h"
#include "cli/Json.h"
#include "solver/CalculationRun.h"

namespace {

using namespace vornik;

struct CapturedMessages : MessageSink {
    std::optional<std::string> text;
    void SolverMessage(const std::string& t) override { text = t; }
    void RuntimeError(const std::string& t) override { text = t; }
};

std::string RecordJson(const SolutionRecord& r) {
    std::string out = "[";
    for (int k = 0; k < kFieldCount; ++k) {
        out += (k ? "," : "") + JsonNumber(r[k]);
    }
    return out + "]";
}

int Usage(const std::string& hint) {
    std::cerr << "vornik-cli: " << hint << "\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    CliOptions options;
    if (const std::string error = ParseCliOptions(argc, argv, options); !error.empty()) {
        return Usage(error);
    }
    if (options.help) {
        std::cout << CliHelpText();
        return 0;
    }
    if (options.version) {
        std::cout << CliVersionText();
        return 0;
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

    CalcState state;
    LinesDocument doc;
    CapturedMessages messages;
    const RunContext ctx{state, options.params, options.precision, doc, messages};
    const bool completed = N5Click(ctx);

    std::string diagramJson;
    if (options.diagram && completed) {
        try {
            diagramJson = DrawCliDiagram(state, options.params, button, options.out);
        } catch (const std::exception& e) {
            std::cerr << "vornik-cli: " << e.what() << "\n";
            return 1;
        }
    }

    if (options.json) {
        std::string out = "{\"report\":[";
        for (size_t k = 0; k < doc.lines.size(); ++k) {
            out += (k ? "," : "") + JsonString(doc.lines[k]);
        }
        out += "],\"message\":" + (messages.text ? JsonString(*messages.text) : std::string("null"));
        out += ",\"completed\":" + std::string(completed ? "true" : "false");
        out += ",\"record\":" + RecordJson(state.live);
        out += ",\"slots\":[";
        for (int k = 0; k < kModeSlotCount; ++k) {
            out += (k ? "," : "") + RecordJson(state.modeSlots[k]);
        }
        out += "]";
        if (options.diagram) {
            out += ",\"diagram\":" + (diagramJson.empty() ? std::string("null") : diagramJson);
        }
        out += "}\n";
        std::fwrite(out.data(), 1, out.size(), stdout);
    } else {
        std::string out;
        for (const std::string& line : doc.lines) {
            out += line;
            out += '\n';
        }
        std::fwrite(out.data(), 1, out.size(), stdout);
        if (messages.text) {
            std::cerr << *messages.text << "\n";
        }
    }
    return completed ? 0 : 1;
}
