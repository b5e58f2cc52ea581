#include "check/Marking.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "check/AnswerText.h"
#include "check/FormulaChain.h"
#include "classset/RecordFieldNames.h"
#include "report/NumberText.h"
#include "solver/Complex.h"

namespace vornik {

namespace {

constexpr double kSqrt3 = std::numbers::sqrt3;
constexpr double kSqrt2 = std::numbers::sqrt2;

// What the student gave for one quantity of the sheet.
struct Given {
    std::string text;             // as typed (or the text of the complex value it was taken from)
    std::optional<double> value;  // in the quantity's unit
    std::string hint;             // an unreadable text
};

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

const SheetQuantity* FindQuantity(const SheetMode& mode, const std::string& name) {
    for (const SheetQuantity& q : mode.quantities) {
        if (q.key.label == name) {
            return &q;
        }
    }
    for (const SheetQuantity& q : mode.quantities) {
        if (SameName(q.quantity, name)) {
            return &q;
        }
    }
    return nullptr;
}

const SheetQuantity* FindField(const SheetMode& mode, int field) {
    for (const SheetQuantity& q : mode.quantities) {
        if (q.key.field == field) {
            return &q;
        }
    }
    return nullptr;
}

// The other quantity a complex value answers too: the angle of a modulus and back, Q of P and back.
std::optional<int> PartnerOf(const SheetQuantity& q) {
    if (q.key.field == PTotal || q.key.field == QTotal) {
        return q.key.field == PTotal ? QTotal : PTotal;
    }
    if (q.key.angle) {
        return q.key.field - kArg;
    }
    if (q.key.label.starts_with("Re ") || q.key.label.starts_with("Im ")) {
        return std::nullopt;
    }
    return q.key.field + kArg;
}

// The part of a complex answer a quantity takes.
double PartOf(const ReadAnswer& a, const SheetQuantity& q) {
    if (q.key.angle) {
        return a.degrees;
    }
    if (q.key.field == PTotal || q.key.label.starts_with("Re ")) {
        return a.re;
    }
    if (q.key.field == QTotal || q.key.label.starts_with("Im ")) {
        return a.im;
    }
    return a.modulus;
}

// The student's numbers of one mode, by field.
std::map<int, Given> GivenOf(const SheetMode& mode,
                             const std::vector<std::pair<const SheetQuantity*, std::string>>& texts) {
    std::map<int, Given> given;
    std::map<int, std::pair<ReadAnswer, std::string>> complexes;  // by the field they were typed at
    for (const auto& [q, text] : texts) {
        const ReadAnswer a = ReadAnswerText(text, q->key.angle);
        Given g{text, std::nullopt, a.hint};
        if (a.kind == ReadAnswer::Kind::Real) {
            g.value = a.value;
        } else if (a.kind == ReadAnswer::Kind::Complex) {
            g.value = PartOf(a, *q);
            complexes[q->key.field] = {a, text};
        }
        if (a.kind != ReadAnswer::Kind::Empty) {
            given[q->key.field] = g;
        }
    }
    // A complex value stands also for its partner quantity where that has no text of its own.
    for (const auto& [field, typed] : complexes) {
        const SheetQuantity* q = FindField(mode, field);
        const std::optional<int> partner = PartnerOf(*q);
        const SheetQuantity* p = partner ? FindField(mode, *partner) : nullptr;
        if (p != nullptr && !given.contains(p->key.field)) {
            given[p->key.field] = Given{typed.second, PartOf(typed.first, *p), {}};
        }
    }
    return given;
}

double Degrees(double radians) {
    return HalfOpenDegrees(static_cast<double>(RadToDeg(radians)));
}

bool Close(double value, double expected, double tolerance, bool angle) {
    const double d = angle ? HalfOpenDegrees(value - expected) : value - expected;
    return std::fabs(d) <= tolerance;
}

// The tolerance around a value other than the key's: the same rule as the key's.
double ToleranceAt(const SheetQuantity& q, double value, const QuizOptions& options) {
    KeyRow row = q.key;
    row.answer = value;
    return AnswerTolerance(row, options);
}

// Everything one mode's marking needs.
struct ModeMarking {
    const AnswerSheet& sheet;
    const SheetMode& mode;
    const SolutionRecord& slot;
    ChainContext chain;
    const std::map<int, Given>& given;
    const QuizOptions& options;

    // The value of a record field in the unit its quantity is asked in.
    double InUnit(int field, bool angle) const { return angle ? Degrees(slot[field]) : slot[field]; }

    std::optional<double> Carried(const SheetQuantity& q) const;
    Mistake Named(const SheetQuantity& q, double value) const;
    std::vector<std::pair<Mistake, double>> Candidates(const SheetQuantity& q) const;
};

// This step's formula fed with the student's own earlier answers where they are wrong (the
// key's where they are right or missing); empty when none of them is wrong.
std::optional<double> ModeMarking::Carried(const SheetQuantity& q) const {
    const std::optional<ChainLink> link = LinkOf(chain, q.key.field);
    if (!link) {
        return std::nullopt;
    }
    // The student's value of a field where it differs from the key's beyond the tolerance.
    auto wrong = [&](int field) -> std::optional<double> {
        const auto g = given.find(field);
        const SheetQuantity* asked = FindField(mode, field);
        if (g == given.end() || !g->second.value || asked == nullptr ||
            Close(*g->second.value, asked->key.answer, asked->tolerance, asked->key.angle)) {
            return std::nullopt;
        }
        return g->second.value;
    };
    SolutionRecord record = slot;
    bool own = false;
    for (const int dep : link->after) {
        const std::optional<double> mod = wrong(dep);
        const std::optional<double> arg = wrong(dep + kArg);
        if (!mod && !arg) {
            continue;
        }
        own = true;
        PutQuantity(record, chain, dep, mod.value_or(slot[dep]), arg ? DegToRad(*arg) : slot[dep + kArg]);
    }
    if (!own) {
        return std::nullopt;
    }
    link->step(record, chain, link->field);
    return q.key.angle ? Degrees(record[q.key.field]) : record[q.key.field];
}

// A polar value in the unit of the quantity: its modulus, or its angle in degrees.
double Part(double m, double a, bool angle) {
    return angle ? Degrees(a) : m;
}

std::vector<std::pair<Mistake, double>> ModeMarking::Candidates(const SheetQuantity& q) const {
    std::vector<std::pair<Mistake, double>> out;
    const bool angle = q.key.angle;
    const int f = q.key.field;
    const int m = angle ? f - kArg : f;
    const bool star = chain.mode.star;
    const bool lineBreak = chain.mode.kind == ModeKind::LineBreak;
    const bool fault = chain.mode.kind == ModeKind::PhaseFault;
    const bool power = f == PTotal || f == QTotal;
    const int n = star && lineBreak ? 2 : 3;
    auto position = [&](int first) {
        const int k = (m - first) / kBranchStride;
        return m >= first && (m - first) % kBranchStride == 0 && k < n ? k : -1;
    };
    const int starCurrent = star ? position(IaMod) : -1;
    const int deltaPhase = !star && !lineBreak ? position(IabMod) : -1;
    const int deltaLine = !star && !lineBreak ? position(IaLineMod) : -1;
    const bool breakCurrent = !star && lineBreak && (m == IDirectMod || m == ISeries1Mod);
    const bool modulusQuantity = starCurrent >= 0 || deltaPhase >= 0 || deltaLine >= 0 || breakCurrent ||
                                 (star && (m == U0Mod || m == I0Mod));
    const double e = q.key.answer;

    if (deltaLine >= 0) {
        for (const int p : {deltaLine, (deltaLine + 2) % 3}) {
            if (!(fault && p == chain.mode.phase)) {
                out.push_back(
                    {Mistake::PhaseForLine, InUnit(IabMod + kBranchStride * p + (angle ? kArg : 0), angle)});
            }
        }
    }
    if (deltaPhase >= 0) {
        for (const int l : {deltaPhase, (deltaPhase + 1) % 3}) {
            out.push_back(
                {Mistake::PhaseForLine, InUnit(IaLineMod + kBranchStride * l + (angle ? kArg : 0), angle)});
        }
    }
    if (starCurrent >= 0 && slot[U0Mod] > 0) {
        const int k = kBranchStride * starCurrent;
        double mod = slot[UaMod + k];
        double arg = slot[UaArg + k];
        PolarMul(mod, arg, slot[YaMod + k], slot[YaArg + k]);
        out.push_back({Mistake::NoU0, Part(mod, arg, angle)});
    }
    if (star && chain.neutral && starCurrent >= 0) {
        double re = 0;
        double im = 0;
        for (int k = 0; k < n; ++k) {
            if (k != starCurrent) {
                re -= slot[IaRe + kBranchStride * k];
                im -= slot[IaIm + kBranchStride * k];
            }
        }
        RectToPolar(re, im);
        out.push_back({Mistake::SumZero, Part(re, im, angle)});
    }
    if (star && chain.neutral && m == I0Mod && !angle) {
        out.push_back({Mistake::SumZero, 0.0});
    }
    if (power) {
        // S = U·I without the conjugate, summed over the branches.
        std::vector<std::pair<int, int>> pairs;
        if (star) {
            for (int k = 0; k < n; ++k) {
                pairs.push_back({UaLoadMod + kBranchStride * k, IaMod + kBranchStride * k});
            }
        } else if (lineBreak) {
            pairs = {{ULineMod, IDirectMod}, {Us1Mod, ISeries1Mod}, {Us2Mod, ISeries2Mod}};
        } else {
            for (int k = 0; k < 3; ++k) {
                pairs.push_back({UabMod + kBranchStride * k, IabMod + kBranchStride * k});
            }
        }
        double re = 0;
        double im = 0;
        for (const auto& [u, i] : pairs) {
            double mod = slot[u];
            double arg = slot[u + kArg];
            PolarMul(mod, arg, slot[i], slot[i + kArg]);
            PolarToRect(mod, arg);
            re += mod;
            im += arg;
        }
        out.push_back({Mistake::NoConjugate, f == PTotal ? re : im});
    }
    if (!angle && (modulusQuantity || power)) {
        const double line = power ? 3.0 : kSqrt3;
        out.push_back({Mistake::LineForPhase, e * line});
        out.push_back({Mistake::LineForPhase, e / line});
        out.push_back({Mistake::Amplitude, e * (power ? 2.0 : kSqrt2)});
    }
    if (angle) {
        out.push_back({Mistake::AngleSign, -e});
        out.push_back({Mistake::DegreesRadians, e * std::numbers::pi / 180.0});
        out.push_back({Mistake::DegreesRadians, e * 180.0 / std::numbers::pi});
    }
    // Phases B and C swapped: the value of the same quantity of the other phase.
    int partner = -1;
    if (starCurrent >= 0) {
        auto phaseAt = [&](int k) { return lineBreak && k >= chain.mode.phase ? k + 1 : k; };
        for (int k = 0; k < n; ++k) {
            const int a = phaseAt(starCurrent), b = phaseAt(k);
            if (a != b && a + b == 3) {  // B and C
                partner = IaMod + kBranchStride * k;
            }
        }
    } else if (deltaLine == 1 || deltaLine == 2) {
        partner = IaLineMod + kBranchStride * (3 - deltaLine);
    } else if ((deltaPhase == 0 || deltaPhase == 2) &&
               !(fault && (chain.mode.phase == 0 || chain.mode.phase == 2))) {
        partner = IabMod + kBranchStride * (2 - deltaPhase);
    }
    if (partner >= 0) {
        out.push_back({Mistake::BCSwapped, InUnit(partner + (angle ? kArg : 0), angle)});
    }
    return out;
}

Mistake ModeMarking::Named(const SheetQuantity& q, double value) const {
    for (const auto& [mistake, candidate] : Candidates(q)) {
        if (std::isfinite(candidate) &&
            Close(value, candidate, ToleranceAt(q, candidate, options), q.key.angle)) {
            return mistake;
        }
    }
    return Mistake::None;
}

}  // namespace

const char* VerdictId(Verdict verdict) {
    switch (verdict) {
        case Verdict::Right:
            return "right";
        case Verdict::Carried:
            return "carried";
        case Verdict::Mistake:
            return "mistake";
        case Verdict::Wrong:
            return "wrong";
        case Verdict::Missing:
            break;
    }
    return "missing";
}

const char* VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Right:
            return "верно";
        case Verdict::Carried:
            return "верно с учётом ошибки выше";
        case Verdict::Mistake:
            return "типичная ошибка";
        case Verdict::Wrong:
            return "неверно";
        case Verdict::Missing:
            break;
    }
    return "нет ответа";
}

Marks MarkAnswers(const AnswerSheet& sheet, const std::vector<AnswerEntry>& answers) {
    const QuizOptions& options = sheet.tolerance;
    Marks marks;
    std::map<std::string, std::vector<std::pair<const SheetQuantity*, std::string>>> texts;
    for (const AnswerEntry& a : answers) {
        const SheetMode* mode = sheet.Mode(a.mode);
        const SheetQuantity* q = mode != nullptr ? FindQuantity(*mode, a.quantity) : nullptr;
        if (q == nullptr) {
            marks.unknown.push_back(a.mode + "," + a.quantity);
            continue;
        }
        auto& list = texts[a.mode];
        std::erase_if(list, [&](const auto& entry) { return entry.first == q; });  // the last one counts
        list.push_back({q, a.text});
    }
    for (const SheetMode& mode : sheet.modes) {
        const std::map<int, Given> given = GivenOf(mode, texts[mode.mode.name]);
        const ModeMarking marking{
            sheet, mode,   sheet.state.modeSlots[mode.mode.slot], {mode.mode.of, sheet.neutral},
            given, options};
        ModeScore score{mode.mode.name, 0, 0, 0};
        for (const SheetQuantity& q : mode.quantities) {
            Mark mark{mode.mode.name, q.quantity,       q.key.label,   q.key.unit, q.key.angle, {},
                      q.key.answer,   Verdict::Missing, Mistake::None, q.section,  {}};
            const auto g = given.find(q.key.field);
            if (g != given.end()) {
                mark.answer = g->second.text;
                mark.hint = g->second.hint;
            }
            if (g != given.end() && g->second.value) {
                const double v = *g->second.value;
                const std::optional<double> carried =
                    Close(v, q.key.answer, q.tolerance, q.key.angle) ? std::nullopt : marking.Carried(q);
                if (Close(v, q.key.answer, q.tolerance, q.key.angle)) {
                    mark.verdict = Verdict::Right;
                } else if (carried && Close(v, *carried, ToleranceAt(q, *carried, options), q.key.angle)) {
                    mark.verdict = Verdict::Carried;
                    mark.expected = *carried;
                } else if ((mark.mistake = marking.Named(q, v)) != Mistake::None) {
                    mark.verdict = Verdict::Mistake;
                } else {
                    mark.verdict = Verdict::Wrong;
                }
            }
            score.right += mark.verdict == Verdict::Right ? 1 : 0;
            score.carried += mark.verdict == Verdict::Carried ? 1 : 0;
            ++score.total;
            marks.answers.push_back(std::move(mark));
        }
        marks.right += score.right;
        marks.carried += score.carried;
        marks.total += score.total;
        marks.modes.push_back(score);
    }
    return marks;
}

}  // namespace vornik
