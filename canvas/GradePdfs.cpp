#include "canvas/GradePdfs.h"

namespace vornik {

std::string GroupPdfWriter::Feedback(const std::vector<std::string>& titleBlock,
                                     const std::vector<std::string>& lines) const {
    PdfContent content;
    content.titleBlock = titleBlock;
    content.report = DocumentFromLines(lines);
    return build_(content);
}

std::string GroupPdfWriter::Group(const std::vector<std::string>& titleBlock,
                                  const std::vector<std::string>& lines,
                                  const std::vector<GradeChart>& charts) const {
    PdfContent content;
    content.titleBlock = titleBlock;
    content.report = DocumentFromLines(lines);
    for (const GradeChart& chart : charts) {
        content.diagrams.push_back({chart.caption, chart.ops});
    }
    return build_(content);
}

}  // namespace vornik
