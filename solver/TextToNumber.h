#pragma once
// Conversion of typed texts to numbers. The decimal separator is always the comma, whatever
// the process locale.

#include <string>
#include <string_view>

namespace vornik {

// Blanks around, an optional sign, digits with at most one comma, an optional exponent.
// Anything else (also an empty text or a value beyond the double range) throws
// RuntimeError("'<text>' is not a valid floating point value") naming `control`, the field the
// text was typed into (empty for none).
double TextToFloat(std::string_view text, const std::string& control = {});

// Blanks around, an optional sign, decimal digits within the 32-bit range; anything else throws
// RuntimeError("'<text>' is not a valid integer value") naming `control`.
int TextToInt(std::string_view text, const std::string& control = {});

// Non-throwing variants for callers that only want to check.
bool TryTextToFloat(std::string_view text, double& value);
bool TryTextToInt(std::string_view text, int& value);

}  // namespace vornik
