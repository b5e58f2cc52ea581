#include "solver/DeltaSolver.h"

#include "solver/Complex.h"
#include "solver/TextToNumber.h"

namespace vornik {

namespace {

void StorePolarAndRect(SolutionRecord& r, int base, double m, double a) {
    r[base] = m;
    r[base + 1] = a;
    PolarToRect(m, a);
    r[base + 2] = m;
    r[base + 3] = a;
}

// A difference of two algebraic-form values into four fields (algebraic first, then polar).
void StoreRectAndPolar(SolutionRecord& r, int base, double re, double im) {
    r[base + 2] = re;
    r[base + 3] = im;
    RectToPolar(re, im);
    r[base] = re;
    r[base + 1] = im;
}

void LineCurrent(SolutionRecord& r, int base, double re, double im, double re2, double im2) {
    RectSub(re, im, re2, im2);
    StoreRectAndPolar(r, base, re, im);
}

double Square(double x) {
    return x * x;
}

}  // namespace

void SolveDelta(SolutionRecord& r, const ParameterFields& form, const std::string& rab,
                const std::string& xab, const std::string& rbc, const std::string& xbc,
                const std::string& rca, const std::string& xca) {
    const Param mods[3] = {Param::ComboBox1, Param::ComboBox2, Param::ComboBox3};
    const Param angles[3] = {Param::Edit1, Param::Edit2, Param::Edit3};
    for (int k = 0; k < 3; ++k) {
        const int base = UaMod + 4 * k;
        r[base] = TextToFloat(form.Text(mods[k]));
        r[base + 1] = DegToRad(TextToFloat(form.Text(angles[k])));
        StorePolarAndRect(r, base, r[base], r[base + 1]);
    }
    const std::string* texts[6] = {&rab, &xab, &rbc, &xbc, &rca, &xca};
    for (int k = 0; k < 3; ++k) {
        const int base = Ra + 4 * k;
        r[base] = TextToFloat(*texts[2 * k]);
        r[base + 1] = TextToFloat(*texts[2 * k + 1]);
        double m = r[base];
        double a = r[base + 1];
        RectToPolar(m, a);
        r[base + 2] = m;
        r[base + 3] = a;
    }
    // Phase currents I = U / Z into the admittance positions.
    for (int k = 0; k < 3; ++k) {
        double m = r[ZaMod + 4 * k];
        double a = r[ZaArg + 4 * k];
        PolarDiv(m, a, r[UaMod + 4 * k], r[UaArg + 4 * k]);
        StorePolarAndRect(r, YaMod + 4 * k, m, a);
    }
    // Line currents into the load-voltage positions: Ia = Iab - Ica, Ib = Ibc - Iab, Ic = Ica - Ibc.
    LineCurrent(r, UaLoadMod, r[YaRe], r[YaIm], r[YcRe], r[YcIm]);
    LineCurrent(r, UbLoadMod, r[YbRe], r[YbIm], r[YaRe], r[YaIm]);
    LineCurrent(r, UcLoadMod, r[YcRe], r[YcIm], r[YbRe], r[YbIm]);
    // Phase powers S = U * conj(I).
    for (int k = 0; k < 3; ++k) {
        double m = r[UaMod + 4 * k];
        double a = r[UaArg + 4 * k];
        PolarMulConj(m, a, r[YaMod + 4 * k], r[YaArg + 4 * k]);
        StorePolarAndRect(r, SaMod + 4 * k, m, a);
    }
    r[PTotal] = r[Pa] + r[Pb] + r[Pc];
    r[QTotal] = r[Qa] + r[Qb] + r[Qc];
    r[PBalance] = Square(r[YaMod]) * r[Ra] + Square(r[YbMod]) * r[Rb] + Square(r[YcMod]) * r[Rc];
    r[QBalance] = Square(r[YaMod]) * r[Xa] + Square(r[YbMod]) * r[Xb] + Square(r[YcMod]) * r[Xc];
}

void SolveDeltaPhaseBreak(SolutionRecord& r, double iabRe, double iabIm, double ibcRe, double ibcIm,
                          double icaRe, double icaIm) {
    LineCurrent(r, UaLoadMod, iabRe, iabIm, icaRe, icaIm);
    LineCurrent(r, UbLoadMod, ibcRe, ibcIm, iabRe, iabIm);
    LineCurrent(r, UcLoadMod, icaRe, icaIm, ibcRe, ibcIm);
}

void SolveDeltaLineBreak(SolutionRecord& r, double uMod, double uArg, double rDirect, double xDirect,
                         double rs1, double xs1, double rs2, double xs2) {
    // U across the direct phase and the series pair, in the Ic positions.
    StorePolarAndRect(r, IcMod, uMod, uArg);

    // Series impedance: R and X in 37, 38, modulus and angle in 39, 40.
    r[Y0] = rs1 + rs2;
    r[U0Mod] = xs1 + xs2;
    {
        double m = r[Y0];
        double a = r[U0Mod];
        RectToPolar(m, a);
        r[U0Arg] = m;
        r[U0Re] = a;
    }
    // Current of the direct phase.
    {
        double m = rDirect;
        double a = xDirect;
        RectToPolar(m, a);
        PolarDiv(m, a, r[IcMod], r[IcArg]);
        StorePolarAndRect(r, YaMod, m, a);
    }
    // Series current, stored twice.
    {
        double m = r[U0Arg];
        double a = r[U0Re];
        PolarDiv(m, a, r[IcMod], r[IcArg]);
        r[YbMod] = m;
        r[YbArg] = a;
        r[YcMod] = m;
        r[YcArg] = a;
        PolarToRect(m, a);
        r[YbRe] = m;
        r[YbIm] = a;
        r[YcRe] = m;
        r[YcIm] = a;
    }
    // Voltages across s1 and s2: their impedance times the series current.
    const double seriesR[2] = {rs1, rs2};
    const double seriesX[2] = {xs1, xs2};
    for (int k = 0; k < 2; ++k) {
        double m = seriesR[k];
        double a = seriesX[k];
        RectToPolar(m, a);
        PolarMul(m, a, r[YbMod + 4 * k], r[YbArg + 4 * k]);
        StorePolarAndRect(r, IaMod + 4 * k, m, a);
    }
    // Powers of the direct phase, s1 and s2: their voltage times the conjugate of their current.
    const int voltages[3] = {IcMod, IaMod, IbMod};
    for (int k = 0; k < 3; ++k) {
        double m = r[voltages[k]];
        double a = r[voltages[k] + 1];
        PolarMulConj(m, a, r[YaMod + 4 * k], r[YaArg + 4 * k]);
        StorePolarAndRect(r, SaMod + 4 * k, m, a);
    }
    r[PTotal] = r[Pa] + r[Pb] + r[Pc];
    r[QTotal] = r[Qa] + r[Qb] + r[Qc];
    r[PBalance] = Square(r[YaMod]) * rDirect + Square(r[YbMod]) * rs1 + Square(r[YcMod]) * rs2;
    r[QBalance] = Square(r[YaMod]) * xDirect + Square(r[YbMod]) * xs1 + Square(r[YcMod]) * xs2;
}

}  // namespace vornik
