#pragma once
// The data of a variant as a student reads it: connection, every input and the modes to compute.

#include <string>
#include <vector>

#include "classset/AnswerKey.h"
#include "classset/Variant.h"

namespace vornik {

// Plain lines: the heading, the connection, the voltages, the impedances, the modes.
std::vector<std::string> TaskSheetLines(const std::string& fileStem, const Variant& variant);

// What to find, for the student's sheet: a line per computed mode with the key's quantities of
// that mode, each with its unit and the decimals the worked solution shows for it.
std::vector<std::string> TaskSheetQuantities(const VariantRun& run);

}  // namespace vornik
