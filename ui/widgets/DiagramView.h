#pragma once
// The vector diagram on screen at the window's device pixel ratio. The 400 x 400 picture that is
// saved keeps its pixels; a screen scaled to 150 % or 200 % shows the same drawing made again at
// its own resolution, so lines and labels are sharp instead of blown up.

#include <QLabel>
#include <QPixmap>
#include <cstddef>
#include <vector>

#include "canvas/QtDiagramCanvas.h"
#include "diagram/RecordingCanvas.h"

// Draws on the picture canvas and keeps the list of what was drawn since the last clearing, so
// the drawing can be made again at another resolution.
class DiagramRecorder : public vornik::DiagramCanvas {
  public:
    explicit DiagramRecorder(vornik::QtDiagramCanvas& picture) : picture_(picture) {}

    void FillWhite() override;
    void SetPen(vornik::Rgb color, vornik::PenStyle style, int width) override;
    void SetPenColor(vornik::Rgb color) override;
    void SetPenStyle(vornik::PenStyle style) override;
    void SetPenWidth(int width) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetFontFace(const std::string& face) override;
    void SetFontSize(int points) override;
    void SetFontColor(vornik::Rgb color) override;
    void TextOut(int x, int y, const std::string& text) override;

    // What was drawn since the picture was last filled white, that filling first.
    const std::vector<vornik::DrawOp>& Ops() const { return recording_.Ops(); }
    // Counts the fillings, so that a drawing is told from an earlier one of the same length.
    int Generation() const { return generation_; }

  private:
    vornik::QtDiagramCanvas& picture_;
    vornik::RecordingCanvas recording_;
    int generation_ = 0;
};

// Draws the operations again on another canvas, in their order.
void DrawAgain(const std::vector<vornik::DrawOp>& ops, vornik::DiagramCanvas& canvas);

// Image1 of the diagram window: shows the picture it is given, and on a scaled screen paints the
// recorded drawing at the screen's pixel ratio instead.
class DiagramView : public QLabel {
  public:
    DiagramView(const DiagramRecorder& drawing, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The drawing made at the ratio, kept until the drawing or the ratio changes.
    QPixmap Sharp(qreal ratio);

    const DiagramRecorder& drawing_;
    QPixmap sharp_;
    qreal sharpRatio_ = 0;
    int sharpGeneration_ = -1;
    std::size_t sharpOps_ = 0;
};
