#include "diagram/DiagramDrawing.h"

#include <cmath>
#include <numbers>

#include "diagram/Diagram.h"
#include "diagram/ScaleChooser.h"
#include "report/NumberText.h"

namespace vornik {

namespace {

constexpr double kDegPerRad = 180.0 / std::numbers::pi;
constexpr double kRadPerDeg = std::numbers::pi / 180.0;

struct Pixel {
    int x;
    int y;
};

Pixel ToPixel(int re, int im) {
    return {kCentre - im, kCentre - re};
}

void Line(DiagramCanvas& canvas, Pixel from, Pixel to) {
    canvas.MoveTo(from.x, from.y);
    canvas.LineTo(to.x, to.y);
}

Pixel Barb(Pixel tip, double directionDeg) {
    const double a = directionDeg * kRadPerDeg;
    return {tip.x + NearestInt(kBarbLength * std::cos(a)), tip.y + NearestInt(kBarbLength * std::sin(a))};
}

}  // namespace

void StartCanvas(DiagramCanvas& canvas) {
    canvas.SetFontFace(kLabelFace);
    canvas.SetFontSize(kLabelSize);
}

void ClearDiagram(DiagramCanvas& canvas) {
    canvas.FillWhite();
    canvas.SetFontColor(kBlack);
    // The face and size of the captions are whatever the canvas has from the last drawing.
    canvas.TextOut(205, 2, " + ");
    canvas.TextOut(5, 205, " +j ");
    canvas.TextOut(385, 205, " -j ");
    // The pen width is left as it is, like the face.
    canvas.SetPenColor(kBlack);
    canvas.SetPenStyle(PenStyle::Dot);
    Line(canvas, {kCentre, 0}, {kCentre, kCanvasSize});
    Line(canvas, {0, kCentre}, {kCanvasSize, kCentre});
}

std::string DrawScaleLegend(DiagramCanvas& canvas, const std::string& unit, double factor) {
    if (factor == 0.0) {
        return std::string();
    }
    const double perCm = factor < 0 ? factor * kPixelsPerCm : kPixelsPerCm / factor;
    const std::string text = "1см - " + FormatGeneral(std::fabs(RoundToThousandths(perCm))) + " " + unit;
    canvas.SetFontColor(kBlack);
    canvas.SetFontSize(kLabelSize);
    canvas.TextOut(4, 4, text);
    DrawScaleBar(canvas, kScaleBarX, kScaleBarY);
    return text;
}

void DrawScaleBar(DiagramCanvas& canvas, int x, int y) {
    canvas.SetPen(kBlack, PenStyle::Solid, 1);
    Line(canvas, {x, y}, {x + kScaleBarLength, y});
    Line(canvas, {x, y - 5}, {x, y + 5});
    Line(canvas, {x + kScaleBarLength, y - 5}, {x + kScaleBarLength, y + 5});
}

void DrawPhasor(DiagramCanvas& canvas, int startRe, int startIm, int endRe, int endIm, Rgb color,
                PenStyle style, int width) {
    const Pixel p1 = ToPixel(startRe, startIm);
    const Pixel p2 = ToPixel(endRe, endIm);
    canvas.SetPen(color, style, width);
    Line(canvas, p1, p2);
    // A phasor of length zero has direction 0 and gets its head at the centre all the same.
    const double theta = std::atan2(p2.y - p1.y, p2.x - p1.x) * kDegPerRad;
    Line(canvas, p2, Barb(p2, theta + kBarbAngleDeg));
    Line(canvas, p2, Barb(p2, theta - kBarbAngleDeg));
}

void DrawPhasorLabel(DiagramCanvas& canvas, int re, int im, const std::string& text, Rgb color, int offset) {
    canvas.SetFontFace(kLabelFace);
    canvas.SetFontSize(kLabelSize);
    canvas.SetFontColor(color);
    const Pixel tip = ToPixel(re, im);
    canvas.TextOut(tip.x + offset, tip.y + offset, text);
}

}  // namespace vornik
