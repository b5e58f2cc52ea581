#include "ui/RtfWriter.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdint>
#include <map>

#include "fileio/ReplaceFile.h"
#include "ui/FileErrorText.h"

namespace {

constexpr int kTwipsPerPoint = 20;
constexpr int kTwipsPerHalfPoint = 10;

// The Windows-1251 byte of a character, or 0 when the code page has none.
unsigned char Cp1251(char16_t c) {
    if (c >= 0x0410 && c <= 0x044F) {
        return static_cast<unsigned char>(c - 0x0410 + 0xC0);
    }
    static const std::map<char16_t, unsigned char> kOthers = {
        {0x0401, 0xA8}, {0x0451, 0xB8}, {0x2116, 0xB9}, {0x00AB, 0xAB}, {0x00BB, 0xBB}, {0x2013, 0x96},
        {0x2014, 0x97}, {0x00B0, 0xB0}, {0x00B1, 0xB1}, {0x00B5, 0xB5}, {0x00B7, 0xB7}, {0x00A7, 0xA7},
        {0x00A9, 0xA9}, {0x00AE, 0xAE}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94},
        {0x2022, 0x95}, {0x2026, 0x85}, {0x2122, 0x99}, {0x20AC, 0x88}, {0x00A4, 0xA4}, {0x00A6, 0xA6},
        {0x00AC, 0xAC}, {0x00AD, 0xAD}};
    const auto it = kOthers.find(c);
    return it == kOthers.end() ? 0 : it->second;
}

void AppendHex(std::string& out, unsigned char byte) {
    static const char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
}

// Text with RTF escapes: \uN followed by one fallback character (\uc1).
void AppendEscaped(std::string& out, const QString& text) {
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
            case u'\\':
                out += "\\\\";
                continue;
            case u'{':
                out += "\\{";
                continue;
            case u'}':
                out += "\\}";
                continue;
            case u'\t':
                out += "\\tab ";
                continue;
            case 0x2028:  // line break inside a paragraph
                out += "\\line ";
                continue;
            case 0x00A0:
                out += "\\~";
                continue;
            case 0xFFFC:  // embedded object: not carried over
                continue;
            default:
                break;
        }
        if (c >= 0x20 && c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if (c < 0x20) {
            continue;
        }
        out += "\\u" + std::to_string(static_cast<int16_t>(c));
        const unsigned char fallback = Cp1251(c);
        if (fallback) {
            AppendHex(out, fallback);
        } else {
            out += '?';
        }
    }
}

bool IsSerif(const QString& family) {
    const QString f = family.toLower();
    return f.contains(u"times") || (f.contains(u"serif") && !f.contains(u"sans")) || f.contains(u"roman") ||
           f.contains(u"georgia");
}

class RtfTables {
  public:
    int Font(const QString& family) {
        const int n = fonts_.indexOf(family);
        if (n >= 0) {
            return static_cast<int>(n);
        }
        fonts_.append(family);
        return static_cast<int>(fonts_.size() - 1);
    }
    // Colour table index (1-based; 0 is the reader's automatic colour).
    int Colour(const QColor& colour) {
        const QRgb rgb = colour.rgb();
        for (qsizetype k = 0; k < colours_.size(); ++k) {
            if (colours_[k] == rgb) {
                return static_cast<int>(k + 1);
            }
        }
        colours_.append(rgb);
        return static_cast<int>(colours_.size());
    }
    std::string Header() const {
        std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl";
        for (qsizetype k = 0; k < fonts_.size(); ++k) {
            out += "{\\f" + std::to_string(k) + (IsSerif(fonts_[k]) ? "\\froman" : "\\fswiss") +
                   "\\fprq2\\fcharset204 ";
            AppendEscaped(out, fonts_[k]);
            out += ";}";
        }
        out += "}\n";
        if (!colours_.isEmpty()) {
            out += "{\\colortbl ;";
            for (const QRgb rgb : colours_) {
                out += "\\red" + std::to_string(qRed(rgb)) + "\\green" + std::to_string(qGreen(rgb)) +
                       "\\blue" + std::to_string(qBlue(rgb)) + ";";
            }
            out += "}\n";
        }
        out += "\\viewkind4\\uc1\n";
        return out;
    }

  private:
    QStringList fonts_;
    QVector<QRgb> colours_;
};

int HalfPoints(const QFont& font) {
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    return static_cast<int>(points * 2 + 0.5);
}

std::string CharacterControls(const QTextCharFormat& format, const QFont& base, RtfTables& tables) {
    const QFont font = format.font().resolve(base);
    std::string out =
        "\\f" + std::to_string(tables.Font(font.family())) + "\\fs" + std::to_string(HalfPoints(font));
    if (font.bold()) {
        out += "\\b";
    }
    if (font.italic()) {
        out += "\\i";
    }
    if (font.underline()) {
        out += "\\ul";
    }
    if (font.strikeOut()) {
        out += "\\strike";
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
        out += "\\cf" + std::to_string(tables.Colour(format.foreground().color()));
    }
    const int raise = format.intProperty(kRaiseTwipsProperty);
    if (raise > 0) {
        out += "\\up" + std::to_string(raise / kTwipsPerHalfPoint);
    } else if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) {
        out += "\\super";
    } else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) {
        out += "\\sub";
    }
    return out;
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

std::string DocumentToRtf(const QTextDocument& document) {
    const QFont base = document.defaultFont();
    RtfTables tables;
    const std::string baseControls = CharacterControls(QTextCharFormat(), base, tables);
    std::string body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        body += "\\pard";
        const Qt::Alignment align = block.blockFormat().alignment();
        if (align & Qt::AlignHCenter) {
            body += "\\qc";
        } else if (align & Qt::AlignRight) {
            body += "\\qr";
        } else if (align & Qt::AlignJustify) {
            body += "\\qj";
        }
        body += "\\plain" + baseControls + " ";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            body += "{" + CharacterControls(fragment.charFormat(), base, tables) + " ";
            AppendEscaped(body, fragment.text());
            body += "}";
        }
        // Paragraph marks separate paragraphs; the last one has none, so N paragraphs read back as N.
        if (block.next().isValid()) {
            body += "\\par\n";
        }
    }
    return tables.Header() + body + "\n}\n";
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
