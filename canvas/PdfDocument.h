#pragma once
// A PDF of a worked solution: A4 pages with a title block, the results document with its fonts
// and raised text, page numbers, and phasor diagrams as vector drawings at true scale (one
// picture pixel is one point, so one "см" of the legend is a centimetre on paper). Built by Qt's
// PDF writer in the canvas module; this header includes nothing of Qt.

#include <cstddef>
#include <string>
#include <vector>

#include "diagram/RecordingCanvas.h"
#include "report/RtfDocument.h"

namespace vornik {

struct PdfDiagram {
    std::string caption;
    std::vector<DrawOp> ops;  // as a RecordingCanvas recorded them
};

struct PdfContent {
    // The first line is the heading; the others (connection, inputs, date) follow it.
    std::vector<std::string> titleBlock;
    RtfDocument report;
    // Paragraphs of the report that start a new page.
    std::vector<std::size_t> pageBreaks;
    // Two to a page after the report.
    std::vector<PdfDiagram> diagrams;
};

// The printed margins of the results document, in millimetres.
inline constexpr double kPdfMarginMm = 20.0;

// The PDF file's bytes; throws std::runtime_error when Qt cannot make it. A program without
// windows loads the canvas module for it (see MakeHeadlessCanvas).
std::string BuildPdf(const PdfContent& content);

// The module's entry point, looked up by name; it writes the bytes into `out` (a C-linkage
// function returns no C++ type).
inline constexpr const char* kBuildPdfEntry = "VornikBuildPdf";
using BuildPdfEntryFn = void (*)(const PdfContent&, std::string& out);
// A PDF builder as the class-set writer takes it: BuildPdf, or BuildPdfDocument in the program.
using BuildPdfFn = std::string (*)(const PdfContent&);

}  // namespace vornik
