#pragma once
// Reading one answer as students type it: a real number (decimal comma or point, sign,
// exponent), or a complex value in algebraic form ("190,5-j110", "190,5 − j 110", "-j110", "j5")
// or polar form ("220∠-30", "220 ∠ -30°", "220 ej -30", "220e^(j-30)", "220·e^(-j30°)"); angles
// in degrees unless followed by "рад".

#include <string>
#include <string_view>

namespace vornik {

struct ReadAnswer {
    enum class Kind { Empty, Real, Complex, Unreadable };
    Kind kind = Kind::Empty;
    double value = 0;    // Real: the number (an angle given in radians already in degrees)
    double modulus = 0;  // Complex: modulus and angle in degrees, in (-180, 180]
    double degrees = 0;
    double re = 0;  // Complex: the algebraic form
    double im = 0;
    std::string hint;  // Unreadable: one Russian sentence saying what was expected
};

// Reads `text`; `angle` tells that the quantity is an angle (the hint then asks for degrees).
ReadAnswer ReadAnswerText(std::string_view text, bool angle);

}  // namespace vornik
