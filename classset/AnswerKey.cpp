#include "classset/AnswerKey.h"

#include <array>
#include <charconv>

#include "classset/RecordFieldNames.h"
#include "report/NumberText.h"
#include "run/CalculationRun.h"

namespace vornik {

namespace {

constexpr std::array<const char*, 3> kPhases = {"A", "B", "C"};
constexpr std::array<const char*, 3> kLoadPhases = {"AB", "BC", "CA"};
constexpr std::array<const char*, 3> kLower = {"a", "b", "c"};
constexpr std::array<const char*, 3> kLowerPairs = {"ab", "bc", "ca"};

// A quantity of the default key: a modulus (with its angle after it) or a real value.
struct Quantity {
    int field;
    std::string label;
    std::string unit;
    bool complex;
};

std::vector<Quantity> DefaultQuantities(const CircuitInput& input, const std::string& mode) {
    std::vector<Quantity> q;
    const bool lineBreak = mode.starts_with("break-");
    const int faulted = mode.back() == 'A' ? 0 : mode.back() == 'B' ? 1 : 2;  // for break-X and short-X
    if (input.star) {
        // A broken wire leaves two phases, in the record positions of phases 1 and 2.
        int position = 0;
        for (int k = 0; k < 3; ++k) {
            if (lineBreak && k == faulted) {
                continue;
            }
            q.push_back({IaMod + kBranchStride * position++, std::string("I") + kLower[k], "A", true});
        }
        if (input.Checked(kNeutralWire)) {
            q.push_back({I0Mod, "I0", "A", true});
        }
        q.push_back({U0Mod, "U0", "V", true});
    } else if (lineBreak) {
        // The directly fed phase is the one between the intact wires; the other two are in series.
        const int direct = (faulted + 1) % 3;
        const int s1 = (faulted + 2) % 3;
        const int s2 = faulted;
        q.push_back({IDirectMod, std::string("I") + kLowerPairs[direct], "A", true});
        q.push_back({ISeries1Mod, std::string("I") + kLowerPairs[s1] + "=I" + kLowerPairs[s2], "A", true});
    } else {
        const bool open = mode.starts_with("open-");
        const int broken = !open ? -1 : mode.ends_with("AB") ? 0 : mode.ends_with("BC") ? 1 : 2;
        for (int k = 0; k < 3; ++k) {
            if (k != broken) {
                q.push_back({IabMod + kBranchStride * k, std::string("I") + kLowerPairs[k], "A", true});
            }
        }
        for (int k = 0; k < 3; ++k) {
            q.push_back({IaLineMod + kBranchStride * k, std::string("I") + kLower[k], "A", true});
        }
        if (open) {
            return q;  // the worked solution of a broken load phase gives no powers
        }
    }
    q.push_back({PTotal, "P", "Vt", false});
    q.push_back({QTotal, "Q", "Var", false});
    return q;
}

bool IsAngleSetting(PrecisionIndex setting) {
    return setting == UAng || setting == ZAng || setting == YAng || setting == IAng || setting == SAng;
}

KeyRow MakeRow(const CalcState& state, const std::string& mode, bool star, int field, std::string label,
               std::string unit) {
    KeyRow row;
    row.mode = mode;
    row.field = field;
    row.label = std::move(label);
    row.value = state.modeSlots[0][field];
    const PrecisionIndex setting = ShownSetting(field, star, mode);
    row.angle = IsAngleSetting(setting);
    row.unit = row.angle ? "°" : std::move(unit);
    const int exponent = state.precision[setting];
    row.shownStep = PowerOfTen(exponent);
    return row;
}

}  // namespace

std::vector<ComputedMode> ComputedModes(const CircuitInput& in) {
    std::vector<ComputedMode> modes = {{"normal", 0, "нормальный режим"}};
    for (int k = 0; k < 3; ++k) {
        // The run's order: each phase fault, then the break of that phase's line wire.
        if (in.Checked(kPhaseFaultTicks[k])) {
            if (in.star) {
                modes.push_back({std::string("short-") + kPhases[k], 2 * k + 1,
                                 std::string("короткое замыкание фазы ") + kPhases[k]});
            } else {
                modes.push_back({std::string("open-") + kLoadPhases[k], k + 1,
                                 std::string("обрыв фазы нагрузки ") + kLoadPhases[k]});
            }
        }
        if (in.Checked(kLineBreakTicks[k])) {
            modes.push_back({std::string("break-") + kPhases[k], in.star ? 2 * k + 2 : k + 4,
                             std::string("обрыв линейного провода ") + kPhases[k]});
        }
    }
    return modes;
}

PrecisionIndex ShownSetting(int field, bool star, const std::string& mode) {
    static constexpr std::array<PrecisionIndex, 4> kU = {UMag, UAng, URe, UIm};
    static constexpr std::array<PrecisionIndex, 4> kZ = {ZRe, ZIm, ZMag, ZAng};
    static constexpr std::array<PrecisionIndex, 4> kY = {YMag, YAng, YRe, YIm};
    static constexpr std::array<PrecisionIndex, 4> kI = {IMag, IAng, IRe, IIm};
    static constexpr std::array<PrecisionIndex, 4> kS = {SMag, SAng, SRe, SIm};
    const bool deltaLineBreak = !star && mode.starts_with("break-");
    if (field < Ra) {
        return kU[field % 4];
    }
    if (field < R0) {
        return kZ[(field - Ra) % 4];
    }
    if (field == R0) {
        return YRe;  // the report writes R0 with the admittance's setting
    }
    if (field < Y0) {
        return star ? kY[(field - YaMod) % 4] : kI[(field - YaMod) % 4];  // delta: phase currents
    }
    if (deltaLineBreak && field >= SeriesR && field <= SeriesZArg) {
        return kZ[field - SeriesR];  // the series impedance: R, X, modulus, angle
    }
    if (field == Y0) {
        return YRe;
    }
    if (field < UaLoadMod) {
        return kU[(field - U0Mod) % 4];
    }
    if (field < IaMod) {
        return star ? kU[(field - UaLoadMod) % 4] : kI[(field - UaLoadMod) % 4];  // delta: line currents
    }
    if (field < I0ViaU0Mod) {
        // A delta line break keeps the voltages of the series pair and the line voltage here.
        return deltaLineBreak && field < I0Mod ? kU[(field - IaMod) % 4] : kI[(field - IaMod) % 4];
    }
    if (field < SaMod) {
        return field == I0ViaU0Mod ? IMag : IAng;
    }
    if (field < PTotal) {
        return kS[(field - SaMod) % 4];
    }
    return field == PTotal || field == PBalance ? SRe : SIm;
}

VariantRun RunVariant(const TaskValues& task, const std::optional<std::vector<int>>& fields) {
    VariantRun run;
    LinesDocument doc;
    CapturedMessages messages;
    const RunOutcome outcome = N5Click({run.state, task.input, task.precision, doc, messages});
    run.completed = outcome.completed;
    if (!outcome.completed) {
        run.message = outcome.message;
    }
    run.report = std::move(doc.lines);
    if (!run.completed) {
        return run;
    }
    run.modes = ComputedModes(task.input);
    for (const ComputedMode& mode : run.modes) {
        const SolutionRecord& slot = run.state.modeSlots[mode.slot];
        auto add = [&](int field, const std::string& label, const std::string& unit) {
            KeyRow row = MakeRow(run.state, mode.name, task.input.star, field, label, unit);
            row.value = slot[field];
            const int exponent = run.state.precision[ShownSetting(field, task.input.star, mode.name)];
            row.shown = row.angle ? AngleText(row.value, exponent) : NumberText(row.value, exponent);
            row.answer = row.angle ? static_cast<double>(RadToDeg(row.value)) : row.value;
            run.key.push_back(std::move(row));
        };
        if (fields) {
            for (const int field : *fields) {
                add(field, std::string(kFieldNames[field]), "");
            }
            continue;
        }
        for (const Quantity& q : DefaultQuantities(task.input, mode.name)) {
            add(q.field, q.label, q.unit);
            if (q.complex) {
                add(q.field + kArg, q.label, q.unit);
            }
        }
    }
    return run;
}

bool VariantRuns(const TaskValues& task) {
    CalcState state;
    LinesDocument doc;
    CapturedMessages messages;
    return N5Click({state, task.input, task.precision, doc, messages}).completed;
}

std::string ExactText(double value) {
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17).ptr;
    std::string text(buf, end);
    for (char& c : text) {
        c = c == '.' ? ',' : c;
    }
    return text;
}

}  // namespace vornik
