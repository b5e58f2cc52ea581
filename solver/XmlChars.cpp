#include "solver/XmlChars.h"

#include <cstdio>

namespace vornik {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the forbidden character at `at`, 0 when the character there is allowed.
size_t ForbiddenAt(std::string_view s, size_t at, char32_t& code) {
    const auto c = static_cast<unsigned char>(s[at]);
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
        code = c;
        return 1;
    }
    // U+FFFE and U+FFFF: EF BF BE, EF BF BF.
    const std::string_view three = s.substr(at, 3);
    if (three == "\xEF\xBF\xBE" || three == "\xEF\xBF\xBF") {
        code = three == "\xEF\xBF\xBE" ? 0xFFFE : 0xFFFF;
        return 3;
    }
    return 0;
}

}  // namespace

std::optional<char32_t> FirstNonXmlChar(std::string_view utf8) {
    for (size_t k = 0; k < utf8.size(); ++k) {
        char32_t code = 0;
        if (ForbiddenAt(utf8, k, code) > 0) {
            return code;
        }
    }
    return std::nullopt;
}

std::string CodePointName(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

std::string XmlSafe(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t k = 0; k < utf8.size();) {
        char32_t code = 0;
        const size_t n = ForbiddenAt(utf8, k, code);
        if (n > 0) {
            out += kReplacement;
            k += n;
        } else {
            out += utf8[k++];
        }
    }
    return out;
}

}  // namespace vornik
