#include "report/RtfDocument.h"

#include <algorithm>
#include <map>

#include "solver/Text.h"

namespace vornik {

namespace {

constexpr int kTwipsPerHalfPoint = 10;
// Russian (Windows language identifier 1049), the language of the worked solution.
constexpr const char* kRussianLanguage = "\\lang1049";

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

// Text with RTF escapes: \uN followed by one fallback character (\uc1). A character outside
// the 16-bit plane is written as its two surrogates.
void AppendEscaped(std::string& out, const std::u16string& text) {
    for (const char16_t c : text) {
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
        out += "\\u" + std::to_string(static_cast<std::int16_t>(c));
        const unsigned char fallback = Cp1251(c);
        if (fallback) {
            AppendHex(out, fallback);
        } else {
            out += '?';
        }
    }
}

// A face name is taken for a serif face by the words in it; only ASCII letters can spell them.
bool IsSerif(const std::u16string& face) {
    std::string lower;
    for (const char16_t c : face) {
        lower += c < 0x80 ? static_cast<char>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c) : '\x80';
    }
    auto has = [&lower](const char* word) { return lower.find(word) != std::string::npos; };
    return has("times") || (has("serif") && !has("sans")) || has("roman") || has("georgia");
}

class RtfTables {
  public:
    int Font(const std::u16string& face) {
        const auto it = std::find(faces_.begin(), faces_.end(), face);
        if (it != faces_.end()) {
            return static_cast<int>(it - faces_.begin());
        }
        faces_.push_back(face);
        return static_cast<int>(faces_.size() - 1);
    }
    // Colour table index (1-based; 0 is the reader's automatic colour).
    int Colour(const RtfColour& colour) {
        const auto it = std::find(colours_.begin(), colours_.end(), colour);
        if (it != colours_.end()) {
            return static_cast<int>(it - colours_.begin() + 1);
        }
        colours_.push_back(colour);
        return static_cast<int>(colours_.size());
    }
    std::string Header() const {
        std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl";
        for (std::size_t k = 0; k < faces_.size(); ++k) {
            out += "{\\f" + std::to_string(k) + (IsSerif(faces_[k]) ? "\\froman" : "\\fswiss") +
                   "\\fprq2\\fcharset204 ";
            AppendEscaped(out, faces_[k]);
            out += ";}";
        }
        out += "}\n";
        if (!colours_.empty()) {
            out += "{\\colortbl ;";
            for (const RtfColour& c : colours_) {
                out += "\\red" + std::to_string(c.red) + "\\green" + std::to_string(c.green) + "\\blue" +
                       std::to_string(c.blue) + ";";
            }
            out += "}\n";
        }
        out += "\\viewkind4\\uc1\n";
        return out;
    }

  private:
    std::vector<std::u16string> faces_;
    std::vector<RtfColour> colours_;
};

std::string CharacterControls(const RtfCharFormat& format, RtfTables& tables) {
    // Every run is marked Russian: a word processor checks the spelling of text by its own
    // language mark and does not take the document's default (\\deflang) for it.
    std::string out = "\\f" + std::to_string(tables.Font(format.face)) + "\\fs" +
                      std::to_string(format.halfPoints) + kRussianLanguage;
    if (format.bold) {
        out += "\\b";
    }
    if (format.italic) {
        out += "\\i";
    }
    if (format.underline) {
        out += "\\ul";
    }
    if (format.strikeOut) {
        out += "\\strike";
    }
    if (format.colour) {
        out += "\\cf" + std::to_string(tables.Colour(*format.colour));
    }
    if (format.raiseTwips > 0) {
        out += "\\up" + std::to_string(format.raiseTwips / kTwipsPerHalfPoint);
    } else if (format.vertical == RtfVertical::Super) {
        out += "\\super";
    } else if (format.vertical == RtfVertical::Sub) {
        out += "\\sub";
    }
    return out;
}

const char* AlignControl(RtfAlign align) {
    switch (align) {
        case RtfAlign::Centre:
            return "\\qc";
        case RtfAlign::Right:
            return "\\qr";
        case RtfAlign::Justify:
            return "\\qj";
        case RtfAlign::Left:
            break;
    }
    return "";
}

}  // namespace

std::string WriteRtf(const RtfDocument& document) {
    RtfTables tables;
    RtfCharFormat base = document.base;
    base.colour.reset();
    base.raiseTwips = 0;
    base.vertical = RtfVertical::Baseline;
    const std::string baseControls = CharacterControls(base, tables);
    std::string body;
    for (std::size_t p = 0; p < document.paragraphs.size(); ++p) {
        const RtfParagraph& paragraph = document.paragraphs[p];
        body += "\\pard";
        body += AlignControl(paragraph.align);
        body += "\\plain" + baseControls + " ";
        for (const RtfRun& run : paragraph.runs) {
            body += '{';
            body += CharacterControls(run.format, tables);
            body += ' ';
            AppendEscaped(body, run.text);
            body += "}";
        }
        // Paragraph marks separate paragraphs; the last one has none, so N paragraphs read back as N.
        if (p + 1 < document.paragraphs.size()) {
            body += "\\par\n";
        }
    }
    return tables.Header() + body + "\n}\n";
}

std::string RtfFromLines(const std::vector<std::string>& lines, const std::vector<RaisedSpan>& raised) {
    return WriteRtf(DocumentFromLines(lines, raised));
}

RtfDocument DocumentFromLines(const std::vector<std::string>& lines, const std::vector<RaisedSpan>& raised) {
    RtfDocument document;
    RtfCharFormat raisedFormat;
    raisedFormat.raiseTwips = kRaisedTwips;
    for (std::size_t line = 0; line < std::max<std::size_t>(lines.size(), 1); ++line) {
        RtfParagraph paragraph;
        const std::u16string text = line < lines.size() ? Utf8ToUtf16(lines[line]) : std::u16string();
        std::vector<bool> up(text.size(), false);
        for (const RaisedSpan& span : raised) {
            if (span.line == line) {
                for (std::size_t k = span.begin; k < std::min(span.end, text.size()); ++k) {
                    up[k] = true;
                }
            }
        }
        // Runs of equal format, as the text control keeps them.
        for (std::size_t k = 0; k < text.size();) {
            std::size_t end = k;
            while (end < text.size() && up[end] == up[k]) {
                ++end;
            }
            paragraph.runs.push_back({text.substr(k, end - k), up[k] ? raisedFormat : RtfCharFormat()});
            k = end;
        }
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

}  // namespace vornik
