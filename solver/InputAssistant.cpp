#include "solver/InputAssistant.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "solver/AngleConstants.h"
#include "solver/SolverErrors.h"

namespace vornik {

namespace {

// sqrt(3) = 1.732050807568877293527446341505872367 in the extended type.
constexpr Extended kSqrt3 = Extended::FromBits(0x3FFF, 0xDDB3D742C265539E);
constexpr int kOmegaDecimals = 5;
constexpr int kReactanceDecimals = 2;

// |value * factor of the unit|, or |value| itself when no unit is selected.
Extended InUnits(double value, int unit, const double* factors, std::size_t count) {
    Extended v = value;
    if (unit >= 0 && static_cast<std::size_t>(unit) < count) {
        v *= factors[unit];
    }
    return Abs(v);
}

bool HasUnit(int unit, std::size_t count) {
    return unit >= 0 && static_cast<std::size_t>(unit) < count;
}

// 10^-decimals as a double: one division by an exact power of ten, so correctly rounded (up to
// 22 decimals) and the same on every platform, unlike a library pow.
double DecimalStep(int decimals) {
    // Beyond 400 the power is infinite anyway.
    const long long count = std::min(decimals < 0 ? -static_cast<long long>(decimals) : decimals, 400LL);
    double power = 1.0;
    for (long long k = 0; k < count; ++k) {
        power *= 10.0;
    }
    return decimals >= 0 ? 1.0 / power : power;
}

}  // namespace

Extended RoundHalfEvenToDecimals(Extended x, int decimals) {
    const double p = DecimalStep(decimals);
    return p * NearestInteger(x / p);
}

std::optional<int> PhaseVoltageFromLine(double lineVoltage) {
    const Extended phase = NearestInteger(Extended(lineVoltage) / kSqrt3);
    if (!phase.IsFinite() || phase < Extended::FromInt64(std::numeric_limits<int>::min()) ||
        phase > Extended::FromInt64(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    return static_cast<int>(phase.ToInt64());
}

ReactanceResult ReactanceFromLC(const ReactanceInput& in) {
    constexpr std::size_t kLUnits = std::size(kInductanceFactors);
    constexpr std::size_t kCUnits = std::size(kCapacitanceFactors);
    const Extended l = InUnits(in.inductance, in.inductanceUnit, kInductanceFactors, kLUnits);
    const Extended c = InUnits(in.capacitance, in.capacitanceUnit, kCapacitanceFactors, kCUnits);
    const Extended omega =
        in.angular ? Extended(in.frequency) : RoundHalfEvenToDecimals(kTwoPi * in.frequency, kOmegaDecimals);

    if (l == 0.0 && c == 0.0) {
        return {ReactanceStatus::NoValues, 0};
    }
    if (l != 0.0 && !HasUnit(in.inductanceUnit, kLUnits)) {
        return {ReactanceStatus::NoInductanceUnit, 0};
    }
    if (c != 0.0 && !HasUnit(in.capacitanceUnit, kCUnits)) {
        return {ReactanceStatus::NoCapacitanceUnit, 0};
    }

    Extended x = omega * l;
    if (c != 0.0) {
        const Extended omegaC = omega * c;
        if (omegaC == 0.0) {
            throw RuntimeError("Floating point division by zero");
        }
        x -= Extended(1.0) / omegaC;
    }
    x = RoundHalfEvenToDecimals(x, kReactanceDecimals);
    const double result = static_cast<double>(x);
    if (std::isnan(result)) {
        throw RuntimeError("Invalid floating point operation");
    }
    if (std::isinf(result)) {
        throw RuntimeError("Floating point overflow");
    }
    return {ReactanceStatus::Ok, result};
}

const char* ReactanceMessage(ReactanceStatus status) {
    switch (status) {
        case ReactanceStatus::NoValues:
            return "Введите значения!!!";
        case ReactanceStatus::NoInductanceUnit:
            return "Укажите велечину индуктивности!";
        case ReactanceStatus::NoCapacitanceUnit:
            return "Укажите велечину ёмкости!";
        case ReactanceStatus::Ok:
            break;
    }
    return "";
}

}  // namespace vornik
