#include "ui/widgets/Glyphs.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QtMath>
#include <algorithm>
#include <optional>

#include "ui/widgets/RawPicture.h"

namespace {

// Glyphs are drawn on a 32 × 32 grid and scaled.
constexpr qreal kGrid = 32;

void Arrow(QPainter& p, QPointF from, qreal angleDeg, qreal length, const QColor& colour) {
    const qreal a = qDegreesToRadians(angleDeg);
    const QPointF to = from + QPointF(length * qCos(a), -length * qSin(a));
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const qreal head = 5;
    for (const qreal side : {150.0, -150.0}) {
        const qreal b = a + qDegreesToRadians(side);
        p.drawLine(to, to + QPointF(head * qCos(b), -head * qSin(b)));
    }
}

void Page(QPainter& p, const QRectF& r, const QColor& fill) {
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(fill);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (qreal y = r.top() + 5; y < r.bottom() - 2; y += 4) {
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

// The ink of the enabled look.
constexpr QRgb kInk = qRgb(30, 30, 30);

void DrawGlyph(QPainter& p, Glyph glyph, bool enabled) {
    const QColor ink = enabled ? QColor(kInk) : QColor(150, 150, 150);
    auto tint = [enabled](QColor c) { return enabled ? c : QColor(170, 170, 170); };
    switch (glyph) {
        case Glyph::Execute: {
            QPainterPath path;
            path.moveTo(9, 5);
            path.lineTo(27, 16);
            path.lineTo(9, 27);
            path.closeSubpath();
            p.setPen(QPen(ink, 1.5));
            p.setBrush(tint(QColor(40, 170, 60)));
            p.drawPath(path);
            break;
        }
        case Glyph::Diagram:
        case Glyph::Program: {
            const QPointF centre(16, 16);
            p.setPen(QPen(tint(QColor(120, 120, 120)), 1));
            p.drawLine(QPointF(3, 16), QPointF(29, 16));
            p.drawLine(QPointF(16, 3), QPointF(16, 29));
            Arrow(p, centre, 90, 13, tint(QColor(220, 170, 0)));
            Arrow(p, centre, -30, 13, tint(QColor(30, 150, 40)));
            Arrow(p, centre, 210, 13, tint(QColor(210, 40, 40)));
            break;
        }
        case Glyph::Assistant: {
            p.setPen(QPen(ink, 1.5));
            p.setBrush(tint(QColor(250, 250, 220)));
            p.drawRect(QRectF(5, 4, 22, 24));
            p.setFont(QFont(QStringLiteral("Liberation Serif"), 9, QFont::Bold));
            p.drawText(QRectF(5, 4, 22, 12), Qt::AlignCenter, QStringLiteral("U/√3"));
            p.drawText(QRectF(5, 15, 22, 12), Qt::AlignCenter, QStringLiteral("ωL"));
            break;
        }
        case Glyph::Precision: {
            p.setPen(QPen(ink, 1.5));
            p.setFont(QFont(QStringLiteral("Liberation Sans"), 11, QFont::Bold));
            p.drawText(QRectF(0, 2, 32, 28), Qt::AlignCenter, QStringLiteral("0,00"));
            break;
        }
        case Glyph::Help: {
            p.setPen(QPen(ink, 1.5));
            p.setBrush(tint(QColor(60, 110, 210)));
            p.drawEllipse(QRectF(4, 4, 24, 24));
            p.setPen(enabled ? Qt::white : QColor(240, 240, 240));
            p.setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold));
            p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
        case Glyph::Centre: {
            p.setPen(QPen(ink, 1.5));
            p.setBrush(tint(QColor(200, 220, 250)));
            p.drawRect(QRectF(9, 9, 14, 14));
            p.fillRect(QRectF(9, 9, 14, 3), tint(QColor(40, 80, 170)));
            for (const qreal angle : {45.0, 135.0, 225.0, 315.0}) {
                const qreal a = qDegreesToRadians(angle);
                Arrow(p, QPointF(16, 16) + QPointF(15 * qCos(a), -15 * qSin(a)), angle + 180, 5, ink);
            }
            break;
        }
        case Glyph::Copy:
            Page(p, QRectF(4, 3, 16, 20), tint(Qt::white));
            Page(p, QRectF(12, 9, 16, 20), tint(QColor(235, 240, 255)));
            break;
        case Glyph::Cut: {
            p.setPen(QPen(ink, 2));
            p.setBrush(Qt::NoBrush);
            p.drawLine(QPointF(10, 4), QPointF(20, 22));
            p.drawLine(QPointF(22, 4), QPointF(12, 22));
            p.setPen(QPen(tint(QColor(200, 40, 40)), 2));
            p.drawEllipse(QRectF(6, 21, 8, 8));
            p.drawEllipse(QRectF(18, 21, 8, 8));
            break;
        }
        case Glyph::Paste: {
            p.setPen(QPen(ink, 1.2));
            p.setBrush(tint(QColor(190, 140, 80)));
            p.drawRoundedRect(QRectF(4, 5, 18, 24), 2, 2);
            p.setBrush(tint(QColor(160, 160, 160)));
            p.drawRect(QRectF(9, 3, 8, 4));
            Page(p, QRectF(13, 12, 15, 17), tint(Qt::white));
            break;
        }
        case Glyph::Superscript: {
            p.setPen(ink);
            p.setFont(QFont(QStringLiteral("Liberation Serif"), 15, QFont::Bold));
            p.drawText(QRectF(2, 8, 20, 22), Qt::AlignCenter, QStringLiteral("x"));
            p.setPen(tint(QColor(30, 60, 200)));
            p.setFont(QFont(QStringLiteral("Liberation Serif"), 10, QFont::Bold));
            p.drawText(QRectF(17, 2, 12, 14), Qt::AlignCenter, QStringLiteral("2"));
            break;
        }
        case Glyph::Print: {
            p.setPen(QPen(ink, 1.2));
            Page(p, QRectF(9, 3, 14, 12), tint(Qt::white));
            p.setPen(QPen(ink, 1.2));
            p.setBrush(tint(QColor(170, 170, 180)));
            p.drawRoundedRect(QRectF(3, 13, 26, 11), 2, 2);
            p.setBrush(tint(Qt::white));
            p.drawRect(QRectF(9, 21, 14, 8));
            break;
        }
        case Glyph::Word: {
            Page(p, QRectF(6, 3, 20, 26), tint(Qt::white));
            p.setPen(tint(QColor(30, 70, 170)));
            p.setFont(QFont(QStringLiteral("Liberation Sans"), 13, QFont::Bold));
            p.drawText(QRectF(6, 6, 20, 22), Qt::AlignCenter, QStringLiteral("W"));
            break;
        }
        case Glyph::Save: {
            p.setPen(QPen(ink, 1.2));
            p.setBrush(tint(QColor(50, 90, 170)));
            p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
            p.setBrush(tint(Qt::white));
            p.drawRect(QRectF(9, 4, 14, 9));
            p.setBrush(tint(QColor(200, 200, 200)));
            p.drawRect(QRectF(10, 18, 12, 10));
            break;
        }
    }
}

// Where a glyph's look of a shipped size stands on the sheet: one column per glyph, as wide as
// the largest size; for each size a row of the enabled and a row of the disabled looks.
QRect SheetCell(Glyph glyph, int size, bool enabled) {
    int top = 0;
    for (int shipped : kShippedGlyphSizes) {
        if (shipped == size) {
            const int largest = kShippedGlyphSizes.back();
            return QRect(static_cast<int>(glyph) * largest, top + (enabled ? 0 : size), size, size);
        }
        top += 2 * shipped;
    }
    return QRect();
}

// The window icon is drawn at whatever sizes the desktop asks for, so it is not on the sheet.
constexpr int kSheetGlyphs = static_cast<int>(Glyph::Program);

bool OnSheet(Glyph glyph, int size) {
    return static_cast<int>(glyph) < kSheetGlyphs && SheetCell(glyph, size, true).isValid();
}

// The look of a button: from the sheet for the shipped sizes, else drawn now.
QPixmap GlyphPixmap(Glyph glyph, int size, bool enabled) {
    if (!OnSheet(glyph, size)) {
        return DrawGlyphPicture(glyph, size, enabled);
    }
    // Kept as read; only the looks the buttons show are converted for painting.
    static const QImage sheet = ShippedPicture(QStringLiteral("glyphs.pam"));
    const QRect cell = SheetCell(glyph, size, enabled);
    if (!sheet.rect().contains(cell)) {
        return DrawGlyphPicture(glyph, size, enabled);
    }
    return QPixmap::fromImage(sheet.copy(cell).convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

// Glyphs drawn in ink alone on a transparent ground ("0,00", the arrows of the centring
// glyph, the scissors, the "x" of x²): on a dark desktop theme that ink would vanish.
bool InkOnly(Glyph glyph) {
    return glyph == Glyph::Precision || glyph == Glyph::Centre || glyph == Glyph::Cut ||
           glyph == Glyph::Superscript;
}

// The ink of the palette's text when the theme writes light text on a dark ground; none when the
// drawn ink serves (the default, light themes), so the glyphs stay exactly as drawn there.
std::optional<QColor> ThemeInk() {
    const QPalette palette = QGuiApplication::palette();
    const QColor text = palette.color(QPalette::Active, QPalette::ButtonText);
    if (text.lightness() <= palette.color(QPalette::Active, QPalette::Window).lightness()) {
        return std::nullopt;
    }
    return text;
}

// The glyph with its ink, and the ink's soft edges, in the given colour; coloured parts and
// the ground stay.
QPixmap WithInk(const QPixmap& glyph, const QColor& ink) {
    constexpr int kInkTolerance = 40;
    constexpr int kGreyTolerance = 12;
    QImage image = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = row[x];
            const int high = std::max({qRed(p), qGreen(p), qBlue(p)});
            const int low = std::min({qRed(p), qGreen(p), qBlue(p)});
            if (qAlpha(p) != 0 && high <= qRed(kInk) + kInkTolerance && high - low <= kGreyTolerance) {
                row[x] = qRgba(ink.red(), ink.green(), ink.blue(), qAlpha(p));
            }
        }
    }
    return QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

// Takes a glyph from the sheet, or draws it, only when a button first paints it, so windows that
// start hidden cost nothing at start-up; each look is kept once made.
class GlyphEngine : public QIconEngine {
  public:
    GlyphEngine(Glyph glyph, int size) : glyph_(glyph), size_(size) {}
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const bool enabled = mode != QIcon::Disabled;
        QPixmap& cached = enabled ? normal_ : disabled_;
        const int side = qMin(size.width(), size.height());
        if (cached.isNull() || cached.width() != side) {
            cached = GlyphPixmap(glyph_, side > 0 ? side : size_, enabled);
            inked_ = QPixmap();
        }
        if (!enabled || !InkOnly(glyph_)) {
            return cached;
        }
        // The palette is read at every painting, so a theme changed while the program runs
        // (every widget repaints then) is followed at once.
        const std::optional<QColor> ink = ThemeInk();
        if (!ink) {
            return cached;
        }
        if (inked_.isNull() || inkedWith_ != ink->rgba() || inked_.width() != cached.width()) {
            inked_ = WithInk(cached, *ink);
            inkedWith_ = ink->rgba();
        }
        return inked_;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = qMin(size.width(), size.height());
        return QSize(side, side);
    }
    QIconEngine* clone() const override { return new GlyphEngine(glyph_, size_); }

  private:
    Glyph glyph_;
    int size_;
    QPixmap normal_;
    QPixmap disabled_;
    // The enabled look in the ink of a dark theme, and that ink.
    QPixmap inked_;
    QRgb inkedWith_ = 0;
};

}  // namespace

QIcon GlyphIcon(Glyph glyph, int size) {
    return QIcon(new GlyphEngine(glyph, size));
}

QPixmap DrawGlyphPicture(Glyph glyph, int size, bool enabled) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / kGrid, size / kGrid);
    if (glyph == Glyph::Program) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 20));
        p.drawRoundedRect(QRectF(0, 0, 32, 32), 6, 6);
    }
    DrawGlyph(p, glyph, enabled);
    return pixmap;
}

QImage DrawGlyphSheet() {
    const int largest = kShippedGlyphSizes.back();
    int height = 0;
    for (int size : kShippedGlyphSizes) {
        height += 2 * size;
    }
    QImage sheet(kSheetGlyphs * largest, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    QPainter p(&sheet);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int g = 0; g < kSheetGlyphs; ++g) {
        const auto glyph = static_cast<Glyph>(g);
        for (int size : kShippedGlyphSizes) {
            for (bool enabled : {true, false}) {
                p.drawPixmap(SheetCell(glyph, size, enabled).topLeft(),
                             DrawGlyphPicture(glyph, size, enabled));
            }
        }
    }
    return sheet;
}
