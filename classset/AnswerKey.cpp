#include "classset/AnswerKey.h"

#include <array>
#include <charconv>
#include <cmath>

#include "report/NumberText.h"
#include "run/CalculationRun.h"
#include "solver/Modes.h"

namespace vornik {

std::vector<ComputedMode> ComputedModes(const CircuitInput& in) {
    std::vector<ComputedMode> modes;
    // The run's order: the normal mode, then each phase fault and the break of that phase's wire.
    for (const ModeSpec& m : ModesOf(in.star)) {
        if (ComputedBy(m, in)) {
            modes.push_back({m.name, m.slot, m.caption, m.Of()});
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
    const ModeSpec* named = ModeNamed(star, mode);
    const bool deltaLineBreak = !star && named != nullptr && named->kind == ModeKind::LineBreak;
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
