#include "classset/AnswerKey.h"

#include <array>
#include <charconv>
#include <cmath>

#include "report/NumberText.h"
#include "run/CalculationRun.h"

namespace vornik {

namespace {

constexpr std::array<const char*, 3> kPhases = {"A", "B", "C"};
constexpr std::array<const char*, 3> kLoadPhases = {"AB", "BC", "CA"};

}  // namespace

std::vector<ComputedMode> ComputedModes(const CircuitInput& in) {
    std::vector<ComputedMode> modes = {{"normal", 0, "нормальный режим", {in.star, ModeKind::Normal, 0}}};
    for (int k = 0; k < 3; ++k) {
        // The run's order: each phase fault, then the break of that phase's line wire.
        if (in.Checked(kPhaseFaultTicks[k])) {
            if (in.star) {
                modes.push_back({std::string("short-") + kPhases[k],
                                 2 * k + 1,
                                 std::string("короткое замыкание фазы ") + kPhases[k],
                                 {true, ModeKind::PhaseFault, k}});
            } else {
                modes.push_back({std::string("open-") + kLoadPhases[k],
                                 k + 1,
                                 std::string("обрыв фазы нагрузки ") + kLoadPhases[k],
                                 {false, ModeKind::PhaseFault, k}});
            }
        }
        if (in.Checked(kLineBreakTicks[k])) {
            modes.push_back({std::string("break-") + kPhases[k],
                             in.star ? 2 * k + 2 : k + 4,
                             std::string("обрыв линейного провода ") + kPhases[k],
                             {in.star, ModeKind::LineBreak, k}});
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
        const std::vector<int> chosen =
            fields ? *fields : DefaultKeyFields(mode.of, task.input.Checked(kNeutralWire));
        for (const int field : chosen) {
            const QuantityName name = FieldQuantity(field, mode.of);
            KeyRow row;
            row.mode = mode.name;
            row.field = field;
            row.label = name.label;
            row.unit = name.unit;
            row.angle = name.angle;
            row.value = slot[field];
            const int exponent = run.state.precision[ShownSetting(field, task.input.star, mode.name)];
            row.shownStep = PowerOfTen(exponent);
            row.decimals = exponent < 0 ? -exponent : 0;
            row.shown = row.angle ? AngleText(row.value, exponent) : NumberText(row.value, exponent);
            row.answer = row.angle ? HalfOpenDegrees(static_cast<double>(RadToDeg(row.value))) : row.value;
            run.key.push_back(std::move(row));
        }
    }
    return run;
}

double HalfOpenDegrees(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d > 180.0) {
        d -= 360.0;
    } else if (d <= -180.0) {
        d += 360.0;
    }
    return d;
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
