#include "diagram/RecordingCanvas.h"

namespace vornik {

void RecordingCanvas::FillWhite() {
    DrawOp op;
    op.kind = DrawOp::Kind::Fill;
    op.x2 = kCanvasSize;
    op.y2 = kCanvasSize;
    op.color = kWhite;
    ops_.push_back(op);
}

void RecordingCanvas::SetPen(Rgb color, PenStyle style, int width) {
    penColor_ = color;
    penStyle_ = style;
    penWidth_ = width;
}

void RecordingCanvas::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void RecordingCanvas::LineTo(int x, int y) {
    DrawOp op;
    op.kind = DrawOp::Kind::Line;
    op.x1 = x_;
    op.y1 = y_;
    op.x2 = x;
    op.y2 = y;
    op.color = penColor_;
    op.style = penStyle_;
    op.width = penWidth_;
    ops_.push_back(op);
    x_ = x;
    y_ = y;
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.x1 = x;
    op.y1 = y;
    op.color = fontColor_;
    op.text = text;
    op.face = face_;
    op.size = fontSize_;
    ops_.push_back(op);
}

}  // namespace vornik
