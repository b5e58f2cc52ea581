#include "solver/InputAssistant.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "solver/SolverErrors.h"

namespace vornik {

namespace {

constexpr long double kTwoPi = 6.283185307179586477L;
constexpr long double kSqrt3 = 1.732050807568877293527446341505872367L;
constexpr int kOmegaDecimals = 5;
constexpr int kReactanceDecimals = 2;

// |value * factor of the unit|, or |value| itself when no unit is selected.
long double InUnits(double value, int unit, const double* factors, std::size_t count) {
    long double v = value;
    if (unit >= 0 && static_cast<std::size_t>(unit) < count) {
        v *= factors[unit];
    }
    return std::fabs(v);
}

bool HasUnit(int unit, std::size_t count) {
    return unit >= 0 && static_cast<std::size_t>(unit) < count;
}

}  // namespace

long double RoundHalfEvenToDecimals(long double x, int decimals) {
    const double p = std::pow(10.0, -decimals);
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    return p * std::nearbyint(x / p);
}

std::optional<int> PhaseVoltageFromLine(double lineVoltage) {
    const long double phase = std::nearbyint(static_cast<long double>(lineVoltage) / kSqrt3);
    if (!std::isfinite(phase) || phase < std::numeric_limits<int>::min() ||
        phase > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(phase);
}

ReactanceResult ReactanceFromLC(const ReactanceInput& in) {
    constexpr std::size_t kLUnits = std::size(kInductanceFactors);
    constexpr std::size_t kCUnits = std::size(kCapacitanceFactors);
    const long double l = InUnits(in.inductance, in.inductanceUnit, kInductanceFactors, kLUnits);
    const long double c = InUnits(in.capacitance, in.capacitanceUnit, kCapacitanceFactors, kCUnits);
    const long double omega = in.angular ? static_cast<long double>(in.frequency)
                                         : RoundHalfEvenToDecimals(kTwoPi * in.frequency, kOmegaDecimals);

    if (l == 0 && c == 0) {
        return {ReactanceStatus::NoValues, 0};
    }
    if (l != 0 && !HasUnit(in.inductanceUnit, kLUnits)) {
        return {ReactanceStatus::NoInductanceUnit, 0};
    }
    if (c != 0 && !HasUnit(in.capacitanceUnit, kCUnits)) {
        return {ReactanceStatus::NoCapacitanceUnit, 0};
    }

    long double x = omega * l;
    if (c != 0) {
        const long double omegaC = omega * c;
        if (omegaC == 0) {
            throw RuntimeError("Floating point division by zero");
        }
        x -= 1.0L / omegaC;
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
