#pragma once
// Storing complex quantities into the solution record, for both solvers: each is four fields
// from its modulus field (modulus, angle, real part, imaginary part), and both forms are kept.

#include "solver/Complex.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// Modulus and angle first, then the algebraic form computed from them.
inline void StorePolar(SolutionRecord& r, int modField, double mod, double arg) {
    r[modField] = mod;
    r[modField + kArg] = arg;
    PolarToRect(mod, arg);
    r[modField + kRe] = mod;
    r[modField + kIm] = arg;
}

// Real and imaginary part first, then the exponential form computed from them.
inline void StoreRect(SolutionRecord& r, int modField, double re, double im) {
    r[modField + kRe] = re;
    r[modField + kIm] = im;
    RectToPolar(re, im);
    r[modField] = re;
    r[modField + kArg] = im;
}

// R and X of a branch and its impedance: R, X, modulus, angle from the R field.
inline void StoreImpedance(SolutionRecord& r, int rField, double resistance, double reactance) {
    r[rField] = resistance;
    r[rField + 1] = reactance;
    RectToPolar(resistance, reactance);
    r[rField + 2] = resistance;
    r[rField + 3] = reactance;
}

// The algebraic form of the quantity whose modulus field is given.
inline Rect RectOf(const SolutionRecord& r, int modField) {
    return {r[modField + kRe], r[modField + kIm]};
}

inline double Square(double x) {
    return x * x;
}

}  // namespace vornik
