#include "canvas/QtDiagramCanvas.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstring>

namespace vornik {

namespace {

// 96 dots per inch, so that 12 points are 16 pixels whatever the screen says.
constexpr int kDotsPerMetre = 3780;
constexpr int kDefaultPointSize = 8;

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Families tried in order, so that a face missing here falls back to a close relative instead
// of whatever the font system picks. "Time New Roman" is the face the labels ask for; no such
// font exists, so the labels come out in a Times-compatible serif.
QStringList FamiliesFor(const std::string& face) {
    if (face == "Time New Roman" || face == "Times New Roman") {
        return {QString::fromStdString(face), "Times New Roman", "Liberation Serif", "DejaVu Serif", "serif"};
    }
    return {QString::fromStdString(face)};
}

QFont DefaultFont() {
    QFont font;
    font.setFamilies({"MS Sans Serif", "Liberation Sans", "DejaVu Sans", "sans-serif"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(kDefaultPointSize);
    return font;
}

}  // namespace

QtDiagramCanvas::QtDiagramCanvas() : QtDiagramCanvas(1.0) {}

QtDiagramCanvas::QtDiagramCanvas(qreal devicePixelRatio)
    : image_(qRound(kCanvasSize * devicePixelRatio), qRound(kCanvasSize * devicePixelRatio),
             QImage::Format_RGB32),
      penColor_(Qt::black),
      font_(DefaultFont()),
      fontColor_(Qt::black) {
    // The painter scales by the ratio; the dots per metre keep the points-to-pixels rule.
    image_.setDevicePixelRatio(devicePixelRatio);
    image_.setDotsPerMeterX(kDotsPerMetre);
    image_.setDotsPerMeterY(kDotsPerMetre);
    image_.fill(Qt::white);
}

void QtDiagramCanvas::FillWhite() {
    image_.fill(Qt::white);
}

void QtDiagramCanvas::SetPen(Rgb color, PenStyle style, int width) {
    SetPenColor(color);
    SetPenStyle(style);
    SetPenWidth(width);
}

void QtDiagramCanvas::SetPenColor(Rgb color) {
    penColor_ = ToQColor(color);
}

void QtDiagramCanvas::SetPenStyle(PenStyle style) {
    penStyle_ = style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine;
}

void QtDiagramCanvas::SetPenWidth(int width) {
    penWidth_ = width;
}

void QtDiagramCanvas::MoveTo(int x, int y) {
    position_ = QPoint(x, y);
}

void QtDiagramCanvas::LineTo(int x, int y) {
    const QPoint to(x, y);
    {
        // A painter per operation: the image is never left with an open painter, so Image()
        // can be copied or saved at any time.
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(penColor_, penWidth_, penStyle_));
        painter.drawLine(position_, to);
    }
    position_ = to;
}

void QtDiagramCanvas::SetFontFace(const std::string& face) {
    font_.setFamilies(FamiliesFor(face));
    font_.setStyleHint(face.find("Sans") != std::string::npos ? QFont::SansSerif : QFont::Serif);
}

void QtDiagramCanvas::SetFontSize(int points) {
    font_.setPointSize(points);
}

void QtDiagramCanvas::SetFontColor(Rgb color) {
    fontColor_ = ToQColor(color);
}

void QtDiagramCanvas::TextOut(int x, int y, const std::string& text) {
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(fontColor_);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QBrush(Qt::white));
    const QFontMetrics metrics(font_, &image_);
    const QString line = QString::fromStdString(text);
    // A label near an edge (a tip close to the border, "Ubc" at x = 399) would be cut or drawn
    // wholly outside the picture: it is moved back inside by its overflow, so every label stays
    // whole and readable. Texts that fit are drawn exactly where asked. In picture pixels: a
    // canvas for a scaled screen has more image pixels but the same picture.
    const TextBox box = PlaceText(x, y, metrics.horizontalAdvance(line), metrics.height());
    painter.drawText(QPoint(box.left, box.top + metrics.ascent()), line);
}

TextExtent QtDiagramCanvas::Measure(const std::optional<std::string>& face, int points,
                                    const std::string& text) const {
    const QFont font = FontFor(face, points);
    const QFontMetrics metrics(font, &image_);
    TextExtent extent;
    extent.width = metrics.horizontalAdvance(QString::fromStdString(text));
    extent.height = metrics.height();
    extent.ascent = metrics.ascent();
    extent.family = QFontInfo(font).family().toStdString();
    return extent;
}

QFont QtDiagramCanvas::FontFor(const std::optional<std::string>& face, int points) {
    QFont font = DefaultFont();
    if (face) {
        font.setFamilies(FamiliesFor(*face));
        font.setStyleHint(face->find("Sans") != std::string::npos ? QFont::SansSerif : QFont::Serif);
    }
    font.setPointSize(points);
    return font;
}

RgbPicture QtDiagramCanvas::Picture() const {
    const QImage rgb = image_.convertToFormat(QImage::Format_RGB888);
    RgbPicture picture;
    picture.width = rgb.width();
    picture.height = rgb.height();
    const std::size_t rowBytes = static_cast<std::size_t>(rgb.width()) * 3;
    picture.rgb.resize(rowBytes * static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(picture.rgb.data() + rowBytes * static_cast<std::size_t>(y), rgb.constScanLine(y),
                    rowBytes);
    }
    return picture;
}

}  // namespace vornik
