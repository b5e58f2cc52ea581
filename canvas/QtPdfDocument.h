#pragma once
// The Qt side of BuildPdf, linked into the desktop program directly and into the canvas module.

#include <string>

#include "canvas/PdfDocument.h"

class QPageLayout;
class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace vornik {

// Throws std::runtime_error when the PDF cannot be made.
std::string BuildPdfDocument(const PdfContent& content);

// A paged text that would end with a page holding a single line ends with two: the line before
// it starts the last page too (with any blank lines between them).
void KeepLastTwoLinesTogether(QTextDocument& doc);

// The pages of the report: A4 portrait with the PDF's margins.
QPageLayout ReportPageLayout();

// The dots per inch the report's pages are laid out for; a printer is set to them before its
// painter begins, so print, preview and PDF make the same pages.
inline constexpr int kReportDotsPerInch = 1200;

// Paints the title block and the report from the device's current page on, each page numbered
// "N / M" below the text, M counting the diagram pages that follow them; returns how many pages
// it painted. The PDF, "Печать" and the print preview all make their text pages with it.
int PaintReportPages(QPainter& painter, QPagedPaintDevice& device, const PdfContent& content);

// Draws recorded operations with the painter, one unit per picture pixel, as the painter canvas
// draws them on its picture (texts placed by the same rule, fonts at 96 dots per inch).
// `dotsPerInch` is the painter's device resolution, which sizes its fonts.
void PaintDrawOps(QPainter& painter, const std::vector<DrawOp>& ops, double dotsPerInch);

}  // namespace vornik
