#pragma once
// The computations of the input assistant: phase voltage from line voltage and the reactance of
// a load phase from its inductance, capacitance and frequency. Plain C++, no window.

#include <optional>

#include "solver/Extended.h"

namespace vornik {

// x rounded to `decimals` places: p * nearest(x / p) with p = 10^-decimals held as a double,
// half-way values to the even neighbour, in extended precision.
Extended RoundHalfEvenToDecimals(Extended x, int decimals);

// U / sqrt(3) rounded to the nearest integer (ties to even). Empty when the result does not fit
// a signed 32-bit integer or the voltage is not finite.
std::optional<int> PhaseVoltageFromLine(double lineVoltage);

// Unit list indices of the assistant's combo boxes; -1 is "nothing selected".
inline constexpr int kNoUnit = -1;
// "Гн", "мГн", "мкГн"
inline constexpr double kInductanceFactors[] = {1.0, 1e-3, 1e-6};
// "Ф", "мФ", "мкФ", "нФ"
inline constexpr double kCapacitanceFactors[] = {1.0, 1e-3, 1e-6, 1e-9};

struct ReactanceInput {
    double inductance = 0;  // in the unit of inductanceUnit
    double capacitance = 0;
    int inductanceUnit = kNoUnit;
    int capacitanceUnit = kNoUnit;
    double frequency = 0;  // f in Hz, or w in 1/s when angular is set
    bool angular = false;
};

enum class ReactanceStatus { Ok, NoValues, NoInductanceUnit, NoCapacitanceUnit };

struct ReactanceResult {
    ReactanceStatus status = ReactanceStatus::Ok;
    double x = 0;  // ohms, rounded to 2 decimals; meaningful only when status is Ok
};

// X = w*L - 1/(w*C) for an inductor and a capacitor in series (either may be absent), rounded
// to 2 decimals. Throws RuntimeError when w*C is zero for a present capacitor ("Floating point
// division by zero") or when the result is not a finite number.
ReactanceResult ReactanceFromLC(const ReactanceInput& input);

// The assistant's fixed message for a status that is not Ok.
const char* ReactanceMessage(ReactanceStatus status);

}  // namespace vornik
