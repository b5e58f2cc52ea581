#include "solver/Complex.h"

#include <cmath>

#include "solver/SolverErrors.h"

namespace vornik {

// A plain double product: -120 degrees gives -2.0943951023931953, not the extended-precision neighbour.
double DegToRad(double degrees) {
    static const double kFactor = static_cast<double>(kDegToRad);
    return degrees * kFactor;
}

void PolarToRect(double& m, double& a) {
    const double mod = m;
    const double arg = a;
    m = mod * std::cos(arg);
    a = mod * std::sin(arg);
}

void RectToPolar(double& re, double& im) {
    double mod;
    Extended arg;  // the corrections and the normalisation are taken in extended precision
    if (std::fabs(re) < kEpsilon) {
        if (std::fabs(im) < kEpsilon) {
            mod = 0;
            arg = 0.0;
        } else if (im > 0) {
            mod = im;
            arg = kHalfPi;
        } else {
            mod = -im;
            arg = -kHalfPi;
        }
    } else {
        mod = std::sqrt(re * re + im * im);
        arg = std::atan(im / re);
        if (re < 0) {
            if (im >= 0) {
                arg += kPi;
            } else {
                arg -= kPi;
            }
        }
    }
    // NaN compares false both ways, so both loops end.
    while (arg > kPi) {
        arg -= kTwoPi;
    }
    while (arg <= -kPi) {
        arg += kTwoPi;
    }
    re = mod;
    im = static_cast<double>(arg);
}

namespace {

// One guarded real division n / d, with the two messages of the solvers; a zero resistance
// names the field `control` of the divisor.
double GuardedDivide(double n, double d, const std::string& control) {
    if (d == 0) {
        if (n == 0 || std::isnan(n)) {
            throw SolverMessage(kBadDataMessage);
        }
        throw SolverMessage(kZeroResistanceMessage, control);
    }
    const double q = n / d;
    if (std::isinf(q) && std::isfinite(n) && std::isfinite(d)) {
        throw SolverMessage(kBadDataMessage);  // overflow
    }
    return q;
}

}  // namespace

void PolarReciprocal(double& m, double& a, const std::string& control) {
    m = GuardedDivide(1.0, m, control);
    a = -a;
}

void RectSub(double& re, double& im, double re2, double im2) {
    re = re - re2;
    im = im - im2;
}

void PolarMul(double& m, double& a, double m2, double a2) {
    m = m * m2;
    a = a + a2;
}

void PolarMulConj(double& m, double& a, double m2, double a2) {
    m = m * m2;
    a = a - a2;
}

void PolarDiv(double& m, double& a, double n, double b, const std::string& control) {
    m = GuardedDivide(n, m, control);
    a = b - a;
}

Rect RectAdd(Rect x, Rect y) {
    return {x.re + y.re, x.im + y.im};
}

Rect RectMul(Rect x, Rect y) {
    return {x.re * y.re - x.im * y.im, x.re * y.im + x.im * y.re};
}

Rect RectDiv(Rect x, Rect y) {
    const double den = y.re * y.re + y.im * y.im;
    if (den < kEpsilon) {
        throw RuntimeError(kDivisionByZeroMessage);
    }
    return {(x.re * y.re + x.im * y.im) / den, (x.im * y.re - x.re * y.im) / den};
}

}  // namespace vornik
