#pragma once
// The PDFs of a marked group on top of a PDF builder, as the class set's are: Qt's directly in
// the desktop program, the canvas module's in vornik-cli. Nothing of Qt here.

#include <string>
#include <vector>

#include "canvas/PdfDocument.h"
#include "grade/GradeGroup.h"

namespace vornik {

class GroupPdfWriter : public GradePdfWriter {
  public:
    explicit GroupPdfWriter(BuildPdfFn build) : build_(build) {}
    std::string Feedback(const std::vector<std::string>& titleBlock,
                         const std::vector<std::string>& lines) const override;
    std::string Group(const std::vector<std::string>& titleBlock, const std::vector<std::string>& lines,
                      const std::vector<GradeChart>& charts) const override;

  private:
    BuildPdfFn build_;
};

}  // namespace vornik
