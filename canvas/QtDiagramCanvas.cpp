#include "canvas/QtDiagramCanvas.h"

// Placeholder until the painter canvas lands.
namespace vornik {
QtDiagramCanvas::QtDiagramCanvas() : image_(kCanvasSize, kCanvasSize, QImage::Format_RGB32) {
    image_.fill(Qt::white);
}
void QtDiagramCanvas::FillWhite() {
    image_.fill(Qt::white);
}
void QtDiagramCanvas::SetPen(Rgb, PenStyle, int) {}
void QtDiagramCanvas::SetPenColor(Rgb) {}
void QtDiagramCanvas::SetPenStyle(PenStyle) {}
void QtDiagramCanvas::SetPenWidth(int) {}
void QtDiagramCanvas::MoveTo(int, int) {}
void QtDiagramCanvas::LineTo(int, int) {}
void QtDiagramCanvas::SetFontFace(const std::string&) {}
void QtDiagramCanvas::SetFontSize(int) {}
void QtDiagramCanvas::SetFontColor(Rgb) {}
void QtDiagramCanvas::TextOut(int, int, const std::string&) {}
RgbPicture QtDiagramCanvas::Picture() const {
    return {};
}
}  // namespace vornik
