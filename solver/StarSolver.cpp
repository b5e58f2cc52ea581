#include "solver/StarSolver.h"

#include <vector>

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

namespace {

struct Branch {
    std::string u;
    std::string angle;
    std::string r;
    std::string x;
};

// Sum over the branches of field `first` + 4k, left to right.
double SumOver(const SolutionRecord& r, int first, int n) {
    double sum = r[first];
    for (int k = 1; k < n; ++k) {
        sum += r[first + 4 * k];
    }
    return sum;
}

// The star steps for two or three branches in the a, b(, c) positions.
void SolveBranches(SolutionRecord& r, const ParameterFields& form, const std::vector<Branch>& branches) {
    const int n = static_cast<int>(branches.size());
    for (int k = 0; k < n; ++k) {
        ReadVoltage(r, UaMod + 4 * k, branches[k].u, branches[k].angle);
    }
    for (int k = 0; k < n; ++k) {
        ReadImpedance(r, Ra + 4 * k, branches[k].r, branches[k].x);
    }
    r[R0] = TextToFloat(form.Text(Param::Edit10));

    for (int k = 0; k < n; ++k) {
        Admittance(r, ZaMod + 4 * k, YaMod + 4 * k);
    }
    {
        double m = r[R0];
        double a = 0;
        PolarReciprocal(m, a);
        r[Y0] = m;
    }

    const bool neutral = form.Checked(1);
    const Rect ua = RectOf(r, UaRe), ub = RectOf(r, UbRe), uc = RectOf(r, UcRe);
    const Rect ya = RectOf(r, YaRe), yb = RectOf(r, YbRe), yc = RectOf(r, YcRe);
    if (n == 3) {
        StoreU0(r, neutral ? NeutralShift3R0(ua, ub, uc, ya, yb, yc, r[Y0])
                           : NeutralShift3(ua, ub, uc, ya, yb, yc));
    } else {
        StoreU0(r, neutral ? NeutralShift2R0(ua, ub, ya, yb, r[Y0]) : NeutralShift2(ua, ub, ya, yb));
    }

    for (int k = 0; k < n; ++k) {
        LoadVoltage(r, UaMod + 4 * k, UaLoadMod + 4 * k);
    }
    for (int k = 0; k < n; ++k) {
        PhaseCurrent(r, UaLoadMod + 4 * k, YaMod + 4 * k, IaMod + 4 * k);
    }

    StoreI0(r, SumOver(r, IaRe, n), SumOver(r, IaIm, n));
    r[I0ViaU0Mod] = r[U0Mod] * r[Y0];
    r[I0ViaU0Arg] = r[U0Arg];

    for (int k = 0; k < n; ++k) {
        PhasePower(r, UaLoadMod + 4 * k, IaMod + 4 * k, SaMod + 4 * k);
    }
    r[PTotal] = SumOver(r, Pa, n);
    r[QTotal] = SumOver(r, Qa, n);
    double p = Square(r[IaMod]) * r[Ra];
    double q = Square(r[IaMod]) * r[Xa];
    for (int k = 1; k < n; ++k) {
        p += Square(r[IaMod + 4 * k]) * r[Ra + 4 * k];
        q += Square(r[IaMod + 4 * k]) * r[Xa + 4 * k];
    }
    r[PBalance] = p;
    r[QBalance] = q;
}

}  // namespace

void SolveStar(SolutionRecord& r, const ParameterFields& form, const std::string& ra, const std::string& xa,
               const std::string& rb, const std::string& xb, const std::string& rc, const std::string& xc) {
    SolveBranches(r, form,
                  {{form.Text(Param::ComboBox1), form.Text(Param::Edit1), ra, xa},
                   {form.Text(Param::ComboBox2), form.Text(Param::Edit2), rb, xb},
                   {form.Text(Param::ComboBox3), form.Text(Param::Edit3), rc, xc}});
}

void SolveStarTwoPhase(SolutionRecord& r, const ParameterFields& form, const std::string& u1,
                       const std::string& angle1, const std::string& u2, const std::string& angle2,
                       const std::string& r1, const std::string& x1, const std::string& r2,
                       const std::string& x2) {
    SolveBranches(r, form, {{u1, angle1, r1, x1}, {u2, angle2, r2, x2}});
}

}  // namespace vornik
