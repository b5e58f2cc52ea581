#pragma once
// The diagram as an SVG 1.1 document: the recorded drawing operations as vector lines and
// texts on a 400 x 400 picture, drawn as the painter canvas draws them, so that the picture a
// student puts into a report is sharp at any size.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "diagram/RecordingCanvas.h"

namespace vornik {

// What the painter's font system says about one text: its advance width, the height and
// ascent of its line, in picture pixels, and the font family it really found for the face.
struct TextExtent {
    int width = 0;
    int height = 0;
    int ascent = 0;
    std::string family;
};

// The font system the texts are measured with (the painter's, so that the SVG places each
// text where the picture has it).
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual TextExtent Measure(const std::optional<std::string>& face, int points,
                               const std::string& text) const = 0;
};

// The box a text of this extent takes when asked for at (x, y): a text that would reach past
// an edge is moved back inside by its overflow; one larger than the picture keeps to the top
// left corner.
struct TextBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
// (Inline: the painter's canvas module uses it without linking the core.)
inline TextBox PlaceText(int x, int y, int width, int height) {
    return {std::clamp(x, 0, std::max(0, kCanvasSize - width)),
            std::clamp(y, 0, std::max(0, kCanvasSize - height)), width, height};
}

// Points to CSS pixels at the picture's 96 dots per inch.
inline double FontPixels(int points) {
    return points * 96.0 / 72.0;
}

// The drawing as a standalone SVG document (UTF-8).
std::string DiagramSvg(const std::vector<DrawOp>& ops, const TextMeasure& measure);

}  // namespace vornik
