#pragma once
// The characters an XML 1.0 document cannot hold, in texts a user or a file gives: C0 control
// characters other than tab, line feed and carriage return (NUL among them), U+FFFE and U+FFFF.
// Every text that may reach moodle.xml, gift.txt or an SVG is checked or cleaned with these.

#include <optional>
#include <string>
#include <string_view>

namespace vornik {

// The first such character of UTF-8 text, as its code point; none when the text is clean.
std::optional<char32_t> FirstNonXmlChar(std::string_view utf8);

// "U+000C": how a message names it.
std::string CodePointName(char32_t c);

// The text with each such character replaced by U+FFFD, for writers that have no place to
// refuse a text.
std::string XmlSafe(std::string_view utf8);

}  // namespace vornik
