#pragma once
// The contents of the solution, task-sheet and key PDFs, and the class set's PDF writer on top of
// a PDF builder: Qt's directly in the desktop program, the canvas module's in vornik-cli. Nothing
// of Qt here.

#include <string>
#include <vector>

#include "canvas/PdfDocument.h"
#include "classset/ClassSet.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// The PDF of a run: the title block of `form` headed `title` (the default heading when empty)
// dated `date`, the report lines and, when `diagrams` is set, the voltage and current diagrams of
// every computed mode.
PdfContent SolutionPdfContent(const CalcState& state, const CircuitInput& form,
                              const std::vector<std::string>& lines, bool diagrams, const std::string& title,
                              const std::string& date);

// A document of plain lines: the title block, then the pages, each starting on a new page.
PdfContent PagedPdfContent(const std::vector<std::string>& titleBlock,
                           const std::vector<std::vector<std::string>>& pages, int halfPoints);

class SetPdfWriter : public ClassSetPdfWriter {
  public:
    SetPdfWriter(BuildPdfFn build, std::string date) : build_(build), date_(std::move(date)) {}
    std::string TaskSheet(const std::vector<std::string>& lines) const override;
    std::string Solution(const TaskValues& task, const std::string& heading,
                         const VariantRun& run) const override;
    std::string Key(const std::vector<std::string>& titleBlock,
                    const std::vector<std::vector<std::string>>& pages) const override;

  private:
    BuildPdfFn build_;
    std::string date_;
};

}  // namespace vornik
