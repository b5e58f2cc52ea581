#pragma once
// The steps of the star and delta solvers, each on the solution record: the solvers call them in
// order, and the self-check's formula chain calls the same steps on a record holding a student's
// earlier answers, so a step computed there is the solver's own arithmetic.

#include <string>

#include "solver/SolutionRecord.h"

namespace vornik {

// Star, for the first `n` branch positions (3, or 2 with a line wire broken).
// U0 from the source voltages and admittances (and Y0 with the neutral wire), algebraic first.
void StarNeutralShift(SolutionRecord& r, int n, bool neutral);
// U' = U − U0 into four load-voltage fields (algebraic first, then polar).
void LoadVoltage(SolutionRecord& r, int uBase, int loadBase);
// I = U'·Y into four current fields.
void PhaseCurrent(SolutionRecord& r, int loadBase, int yBase, int iBase);
// I0 = Ia + Ib (+ Ic), algebraic first.
void NeutralCurrent(SolutionRecord& r, int n);
// S = U'·conj(I) of each branch, then P and Q of the circuit as their sums.
void StarPhasePowers(SolutionRecord& r, int n);

// Delta.
// Iab = Uab / Zab of branch k (0..2); a zero impedance names `control`.
void DeltaPhaseCurrent(SolutionRecord& r, int k, const std::string& control = {});
// A line current as the difference of two phase currents in algebraic form.
void LineCurrent(SolutionRecord& r, int base, double re, double im, double re2, double im2);
// S = U·conj(I) of each branch, then P and Q of the circuit.
void DeltaPhasePowers(SolutionRecord& r);

// Delta with a line wire broken: the line voltage in ULineMod feeds the direct phase alone and
// the series pair s1 + s2.
void DeltaSeriesImpedance(SolutionRecord& r, double rs1, double xs1, double rs2, double xs2);
void DeltaDirectCurrent(SolutionRecord& r, double rDirect, double xDirect);
// The series current from the series impedance, kept as the current of s1 and of s2.
void DeltaSeriesCurrent(SolutionRecord& r);
// The voltages across s1 and s2: their impedance times their current.
void DeltaSeriesVoltages(SolutionRecord& r, double rs1, double xs1, double rs2, double xs2);
// The powers of the direct phase, s1 and s2, then P and Q of the circuit.
void DeltaLineBreakPowers(SolutionRecord& r);

}  // namespace vornik
