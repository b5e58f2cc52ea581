#include "canvas/SetPdfs.h"

#include "diagram/Diagram.h"
#include "report/TitleBlock.h"

namespace vornik {

namespace {

// The key table in 10 points, so that a variant with every mode fits a page.
constexpr int kKeyHalfPoints = 20;

}  // namespace

PdfContent SolutionPdfContent(const CalcState& state, const CircuitInput& form,
                              const std::vector<std::string>& lines, bool diagrams, const std::string& title,
                              const std::string& date) {
    PdfContent content;
    content.titleBlock = TitleBlockLines(form, title, date);
    content.report = DocumentFromLines(lines);
    if (diagrams) {
        for (int button = 1; button <= kModeButtonCount; ++button) {
            if (!ModeButtonEnabled(form, button)) {
                continue;
            }
            RecordingCanvas recorder;
            DiagramLabels labels;
            DrawSelectedDiagram(recorder, state.modeSlots, {form.Star(), form.Checked(kNeutralWire), button},
                                labels);
            content.diagrams.push_back({DiagramCaption(form.Star(), button), recorder.Ops()});
        }
    }
    return content;
}

PdfContent PagedPdfContent(const std::vector<std::string>& titleBlock,
                           const std::vector<std::vector<std::string>>& pages, int halfPoints) {
    PdfContent content;
    content.titleBlock = titleBlock;
    std::vector<std::string> lines;
    for (const std::vector<std::string>& page : pages) {
        if (!lines.empty()) {
            content.pageBreaks.push_back(lines.size());
        }
        lines.insert(lines.end(), page.begin(), page.end());
    }
    content.report = DocumentFromLines(lines);
    content.report.base.halfPoints = halfPoints;
    for (RtfParagraph& p : content.report.paragraphs) {
        for (RtfRun& run : p.runs) {
            run.format.halfPoints = halfPoints;
        }
    }
    return content;
}

std::string SetPdfWriter::TaskSheet(const std::vector<std::string>& lines) const {
    // The heading as the title block's first line, the data under it.
    PdfContent content;
    content.titleBlock = {lines.empty() ? std::string() : lines.front(), date_};
    content.report =
        DocumentFromLines(std::vector<std::string>(lines.begin() + (lines.empty() ? 0 : 1), lines.end()));
    return build_(content);
}

std::string SetPdfWriter::Solution(const TaskValues& task, const std::string& heading,
                                   const VariantRun& run) const {
    return build_(SolutionPdfContent(run.state, task.input, run.report, true, heading, date_));
}

std::string SetPdfWriter::Key(const std::vector<std::string>& titleBlock,
                              const std::vector<std::vector<std::string>>& pages) const {
    return build_(PagedPdfContent(titleBlock, pages, kKeyHalfPoints));
}

}  // namespace vornik
