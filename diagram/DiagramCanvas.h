#pragma once
// The drawing surface of the phasor diagram: a 400 x 400 picture, x to the right, y downwards.
// The geometry only issues these operations; a painter on an image or a recorder implements them.

#include <cstdint>
#include <string>

namespace vornik {

inline constexpr int kCanvasSize = 400;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreen{0, 128, 0};

enum class PenStyle { Solid, Dot };

// The canvas keeps its pen and font between calls, like a painter's canvas does: what a routine
// does not set carries over from the previous drawing.
class DiagramCanvas {
  public:
    virtual ~DiagramCanvas() = default;
    // Fill (0, 0)-(400, 400) with white.
    virtual void FillWhite() = 0;
    virtual void SetPen(Rgb color, PenStyle style, int width) = 0;
    virtual void SetPenColor(Rgb color) = 0;
    virtual void SetPenStyle(PenStyle style) = 0;
    virtual void SetPenWidth(int width) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void SetFontFace(const std::string& face) = 0;
    virtual void SetFontSize(int points) = 0;
    virtual void SetFontColor(Rgb color) = 0;
    // Text with its top-left corner at (x, y) on an opaque white background.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
};

}  // namespace vornik
