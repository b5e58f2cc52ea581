#pragma once
// The JSON vornik-cli writes: one object per run, members in the order they are added.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "solver/SolutionRecord.h"

namespace vornik {

using Json = nlohmann::ordered_json;

// What one run of vornik-cli produced.
struct RunOutput {
    std::vector<std::string> report;
    std::optional<std::string> message;
    bool completed = false;
    const CalcState* state = nullptr;
    // Present when a diagram was asked for: its object, or null when the run did not complete.
    std::optional<Json> diagram;
};

// {"report":[...],"message":...,"completed":...,"record":[88 numbers],"slots":[7 records]
// [,"diagram":...]}; numbers that are not finite are null.
Json RunJson(const RunOutput& run);

// The text of `value` on one line. Bytes that are not UTF-8 (an argument echoed in a message)
// become U+FFFD, so the text is valid JSON whatever the input was.
std::string JsonText(const Json& value);

}  // namespace vornik
