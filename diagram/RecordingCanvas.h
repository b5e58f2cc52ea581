#pragma once
// A canvas that keeps the list of what was drawn instead of pixels: for the command line's
// JSON output and for checking the geometry without a window system.

#include <optional>
#include <string>
#include <vector>

#include "diagram/DiagramCanvas.h"

namespace vornik {

inline constexpr int kDefaultFontSize = 8;

struct DrawOp {
    enum class Kind { Fill, Line, Text };
    Kind kind = Kind::Fill;
    // Fill: the rectangle; Line: from (x1, y1) to (x2, y2); Text: the top-left corner in (x1, y1).
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    Rgb color;  // fill colour, pen colour or font colour
    PenStyle style = PenStyle::Solid;
    int width = 1;
    std::string text;
    std::optional<std::string> face;  // nullopt: the canvas's default face
    int size = kDefaultFontSize;

    friend bool operator==(const DrawOp&, const DrawOp&) = default;
};

class RecordingCanvas : public DiagramCanvas {
  public:
    void FillWhite() override;
    void SetPen(Rgb color, PenStyle style, int width) override;
    void SetPenColor(Rgb color) override { penColor_ = color; }
    void SetPenStyle(PenStyle style) override { penStyle_ = style; }
    void SetPenWidth(int width) override { penWidth_ = width; }
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetFontFace(const std::string& face) override { face_ = face; }
    void SetFontSize(int points) override { fontSize_ = points; }
    void SetFontColor(Rgb color) override { fontColor_ = color; }
    void TextOut(int x, int y, const std::string& text) override;

    const std::vector<DrawOp>& Ops() const { return ops_; }
    // Forgets the operations but keeps pen, font and position, as a canvas keeps them.
    void ClearOps() { ops_.clear(); }

  private:
    std::vector<DrawOp> ops_;
    Rgb penColor_ = kBlack;
    PenStyle penStyle_ = PenStyle::Solid;
    int penWidth_ = 1;
    int x_ = 0;
    int y_ = 0;
    std::optional<std::string> face_;
    int fontSize_ = kDefaultFontSize;
    Rgb fontColor_ = kBlack;
};

}  // namespace vornik
