#pragma once
// The diagram canvas as a QPainter on a 400 x 400 QImage. It keeps pen, font and current
// position between drawings, as a painter canvas does; text needs a QGuiApplication.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>

#include "diagram/DiagramCanvas.h"
#include "diagram/SvgWriter.h"
#include "pictures/PictureFile.h"

namespace vornik {

// Also the measure of texts by its font system, for the SVG of a drawing.
class QtDiagramCanvas : public DiagramCanvas, public TextMeasure {
  public:
    QtDiagramCanvas();
    // The same 400 x 400 drawing made with devicePixelRatio image pixels per picture pixel, for
    // a screen scaled to 150 % or 200 %. Coordinates, pen widths and font sizes stay in picture
    // pixels; only the picture of ratio 1 is the one saved.
    explicit QtDiagramCanvas(qreal devicePixelRatio);

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
    // The picture as 24-bit RGB rows for the picture encoders.
    RgbPicture Picture() const;
    // The font the next text will be drawn with (for checking which face was really found).
    const QFont& Font() const { return font_; }
    // How a text of that face and size measures in this canvas's font system: where TextOut
    // would put it, for the SVG of the same drawing.
    TextExtent Measure(const std::optional<std::string>& face, int points,
                       const std::string& text) const override;
    // The font a text of that face (nullopt: the canvas's first font) and size is drawn with.
    static QFont FontFor(const std::optional<std::string>& face, int points);

  private:
    QImage image_;
    QColor penColor_;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    int penWidth_ = 1;
    QPoint position_;
    QFont font_;
    QColor fontColor_;
};

}  // namespace vornik
