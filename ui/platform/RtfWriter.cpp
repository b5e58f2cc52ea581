#include "ui/platform/RtfWriter.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdint>

#include "fileio/ReplaceFile.h"
#include "ui/platform/FileErrorText.h"

namespace {

constexpr int kTwipsPerPoint = 20;

int HalfPoints(const QFont& font) {
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    return static_cast<int>(points * 2 + 0.5);
}

std::u16string Utf16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

// A character format resolved against the document's font.
vornik::RtfCharFormat PlainFormat(const QTextCharFormat& format, const QFont& base) {
    const QFont font = format.font().resolve(base);
    vornik::RtfCharFormat out;
    out.face = Utf16(font.family());
    out.halfPoints = HalfPoints(font);
    out.bold = font.bold();
    out.italic = font.italic();
    out.underline = font.underline();
    out.strikeOut = font.strikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
        const QRgb rgb = format.foreground().color().rgb();
        out.colour =
            vornik::RtfColour{static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                              static_cast<std::uint8_t>(qBlue(rgb))};
    }
    out.raiseTwips = format.intProperty(kRaiseTwipsProperty);
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) {
        out.vertical = vornik::RtfVertical::Super;
    } else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) {
        out.vertical = vornik::RtfVertical::Sub;
    }
    return out;
}

vornik::RtfAlign PlainAlign(Qt::Alignment align) {
    if (align & Qt::AlignHCenter) {
        return vornik::RtfAlign::Centre;
    }
    if (align & Qt::AlignRight) {
        return vornik::RtfAlign::Right;
    }
    if (align & Qt::AlignJustify) {
        return vornik::RtfAlign::Justify;
    }
    return vornik::RtfAlign::Left;
}

}  // namespace

QTextCharFormat RaisedFormat(const QTextCharFormat& current, const QFont& documentFont, int twips) {
    // The layout raises text by a percentage of the font's height; the exact amount is kept in
    // twips for the file.
    const QFont font = current.font().resolve(documentFont);
    const qreal dpi =
        QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInchY() : 96;
    const qreal raisePixels = twips / qreal(kTwipsPerPoint) * dpi / 72.0;
    const qreal height = QFontMetricsF(font).height();
    QTextCharFormat raised;
    raised.setProperty(kRaiseTwipsProperty, twips);
    raised.setBaselineOffset(height > 0 ? 100.0 * raisePixels / height : 0.0);
    return raised;
}

vornik::RtfDocument PlainDocument(const QTextDocument& document) {
    const QFont base = document.defaultFont();
    vornik::RtfDocument out;
    out.base = PlainFormat(QTextCharFormat(), base);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        vornik::RtfParagraph paragraph;
        paragraph.align = PlainAlign(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            paragraph.runs.push_back({Utf16(fragment.text()), PlainFormat(fragment.charFormat(), base)});
        }
        out.paragraphs.push_back(std::move(paragraph));
    }
    return out;
}

std::string DocumentToRtf(const QTextDocument& document) {
    return vornik::WriteRtf(PlainDocument(document));
}

bool SaveRtfFile(const QString& path, const QTextDocument& document, QString* error) {
    try {
        vornik::ReplaceFile(QFile::encodeName(path).toStdString(), DocumentToRtf(document));
    } catch (const vornik::FileWriteError& e) {
        *error = FileSaveErrorText(path, e.Code());
        return false;
    }
    return true;
}
