#include "task/JsonFile.h"

#include <algorithm>
#include <string>

#include "solver/Text.h"

namespace vornik {

namespace {

// The deepest nesting of arrays and objects, strings skipped.
int NestingDepth(std::string_view bytes) {
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    for (size_t k = 0; k < bytes.size(); ++k) {
        const char c = bytes[k];
        if (inString) {
            k += c == '\\' ? 1 : 0;
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

}  // namespace

Outcome<FileJson> ParseJsonFile(std::string_view bytes, const JsonFileRules& rules) {
    if (bytes.size() > rules.maxBytes) {
        return Failure{"файл больше " + std::to_string(rules.maxBytes >> 20) + " МиБ", ""};
    }
    // The parser would stop at a NUL and take the bytes before it for the whole file.
    if (const size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        return Failure{"это не текст JSON (нулевой байт в байте " + std::to_string(nul + 1) + ")", ""};
    }
    if (rules.utf8) {
        if (const size_t bad = ValidUtf8Prefix(bytes); bad < bytes.size()) {
            return Failure{"файл не в кодировке UTF-8 (байт " + std::to_string(bad + 1) + ")", ""};
        }
    }
    // Deeper nesting than any file needs is refused before parsing, so a hostile file cannot
    // make the parser's or the destructor's recursion exhaust the stack.
    if (NestingDepth(bytes) > rules.maxDepth) {
        return Failure{std::string(rules.notThis) + " (слишком глубокая вложенность)", ""};
    }
    try {
        return FileJson::parse(bytes.begin(), bytes.end());
    } catch (const FileJson::parse_error& e) {
        return Failure{"это не текст JSON (ошибка в байте " + std::to_string(e.byte) + ")", ""};
    } catch (const FileJson::exception&) {
        // A number beyond the double range (1e999) is refused by the parser as out of range.
        return Failure{"это не текст JSON (число вне допустимого диапазона)", ""};
    }
}

}  // namespace vornik
