#include "ui/widgets/DiagramView.h"

#include <QPainter>

using vornik::DrawOp;

void DiagramRecorder::FillWhite() {
    // A filling covers everything drawn before it.
    recording_.ClearOps();
    ++generation_;
    picture_.FillWhite();
    recording_.FillWhite();
}

void DiagramRecorder::SetPen(vornik::Rgb color, vornik::PenStyle style, int width) {
    picture_.SetPen(color, style, width);
    recording_.SetPen(color, style, width);
}

void DiagramRecorder::SetPenColor(vornik::Rgb color) {
    picture_.SetPenColor(color);
    recording_.SetPenColor(color);
}

void DiagramRecorder::SetPenStyle(vornik::PenStyle style) {
    picture_.SetPenStyle(style);
    recording_.SetPenStyle(style);
}

void DiagramRecorder::SetPenWidth(int width) {
    picture_.SetPenWidth(width);
    recording_.SetPenWidth(width);
}

void DiagramRecorder::MoveTo(int x, int y) {
    picture_.MoveTo(x, y);
    recording_.MoveTo(x, y);
}

void DiagramRecorder::LineTo(int x, int y) {
    picture_.LineTo(x, y);
    recording_.LineTo(x, y);
}

void DiagramRecorder::SetFontFace(const std::string& face) {
    picture_.SetFontFace(face);
    recording_.SetFontFace(face);
}

void DiagramRecorder::SetFontSize(int points) {
    picture_.SetFontSize(points);
    recording_.SetFontSize(points);
}

void DiagramRecorder::SetFontColor(vornik::Rgb color) {
    picture_.SetFontColor(color);
    recording_.SetFontColor(color);
}

void DiagramRecorder::TextOut(int x, int y, const std::string& text) {
    picture_.TextOut(x, y, text);
    recording_.TextOut(x, y, text);
}

void DrawAgain(const std::vector<DrawOp>& ops, vornik::DiagramCanvas& canvas) {
    for (const DrawOp& op : ops) {
        switch (op.kind) {
            case DrawOp::Kind::Fill:
                canvas.FillWhite();
                break;
            case DrawOp::Kind::Line:
                canvas.SetPen(op.color, op.style, op.width);
                canvas.MoveTo(op.x1, op.y1);
                canvas.LineTo(op.x2, op.y2);
                break;
            case DrawOp::Kind::Text:
                // No face recorded: the canvas's own default, which a new canvas still has.
                if (op.face) {
                    canvas.SetFontFace(*op.face);
                }
                canvas.SetFontSize(op.size);
                canvas.SetFontColor(op.color);
                canvas.TextOut(op.x1, op.y1, op.text);
                break;
        }
    }
}

DiagramView::DiagramView(const DiagramRecorder& drawing, QWidget* parent)
    : QLabel(parent), drawing_(drawing) {}

QPixmap DiagramView::Sharp(qreal ratio) {
    if (sharp_.isNull() || sharpRatio_ != ratio || sharpGeneration_ != drawing_.Generation() ||
        sharpOps_ != drawing_.Ops().size()) {
        vornik::QtDiagramCanvas screen(ratio);
        DrawAgain(drawing_.Ops(), screen);
        sharp_ = QPixmap::fromImage(screen.Image());
        sharpRatio_ = ratio;
        sharpGeneration_ = drawing_.Generation();
        sharpOps_ = drawing_.Ops().size();
    }
    return sharp_;
}

void DiagramView::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0 || drawing_.Ops().empty()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), Sharp(ratio));
}
