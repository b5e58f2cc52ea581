#include "solver/Text.h"

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

std::size_t Utf8CharLength(std::string_view text, char32_t& code) {
    if (text.empty()) {
        return 0;
    }
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    // C0 and C1 could only start an overlong form, F5 to F7 only a code point past U+10FFFF.
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(k) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

std::size_t ValidUtf8Prefix(std::string_view text) {
    std::size_t at = 0;
    char32_t code = 0;
    while (at < text.size()) {
        const std::size_t length = Utf8CharLength(text.substr(at), code);
        if (length == 0) {
            return at;
        }
        at += length;
    }
    return text.size();
}

std::size_t Utf8Characters(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text) {
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return n;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    ForEachUtf8Char(text, [&out](std::optional<char32_t> code, std::string_view) {
        if (!code) {
            out += u'\uFFFD';
        } else if (*code >= 0x10000) {
            const char32_t above = *code - 0x10000;
            out += static_cast<char16_t>(0xD800 + (above >> 10));
            out += static_cast<char16_t>(0xDC00 + (above & 0x3FF));
        } else {
            out += static_cast<char16_t>(*code);
        }
    });
    return out;
}

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

std::string XmlEscaped(std::string_view utf8) {
    std::string out;
    for (const char c : XmlSafe(utf8)) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

bool FormulaStart(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
}

std::string CsvCell(std::string_view text) {
    if (text.find_first_of(",;\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::string CsvTextCell(std::string_view text) {
    // The apostrophe is put in front by append: GCC 12 warns falsely (-Wrestrict) on a literal prepended.
    std::string cell;
    if (FormulaStart(text)) {
        cell.push_back('\'');
    }
    cell += text;
    return CsvCell(cell);
}

std::string_view TrimmedView(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Trimmed(std::string_view text) {
    return std::string(TrimmedView(text));
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

}  // namespace vornik
