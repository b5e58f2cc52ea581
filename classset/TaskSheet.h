#pragma once
// The data of a variant as a student reads it: connection, every input and the modes to compute.

#include <string>
#include <vector>

#include "classset/AnswerKey.h"
#include "classset/Variant.h"

namespace vornik {

// Plain lines: the heading, the connection, the voltages, the impedances, the modes.
std::vector<std::string> TaskSheetLines(const std::string& fileStem, const Variant& variant);

}  // namespace vornik
