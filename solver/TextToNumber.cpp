#include "solver/TextToNumber.h"

#include <locale.h>

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "solver/SolverErrors.h"
#include "solver/Text.h"

namespace vornik {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod under the "C" locale, so the user's locale never changes how a number is read.
double StrtodC(const std::string& s) {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    errno = 0;
    return strtod_l(s.c_str(), nullptr, cLocale);
}

}  // namespace

bool TryTextToFloat(std::string_view text, double& value) {
    std::string_view s = TrimmedView(text);
    std::string normal;  // the same number with a full stop, for the C conversion
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        normal += s[i++];
    }
    int digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        normal += s[i++];
        ++digits;
    }
    if (i < s.size() && s[i] == ',') {
        normal += '.';
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            normal += s[i++];
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            normal += s[i++];
        }
        int expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            normal += s[i++];
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    if (i != s.size()) {
        return false;
    }
    const double v = StrtodC(normal);
    if (!std::isfinite(v)) {
        return false;  // beyond the double range
    }
    value = v;
    return true;
}

double TextToFloat(std::string_view text, const std::string& control) {
    double v = 0;
    if (!TryTextToFloat(text, v)) {
        throw RuntimeError("'" + std::string(text) + "' is not a valid floating point value", control);
    }
    return v;
}

bool TryTextToInt(std::string_view text, int& value) {
    std::string_view s = TrimmedView(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) {
        return false;
    }
    // The magnitude may reach one past the largest int, for the smallest one.
    constexpr long long kLargest = std::numeric_limits<int>::max();
    constexpr long long kSmallest = std::numeric_limits<int>::min();
    long long v = 0;
    for (char c : s) {
        if (!IsDigit(c)) {
            return false;
        }
        v = v * 10 + (c - '0');
        if (v > -kSmallest) {
            return false;
        }
    }
    if (negative) {
        v = -v;
    }
    if (v > kLargest) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

int TextToInt(std::string_view text, const std::string& control) {
    int v = 0;
    if (!TryTextToInt(text, v)) {
        throw RuntimeError("'" + std::string(text) + "' is not a valid integer value", control);
    }
    return v;
}

}  // namespace vornik
