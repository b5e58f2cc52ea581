#include "report/TitleBlock.h"

#include "solver/Modes.h"

namespace vornik {

namespace {

constexpr const char* kPhases[] = {"A", "B", "C"};

std::string Join(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts) {
        out += (out.empty() ? "" : ", ") + p;
    }
    return out;
}

}  // namespace

std::vector<std::string> TitleBlockLines(const CircuitInput& in, const std::string& taskTitle,
                                         const std::string& date) {
    const bool star = in.Star();
    std::vector<std::string> lines;
    lines.push_back(taskTitle.empty() ? kDefaultDocumentHeading : taskTitle);
    lines.push_back(
        std::string("Соединение нагрузки: ") + (star ? "ЗВЕЗДА" : "ТРЕУГОЛЬНИК") +
        (star ? (in.Checked(kNeutralWire) ? ", с нулевым проводом" : ", без нулевого провода") : ""));
    const char* const voltages[] = {star ? "Ua" : "Uab", star ? "Ub" : "Ubc", star ? "Uc" : "Uca"};
    const char* const branches[] = {star ? "a" : "ab", star ? "b" : "bc", star ? "c" : "ca"};
    const Param moduli[] = {Param::ComboBox1, Param::ComboBox2, Param::ComboBox3};
    const Param angles[] = {Param::Edit1, Param::Edit2, Param::Edit3};
    const Param resistances[] = {Param::Edit4, Param::Edit6, Param::Edit8};
    const Param reactances[] = {Param::Edit5, Param::Edit7, Param::Edit9};
    const Param shunts[] = {Param::Edit11, Param::Edit12, Param::Edit13};
    std::vector<std::string> parts;
    for (int k = 0; k < 3; ++k) {
        parts.push_back(std::string(voltages[k]) + " = " + in.Text(moduli[k]) + " В, угол " +
                        in.Text(angles[k]) + "°");
    }
    lines.push_back((star ? "Фазные напряжения: " : "Линейные напряжения: ") + Join(parts));
    parts.clear();
    for (int k = 0; k < 3; ++k) {
        parts.push_back(std::string("R") + branches[k] + " = " + in.Text(resistances[k]) + " Ом, X" +
                        branches[k] + " = " + in.Text(reactances[k]) + " Ом");
    }
    lines.push_back("Сопротивления нагрузки: " + Join(parts));
    if (star) {
        lines.push_back("Сопротивление нулевого провода: R0 = " + in.Text(Param::Edit10) + " Ом");
        parts.clear();
        for (int k = 0; k < 3; ++k) {
            parts.push_back(std::string("фаза ") + kPhases[k] + " " + in.Text(shunts[k]) + " Ом");
        }
        lines.push_back("Сопротивление шунта КЗ: " + Join(parts));
    }
    parts.clear();
    for (int pair = 1; pair < kModeSlotCount; ++pair) {
        const ModeSpec& mode = ModeOfPair(star, pair);
        if (ComputedBy(mode, in)) {
            parts.push_back(mode.titleCaption);
        }
    }
    lines.push_back("Аварийные режимы: " + (parts.empty() ? std::string("нет") : Join(parts)));
    lines.push_back("Дата: " + date);
    return lines;
}

std::vector<std::string> StoredRunTitleBlock(const CalcState& state, const CircuitInput& beforeAnyRun,
                                             const std::string& taskTitle, const std::string& date) {
    return TitleBlockLines(state.stored ? InputOf(*state.stored) : beforeAnyRun, taskTitle, date);
}

std::string DiagramCaption(bool star, int button) {
    return ModeOfPair(star, (button - 1) / 2).titleCaption +
           std::string(button % 2 == 1 ? ": напряжения" : ": токи");
}

std::string DiagramPairPhase(bool star, int pair) {
    return pair < 0 || pair >= kModeSlotCount ? std::string() : ModeOfPair(star, pair).windowPhase;
}

}  // namespace vornik
