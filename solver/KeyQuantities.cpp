#include "solver/KeyQuantities.h"

#include <array>

namespace vornik {

namespace {

constexpr const char* kVolt = "В";
constexpr const char* kAmpere = "А";
constexpr const char* kOhm = "Ом";
constexpr const char* kSiemens = "См";
constexpr const char* kDegree = "°";

// How the fields of a group follow each other from its first field.
enum class Shape {
    Complex,    // modulus, angle, real part, imaginary part
    Impedance,  // R, X, modulus, angle
    Power,      // S modulus, S angle, P, Q
    Polar,      // modulus, angle
    Scalar,     // one value
};

// A group of fields: one per branch position (three, a stride apart) or one alone, with its
// label and unit in a star, in a delta and in a delta line break (which keeps other quantities
// in some fields). In a label, '%' stands for the position's phase as the connection names it
// (a, b, c or ab, bc, ca), '#' for its line (a, b, c) and '&' for the series branch of a delta
// line break (Zcab). The unit is that of the modulus, R and X, or the one value.
struct Group {
    int first;
    int positions;
    Shape shape;
    const char* star;
    const char* starUnit;
    const char* delta;
    const char* deltaUnit;
    const char* deltaBreak;
    const char* breakUnit;
};

// In record order; every field is in exactly one group.
constexpr std::array<Group, 15> kGroups = {{
    {UaMod, 3, Shape::Complex, "U%", kVolt, "U%", kVolt, "U%", kVolt},
    {Ra, 3, Shape::Impedance, "%", kOhm, "%", kOhm, "%", kOhm},
    {R0, 1, Shape::Scalar, "R0", kOhm, "R0", kOhm, "R0", kOhm},
    {YaMod, 3, Shape::Complex, "Y%", kSiemens, "I%", kAmpere, "I%", kAmpere},
    {Y0, 1, Shape::Scalar, "Y0", kSiemens, "Y0", kSiemens, "R&", kOhm},
    {U0Mod, 1, Shape::Scalar, "U0", kVolt, "U0", kVolt, "X&", kOhm},
    {U0Arg, 1, Shape::Scalar, "угол U0", kDegree, "угол U0", kDegree, "Z&", kOhm},
    {U0Re, 1, Shape::Scalar, "Re U0", kVolt, "Re U0", kVolt, "угол Z&", kDegree},
    {U0Im, 1, Shape::Scalar, "Im U0", kVolt, "Im U0", kVolt, "Im U0", kVolt},
    {UaLoadMod, 3, Shape::Complex, "U%`", kVolt, "I#", kAmpere, "I#", kAmpere},
    // A delta line break keeps the voltages of the series pair and then the line voltage here.
    {IaMod, 3, Shape::Complex, "I%", kAmpere, "I%", kAmpere, "U%", kVolt},
    {I0Mod, 1, Shape::Complex, "I0", kAmpere, "I0", kAmpere, "I0", kAmpere},
    {I0ViaU0Mod, 1, Shape::Polar, "I0", kAmpere, "I0", kAmpere, "I0", kAmpere},
    {SaMod, 3, Shape::Power, "%", "", "%", "", "%", ""},
    {PTotal, 1, Shape::Power, "", "", "", "", "", ""},
}};

constexpr std::array<const char*, 3> kLines = {"a", "b", "c"};
constexpr std::array<const char*, 3> kPairs = {"ab", "bc", "ca"};

// The phase (0..2) a branch position stands for in `mode`.
int PhaseAt(int position, const ModeOfRun& mode) {
    return ModeSpecOf(mode).positions[position];
}

std::string Filled(const char* pattern, int position, const ModeOfRun& mode) {
    const int phase = PhaseAt(position, mode);
    std::string out;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p == '%') {
            out += mode.star ? kLines[phase] : kPairs[phase];
        } else if (*p == '#') {
            out += kLines[phase];
        } else if (*p == '&') {
            const std::string s1 = kPairs[PhaseAt(1, mode)];
            out += s1 + kPairs[PhaseAt(2, mode)][1];
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

QuantityName FieldQuantity(int field, const ModeOfRun& mode) {
    const Group* group = &kGroups[0];
    for (const Group& g : kGroups) {
        if (g.first <= field) {
            group = &g;
        }
    }
    const bool deltaBreak = !mode.star && mode.kind == ModeKind::LineBreak;
    const char* pattern = mode.star ? group->star : deltaBreak ? group->deltaBreak : group->delta;
    const std::string unit = mode.star ? group->starUnit : deltaBreak ? group->breakUnit : group->deltaUnit;
    const int offset = field - group->first;
    int position = group->positions > 1 ? offset / kBranchStride : 0;
    const int part = offset % kBranchStride;
    if (deltaBreak && group->first == IaMod) {
        position = (position + 1) % 3;  // Us1, Us2, then the line voltage of the direct phase
    }
    std::string name = Filled(pattern, position, mode);
    if (deltaBreak && group->first == YaMod && position == 1) {
        name += "=I" + std::string(kPairs[PhaseAt(2, mode)]);  // one series current: Ica=Iab
    }
    switch (group->shape) {
        case Shape::Complex:
        case Shape::Polar: {
            static constexpr std::array<const char*, 4> kPrefix = {"", "угол ", "Re ", "Im "};
            return {kPrefix[part] + name, part == kArg ? kDegree : unit, part == kArg};
        }
        case Shape::Impedance: {
            static constexpr std::array<const char*, 4> kPrefix = {"R", "X", "Z", "угол Z"};
            return {kPrefix[part] + name, part == 3 ? kDegree : unit, part == 3};
        }
        case Shape::Power: {
            static constexpr std::array<const char*, 4> kPrefix = {"S", "угол S", "P", "Q"};
            static constexpr std::array<const char*, 4> kUnit = {"ВА", kDegree, "Вт", "вар"};
            // The totals and the balance (P, Q) sit where a branch has its P and Q.
            const int at = group->positions == 1 ? 2 + offset % 2 : part;
            return {kPrefix[at] + name, kUnit[at], at == kArg};
        }
        case Shape::Scalar:
            break;
    }
    return {name, unit, unit == kDegree};
}

std::vector<int> DefaultKeyFields(const ModeOfRun& mode, bool neutralWire) {
    std::vector<int> fields;
    auto complex = [&](int modField) {
        fields.push_back(modField);
        fields.push_back(modField + kArg);
    };
    const bool lineBreak = mode.kind == ModeKind::LineBreak;
    if (mode.star) {
        for (int k = 0; k < (lineBreak ? 2 : 3); ++k) {
            complex(IaMod + kBranchStride * k);
        }
        if (neutralWire) {
            complex(I0Mod);
        }
        complex(U0Mod);
    } else if (lineBreak) {
        complex(IDirectMod);
        complex(ISeries1Mod);
    } else {
        for (int k = 0; k < 3; ++k) {
            if (mode.kind != ModeKind::PhaseFault || k != mode.phase) {
                complex(IabMod + kBranchStride * k);
            }
        }
        for (int k = 0; k < 3; ++k) {
            complex(IaLineMod + kBranchStride * k);
        }
        if (mode.kind == ModeKind::PhaseFault) {
            return fields;  // the worked solution of a broken load phase gives no powers
        }
    }
    fields.push_back(PTotal);
    fields.push_back(QTotal);
    return fields;
}

}  // namespace vornik
