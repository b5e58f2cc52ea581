#include "solver/StarSolver.h"

#include "solver/TextToNumber.h"

namespace vornik {

namespace {

Rect RectOf(const SolutionRecord& r, int reField) {
    return {r[reField], r[reField + 1]};
}

// A typed voltage (modulus text, angle text in degrees) into four fields from `base`.
void ReadVoltage(SolutionRecord& r, int base, const std::string& modText, const std::string& angText) {
    r[base] = TextToFloat(modText);
    r[base + 1] = DegToRad(TextToFloat(angText));
    double m = r[base];
    double a = r[base + 1];
    PolarToRect(m, a);
    r[base + 2] = m;
    r[base + 3] = a;
}

// R and X texts into four fields from `base`: R, X, modulus, angle.
void ReadImpedance(SolutionRecord& r, int base, const std::string& rText, const std::string& xText) {
    r[base] = TextToFloat(rText);
    r[base + 1] = TextToFloat(xText);
    double m = r[base];
    double a = r[base + 1];
    RectToPolar(m, a);
    r[base + 2] = m;
    r[base + 3] = a;
}

// Y = 1/Z from the impedance modulus/angle fields into four admittance fields.
void Admittance(SolutionRecord& r, int zModField, int yBase) {
    double m = r[zModField];
    double a = r[zModField + 1];
    PolarReciprocal(m, a);
    r[yBase] = m;
    r[yBase + 1] = a;
    PolarToRect(m, a);
    r[yBase + 2] = m;
    r[yBase + 3] = a;
}

void StoreU0(SolutionRecord& r, Rect u0) {
    r[U0Re] = u0.re;
    r[U0Im] = u0.im;
    double m = u0.re;
    double a = u0.im;
    RectToPolar(m, a);
    r[U0Mod] = m;
    r[U0Arg] = a;
}

// U' = U - U0 into four load-voltage fields (algebraic first, then polar).
void LoadVoltage(SolutionRecord& r, int uBase, int loadBase) {
    double re = r[uBase + 2];
    double im = r[uBase + 3];
    RectSub(re, im, r[U0Re], r[U0Im]);
    r[loadBase + 2] = re;
    r[loadBase + 3] = im;
    RectToPolar(re, im);
    r[loadBase] = re;
    r[loadBase + 1] = im;
}

// I = U' * Y into four current fields.
void PhaseCurrent(SolutionRecord& r, int loadBase, int yBase, int iBase) {
    double m = r[loadBase];
    double a = r[loadBase + 1];
    PolarMul(m, a, r[yBase], r[yBase + 1]);
    r[iBase] = m;
    r[iBase + 1] = a;
    PolarToRect(m, a);
    r[iBase + 2] = m;
    r[iBase + 3] = a;
}

void StoreI0(SolutionRecord& r, double re, double im) {
    r[I0Re] = re;
    r[I0Im] = im;
    RectToPolar(re, im);
    r[I0Mod] = re;
    r[I0Arg] = im;
}

// S = U' * conj(I) into modulus, angle, P, Q fields.
void PhasePower(SolutionRecord& r, int loadBase, int iBase, int sBase) {
    double m = r[loadBase];
    double a = r[loadBase + 1];
    PolarMulConj(m, a, r[iBase], r[iBase + 1]);
    r[sBase] = m;
    r[sBase + 1] = a;
    PolarToRect(m, a);
    r[sBase + 2] = m;
    r[sBase + 3] = a;
}

double Square(double x) {
    return x * x;
}

}  // namespace

Rect NeutralShift3(Rect ua, Rect ub, Rect uc, Rect ya, Rect yb, Rect yc) {
    const Rect num = RectAdd(RectAdd(RectMul(ua, ya), RectMul(ub, yb)), RectMul(uc, yc));
    const Rect den = RectAdd(RectAdd(ya, yb), yc);
    return RectDiv(num, den);
}

Rect NeutralShift3R0(Rect ua, Rect ub, Rect uc, Rect ya, Rect yb, Rect yc, double y0) {
    const Rect num = RectAdd(RectAdd(RectMul(ua, ya), RectMul(ub, yb)), RectMul(uc, yc));
    const Rect den = RectAdd(RectAdd(RectAdd(ya, yb), yc), Rect{y0, 0});
    return RectDiv(num, den);
}

Rect NeutralShift2(Rect u1, Rect u2, Rect y1, Rect y2) {
    const Rect num = RectAdd(RectMul(u1, y1), RectMul(u2, y2));
    return RectDiv(num, RectAdd(y1, y2));
}

Rect NeutralShift2R0(Rect u1, Rect u2, Rect y1, Rect y2, double y0) {
    const Rect num = RectAdd(RectMul(u1, y1), RectMul(u2, y2));
    return RectDiv(num, RectAdd(RectAdd(y1, y2), Rect{y0, 0}));
}

void SolveStar(SolutionRecord& r, const ParameterFields& form, const std::string& ra, const std::string& xa,
               const std::string& rb, const std::string& xb, const std::string& rc, const std::string& xc) {
    ReadVoltage(r, UaMod, form.Text(Param::ComboBox1), form.Text(Param::Edit1));
    ReadVoltage(r, UbMod, form.Text(Param::ComboBox2), form.Text(Param::Edit2));
    ReadVoltage(r, UcMod, form.Text(Param::ComboBox3), form.Text(Param::Edit3));
    ReadImpedance(r, Ra, ra, xa);
    ReadImpedance(r, Rb, rb, xb);
    ReadImpedance(r, Rc, rc, xc);
    r[R0] = TextToFloat(form.Text(Param::Edit10));

    Admittance(r, ZaMod, YaMod);
    Admittance(r, ZbMod, YbMod);
    Admittance(r, ZcMod, YcMod);
    {
        double m = r[R0];
        double a = 0;
        PolarReciprocal(m, a);
        r[Y0] = m;
    }

    const Rect ua = RectOf(r, UaRe), ub = RectOf(r, UbRe), uc = RectOf(r, UcRe);
    const Rect ya = RectOf(r, YaRe), yb = RectOf(r, YbRe), yc = RectOf(r, YcRe);
    StoreU0(r, form.Checked(1) ? NeutralShift3R0(ua, ub, uc, ya, yb, yc, r[Y0])
                               : NeutralShift3(ua, ub, uc, ya, yb, yc));

    LoadVoltage(r, UaMod, UaLoadMod);
    LoadVoltage(r, UbMod, UbLoadMod);
    LoadVoltage(r, UcMod, UcLoadMod);

    PhaseCurrent(r, UaLoadMod, YaMod, IaMod);
    PhaseCurrent(r, UbLoadMod, YbMod, IbMod);
    PhaseCurrent(r, UcLoadMod, YcMod, IcMod);

    StoreI0(r, r[IaRe] + r[IbRe] + r[IcRe], r[IaIm] + r[IbIm] + r[IcIm]);
    r[I0ViaU0Mod] = r[U0Mod] * r[Y0];
    r[I0ViaU0Arg] = r[U0Arg];

    PhasePower(r, UaLoadMod, IaMod, SaMod);
    PhasePower(r, UbLoadMod, IbMod, SbMod);
    PhasePower(r, UcLoadMod, IcMod, ScMod);

    r[PTotal] = r[Pa] + r[Pb] + r[Pc];
    r[QTotal] = r[Qa] + r[Qb] + r[Qc];
    r[PBalance] = Square(r[IaMod]) * r[Ra] + Square(r[IbMod]) * r[Rb] + Square(r[IcMod]) * r[Rc];
    r[QBalance] = Square(r[IaMod]) * r[Xa] + Square(r[IbMod]) * r[Xb] + Square(r[IcMod]) * r[Xc];
}

void SolveStarTwoPhase(SolutionRecord& r, const ParameterFields& form, const std::string& u1,
                       const std::string& angle1, const std::string& u2, const std::string& angle2,
                       const std::string& r1, const std::string& x1, const std::string& r2,
                       const std::string& x2) {
    ReadVoltage(r, UaMod, u1, angle1);
    ReadVoltage(r, UbMod, u2, angle2);
    ReadImpedance(r, Ra, r1, x1);
    ReadImpedance(r, Rb, r2, x2);
    r[R0] = TextToFloat(form.Text(Param::Edit10));

    Admittance(r, ZaMod, YaMod);
    Admittance(r, ZbMod, YbMod);
    {
        double m = r[R0];
        double a = 0;
        PolarReciprocal(m, a);
        r[Y0] = m;
    }

    const Rect ua = RectOf(r, UaRe), ub = RectOf(r, UbRe);
    const Rect ya = RectOf(r, YaRe), yb = RectOf(r, YbRe);
    StoreU0(r, form.Checked(1) ? NeutralShift2R0(ua, ub, ya, yb, r[Y0]) : NeutralShift2(ua, ub, ya, yb));

    LoadVoltage(r, UaMod, UaLoadMod);
    LoadVoltage(r, UbMod, UbLoadMod);

    PhaseCurrent(r, UaLoadMod, YaMod, IaMod);
    PhaseCurrent(r, UbLoadMod, YbMod, IbMod);

    StoreI0(r, r[IaRe] + r[IbRe], r[IaIm] + r[IbIm]);
    r[I0ViaU0Mod] = r[U0Mod] * r[Y0];
    r[I0ViaU0Arg] = r[U0Arg];

    PhasePower(r, UaLoadMod, IaMod, SaMod);
    PhasePower(r, UbLoadMod, IbMod, SbMod);

    r[PTotal] = r[Pa] + r[Pb];
    r[QTotal] = r[Qa] + r[Qb];
    r[PBalance] = Square(r[IaMod]) * r[Ra] + Square(r[IbMod]) * r[Rb];
    r[QBalance] = Square(r[IaMod]) * r[Xa] + Square(r[IbMod]) * r[Xb];
}

}  // namespace vornik
