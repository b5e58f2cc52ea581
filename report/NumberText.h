#pragma once
// How the worked solution writes numbers: display rounding, general format with 15
// significant digits and a decimal comma, angles in degrees.

#include <string>

#include "solver/Extended.h"

namespace vornik {

// 10^exponent as a double: correctly rounded for the settings 0 to -10, and for other exponents
// the extended-precision power rounded once to double.
double PowerOfTen(int exponent);

// Rounding to a multiple of 10^exponent, half-way values upward. The quotient is taken in the
// 80-bit extended type; a value whose scaled magnitude does not fit a signed 64-bit integer
// (or that is not finite) comes back unchanged.
double RoundToDecimals(double value, int exponent);

// radians * 180/pi in the extended type.
Extended RadToDeg(double radians);

// General format, 15 significant digits, decimal comma, trailing zeros dropped; scientific form
// (4E-5) outside [0,0001; 10^15). Not-finite values are written NAN, INF, -INF.
std::string FormatGeneral(double value);

// RoundToDecimals with the setting, then FormatGeneral.
std::string NumberText(double value, int setting);

// RadToDeg, then NumberText.
std::string AngleText(double radians, int setting);

}  // namespace vornik
