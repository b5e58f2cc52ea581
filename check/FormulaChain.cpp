#include "check/FormulaChain.h"

#include <array>

#include "solver/RecordFields.h"
#include "solver/SolverSteps.h"

namespace vornik {

namespace {

constexpr int kPositions = 3;

// The branch positions a star mode computes: two with a line wire broken.
int StarBranches(const ChainContext& c) {
    return c.mode.kind == ModeKind::LineBreak ? 2 : kPositions;
}

// The branches of a delta line break: the directly fed phase between the intact wires, then the
// series pair, as the key names them.
struct LineBreakBranches {
    int direct;
    int series1;
    int series2;
};
LineBreakBranches BranchesOf(const ChainContext& c) {
    return {(c.mode.phase + 1) % kPositions, (c.mode.phase + 2) % kPositions, c.mode.phase};
}

int Offset(int k) {
    return kBranchStride * k;
}

// --- The steps: each calls the solver's steps on the record. ---

void StarU0Step(SolutionRecord& r, const ChainContext& c, int) {
    StarNeutralShift(r, StarBranches(c), c.neutral);
}

void StarCurrentStep(SolutionRecord& r, const ChainContext&, int field) {
    const int k = (field - IaMod) / kBranchStride;
    LoadVoltage(r, UaMod + Offset(k), UaLoadMod + Offset(k));
    PhaseCurrent(r, UaLoadMod + Offset(k), YaMod + Offset(k), IaMod + Offset(k));
}

void StarI0Step(SolutionRecord& r, const ChainContext& c, int) {
    NeutralCurrent(r, StarBranches(c));
}

void StarPowerStep(SolutionRecord& r, const ChainContext& c, int) {
    const int n = StarBranches(c);
    for (int k = 0; k < n; ++k) {
        LoadVoltage(r, UaMod + Offset(k), UaLoadMod + Offset(k));
    }
    StarPhasePowers(r, n);
}

void DeltaPhaseStep(SolutionRecord& r, const ChainContext&, int field) {
    DeltaPhaseCurrent(r, (field - IabMod) / kBranchStride);
}

// A line current of phases k and k+2 (Ia = Iab − Ica); a broken load phase carries no current.
void DeltaLineStep(SolutionRecord& r, const ChainContext& c, int field) {
    const int k = (field - IaLineMod) / kBranchStride;
    const bool fault = c.mode.kind == ModeKind::PhaseFault;
    auto part = [&](int phase, int at) {
        return fault && phase == c.mode.phase ? 0.0 : r[IabMod + Offset(phase) + at];
    };
    const int other = (k + 2) % kPositions;
    LineCurrent(r, field, part(k, kRe), part(k, kIm), part(other, kRe), part(other, kIm));
}

void DeltaPowerStep(SolutionRecord& r, const ChainContext&, int) {
    DeltaPhasePowers(r);
}

void DirectStep(SolutionRecord& r, const ChainContext& c, int) {
    const int rf = Rab + Offset(BranchesOf(c).direct);
    DeltaDirectCurrent(r, r[rf], r[rf + 1]);
}

void SeriesStep(SolutionRecord& r, const ChainContext& c, int) {
    const LineBreakBranches b = BranchesOf(c);
    const int r1 = Rab + Offset(b.series1), r2 = Rab + Offset(b.series2);
    DeltaSeriesImpedance(r, r[r1], r[r1 + 1], r[r2], r[r2 + 1]);
    DeltaSeriesCurrent(r);
}

void LineBreakPowerStep(SolutionRecord& r, const ChainContext& c, int) {
    const LineBreakBranches b = BranchesOf(c);
    const int r1 = Rab + Offset(b.series1), r2 = Rab + Offset(b.series2);
    DeltaSeriesVoltages(r, r[r1], r[r1 + 1], r[r2], r[r2 + 1]);
    DeltaLineBreakPowers(r);
}

// The label of a quantity's modulus field in this mode ("Ia", "Iab=Ibc").
std::string Name(const ChainContext& c, int field) {
    return FieldQuantity(field, c.mode).label;
}

std::string Joined(const std::vector<std::string>& parts, const std::string& sep) {
    std::string out;
    for (const std::string& p : parts) {
        out += (out.empty() ? "" : sep) + p;
    }
    return out;
}

// P and Q of the circuit are computed by one step; each is its own link.
void AddPowers(std::vector<ChainLink>& links, const std::vector<int>& inputs, const std::vector<int>& after,
               const std::string& sum, void (*step)(SolutionRecord&, const ChainContext&, int)) {
    links.push_back({PTotal, inputs, after, "P = Re(" + sum + ")", step});
    links.push_back({QTotal, inputs, after, "Q = Im(" + sum + ")", step});
}

void StarChain(const ChainContext& c, std::vector<ChainLink>& links) {
    const int n = StarBranches(c);
    std::vector<int> u0Inputs;
    std::vector<std::string> products, admittances, powers;
    for (int k = 0; k < n; ++k) {
        for (const int f : {UaRe, UaIm, YaRe, YaIm}) {
            u0Inputs.push_back(f + Offset(k));
        }
        const std::string x = Name(c, IaMod + Offset(k)).substr(1);
        products.push_back("U" + x + "·Y" + x);
        admittances.push_back("Y" + x);
        powers.push_back("U" + x + "`·I" + x + "*");
    }
    if (c.neutral) {
        u0Inputs.push_back(Y0);
        admittances.push_back("Y0");
    }
    links.push_back({U0Mod,
                     u0Inputs,
                     {},
                     "U0 = (" + Joined(products, " + ") + ")/(" + Joined(admittances, " + ") + ")",
                     StarU0Step});
    std::vector<int> currents, powerInputs;
    std::vector<std::string> currentNames;
    for (int k = 0; k < n; ++k) {
        const int i = IaMod + Offset(k);
        const std::string x = Name(c, i).substr(1);
        links.push_back({i,
                         {UaRe + Offset(k), UaIm + Offset(k), YaMod + Offset(k), YaArg + Offset(k)},
                         {U0Mod},
                         "I" + x + " = (U" + x + " − U0)·Y" + x,
                         StarCurrentStep});
        currents.push_back(i);
        currentNames.push_back("I" + x);
        powerInputs.push_back(UaRe + Offset(k));
        powerInputs.push_back(UaIm + Offset(k));
    }
    if (c.neutral) {
        links.push_back({I0Mod, {}, currents, "I0 = " + Joined(currentNames, " + "), StarI0Step});
    }
    std::vector<int> after = {U0Mod};
    after.insert(after.end(), currents.begin(), currents.end());
    AddPowers(links, powerInputs, after, Joined(powers, " + "), StarPowerStep);
}

void DeltaChain(const ChainContext& c, std::vector<ChainLink>& links) {
    const bool fault = c.mode.kind == ModeKind::PhaseFault;
    std::vector<int> phases, powerInputs;
    std::vector<std::string> powers;
    for (int k = 0; k < kPositions; ++k) {
        const int i = IabMod + Offset(k);
        powerInputs.push_back(UabMod + Offset(k));
        powerInputs.push_back(UabMod + Offset(k) + kArg);
        if (fault && k == c.mode.phase) {
            continue;
        }
        const std::string x = Name(c, i).substr(1);
        links.push_back(
            {i,
             {UabMod + Offset(k), UabMod + Offset(k) + kArg, ZabMod + Offset(k), ZabMod + Offset(k) + kArg},
             {},
             "I" + x + " = U" + x + "/Z" + x,
             DeltaPhaseStep});
        phases.push_back(i);
        powers.push_back("U" + x + "·I" + x + "*");
    }
    for (int k = 0; k < kPositions; ++k) {
        const int other = (k + 2) % kPositions;
        std::vector<int> after;
        std::vector<std::string> terms;
        for (const int p : {k, other}) {
            const std::string name = FieldQuantity(IabMod + Offset(p), {false, ModeKind::Normal, 0}).label;
            terms.push_back(fault && p == c.mode.phase ? "0" : name);
            if (!(fault && p == c.mode.phase)) {
                after.push_back(IabMod + Offset(p));
            }
        }
        links.push_back({IaLineMod + Offset(k),
                         {},
                         after,
                         Name(c, IaLineMod + Offset(k)) + " = " + Joined(terms, " − "),
                         DeltaLineStep});
    }
    if (!fault) {
        AddPowers(links, powerInputs, phases, Joined(powers, " + "), DeltaPowerStep);
    }
}

void DeltaLineBreakChain(const ChainContext& c, std::vector<ChainLink>& links) {
    const LineBreakBranches b = BranchesOf(c);
    const int rd = Rab + Offset(b.direct), r1 = Rab + Offset(b.series1), r2 = Rab + Offset(b.series2);
    const std::string u = FieldQuantity(ULineMod, c.mode).label;
    const std::string direct = Name(c, IDirectMod);
    const std::string series = Name(c, ISeries1Mod);
    links.push_back({IDirectMod,
                     {ULineMod, ULineArg, rd, rd + 1},
                     {},
                     direct + " = " + u + "/Z" + direct.substr(1),
                     DirectStep});
    links.push_back(
        {ISeries1Mod,
         {ULineMod, ULineArg, r1, r1 + 1, r2, r2 + 1},
         {},
         series + " = " + u + "/(Z" + series.substr(1, 2) + " + Z" + series.substr(series.size() - 2) + ")",
         SeriesStep});
    AddPowers(links, {ULineMod, ULineArg, r1, r1 + 1, r2, r2 + 1}, {IDirectMod, ISeries1Mod},
              u + "·" + direct + "* + " + Name(c, Us1Mod) + "·" + series.substr(0, 3) + "* + " +
                  Name(c, Us2Mod) + "·I" + series.substr(series.size() - 2) + "*",
              LineBreakPowerStep);
}

}  // namespace

std::vector<ChainLink> ModeChain(const ChainContext& context) {
    std::vector<ChainLink> links;
    if (context.mode.star) {
        StarChain(context, links);
    } else if (context.mode.kind == ModeKind::LineBreak) {
        DeltaLineBreakChain(context, links);
    } else {
        DeltaChain(context, links);
    }
    return links;
}

std::optional<ChainLink> LinkOf(const ChainContext& context, int field) {
    for (const ChainLink& link : ModeChain(context)) {
        const bool scalar = link.field == PTotal || link.field == QTotal;
        if (link.field == field || (!scalar && link.field + kArg == field)) {
            return link;
        }
    }
    return std::nullopt;
}

std::vector<int> QuantityFields(const ChainContext& context, int field) {
    if (field == PTotal || field == QTotal) {
        return {field};
    }
    std::vector<int> fields = {field, field + kArg, field + kRe, field + kIm};
    if (!context.mode.star && context.mode.kind == ModeKind::LineBreak && field == ISeries1Mod) {
        for (int k = 0; k < 4; ++k) {
            fields.push_back(ISeries2Mod + k);
        }
    }
    return fields;
}

void PutQuantity(SolutionRecord& record, const ChainContext& context, int field, double modulus,
                 double angleRad) {
    if (field == PTotal || field == QTotal) {
        record[field] = modulus;
        return;
    }
    StorePolar(record, field, modulus, angleRad);
    if (!context.mode.star && context.mode.kind == ModeKind::LineBreak && field == ISeries1Mod) {
        StorePolar(record, ISeries2Mod, modulus, angleRad);
    }
}

}  // namespace vornik
