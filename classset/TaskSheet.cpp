#include "classset/TaskSheet.h"

#include <array>

#include "classset/Plural.h"

namespace vornik {

std::vector<std::string> TaskSheetLines(const std::string& fileStem, const Variant& variant) {
    const CircuitInput& in = variant.task.input;
    auto text = [&](Param p) { return in.Text(p); };
    std::vector<std::string> lines;
    std::string heading = "Вариант: " + fileStem;
    if (!variant.task.title.empty()) {
        heading += ". " + variant.task.title;
    }
    lines.push_back(heading);

    static constexpr std::array<Param, 3> kMagnitudes = {Param::ComboBox1, Param::ComboBox2,
                                                         Param::ComboBox3};
    static constexpr std::array<Param, 3> kAngles = {Param::Edit1, Param::Edit2, Param::Edit3};
    static constexpr std::array<Param, 3> kR = {Param::Edit4, Param::Edit6, Param::Edit8};
    static constexpr std::array<Param, 3> kX = {Param::Edit5, Param::Edit7, Param::Edit9};
    static constexpr std::array<Param, 3> kShunts = {Param::Edit11, Param::Edit12, Param::Edit13};
    static constexpr std::array<const char*, 3> kStar = {"a", "b", "c"};
    static constexpr std::array<const char*, 3> kDelta = {"ab", "bc", "ca"};
    const auto& labels = in.star ? kStar : kDelta;

    if (in.star) {
        lines.push_back(in.Checked(kNeutralWire)
                            ? "Соединение нагрузки: звезда с нулевым проводом, R0 = " + text(Param::Edit10) +
                                  " Ом"
                            : std::string("Соединение нагрузки: звезда без нулевого провода"));
    } else {
        lines.push_back("Соединение нагрузки: треугольник");
    }
    std::string voltages = in.star ? "Фазные напряжения источника:" : "Линейные напряжения источника:";
    std::string loads = "Сопротивления фаз нагрузки:";
    for (int k = 0; k < 3; ++k) {
        voltages += std::string(k == 0 ? " " : "; ") + "U" + labels[k] + " = " + text(kMagnitudes[k]) +
                    " В, угол " + text(kAngles[k]) + "°";
        loads += std::string(k == 0 ? " " : "; ") + "R" + labels[k] + " = " + text(kR[k]) + " Ом, X" +
                 labels[k] + " = " + text(kX[k]) + " Ом";
    }
    lines.push_back(voltages);
    lines.push_back(loads);

    std::string modes = "Рассчитать: нормальный режим";
    for (const ComputedMode& mode : ComputedModes(in)) {
        if (mode.of.kind == ModeKind::Normal) {
            continue;
        }
        modes += "; " + mode.caption;
        if (mode.of.star && mode.of.kind == ModeKind::PhaseFault) {
            modes += " (сопротивление шунта " + text(kShunts[mode.of.phase]) + " Ом)";
        }
    }
    lines.push_back(modes + ".");
    return lines;
}

std::vector<std::string> TaskSheetQuantities(const VariantRun& run) {
    std::vector<std::string> lines = {
        "Найти (в скобках — единица и число знаков после запятой, как в решении):"};
    for (const ComputedMode& mode : run.modes) {
        std::string line;
        for (const KeyRow& row : run.key) {
            if (row.mode == mode.name) {
                line += (line.empty() ? mode.caption + ": " : "; ") + row.label + " (" + row.unit + ", " +
                        Counted(row.decimals, "знак", "знака", "знаков") + ")";
            }
        }
        if (!line.empty()) {
            lines.push_back(line + ".");
        }
    }
    return lines;
}

}  // namespace vornik
