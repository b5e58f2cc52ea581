#pragma once
// The diagram canvas as a QPainter on a 400 x 400 QImage.

#include <QImage>

#include "diagram/DiagramCanvas.h"
#include "diagram/PictureFile.h"

namespace vornik {

class QtDiagramCanvas : public DiagramCanvas {
  public:
    QtDiagramCanvas();

    void FillWhite() override;
    void SetPen(Rgb color, PenStyle style, int width) override;
    void SetPenColor(Rgb color) override;
    void SetPenStyle(PenStyle style) override;
    void SetPenWidth(int width) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetFontFace(const std::string& face) override;
    void SetFontSize(int points) override;
    void SetFontColor(Rgb color) override;
    void TextOut(int x, int y, const std::string& text) override;

    const QImage& Image() const { return image_; }
    RgbPicture Picture() const;

  private:
    QImage image_;
};

}  // namespace vornik
