#pragma once
// The checks a JSON file the user names (a task, a student's answers) passes before and while it
// is parsed, and the parse itself. Only the readers' sources include this header: it brings
// nlohmann-json, which the layers' own headers keep to themselves.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string_view>

#include "fileio/Failure.h"

namespace vornik {

using FileJson = nlohmann::ordered_json;

struct JsonFileRules {
    std::size_t maxBytes;  // a larger file is refused: "файл больше 1 МиБ"
    int maxDepth;          // deeper nesting is refused before the parser's recursion meets it
    const char* notThis;   // how a file nested too deeply is named: "это не файл задачи"
    bool utf8;             // bytes that are not UTF-8 are told so rather than called not JSON
};

// The document of `bytes`, or why they are refused (Russian, without the file's name).
Outcome<FileJson> ParseJsonFile(std::string_view bytes, const JsonFileRules& rules);

}  // namespace vornik
