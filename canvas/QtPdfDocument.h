#pragma once
// The Qt side of BuildPdf, linked into the desktop program directly and into the canvas module.

#include <string>

#include "canvas/PdfDocument.h"

class QPainter;
class QTextDocument;

namespace vornik {

// Throws std::runtime_error when the PDF cannot be made.
std::string BuildPdfDocument(const PdfContent& content);

// A paged text that would end with a page holding a single line ends with two: the line before
// it starts the last page too (with any blank lines between them).
void KeepLastTwoLinesTogether(QTextDocument& doc);

// Draws recorded operations with the painter, one unit per picture pixel, as the painter canvas
// draws them on its picture (texts placed by the same rule, fonts at 96 dots per inch).
// `dotsPerInch` is the painter's device resolution, which sizes its fonts.
void PaintDrawOps(QPainter& painter, const std::vector<DrawOp>& ops, double dotsPerInch);

}  // namespace vornik
