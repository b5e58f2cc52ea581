#include "cli/CliPdf.h"

#include <cstdio>
#include <ctime>

#include "canvas/PdfDocument.h"
#include "canvas/SetPdfs.h"
#include "fileio/ReplaceFile.h"

namespace vornik {

void WriteCliPdf(const CalcState& state, const CircuitInput& form, const std::vector<std::string>& lines,
                 bool diagrams, const std::string& date, const std::string& path) {
    // No task is open on the command line: the default heading.
    const PdfContent content = SolutionPdfContent(state, form, lines, diagrams, std::string(), date);
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
