#include "report/StarReport.h"

#include <vector>

#include "report/ReportSections.h"
#include "report/ReportWriter.h"

namespace vornik {

namespace {

// "<first>L1<sep>..." for every phase: the sums and lists of the formulas.
template <typename F>
std::string Join(const std::vector<ReportPhase>& phases, const std::string& sep, F piece) {
    std::string out;
    for (size_t k = 0; k < phases.size(); ++k) {
        if (k > 0) {
            out += sep;
        }
        out += piece(phases[k].label);
    }
    return out;
}

// Sections 1 (impedances) to 7 of a star report; the phases occupy the record positions a, b(, c).
void WriteStarBody(ReportWriter& w, const std::vector<ReportPhase>& phases) {
    const int n = static_cast<int>(phases.size());

    w.Empty();
    for (int k = 0; k < n; ++k) {
        const ReportPhase& p = phases[k];
        w.Line("Z" + p.label + "= " + p.r + "+j " + p.x + " = " + w.Exp(ZaMod + 4 * k, ZMag, ZAng) + " (Om)");
    }

    w.Empty();
    w.Line("2. Проводимость фаз:");
    w.Empty();
    for (int k = 0; k < n; ++k) {
        const std::string& l = phases[k].label;
        w.Line("Y" + l + "=1/Z" + l + "= 1/" + w.Exp(ZaMod + 4 * k, ZMag, ZAng) + " = " +
               w.Exp(YaMod + 4 * k, YMag, YAng) + " = " + w.Alg(YaRe + 4 * k, YRe, YIm) + " (Sm)");
    }

    const std::string products = Join(phases, "+", [](const std::string& l) { return "U" + l + "*Y" + l; });
    const std::string admittances = Join(phases, "+", [](const std::string& l) { return "Y" + l; });
    const std::string u0Value =
        w.Exp(U0Mod, UMag, UAng) + " = " + w.Num(U0Re, URe) + "+j " + w.Num(U0Im, UIm) + " (V)";
    if (w.Neutral()) {
        w.Line("Y0=1/Z0= 1/" + w.Num(R0, YRe) + " = " + w.Num(Y0, YRe) + " (Sm)");
        w.Empty();
        w.Line("3. Напряжение Смещения нейтрали при наличии нулевого провода:");
        w.Empty();
        w.Line("U0=(" + products + ")/(" + admittances + "+Y0)= " + u0Value);
    } else {
        w.Empty();
        w.Line("3. Напряжение Смещения нейтрали при отсутствии нулевого провода:");
        w.Empty();
        w.Line("U0=(" + products + ")/(" + admittances + ")= " + u0Value);
    }

    w.Empty();
    w.Line("4. Напряжение на фазах потребителя:");
    w.Empty();
    for (int k = 0; k < n; ++k) {
        const std::string& l = phases[k].label;
        w.Line("U" + l + kBQ + " =U" + l + "-U0= " + w.Alg(UaLoadRe + 4 * k, URe, UIm) + " = " +
               w.Exp(UaLoadMod + 4 * k, UMag, UAng) + " (V)");
    }

    w.Empty();
    w.Line("5. Токи фазные(равные линейным токам при соед. потреб. звездой):");
    w.Empty();
    for (int k = 0; k < n; ++k) {
        const std::string& l = phases[k].label;
        w.Line("I" + l + "=U" + l + "*Y" + l + "= " + w.Exp(IaMod + 4 * k, IMag, IAng) + " = " +
               w.Alg(IaRe + 4 * k, IRe, IIm) + " (A)");
    }

    if (w.Neutral()) {
        w.Empty();
        w.Line("Ток в нулевом проводе по первому закону Кирхгофа:");
        w.Empty();
        w.Line("I0=" + Join(phases, "+", [](const std::string& l) { return "I" + l; }) + "= " +
               w.Alg(I0Re, IRe, IIm) + " = " + w.Exp(I0Mod, IMag, IAng) + " (A)");
        w.Empty();
        w.Line("По другой формуле ток в нулевом проводе:");
        w.Empty();
        w.Line("I0=U0*Y0= " + w.Exp(I0ViaU0Mod, IMag, IAng) + " (A)");
        w.Empty();
        w.Line("Из вычислений видно что ток в нулевом проводе определён правильно.");
    }

    w.Empty();
    w.Line("6. Мощность фаз:");
    w.Empty();
    std::vector<std::string> labels;
    for (int k = 0; k < n; ++k) {
        WritePhasePower(w, phases[k].label, SaMod + 4 * k, kBQ);
        labels.push_back(phases[k].label);
    }
    WriteTotalPower(w, labels, "Баланс мощностей сходится значит задача решена верно!");
}

}  // namespace

void WriteStarReport(const CalcState& state, const CircuitInput& input, ResultsDocument& doc,
                     const std::string& faultPhase, const std::array<ReportPhase, 3>& phases,
                     bool shortCircuit) {
    ReportWriter w(state, input, doc);
    if (!shortCircuit) {
        WriteSourceVoltages(w, {"Ua= ", "Ub= ", "Uc= "});
    } else {
        w.Line("РАБОТА В АВАРИЙНОМ РЕЖИМЕ");
        w.Line(std::string("При коротком замыкании фазы ") + kDQ + faultPhase + kDQ + " " +
               "линейный провод этой фазы подводиться непосредственно к нулевой точке нагрузки.");
        w.Empty();
        w.Line(
            "1. Представим сопротивление в комплексном виде в алгебраической и показательной формах записи");
    }
    WriteStarBody(w, {phases.begin(), phases.end()});
}

void WriteStarBreakReport(const CalcState& state, const CircuitInput& input, ResultsDocument& doc,
                          const std::string& brokenLine, const std::array<ReportPhase, 2>& phases) {
    ReportWriter w(state, input, doc);
    w.Line("РАБОТА В АВАРИЙНОМ РЕЖИМЕ");
    w.Line(std::string("При обрыве линейного провода фазы ") + kDQ + brokenLine + kDQ + " " +
           "она переходит в высокоэмпедансное состояние");
    w.Empty();
    w.Line("1. Представим сопротивление в комплексном виде в алгебраической и показательной формах записи");
    WriteStarBody(w, {phases.begin(), phases.end()});
}

}  // namespace vornik
