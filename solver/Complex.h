#pragma once
// Complex values held as a pair of doubles, converted in place between the algebraic form
// (real, imaginary) and the exponential form (modulus, angle in radians).

#include "solver/Extended.h"

namespace vornik {

// The angle constants in the extended type, given by their encodings so that no compiler's
// reading of a decimal literal is involved: pi = 3.1415926535897932385, 2 pi = 6.283185307179586477,
// pi/2 = 1.5707963267948966 (the 17-digit decimal, not pi/2 to full precision) and
// pi/180 = 0.017453292519943295769, each the extended value nearest to that decimal.
inline constexpr Extended kPi = Extended::FromBits(0x4000, 0xC90FDAA22168C235);
inline constexpr Extended kTwoPi = Extended::FromBits(0x4001, 0xC90FDAA22168C235);
inline constexpr Extended kHalfPi = Extended::FromBits(0x3FFF, 0xC90FDAA22168C183);
inline constexpr Extended kDegToRad = Extended::FromBits(0x3FF9, 0x8EFA351294E9C8AE);
inline constexpr double kEpsilon = 1e-12;

double DegToRad(double degrees);

// (m, a) -> (m cos a, m sin a).
void PolarToRect(double& m, double& a);
// (re, im) -> (modulus, angle in (-pi, pi]); a part below kEpsilon in magnitude counts as zero.
void RectToPolar(double& re, double& im);
// (m, a) -> (1/m, -a); throws SolverMessage when the division fails.
void PolarReciprocal(double& m, double& a);
// (re, im) -> (re - re2, im - im2).
void RectSub(double& re, double& im, double re2, double im2);
// (m, a) -> (m m2, a + a2); angles are not wrapped.
void PolarMul(double& m, double& a, double m2, double a2);
// (m, a) -> (m m2, a - a2): product with the conjugate of (m2, a2).
void PolarMulConj(double& m, double& a, double m2, double a2);
// The pair holds the divisor (m, a) and receives (n / m, b - a); throws SolverMessage when the
// division fails.
void PolarDiv(double& m, double& a, double n, double b);

// Algebraic-form arithmetic used by the neutral-shift formulas.
struct Rect {
    double re = 0;
    double im = 0;
};
Rect RectAdd(Rect x, Rect y);
Rect RectMul(Rect x, Rect y);
// Throws RuntimeError("Division by zero") when |y|^2 < kEpsilon.
Rect RectDiv(Rect x, Rect y);

}  // namespace vornik
