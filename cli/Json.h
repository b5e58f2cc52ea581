#pragma once
// The little JSON vornik-cli writes: escaped strings and round-trip numbers.

#include <string>

namespace vornik {

// A JSON string literal, quotes included; UTF-8 passes through, control characters are escaped.
std::string JsonString(const std::string& text);

// The shortest text that reads back as the same double; null for NaN and infinities.
std::string JsonNumber(double value);

}  // namespace vornik
