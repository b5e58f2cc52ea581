#include "diagram/SvgWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "solver/Text.h"

namespace vornik {

namespace {

std::string Colour(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

// A coordinate in the shortest exact decimal form ("200", "200.5").
std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", v);
    std::string s = text;
    while (s.back() == '0') {
        s.pop_back();
    }
    if (s.back() == '.') {
        s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

// The families the painter tries for a face, the one it found first.
std::string Families(const std::optional<std::string>& face, const std::string& found) {
    std::vector<std::string> names;
    if (!found.empty()) {
        names.push_back(found);
    }
    if (!face) {
        names.insert(names.end(), {"MS Sans Serif", "Liberation Sans", "DejaVu Sans"});
    } else {
        names.push_back(*face);
        if (*face == "Time New Roman" || *face == "Times New Roman") {
            names.insert(names.end(), {"Times New Roman", "Liberation Serif", "DejaVu Serif"});
        }
    }
    std::string out;
    std::vector<std::string> seen;
    for (const std::string& n : names) {
        if (std::find(seen.begin(), seen.end(), n) == seen.end()) {
            seen.push_back(n);
            out += '\'';
            out += XmlEscaped(n);
            out += "', ";
        }
    }
    const bool serif = face && face->find("Sans") == std::string::npos;
    return out + (serif ? "serif" : "sans-serif");
}

// Where a line's ends go in the SVG so that the rasteriser picks the pixels the painter sets.
// The painter steps along the longer axis one pixel at a time and takes, at each step, the pixel
// under the line drawn through the pixels' corners: sampled at the middle of the step for a line
// leaning forwards, at its start for one leaning back. A rasteriser without smoothing takes the
// pixels whose centres the stroke covers, so the SVG line is shifted accordingly; a line along an
// axis runs through the pixel centres. Wider pens are centred on the line.
struct Ends {
    double x1, y1, x2, y2;
};
Ends SvgEnds(const DrawOp& op) {
    Ends e{double(op.x1), double(op.y1), double(op.x2), double(op.y2)};
    if (op.width > 1) {
        const double shift = op.width % 2 == 1 ? 0.5 : 0.0;
        return {e.x1 + shift, e.y1 + shift, e.x2 + shift, e.y2 + shift};
    }
    const int dx = op.x2 - op.x1;
    const int dy = op.y2 - op.y1;
    const bool steep = std::abs(dy) > std::abs(dx);
    const int major = steep ? dy : dx;
    const int minor = steep ? dx : dy;
    double majorShift = 0.0;
    double minorShift = 0.0;
    if (minor == 0 || major == 0) {
        majorShift = minorShift = 0.5;
    } else if ((minor > 0) != (major > 0)) {
        majorShift = 0.5;
    }
    const double sx = steep ? minorShift : majorShift;
    const double sy = steep ? majorShift : minorShift;
    return {e.x1 + sx, e.y1 + sy, e.x2 + sx, e.y2 + sy};
}

void Line(std::string& svg, const DrawOp& op) {
    const Ends e = SvgEnds(op);
    svg += "<line x1=\"" + Number(e.x1) + "\" y1=\"" + Number(e.y1) + "\" x2=\"" + Number(e.x2) + "\" y2=\"" +
           Number(e.y2) + "\" stroke=\"" + Colour(op.color) + "\" stroke-width=\"" +
           std::to_string(std::max(1, op.width)) + "\"";
    if (op.style == PenStyle::Dot) {
        // One pixel set, two skipped.
        const int w = std::max(1, op.width);
        svg += " stroke-dasharray=\"" + std::to_string(w) + "," + std::to_string(2 * w) +
               "\" stroke-linecap=\"butt\"";
    } else {
        svg += " stroke-linecap=\"square\"";
    }
    svg += "/>\n";
}

void Text(std::string& svg, const DrawOp& op, const TextMeasure& measure) {
    const TextExtent e = measure.Measure(op.face, op.size, op.text);
    const TextBox box = PlaceText(op.x1, op.y1, e.width, e.height);
    // The opaque background of the text, then the text on its baseline.
    svg += "<rect x=\"" + std::to_string(box.left) + "\" y=\"" + std::to_string(box.top) + "\" width=\"" +
           std::to_string(box.width) + "\" height=\"" + std::to_string(box.height) +
           "\" fill=\"#ffffff\"/>\n";
    svg += "<text x=\"" + std::to_string(box.left) + "\" y=\"" + std::to_string(box.top + e.ascent) +
           "\" font-family=\"" + Families(op.face, e.family) + "\" font-size=\"" +
           Number(FontPixels(op.size)) + "\" fill=\"" + Colour(op.color) + "\" xml:space=\"preserve\">" +
           XmlEscaped(op.text) + "</text>\n";
}

}  // namespace

std::string DiagramSvg(const std::vector<DrawOp>& ops, const TextMeasure& measure) {
    const std::string size = std::to_string(kCanvasSize);
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        size + "\" height=\"" + size + "\" viewBox=\"0 0 " + size + " " + size +
        "\" shape-rendering=\"crispEdges\">\n";
    for (const DrawOp& op : ops) {
        switch (op.kind) {
            case DrawOp::Kind::Fill:
                svg += "<rect x=\"" + std::to_string(op.x1) + "\" y=\"" + std::to_string(op.y1) +
                       "\" width=\"" + std::to_string(op.x2 - op.x1) + "\" height=\"" +
                       std::to_string(op.y2 - op.y1) + "\" fill=\"" + Colour(op.color) + "\"/>\n";
                break;
            case DrawOp::Kind::Line:
                Line(svg, op);
                break;
            case DrawOp::Kind::Text:
                Text(svg, op, measure);
                break;
        }
    }
    return svg + "</svg>\n";
}

}  // namespace vornik
