#pragma once
// The results document as RTF bytes: paragraphs of runs of text, each run with the character
// properties the results window can give it (face, size, bold, italic, underline, strike-out,
// colour, raised, superscript or subscript). Cyrillic is written as Unicode escapes with
// Windows-1251 fallbacks so older readers still show it. The output is 7-bit.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vornik {

// How far the superscript command raises text above the baseline, in twips (3,5 points).
inline constexpr int kRaisedTwips = 70;

// The face and size of the results document.
inline constexpr const char16_t* kDocumentFace = u"Times New Roman";
inline constexpr int kDocumentHalfPoints = 24;

struct RtfColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RtfColour&) const = default;
};

enum class RtfAlign { Left, Centre, Right, Justify };
enum class RtfVertical { Baseline, Super, Sub };

// The character properties of a run, fully resolved against the document's font.
struct RtfCharFormat {
    std::u16string face = kDocumentFace;
    int halfPoints = kDocumentHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<RtfColour> colour;  // none: the reader's automatic colour
    int raiseTwips = 0;               // above 0: raised by this much; takes the place of `vertical`
    RtfVertical vertical = RtfVertical::Baseline;
    bool operator==(const RtfCharFormat&) const = default;
};

struct RtfRun {
    std::u16string text;  // UTF-16, as the rich-text control holds it
    RtfCharFormat format;
};

struct RtfParagraph {
    RtfAlign align = RtfAlign::Left;
    std::vector<RtfRun> runs;  // none for an empty paragraph
};

struct RtfDocument {
    RtfCharFormat base;  // the document's own font; colour and raise are not used
    std::vector<RtfParagraph> paragraphs;
};

// The whole document as RTF text.
std::string WriteRtf(const RtfDocument& document);

// Part of one line raised as the superscript command of the results window raises it.
// Positions count UTF-16 code units, as JavaScript string indices and the text control do.
struct RaisedSpan {
    std::size_t line = 0;
    std::size_t begin = 0;
    std::size_t end = 0;  // one past the last raised unit
};

// The RTF that the results window saves for a document of these lines (UTF-8) in its own
// font, with the given spans raised. No lines is one empty paragraph, as an empty document shows.
std::string RtfFromLines(const std::vector<std::string>& lines, const std::vector<RaisedSpan>& raised = {});
// The same document before it is written as RTF.
RtfDocument DocumentFromLines(const std::vector<std::string>& lines,
                              const std::vector<RaisedSpan>& raised = {});

}  // namespace vornik
