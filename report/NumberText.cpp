#include "report/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "solver/AngleConstants.h"

namespace vornik {

namespace {

// 2^63: the int64 range is [-2^63, 2^63).
constexpr Extended kInt64Limit = Extended::FromBits(0x403E, 0x8000000000000000);
constexpr Extended kHalf = Extended::FromBits(0x3FFE, 0x8000000000000000);

}  // namespace

double PowerOfTen(int exponent) {
    // The usual settings come from a table of correctly rounded doubles.
    static constexpr double kSteps[] = {1.0, 0.1, 0.01, 0.001, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9, 1e-10};
    if (exponent <= 0 && exponent >= -10) {
        return kSteps[-exponent];
    }
    // Otherwise 10^|exponent| by repeated squaring in the extended type (exact up to 10^27),
    // its reciprocal for a negative exponent, then one rounding to double.
    long long n = exponent < 0 ? -static_cast<long long>(exponent) : exponent;
    Extended power = 1.0;
    Extended base = 10.0;
    while (n != 0) {
        if ((n & 1) != 0) {
            power *= base;
        }
        n >>= 1;
        if (n != 0) {
            base *= base;
        }
    }
    return static_cast<double>(exponent < 0 ? Extended(1.0) / power : power);
}

double RoundToDecimals(double value, int exponent) {
    const double step = PowerOfTen(exponent);
    const Extended extendedStep = step;
    const Extended q = Extended(value) / extendedStep + kHalf;
    const Extended floorQ = Floor(q);
    if (!(floorQ >= -kInt64Limit && floorQ < kInt64Limit) || step == 0 || !std::isfinite(step)) {
        return value;
    }
    // floorQ is now an integer n of the int64 range; n = 0 is taken as +0 even when the floor
    // was -0, so that no negative zero is written.
    const Extended n = floorQ == Extended() ? Extended() : floorQ;
    return static_cast<double>(n * extendedStep);
}

Extended RadToDeg(double radians) {
    return Extended(radians) * kRadToDeg;
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
