#include "solver/DeltaSolver.h"

#include "solver/Complex.h"
#include "solver/RecordFields.h"
#include "solver/SolverSteps.h"
#include "solver/TextToNumber.h"

namespace vornik {

void LineCurrent(SolutionRecord& r, int base, double re, double im, double re2, double im2) {
    RectSub(re, im, re2, im2);
    StoreRect(r, base, re, im);
}

void DeltaPhaseCurrent(SolutionRecord& r, int k, const std::string& control) {
    double m = r[ZabMod + kBranchStride * k];
    double a = r[ZabMod + kBranchStride * k + kArg];
    PolarDiv(m, a, r[UabMod + kBranchStride * k], r[UabMod + kBranchStride * k + kArg], control);
    StorePolar(r, IabMod + kBranchStride * k, m, a);
}

void DeltaPhasePowers(SolutionRecord& r) {
    for (int k = 0; k < 3; ++k) {
        double m = r[UabMod + kBranchStride * k];
        double a = r[UabMod + kBranchStride * k + kArg];
        PolarMulConj(m, a, r[IabMod + kBranchStride * k], r[IabMod + kBranchStride * k + kArg]);
        StorePolar(r, SabMod + kBranchStride * k, m, a);
    }
    r[PTotal] = r[Pa] + r[Pb] + r[Pc];
    r[QTotal] = r[Qa] + r[Qb] + r[Qc];
}

void DeltaSeriesImpedance(SolutionRecord& r, double rs1, double xs1, double rs2, double xs2) {
    // R and X, then its modulus and angle (the fourth field is not written).
    r[SeriesR] = rs1 + rs2;
    r[SeriesX] = xs1 + xs2;
    double m = r[SeriesR];
    double a = r[SeriesX];
    RectToPolar(m, a);
    r[SeriesZMod] = m;
    r[SeriesZArg] = a;
}

void DeltaDirectCurrent(SolutionRecord& r, double rDirect, double xDirect) {
    double m = rDirect;
    double a = xDirect;
    RectToPolar(m, a);
    PolarDiv(m, a, r[ULineMod], r[ULineArg]);
    StorePolar(r, IDirectMod, m, a);
}

void DeltaSeriesCurrent(SolutionRecord& r) {
    double m = r[SeriesZMod];
    double a = r[SeriesZArg];
    PolarDiv(m, a, r[ULineMod], r[ULineArg]);
    r[ISeries1Mod] = m;
    r[ISeries1Arg] = a;
    r[ISeries2Mod] = m;
    r[ISeries2Arg] = a;
    PolarToRect(m, a);
    r[ISeries1Mod + kRe] = m;
    r[ISeries1Mod + kIm] = a;
    r[ISeries2Mod + kRe] = m;
    r[ISeries2Mod + kIm] = a;
}

void DeltaSeriesVoltages(SolutionRecord& r, double rs1, double xs1, double rs2, double xs2) {
    const double seriesR[2] = {rs1, rs2};
    const double seriesX[2] = {xs1, xs2};
    const int seriesCurrents[2] = {ISeries1Mod, ISeries2Mod};
    const int seriesVoltages[2] = {Us1Mod, Us2Mod};
    for (int k = 0; k < 2; ++k) {
        double m = seriesR[k];
        double a = seriesX[k];
        RectToPolar(m, a);
        PolarMul(m, a, r[seriesCurrents[k]], r[seriesCurrents[k] + kArg]);
        StorePolar(r, seriesVoltages[k], m, a);
    }
}

void DeltaLineBreakPowers(SolutionRecord& r) {
    const int voltages[3] = {ULineMod, Us1Mod, Us2Mod};
    const int currents[3] = {IDirectMod, ISeries1Mod, ISeries2Mod};
    for (int k = 0; k < 3; ++k) {
        double m = r[voltages[k]];
        double a = r[voltages[k] + kArg];
        PolarMulConj(m, a, r[currents[k]], r[currents[k] + kArg]);
        StorePolar(r, SDirectMod + kBranchStride * k, m, a);
    }
    r[PTotal] = r[Pa] + r[Pb] + r[Pc];
    r[QTotal] = r[Qa] + r[Qb] + r[Qc];
}

void SolveDelta(SolutionRecord& r, const CircuitInput& input, const std::array<PhaseTexts, 3>& branches) {
    const Param mods[3] = {Param::ComboBox1, Param::ComboBox2, Param::ComboBox3};
    const Param angles[3] = {Param::Edit1, Param::Edit2, Param::Edit3};
    for (int k = 0; k < 3; ++k) {
        const int u = UabMod + kBranchStride * k;
        r[u] = TextToFloat(input.Text(mods[k]), ControlId(mods[k]));
        r[u + kArg] = DegToRad(TextToFloat(input.Text(angles[k]), ControlId(angles[k])));
        StorePolar(r, u, r[u], r[u + kArg]);
    }
    for (int k = 0; k < 3; ++k) {
        const int base = Rab + kBranchStride * k;
        r[base] = TextToFloat(branches[k].r.text, branches[k].r.control);
        r[base + 1] = TextToFloat(branches[k].x.text, branches[k].x.control);
        StoreImpedance(r, base, r[base], r[base + 1]);
    }
    // Phase currents I = U / Z; a zero Z names the control of its resistance.
    for (int k = 0; k < 3; ++k) {
        DeltaPhaseCurrent(r, k, branches[k].r.control);
    }
    // Line currents: Ia = Iab - Ica, Ib = Ibc - Iab, Ic = Ica - Ibc.
    LineCurrent(r, IaLineMod, r[IabRe], r[IabIm], r[IcaRe], r[IcaIm]);
    LineCurrent(r, IbLineMod, r[IbcRe], r[IbcIm], r[IabRe], r[IabIm]);
    LineCurrent(r, IcLineMod, r[IcaRe], r[IcaIm], r[IbcRe], r[IbcIm]);
    // Phase powers S = U * conj(I), then the circuit's.
    DeltaPhasePowers(r);
    r[PBalance] = Square(r[IabMod]) * r[Rab] + Square(r[IbcMod]) * r[Rbc] + Square(r[IcaMod]) * r[Rca];
    r[QBalance] = Square(r[IabMod]) * r[Xab] + Square(r[IbcMod]) * r[Xbc] + Square(r[IcaMod]) * r[Xca];
}

void SolveDeltaPhaseBreak(SolutionRecord& r, double iabRe, double iabIm, double ibcRe, double ibcIm,
                          double icaRe, double icaIm) {
    LineCurrent(r, IaLineMod, iabRe, iabIm, icaRe, icaIm);
    LineCurrent(r, IbLineMod, ibcRe, ibcIm, iabRe, iabIm);
    LineCurrent(r, IcLineMod, icaRe, icaIm, ibcRe, ibcIm);
}

void SolveDeltaLineBreak(SolutionRecord& r, double uMod, double uArg, double rDirect, double xDirect,
                         double rs1, double xs1, double rs2, double xs2) {
    StorePolar(r, ULineMod, uMod, uArg);

    DeltaSeriesImpedance(r, rs1, xs1, rs2, xs2);
    DeltaDirectCurrent(r, rDirect, xDirect);
    // Series current, stored twice: once as the current of s1, once as that of s2.
    DeltaSeriesCurrent(r);
    DeltaSeriesVoltages(r, rs1, xs1, rs2, xs2);
    // Powers of the direct phase, s1 and s2: their voltage times the conjugate of their current.
    DeltaLineBreakPowers(r);
    r[PBalance] =
        Square(r[IDirectMod]) * rDirect + Square(r[ISeries1Mod]) * rs1 + Square(r[ISeries2Mod]) * rs2;
    r[QBalance] =
        Square(r[IDirectMod]) * xDirect + Square(r[ISeries1Mod]) * xs1 + Square(r[ISeries2Mod]) * xs2;
}

}  // namespace vornik
