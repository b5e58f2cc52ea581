#pragma once
// Complex values held as a pair of doubles, converted in place between the algebraic form
// (real, imaginary) and the exponential form (modulus, angle in radians).

#include <string>

#include "solver/AngleConstants.h"

namespace vornik {

inline constexpr double kEpsilon = 1e-12;

double DegToRad(double degrees);

// (m, a) -> (m cos a, m sin a).
void PolarToRect(double& m, double& a);
// (re, im) -> (modulus, angle in (-pi, pi]); a part below kEpsilon in magnitude counts as zero.
void RectToPolar(double& re, double& im);
// (m, a) -> (1/m, -a); throws SolverMessage when the division fails. `control` is the field
// whose resistance m comes from: a zero modulus names it (empty: none).
void PolarReciprocal(double& m, double& a, const std::string& control = {});
// (re, im) -> (re - re2, im - im2).
void RectSub(double& re, double& im, double re2, double im2);
// (m, a) -> (m m2, a + a2); angles are not wrapped.
void PolarMul(double& m, double& a, double m2, double a2);
// (m, a) -> (m m2, a - a2): product with the conjugate of (m2, a2).
void PolarMulConj(double& m, double& a, double m2, double a2);
// The pair holds the divisor (m, a) and receives (n / m, b - a); throws SolverMessage when the
// division fails, naming `control` (the field of the divisor's resistance) for a zero divisor.
void PolarDiv(double& m, double& a, double n, double b, const std::string& control = {});

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
