#include "check/AnswerText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "classset/AnswerKey.h"
#include "solver/Complex.h"
#include "solver/TextToNumber.h"

namespace vornik {

namespace {

// Characters written several ways, each with the one the reader takes.
struct Spelling {
    std::string_view from;
    std::string_view to;
};
constexpr Spelling kSpellings[] = {
    {"\u2212", "-"},                                                // minus sign
    {"\u2013", "-"},                                                // en dash
    {",", "."},      {"\u00b7", ""},                                // middle dot: "220·e^(…)"
    {"*", ""},       {"\u00b0", ""},                                // degree sign
    {" ", ""},       {"\u00a0", ""},                                // no-break space
    {"\u2009", ""},  {"\u202f", ""},                                // thin spaces
    {"\t", ""},      {"\u0435", "e"},                               // Cyrillic е for the exponent or ej
    {"E", "e"},      {"J", "j"},      {"\u0440\u0430\u0434", "r"},  // рад
    {"rad", "r"},
};

std::string Normalised(std::string_view text) {
    std::string out;
    for (size_t k = 0; k < text.size();) {
        bool replaced = false;
        for (const Spelling& s : kSpellings) {
            if (text.substr(k).starts_with(s.from)) {
                out += s.to;
                k += s.from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += text[k++];
        }
    }
    return out;
}

// A whole real number: digits with one point, a sign, an exponent; nothing else. Read by the
// program's own number reader (the decimal comma, the "C" locale whatever the user's).
bool Number(std::string_view s, double& value) {
    std::string text(s);
    std::replace(text.begin(), text.end(), '.', ',');
    return TryTextToFloat(text, value);
}

// An angle: a number, in radians when it ends with "r" (from "рад"); wrapped into (-180, 180].
bool Angle(std::string_view s, double& degrees) {
    while (s.size() >= 2 && s.front() == '(' && s.back() == ')') {
        s = s.substr(1, s.size() - 2);
    }
    const bool radians = s.ends_with('r');
    if (radians) {
        s.remove_suffix(1);
    }
    if (!Number(s, degrees)) {
        return false;
    }
    if (radians) {
        degrees = degrees * 180.0 / std::numbers::pi;
    }
    return true;
}

ReadAnswer Complex(double modulus, double degrees) {
    ReadAnswer a;
    a.kind = ReadAnswer::Kind::Complex;
    double m = modulus;
    double arg = DegToRad(degrees);
    PolarToRect(m, arg);
    a.re = m;
    a.im = arg;
    a.modulus = std::fabs(modulus);
    // A negative modulus is the same value half a turn round.
    a.degrees = HalfOpenDegrees(modulus < 0 ? degrees + 180.0 : degrees);
    return a;
}

ReadAnswer Algebraic(double re, double im) {
    ReadAnswer a;
    a.kind = ReadAnswer::Kind::Complex;
    a.re = re;
    a.im = im;
    a.modulus = std::hypot(re, im);
    a.degrees = HalfOpenDegrees(std::atan2(im, re) * 180.0 / std::numbers::pi);
    return a;
}

// "220∠-30", "220ej-30", "220e^(j-30)", "220e^(-j30)", "220ej(-30)": the exponent part holds a j
// and the angle, its sign before or after the j.
bool Polar(const std::string& s, ReadAnswer& out) {
    size_t at = s.find("\u2220");
    size_t rest = at + std::string_view("\u2220").size();
    if (at == std::string::npos) {
        at = s.find("ej");
        rest = at + 1;
        const size_t power = s.find("e^");
        if (power != std::string::npos && (at == std::string::npos || power < at)) {
            at = power;
            rest = power + 2;
        }
    }
    if (at == std::string::npos) {
        return false;
    }
    double modulus = 0;
    if (!Number(std::string_view(s).substr(0, at), modulus)) {
        return false;
    }
    std::string exponent = s.substr(rest);
    while (exponent.size() >= 2 && exponent.front() == '(' && exponent.back() == ')') {
        exponent = exponent.substr(1, exponent.size() - 2);
    }
    double sign = 1;
    if (exponent.starts_with("-j")) {
        sign = -1;
        exponent = exponent.substr(2);
    } else if (exponent.starts_with("+j") || exponent.starts_with("j")) {
        exponent = exponent.substr(exponent.find('j') + 1);
    } else if (s.compare(at, 2, "e^") == 0 || s.compare(at, 2, "ej") == 0) {
        return false;  // an exponential form needs its j
    }
    double degrees = 0;
    if (!Angle(exponent, degrees)) {
        return false;
    }
    out = Complex(modulus, sign * degrees);
    return true;
}

// "190.5-j110", "190.5+j-110", "-j110", "j5", "190.5-110j".
bool AlgebraicForm(const std::string& s, ReadAnswer& out) {
    const size_t j = s.find('j');
    if (j == std::string::npos || s.find('j', j + 1) != std::string::npos) {
        return false;
    }
    std::string_view head = std::string_view(s).substr(0, j);
    std::string_view tail = std::string_view(s).substr(j + 1);
    double re = 0;
    double im = 0;
    if (tail.empty()) {
        // The imaginary part before the j: split at the last sign that starts it.
        size_t split = head.find_last_of("+-");
        while (split != std::string_view::npos && split > 0 && head[split - 1] == 'e') {
            split = head.find_last_of("+-", split - 1);
        }
        if (split == std::string_view::npos || split == 0) {
            return Number(head, im) && (out = Algebraic(0, im), true);
        }
        return Number(head.substr(0, split), re) && Number(head.substr(split), im) &&
               (out = Algebraic(re, im), true);
    }
    if (head.empty() || head == "+" || head == "-") {
        re = 0;
    } else if (head.ends_with('+') || head.ends_with('-')) {
        if (!Number(head.substr(0, head.size() - 1), re)) {
            return false;
        }
    } else {
        return false;
    }
    if (!Number(tail, im)) {
        return false;
    }
    out = Algebraic(re, head.ends_with('-') ? -im : im);
    return true;
}

std::string Hint(bool angle) {
    if (angle) {
        return "Ожидался угол в градусах, например -30 или 45,5 (в радианах — с «рад»: 0,52 рад).";
    }
    return "Ожидалось число, например 20,8 или 1,2e3, или комплексное значение: 190,5-j110 или 220∠-30.";
}

}  // namespace

ReadAnswer ReadAnswerText(std::string_view text, bool angle) {
    const std::string s = Normalised(text);
    ReadAnswer out;
    if (s.empty()) {
        return out;
    }
    if (Polar(s, out) || AlgebraicForm(s, out)) {
        return out;
    }
    double value = 0;
    if (angle ? Angle(s, value) : Number(s, value)) {
        out.kind = ReadAnswer::Kind::Real;
        out.value = value;
        return out;
    }
    out.kind = ReadAnswer::Kind::Unreadable;
    out.hint = Hint(angle);
    return out;
}

}  // namespace vornik
