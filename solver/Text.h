#pragma once
// Text helpers every layer above shares: reading UTF-8, writing text into XML and CSV files,
// reading the cells and names a user types.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vornik {

// ---- UTF-8

// The length of the valid UTF-8 character at the start of `text`, with its code point in
// `code`; 0 when there is none (empty text, a stray continuation byte, a cut or overlong
// sequence, an encoded surrogate, a code point past U+10FFFF).
std::size_t Utf8CharLength(std::string_view text, char32_t& code);

// Calls `each(code, bytes)` for every character of `text` in order, with its code point and its
// bytes; a byte that belongs to no valid character comes alone, without a code point.
template <class Each>
void ForEachUtf8Char(std::string_view text, Each each) {
    while (!text.empty()) {
        char32_t code = 0;
        const std::size_t length = Utf8CharLength(text, code);
        const std::size_t taken = length == 0 ? 1 : length;
        each(length == 0 ? std::optional<char32_t>() : code, text.substr(0, taken));
        text.remove_prefix(taken);
    }
}

// The offset of the first byte that does not belong to a valid UTF-8 character, the size of
// the text when all do.
std::size_t ValidUtf8Prefix(std::string_view text);

// Characters (code points) of valid UTF-8 text: the bytes that start one.
std::size_t Utf8Characters(std::string_view text);

// UTF-8 to UTF-16; each byte that does not belong to a valid character becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// ---- Typed text

// The text without the spaces and tabs around it.
std::string_view TrimmedView(std::string_view text);
std::string Trimmed(std::string_view text);

// The text with the Latin capitals A to Z in lower case; every other byte as it is, so that a
// name compares without regard to case while Cyrillic or other UTF-8 stays untouched.
std::string AsciiLower(std::string_view text);

// ---- XML
// The characters an XML 1.0 document cannot hold, in texts a user or a file gives: C0 control
// characters other than tab, line feed and carriage return (NUL among them), U+FFFE and U+FFFF.
// Every text that may reach moodle.xml, gift.txt or an SVG is checked or cleaned with these.

// The first such character of UTF-8 text, as its code point; none when the text is clean.
std::optional<char32_t> FirstNonXmlChar(std::string_view utf8);

// "U+000C": how a message names it.
std::string CodePointName(char32_t c);

// The text with each such character replaced by U+FFFD, for writers that have no place to
// refuse a text.
std::string XmlSafe(std::string_view utf8);

// The text for an XML element or a quoted attribute: cleaned as XmlSafe does, & < > and " as
// entities (> too, so that "]]>" never ends a CDATA section early).
std::string XmlEscaped(std::string_view utf8);

// ---- CSV

// Whether a spreadsheet would take a cell starting so for a formula and act on it: = + - @, a
// tab or a carriage return first.
bool FormulaStart(std::string_view text);

// A cell for a comma-separated file: quoted when it holds a comma, a semicolon, a quote or a
// line break, a quote inside doubled.
std::string CsvCell(std::string_view text);

// A text cell (a name, a title, a label): as CsvCell, and with a leading apostrophe when it
// makes a FormulaStart, so that it shows the text and runs nothing. The variant table's reader
// drops the apostrophe.
std::string CsvTextCell(std::string_view text);

}  // namespace vornik
