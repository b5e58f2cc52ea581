#include "report/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace vornik {

// The display rounding relies on the x87 extended type; a platform whose long double is
// plain double would round half-way cases differently, so refuse to build there.
static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the 80-bit extended type (64-bit mantissa)");

namespace {

double PowerOfTen(int exponent) {
    // The usual settings come from a table of correctly rounded doubles.
    static constexpr double kSteps[] = {1.0, 0.1, 0.01, 0.001, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9, 1e-10};
    if (exponent <= 0 && exponent >= -10) {
        return kSteps[-exponent];
    }
    return static_cast<double>(std::pow(10.0L, static_cast<long double>(exponent)));
}

}  // namespace

double RoundToDecimals(double value, int exponent) {
    const double step = PowerOfTen(exponent);
    const long double q = static_cast<long double>(value) / static_cast<long double>(step) + 0.5L;
    const long double floorQ = std::floor(q);
    // int64 covers [-2^63, 2^63).
    constexpr long double kLimit = 9223372036854775808.0L;
    if (!(floorQ >= -kLimit && floorQ < kLimit) || step == 0 || !std::isfinite(step)) {
        return value;
    }
    const auto n = static_cast<std::int64_t>(floorQ);
    return static_cast<double>(static_cast<long double>(n) * static_cast<long double>(step));
}

long double RadToDeg(double radians) {
    return static_cast<long double>(radians) * 57.295779513082320877L;
}

std::string FormatGeneral(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "INF" : "-INF";
    }
    if (value == 0) {
        return "0";
    }
    // Decimal digits rounded to 15 significant digits: d.dddddddddddddde+XX
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    const bool negative = sci[0] == '-';
    if (negative) {
        sci.erase(0, 1);
    }
    const size_t ePos = sci.find('e');
    std::string digits = sci.substr(0, 1) + sci.substr(2, ePos - 2);
    const int exp10 = std::atoi(sci.c_str() + ePos + 1);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string out = negative ? "-" : "";
    if (exp10 >= -4 && exp10 < 15) {
        if (exp10 < 0) {
            out += "0,";
            out.append(static_cast<size_t>(-exp10 - 1), '0');
            out += digits;
        } else {
            const size_t intLen = static_cast<size_t>(exp10) + 1;
            if (digits.size() <= intLen) {
                out += digits;
                out.append(intLen - digits.size(), '0');
            } else {
                out += digits.substr(0, intLen);
                out += ',';
                out += digits.substr(intLen);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += ',';
            out += digits.substr(1);
        }
        out += 'E';
        if (exp10 < 0) {
            out += '-';
        }
        out += std::to_string(std::abs(exp10));
    }
    return out;
}

std::string NumberText(double value, int setting) {
    return FormatGeneral(RoundToDecimals(value, setting));
}

std::string AngleText(double radians, int setting) {
    return NumberText(static_cast<double>(RadToDeg(radians)), setting);
}

}  // namespace vornik
