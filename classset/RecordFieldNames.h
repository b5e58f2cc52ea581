#pragma once
// The solution record's fields by name, as the answer key and --key-fields write them.

#include <array>
#include <optional>
#include <string_view>

#include "solver/SolutionRecord.h"

namespace vornik {

// In Field order (the star names; a delta run keeps other quantities at the same positions).
inline constexpr std::array<std::string_view, kFieldCount> kFieldNames = {
    "UaMod",    "UaArg",    "UaRe",      "UaIm",      "UbMod",    "UbArg",    "UbRe",       "UbIm",
    "UcMod",    "UcArg",    "UcRe",      "UcIm",      "Ra",       "Xa",       "ZaMod",      "ZaArg",
    "Rb",       "Xb",       "ZbMod",     "ZbArg",     "Rc",       "Xc",       "ZcMod",      "ZcArg",
    "R0",       "YaMod",    "YaArg",     "YaRe",      "YaIm",     "YbMod",    "YbArg",      "YbRe",
    "YbIm",     "YcMod",    "YcArg",     "YcRe",      "YcIm",     "Y0",       "U0Mod",      "U0Arg",
    "U0Re",     "U0Im",     "UaLoadMod", "UaLoadArg", "UaLoadRe", "UaLoadIm", "UbLoadMod",  "UbLoadArg",
    "UbLoadRe", "UbLoadIm", "UcLoadMod", "UcLoadArg", "UcLoadRe", "UcLoadIm", "IaMod",      "IaArg",
    "IaRe",     "IaIm",     "IbMod",     "IbArg",     "IbRe",     "IbIm",     "IcMod",      "IcArg",
    "IcRe",     "IcIm",     "I0Mod",     "I0Arg",     "I0Re",     "I0Im",     "I0ViaU0Mod", "I0ViaU0Arg",
    "SaMod",    "SaArg",    "Pa",        "Qa",        "SbMod",    "SbArg",    "Pb",         "Qb",
    "ScMod",    "ScArg",    "Pc",        "Qc",        "PTotal",   "QTotal",   "PBalance",   "QBalance"};
static_assert(kFieldNames[IaMod] == "IaMod" && kFieldNames[I0ViaU0Arg] == "I0ViaU0Arg" &&
              kFieldNames[QBalance] == "QBalance");

inline std::optional<int> FieldByName(std::string_view name) {
    for (int k = 0; k < kFieldCount; ++k) {
        if (kFieldNames[k] == name) {
            return k;
        }
    }
    return std::nullopt;
}

}  // namespace vornik
