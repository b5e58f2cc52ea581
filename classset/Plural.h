#pragma once
// Counts in Russian: "1 вариант", "3 варианта", "11 вариантов", "21 строка".

#include <string>

namespace vornik {

// The form of a noun after `n`: `one` after 1, 21, 101…, `few` after 2–4, 22–24…, `many` after
// the rest (0, 5–20, 25–30, 111–114…).
inline const char* PluralForm(long long n, const char* one, const char* few, const char* many) {
    const long long tens = n % 100;
    const long long units = n % 10;
    if (tens >= 11 && tens <= 14) {
        return many;
    }
    if (units == 1) {
        return one;
    }
    return units >= 2 && units <= 4 ? few : many;
}

// "3 варианта".
inline std::string Counted(long long n, const char* one, const char* few, const char* many) {
    return std::to_string(n) + " " + PluralForm(n, one, few, many);
}

}  // namespace vornik
