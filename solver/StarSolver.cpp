#include "solver/StarSolver.h"

#include <vector>

#include "solver/RecordFields.h"
#include "solver/SolverSteps.h"
#include "solver/TextToNumber.h"

namespace vornik {

namespace {

// A typed voltage (modulus text, angle text in degrees) into four fields from `base`. Each text
// is stored as soon as it is read, so a failure in the second leaves the first in place.
void ReadVoltage(SolutionRecord& r, int base, const FieldText& mod, const FieldText& angle) {
    r[base] = TextToFloat(mod.text, mod.control);
    r[base + kArg] = DegToRad(TextToFloat(angle.text, angle.control));
    StorePolar(r, base, r[base], r[base + kArg]);
}

// R and X texts into four fields from `base`: R, X, modulus, angle.
void ReadImpedance(SolutionRecord& r, int base, const FieldText& rText, const FieldText& xText) {
    r[base] = TextToFloat(rText.text, rText.control);
    r[base + 1] = TextToFloat(xText.text, xText.control);
    StoreImpedance(r, base, r[base], r[base + 1]);
}

// Y = 1/Z from the impedance modulus/angle fields into four admittance fields; a zero
// impedance names the control of its resistance.
void Admittance(SolutionRecord& r, int zModField, int yBase, const std::string& rControl) {
    double m = r[zModField];
    double a = r[zModField + 1];
    PolarReciprocal(m, a, rControl);
    StorePolar(r, yBase, m, a);
}

// S = U' * conj(I) into modulus, angle, P, Q fields.
void PhasePower(SolutionRecord& r, int loadBase, int iBase, int sBase) {
    double m = r[loadBase];
    double a = r[loadBase + kArg];
    PolarMulConj(m, a, r[iBase], r[iBase + kArg]);
    StorePolar(r, sBase, m, a);
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

void LoadVoltage(SolutionRecord& r, int uBase, int loadBase) {
    double re = r[uBase + kRe];
    double im = r[uBase + kIm];
    RectSub(re, im, r[U0Re], r[U0Im]);
    StoreRect(r, loadBase, re, im);
}

void PhaseCurrent(SolutionRecord& r, int loadBase, int yBase, int iBase) {
    double m = r[loadBase];
    double a = r[loadBase + kArg];
    PolarMul(m, a, r[yBase], r[yBase + kArg]);
    StorePolar(r, iBase, m, a);
}

namespace {

// Sum over the branches of field `first` + 4k, left to right.
double SumOver(const SolutionRecord& r, int first, int n) {
    double sum = r[first];
    for (int k = 1; k < n; ++k) {
        sum += r[first + kBranchStride * k];
    }
    return sum;
}

}  // namespace

void StarNeutralShift(SolutionRecord& r, int n, bool neutral) {
    const Rect ua = RectOf(r, UaMod), ub = RectOf(r, UbMod), uc = RectOf(r, UcMod);
    const Rect ya = RectOf(r, YaMod), yb = RectOf(r, YbMod), yc = RectOf(r, YcMod);
    Rect u0;
    if (n == 3) {
        u0 = neutral ? NeutralShift3R0(ua, ub, uc, ya, yb, yc, r[Y0]) : NeutralShift3(ua, ub, uc, ya, yb, yc);
    } else {
        u0 = neutral ? NeutralShift2R0(ua, ub, ya, yb, r[Y0]) : NeutralShift2(ua, ub, ya, yb);
    }
    StoreRect(r, U0Mod, u0.re, u0.im);
}

void NeutralCurrent(SolutionRecord& r, int n) {
    StoreRect(r, I0Mod, SumOver(r, IaRe, n), SumOver(r, IaIm, n));
}

void StarPhasePowers(SolutionRecord& r, int n) {
    for (int k = 0; k < n; ++k) {
        PhasePower(r, UaLoadMod + kBranchStride * k, IaMod + kBranchStride * k, SaMod + kBranchStride * k);
    }
    r[PTotal] = SumOver(r, Pa, n);
    r[QTotal] = SumOver(r, Qa, n);
}

namespace {

struct Branch {
    FieldText u;
    FieldText angle;
    FieldText r;
    FieldText x;
};

// The star steps for two or three branches in the a, b(, c) positions.
void SolveBranches(SolutionRecord& r, const CircuitInput& input, const std::vector<Branch>& branches) {
    const int n = static_cast<int>(branches.size());
    for (int k = 0; k < n; ++k) {
        ReadVoltage(r, UaMod + kBranchStride * k, branches[k].u, branches[k].angle);
    }
    for (int k = 0; k < n; ++k) {
        ReadImpedance(r, Ra + kBranchStride * k, branches[k].r, branches[k].x);
    }
    const FieldText r0 = input.Field(Param::Edit10);
    r[R0] = TextToFloat(r0.text, r0.control);

    for (int k = 0; k < n; ++k) {
        Admittance(r, ZaMod + kBranchStride * k, YaMod + kBranchStride * k, branches[k].r.control);
    }
    {
        double m = r[R0];
        double a = 0;
        PolarReciprocal(m, a, r0.control);
        r[Y0] = m;
    }

    StarNeutralShift(r, n, input.Checked(kNeutralWire));

    for (int k = 0; k < n; ++k) {
        LoadVoltage(r, UaMod + kBranchStride * k, UaLoadMod + kBranchStride * k);
    }
    for (int k = 0; k < n; ++k) {
        PhaseCurrent(r, UaLoadMod + kBranchStride * k, YaMod + kBranchStride * k, IaMod + kBranchStride * k);
    }

    NeutralCurrent(r, n);
    r[I0ViaU0Mod] = r[U0Mod] * r[Y0];
    r[I0ViaU0Arg] = r[U0Arg];

    StarPhasePowers(r, n);
    double p = Square(r[IaMod]) * r[Ra];
    double q = Square(r[IaMod]) * r[Xa];
    for (int k = 1; k < n; ++k) {
        p += Square(r[IaMod + kBranchStride * k]) * r[Ra + kBranchStride * k];
        q += Square(r[IaMod + kBranchStride * k]) * r[Xa + kBranchStride * k];
    }
    r[PBalance] = p;
    r[QBalance] = q;
}

}  // namespace

void SolveStar(SolutionRecord& r, const CircuitInput& input, const std::array<PhaseTexts, 3>& phases) {
    SolveBranches(r, input,
                  {{input.Field(Param::ComboBox1), input.Field(Param::Edit1), phases[0].r, phases[0].x},
                   {input.Field(Param::ComboBox2), input.Field(Param::Edit2), phases[1].r, phases[1].x},
                   {input.Field(Param::ComboBox3), input.Field(Param::Edit3), phases[2].r, phases[2].x}});
}

void SolveStarTwoPhase(SolutionRecord& r, const CircuitInput& input,
                       const std::array<SourceTexts, 2>& sources, const std::array<PhaseTexts, 2>& phases) {
    SolveBranches(r, input,
                  {{sources[0].u, sources[0].angle, phases[0].r, phases[0].x},
                   {sources[1].u, sources[1].angle, phases[1].r, phases[1].x}});
}

}  // namespace vornik
