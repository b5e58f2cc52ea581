#pragma once
// The drawing steps every phasor diagram is made of: axes, legend, scale bar, arrows and
// their labels. Points are given as scaled integer coordinates (real, imaginary) of the
// complex plane, whose origin is the centre of the canvas: real up, +j to the left.

#include <string>

#include "diagram/DiagramCanvas.h"

namespace vornik {

inline constexpr int kCentre = kCanvasSize / 2;
inline constexpr int kLabelSize = 12;
inline constexpr const char* kLabelFace = "Time New Roman";
// One centimetre of the picture is counted as this many pixels in the legend.
inline constexpr double kPixelsPerCm = 28.35;
inline constexpr int kBarbLength = 15;
inline constexpr double kBarbAngleDeg = 150.0;
inline constexpr int kScaleBarLength = 30;
inline constexpr int kScaleBarX = 6;
inline constexpr int kScaleBarY = 30;

// Gives a canvas that has drawn nothing yet the face and size of the captions every drawing
// leaves on it (the axis captions take what the last drawing left), so a window's first picture
// looks like every later one.
void StartCanvas(DiagramCanvas& canvas);

// The legend "1см - <value> <unit>" for a signed factor (negative: divide mode), with the scale
// bar below it. Returns the text drawn, empty for a factor of 0 (nothing is drawn then).
std::string DrawScaleLegend(DiagramCanvas& canvas, const std::string& unit, double factor);

// A 30-pixel bar from (x, y) to the right with a tick at each end.
void DrawScaleBar(DiagramCanvas& canvas, int x, int y);

// An arrow from scaled point (startRe, startIm) to (endRe, endIm) with two 15-pixel barbs at
// +-150 degrees from the shaft's direction.
void DrawPhasor(DiagramCanvas& canvas, int startRe, int startIm, int endRe, int endIm, Rgb color,
                PenStyle style, int width);

// The label of a phasor, offset pixels right of and below its scaled tip.
void DrawPhasorLabel(DiagramCanvas& canvas, int re, int im, const std::string& text, Rgb color, int offset);

}  // namespace vornik
