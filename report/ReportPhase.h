#pragma once
// One phase (or delta branch) as a worked solution names it.

#include <string>

namespace vornik {

// Its label in the formulas ("a", "шунт", "ab") and its R and X texts as typed.
struct ReportPhase {
    std::string label;
    std::string r;
    std::string x;
};

}  // namespace vornik
