#include "canvas/QtPdfDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QByteArray>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <cmath>
#include <stdexcept>

#include "canvas/QtDiagramCanvas.h"

namespace vornik {

namespace {

constexpr int kDotsPerInch = kReportDotsPerInch;
constexpr double kPointsPerInch = 72.0;
constexpr int kTwipsPerPoint = 20;
// The picture's fonts are sized for 96 dots per inch.
constexpr double kPictureDotsPerInch = 96.0;
constexpr int kHeadingPoints = 14;
constexpr int kCaptionPoints = 12;
// Space for the page number under the text, in points.
constexpr double kFooterPoints = 24.0;
// Under a diagram's caption, in points.
constexpr double kDiagramGapPoints = 12.0;
// The margins of a diagram page: the two pictures and a gap fill the width.
constexpr double kDiagramSidePoints = 15.0;
constexpr double kDiagramTopPoints = 56.7;

// Runs without a space longer than this get a place to break (U+200B, no width): the line
// breaker looks for the end of a word before it breaks one that does not fit, so a run of n
// characters without a break costs n² (a title pasted without spaces took minutes). A run this
// long does not fit a line anyway.
constexpr int kLongestUnbrokenRun = 160;
constexpr char16_t kZeroWidthSpace = 0x200B;

QString FromUtf16(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The text as the layout takes it; `run` counts the characters since the paragraph's last space
// and carries over from one run of the paragraph to the next.
QString Breakable(const QString& text, int& run) {
    QString out;
    out.reserve(text.size() + text.size() / kLongestUnbrokenRun);
    for (const QChar c : text) {
        if (c.isSpace()) {
            run = 0;
        } else if (++run > kLongestUnbrokenRun && !c.isLowSurrogate()) {
            out += QChar(kZeroWidthSpace);
            run = 1;
        }
        out += c;
    }
    return out;
}

double Device(double points) {
    return points * kDotsPerInch / kPointsPerInch;
}

QTextCharFormat CharFormat(const RtfCharFormat& f, const QPaintDevice& device) {
    QTextCharFormat format;
    QFont font(FromUtf16(f.face));
    font.setPointSizeF(f.halfPoints / 2.0);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    format.setFont(font);
    if (f.colour) {
        format.setForeground(QColor(f.colour->red, f.colour->green, f.colour->blue));
    }
    if (f.raiseTwips > 0) {
        // The layout raises by a percentage of the font's height.
        const double height = QFontMetricsF(font, &device).height();
        const double raise = Device(double(f.raiseTwips) / kTwipsPerPoint);
        format.setBaselineOffset(height > 0 ? 100.0 * raise / height : 0.0);
    } else if (f.vertical == RtfVertical::Super) {
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    } else if (f.vertical == RtfVertical::Sub) {
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    }
    return format;
}

Qt::Alignment Alignment(RtfAlign align) {
    switch (align) {
        case RtfAlign::Centre:
            return Qt::AlignHCenter;
        case RtfAlign::Right:
            return Qt::AlignRight;
        case RtfAlign::Justify:
            return Qt::AlignJustify;
        case RtfAlign::Left:
            break;
    }
    return Qt::AlignLeft;
}

// The title block and the results document as one text document laid out for the page.
void FillDocument(QTextDocument& doc, const PdfContent& content, const QPaintDevice& device) {
    QTextCursor cursor(&doc);
    QTextCharFormat plain = CharFormat(content.report.base, device);
    bool first = true;
    auto paragraph = [&](const QTextBlockFormat& block) {
        if (first) {
            cursor.setBlockFormat(block);
            first = false;
        } else {
            cursor.insertBlock(block);
        }
    };
    for (std::size_t k = 0; k < content.titleBlock.size(); ++k) {
        QTextBlockFormat block;
        QTextCharFormat format = plain;
        if (k == 0) {
            block.setAlignment(Qt::AlignHCenter);
            QFont heading = format.font();
            heading.setBold(true);
            heading.setPointSize(kHeadingPoints);
            format.setFont(heading);
        }
        paragraph(block);
        int run = 0;
        cursor.insertText(Breakable(QString::fromStdString(content.titleBlock[k]), run), format);
        if (k == 0 || k + 1 == content.titleBlock.size()) {
            // A blank line under the heading and under the title block.
            paragraph(QTextBlockFormat());
            cursor.setBlockCharFormat(plain);
        }
    }
    std::size_t nextBreak = 0;
    for (std::size_t k = 0; k < content.report.paragraphs.size(); ++k) {
        const RtfParagraph& p = content.report.paragraphs[k];
        QTextBlockFormat block;
        block.setAlignment(Alignment(p.align));
        if (nextBreak < content.pageBreaks.size() && content.pageBreaks[nextBreak] == k) {
            block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            ++nextBreak;
        }
        paragraph(block);
        cursor.setBlockCharFormat(plain);
        int unbroken = 0;
        for (const RtfRun& run : p.runs) {
            cursor.insertText(Breakable(FromUtf16(run.text), unbroken), CharFormat(run.format, device));
        }
    }
}

void PageNumber(QPainter& painter, const QRectF& page, int number, int count) {
    QFont font(QStringLiteral("Times New Roman"), 10);
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF footer(0, page.height() - Device(kFooterPoints) / 2, page.width(),
                        Device(kFooterPoints) / 2);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("%1 / %2").arg(number).arg(count));
    painter.restore();
}

// The laid-out document, page by page, in one pass over its lines: a line belongs to the page its
// top is on (the layout moves a line that would cross the foot of a page onto the next one), so
// the time grows with the lines, not with lines times pages. Starts on the page in hand.
void DrawTextPages(QPainter& painter, QPagedPaintDevice& pdf, const QTextDocument& doc, const QRectF& page,
                   double textHeight, int textPages, int pages) {
    // Less than any line's height: a line whose top rounds to just above a page's top is on it.
    constexpr double kSlack = 1.0;
    int current = 0;
    auto startPage = [&] {
        painter.setClipping(false);
        PageNumber(painter, page, current + 1, pages);
        painter.setClipRect(QRectF(0, 0, page.width(), textHeight));
        painter.setPen(Qt::black);
    };
    painter.save();
    startPage();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QPointF origin = layout->position();
        for (int k = 0; k < layout->lineCount(); ++k) {
            const QTextLine line = layout->lineAt(k);
            const int on = static_cast<int>(std::floor((origin.y() + line.y() + kSlack) / textHeight));
            while (current < on) {
                pdf.newPage();
                ++current;
                startPage();
            }
            line.draw(&painter, QPointF(origin.x(), origin.y() - current * textHeight));
        }
    }
    while (current + 1 < textPages) {
        pdf.newPage();
        ++current;
        startPage();
    }
    painter.restore();
}

}  // namespace

void PaintDrawOps(QPainter& painter, const std::vector<DrawOp>& ops, double dotsPerInch) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(QRect(0, 0, kCanvasSize, kCanvasSize));
    for (const DrawOp& op : ops) {
        const QColor colour(op.color.r, op.color.g, op.color.b);
        switch (op.kind) {
            case DrawOp::Kind::Fill:
                painter.fillRect(QRect(op.x1, op.y1, op.x2 - op.x1, op.y2 - op.y1), colour);
                break;
            case DrawOp::Kind::Line: {
                // The painter canvas sets the pixels the line passes through; on paper the line
                // runs through their centres.
                QPen pen(colour, op.width, op.style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
                pen.setCapStyle(op.style == PenStyle::Dot ? Qt::FlatCap : Qt::SquareCap);
                painter.setPen(pen);
                const QPointF centre(0.5, 0.5);
                painter.drawLine(QPointF(op.x1, op.y1) + centre, QPointF(op.x2, op.y2) + centre);
                break;
            }
            case DrawOp::Kind::Text: {
                QFont font = QtDiagramCanvas::FontFor(op.face, op.size);
                // The points of the picture's font at 96 dots per inch, in this device's units.
                font.setPointSizeF(op.size * kPictureDotsPerInch / dotsPerInch);
                const QFontMetrics metrics(font, painter.device());
                const QString text = QString::fromStdString(op.text);
                const TextBox box =
                    PlaceText(op.x1, op.y1, metrics.horizontalAdvance(text), metrics.height());
                painter.setFont(font);
                painter.fillRect(QRect(box.left, box.top, box.width, box.height), Qt::white);
                painter.setPen(colour);
                painter.drawText(QPoint(box.left, box.top + metrics.ascent()), text);
                break;
            }
        }
    }
    painter.restore();
}

void KeepLastTwoLinesTogether(QTextDocument& doc) {
    auto nonBlankBefore = [](QTextBlock block) {
        while (block.isValid() && block.text().trimmed().isEmpty()) {
            block = block.previous();
        }
        return block;
    };
    const QTextBlock last = nonBlankBefore(doc.lastBlock());
    if (doc.pageCount() < 2 || !last.isValid() || last.layout()->lineCount() != 1) {
        return;
    }
    const QTextBlock before = nonBlankBefore(last.previous());
    const double pageHeight = doc.pageSize().height();
    auto pageOf = [&](const QTextBlock& block) {
        return static_cast<int>(doc.documentLayout()->blockBoundingRect(block).top() / pageHeight);
    };
    if (!before.isValid() || pageOf(before) == pageOf(last)) {
        return;
    }
    QTextBlockFormat format = before.blockFormat();
    format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(before).setBlockFormat(format);
}

QPageLayout ReportPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                       QPageLayout::Millimeter);
}

int PaintReportPages(QPainter& painter, QPagedPaintDevice& device, const PdfContent& content) {
    const QRectF page(0, 0, device.width(), device.height());
    const double textHeight = page.height() - Device(kFooterPoints);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&device);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(QFont(FromUtf16(content.report.base.face), content.report.base.halfPoints / 2));
    // Filled before it has a page size, so that the layout runs once over the whole document
    // rather than again after every insertion.
    FillDocument(doc, content, device);
    doc.setPageSize(QSizeF(page.width(), textHeight));
    KeepLastTwoLinesTogether(doc);
    const int textPages = std::max(1, doc.pageCount());
    const int diagramPages = static_cast<int>((content.diagrams.size() + 1) / 2);
    const int pages = textPages + diagramPages;
    DrawTextPages(painter, device, doc, page, textHeight, textPages, pages);
    return textPages;
}

std::string BuildPdfDocument(const PdfContent& content) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kDotsPerInch);
    pdf.setPageLayout(ReportPageLayout());
    pdf.setCreator(QStringLiteral("Vornik"));
    if (!content.titleBlock.empty()) {
        pdf.setTitle(QString::fromStdString(content.titleBlock.front()));
    }
    QPainter painter;
    if (!painter.begin(&pdf)) {
        throw std::runtime_error("PDF не удалось начать");
    }
    const int textPages = PaintReportPages(painter, pdf, content);
    const int pages = textPages + static_cast<int>((content.diagrams.size() + 1) / 2);

    // The diagrams: a point per picture pixel, so two side by side need a landscape page with
    // narrow side margins (800 points of the page's 842).
    const double scale = kDotsPerInch / kPointsPerInch;
    if (!content.diagrams.empty()) {
        pdf.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4), QPageLayout::Landscape,
            QMarginsF(kDiagramSidePoints, kDiagramTopPoints, kDiagramSidePoints, kDiagramTopPoints),
            QPageLayout::Point));
    }
    for (std::size_t d = 0; d < content.diagrams.size(); ++d) {
        const bool first = d % 2 == 0;
        const QRectF sheet(0, 0, pdf.width(), pdf.height());
        if (first) {
            pdf.newPage();
            PageNumber(painter, QRectF(0, 0, pdf.width(), pdf.height()),
                       textPages + static_cast<int>(d / 2) + 1, pages);
        }
        const double x = first ? 0 : sheet.width() / scale - kCanvasSize;
        painter.save();
        painter.scale(scale, scale);
        QFont caption(QStringLiteral("Times New Roman"));
        caption.setPointSizeF(kCaptionPoints * kPointsPerInch / kDotsPerInch);
        painter.setFont(caption);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x, 0, kCanvasSize, kCaptionPoints + kDiagramGapPoints / 2),
                         Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(content.diagrams[d].caption));
        painter.translate(x, kCaptionPoints + kDiagramGapPoints / 2);
        PaintDrawOps(painter, content.diagrams[d].ops, kDotsPerInch);
        // A thin frame round the picture.
        painter.setPen(QPen(QColor(160, 160, 160), 0.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(0, 0, kCanvasSize, kCanvasSize));
        painter.restore();
    }
    if (!painter.end()) {
        throw std::runtime_error("PDF не удалось завершить");
    }
    return bytes.toStdString();
}

}  // namespace vornik
