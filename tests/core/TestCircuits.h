#pragma once
// Circuits and fakes shared by the core tests.

#include <string>
#include <vector>

#include "run/CalculationRun.h"

namespace vornik::test {

inline constexpr double kDeg = 3.14159265358979323846 / 180.0;

// The default 380 V supply with the given R/X texts of phases (or branches) 1, 2, 3.
inline CircuitInput Circuit(const std::string& r1, const std::string& x1, const std::string& r2,
                            const std::string& x2, const std::string& r3, const std::string& x3,
                            bool neutral = false, bool star = true) {
    CircuitInput p;
    p[Param::Edit4] = r1;
    p[Param::Edit5] = x1;
    p[Param::Edit6] = r2;
    p[Param::Edit7] = x2;
    p[Param::Edit8] = r3;
    p[Param::Edit9] = x3;
    p.SetChecked(1, neutral);
    p.star = star;
    return p;
}

using DefaultPrecision = PrecisionValues;

// One execute command with everything it talks to.
struct Session {
    CalcState state;
    LinesDocument doc;
    DefaultPrecision precision;
    CapturedMessages messages;

    RunOutcome outcome;

    bool Execute(const CircuitInput& input) {
        outcome = N5Click({state, input, precision, doc, messages});
        return outcome.completed;
    }
};

}  // namespace vornik::test
