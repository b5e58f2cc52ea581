#include "report/DeltaReport.h"

#include "report/ReportSections.h"
#include "report/ReportWriter.h"

namespace vornik {

namespace {

// The delta emergency writers read no parameter-form field.
const CircuitInput kNoInput{};

// A current line "<name>= m ej a = re+j im (A)" from four fields.
std::string CurrentExpFirst(const ReportWriter& w, int base) {
    return w.Exp(base, IMag, IAng) + " = " + w.Alg(base + kRe, IRe, IIm) + " (A)";
}
std::string CurrentAlgFirst(const ReportWriter& w, int base) {
    return w.Alg(base + kRe, IRe, IIm) + " = " + w.Exp(base, IMag, IAng) + " (A)";
}

}  // namespace

void WriteDeltaReport(const CalcState& state, const CircuitInput& input, ResultsDocument& doc,
                      const std::array<ReportPhase, 3>& branches) {
    ReportWriter w(state, input, doc);
    const std::string l[3] = {branches[0].label, branches[1].label, branches[2].label};

    WriteSourceVoltages(w, {"Uab= ", "Ubc= ", "Uca= "});
    w.Empty();
    for (int k = 0; k < 3; ++k) {
        w.Line("Z" + l[k] + "= " + branches[k].r + "+j " + branches[k].x + " = " +
               w.Exp(ZabMod + kBranchStride * k, ZMag, ZAng) + " (Om)");
    }
    w.Empty();
    w.Line("2. Фазные токи:");
    w.Empty();
    for (int k = 0; k < 3; ++k) {
        w.Line("I" + l[k] + "=U" + l[k] + "/R" + l[k] + "= " +
               CurrentExpFirst(w, IabMod + kBranchStride * k));
    }
    w.Empty();
    w.Line("3. Линейные токи:");
    w.Empty();
    w.Line("Ia=I" + l[0] + "-I" + l[2] + "= " + CurrentAlgFirst(w, IaLineMod));
    w.Line("Ib=I" + l[1] + "-I" + l[0] + "= " + CurrentAlgFirst(w, IbLineMod));
    w.Line("Ic=I" + l[2] + "-I" + l[1] + "= " + CurrentAlgFirst(w, IcLineMod));
    w.Empty();
    w.Line("4. Мощность фаз:");
    w.Empty();
    for (int k = 0; k < 3; ++k) {
        WritePhasePower(w, l[k], SabMod + kBranchStride * k, "");
    }
    WriteTotalPower(w, {l[0], l[1], l[2]}, "Баланс мощностей сходится значит задача решина верно!");
}

void WriteDeltaPhaseBreakReport(const CalcState& state, ResultsDocument& doc, const std::string& broken,
                                const std::string& other1, const std::string& other2, int variant) {
    ReportWriter w(state, kNoInput, doc);
    w.Empty();
    w.Line("АВАРИЙНЫЙ РЕЖИМ РАБОТЫ");
    w.Empty();
    w.Line(std::string("При обрыве фазы ") + kDQ + broken + kDQ +
           " сопротивление её равно бесконечности, следовательно, ток в ней равен нулю. Токи в фазах " + kDQ +
           other1 + kDQ + " и " + kDQ + other2 + kDQ + " остаются такими же как до обрыва фазы " + kDQ +
           broken + kDQ +
           " вследствии того, что линейные, а, следовательно, и фазные напряжения не изменяются:");
    w.Empty();
    w.Line("Фазные токи:");
    w.Empty();
    const std::string iab = "Iab=Uab/Rab= " + CurrentExpFirst(w, IabMod);
    const std::string ibc = "Ibc=Ubc/Rbc= " + CurrentExpFirst(w, IbcMod);
    const std::string ica = "Ica=Uca/Rca= " + CurrentExpFirst(w, IcaMod);
    if (variant == 1) {
        w.Line(ibc);
        w.Line(ica);
    } else if (variant == 2) {
        w.Line(iab);
        w.Line(ica);
    } else if (variant == 3) {
        w.Line(iab);
        w.Line(ibc);
    }
    w.Empty();
    w.Line("Линейные токи:");
    w.Empty();
    w.Line("Ia=Iab-Ica = " + CurrentAlgFirst(w, IaLineMod));
    w.Line("Ib=Ibc-Iab = " + CurrentAlgFirst(w, IbLineMod));
    w.Line("Ic=Ica-Ibc = " + CurrentAlgFirst(w, IcLineMod));
}

void WriteDeltaLineBreakReport(const CalcState& state, ResultsDocument& doc, const std::string& wire,
                               const std::string& pair, const std::string& direct, const std::string& series1,
                               const std::string& series2) {
    ReportWriter w(state, kNoInput, doc);
    const std::string uValue = w.Exp(ULineMod, UMag, UAng) + " = " + w.Alg(ULineMod + kRe, URe, UIm) + " (B)";

    w.Empty();
    w.Line("АВАРИЙНЫЙ РЕЖИМ РАБОТЫ");
    w.Empty();
    w.Line(std::string("При обрыве линейного провода ") + kDQ + wire + kDQ + " для схемы " + kDQ +
           "треугольник" + kDQ + " трёх фазная цепь вырождается в двух фазную.");
    w.Empty();
    w.Line("1. Напряжение цепи в комплексном виде в алгебраической и показательной формах записи");
    w.Empty();
    w.Line("U" + direct + "= " + uValue);
    w.Empty();
    w.Line("2. Эквивалентное сопротивление ветви R" + pair +
           " в комплексном виде в алгебраической и показательной формах записи:");
    w.Empty();
    w.Line("Z" + pair + "= Z" + series1 + "+Z" + series2 + " = " + w.Num(SeriesR, ZRe) + " +j " +
           w.Num(SeriesX, ZIm) + " = " + w.Num(SeriesZMod, ZMag) + " e" + "j " + w.Ang(SeriesZArg, ZAng) +
           " (Om)");
    w.Empty();
    w.Line("3. Фазные токи:");
    w.Empty();
    w.Line("I" + direct + "=U" + direct + "/Z" + direct + "= " + CurrentExpFirst(w, IDirectMod));
    w.Line("I" + series1 + "=I" + series2 + "=U" + direct + "/Z" + pair + "= " +
           CurrentExpFirst(w, ISeries1Mod));
    w.Empty();
    w.Line("4. Напряжение в каждой фазе:");
    w.Empty();
    w.Line("U" + direct + "=" + uValue);
    w.Line("U" + series1 + "=" + w.Exp(Us1Mod, UMag, UAng) + " = " + w.Alg(Us1Mod + kRe, URe, UIm) + " (B)");
    w.Line("U" + series2 + "=" + w.Exp(Us2Mod, UMag, UAng) + " = " + w.Alg(Us2Mod + kRe, URe, UIm) + " (B)");
    w.Empty();
    w.Line("4. Мощность фаз:");
    w.Empty();
    const std::string l[3] = {direct, series1, series2};
    for (int k = 0; k < 3; ++k) {
        WritePhasePower(w, l[k], SDirectMod + kBranchStride * k, "");
    }
    WriteTotalPower(w, {l[0], l[1], l[2]}, "Баланс мощностей сходится значит задача решена верно!");
}

}  // namespace vornik
