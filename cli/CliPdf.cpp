#include "cli/CliPdf.h"

#include <cstdio>
#include <ctime>

#include "canvas/PdfDocument.h"
#include "diagram/Diagram.h"
#include "fileio/ReplaceFile.h"
#include "report/RtfDocument.h"
#include "report/TitleBlock.h"

namespace vornik {

namespace {

constexpr int kButtonCount = 14;

}  // namespace

void WriteCliPdf(const CalcState& state, const CircuitInput& form, const std::vector<std::string>& lines,
                 bool diagrams, const std::string& date, const std::string& path) {
    PdfContent content;
    // No task is open on the command line: the default heading.
    content.titleBlock = TitleBlockLines(form, std::string(), date);
    content.report = DocumentFromLines(lines);
    if (diagrams) {
        for (int button = 1; button <= kButtonCount; ++button) {
            if (!DiagramModeComputed(form, button)) {
                continue;
            }
            RecordingCanvas recorder;
            DiagramLabels labels;
            DrawSelectedDiagram(recorder, state.modeSlots, {form.Star(), form.Checked(kNeutralWire), button},
                                labels);
            content.diagrams.push_back({DiagramCaption(form.Star(), button), recorder.Ops()});
        }
    }
    std::string bytes;
    try {
        bytes = BuildPdf(content);
    } catch (const std::exception& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
    ReplaceFile(path, bytes);
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[48];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    return text;
}

}  // namespace vornik
