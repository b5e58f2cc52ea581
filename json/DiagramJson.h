#pragma once
// A drawn diagram as JSON: its read-outs and its drawing operations, for vornik-cli's --diagram
// and for the web page, which paints the operations itself.

#include <vector>

#include "diagram/Diagram.h"
#include "diagram/RecordingCanvas.h"
#include "json/Json.h"

namespace vornik {

// {"label11": text or null, "label12": text, "legend": text, "ops": [...]}; each operation is
// {"op":"fill"|"line"|"text", ...} with its coordinates, colour, pen or font.
Json DiagramJson(const DiagramLabels& labels, const std::vector<DrawOp>& ops);

}  // namespace vornik
