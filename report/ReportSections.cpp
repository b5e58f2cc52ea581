#include "report/ReportSections.h"

namespace vornik {

namespace {

// "<letter>L1+<letter>L2..." and "I L1^2*R L1+..." pieces of the formulas.
std::string Sum(const std::vector<std::string>& labels, const std::string& letter) {
    std::string out;
    for (size_t k = 0; k < labels.size(); ++k) {
        out += (k ? "+" : "") + letter + labels[k];
    }
    return out;
}

std::string SquaredSum(const std::vector<std::string>& labels, const std::string& letter) {
    std::string out;
    for (size_t k = 0; k < labels.size(); ++k) {
        out += (k ? "+I" : "I") + labels[k] + "^2*" + letter + labels[k];
    }
    return out;
}

}  // namespace

void WriteSourceVoltages(ReportWriter& w, const std::vector<std::string>& names) {
    const Param mods[3] = {Param::ComboBox1, Param::ComboBox2, Param::ComboBox3};
    const Param angles[3] = {Param::Edit1, Param::Edit2, Param::Edit3};
    w.Clear();
    w.Empty();
    w.Line(
        "1. Представим напряжение и сопротивление в комплексном виде в алгебраической и показательной "
        "формах записи");
    w.Empty();
    for (int k = 0; k < 3; ++k) {
        w.Line(names[k] + w.Text(mods[k]) + "e" + "j" + w.Text(angles[k]) + " = " +
               w.Slot0Num(UaRe + 4 * k, URe) + " +j " + w.Slot0Num(UaIm + 4 * k, UIm) + " (B)");
    }
}

void WritePhasePower(ReportWriter& w, const std::string& l, int s, const std::string& mark) {
    w.Line("S" + l + "=U" + l + mark + "*I" + l + "= " + w.Exp(s, SMag, SAng) + " = " +
           w.Alg(s + 2, SRe, SIm) + " (V*A)");
    w.Line("S" + l + "= " + w.Num(s, SMag) + " (V*A)    " + "P" + l + "= " + w.Num(s + 2, SRe) + " (Vt)    " +
           "Q" + l + "= " + w.Num(s + 3, SIm) + " (Var)");
    w.Empty();
}

void WriteTotalPower(ReportWriter& w, const std::vector<std::string>& labels, const std::string& verdict) {
    w.Line("7. Мощность всей цепи:");
    w.Empty();
    w.Line("S=" + Sum(labels, "S") + "= " + w.Alg(PTotal, SRe, SIm) + " (V*A)");
    w.Line("P= " + w.Num(PTotal, SRe) + " (Vt) " + "Q= " + w.Num(QTotal, SIm) + " (Var)");
    w.Empty();
    w.Line("Эти же мощности определяем по другим формулам:");
    w.Empty();
    w.Line("P=" + Sum(labels, "P") + "=" + SquaredSum(labels, "R") + "=" + w.Num(PBalance, SRe) + " (Vt) ");
    w.Line("Q=" + Sum(labels, "Q") + "=" + SquaredSum(labels, "X") + "=" + w.Num(QBalance, SIm) + " (Var) ");
    w.Empty();
    w.Line(verdict);
    w.Empty();
}

}  // namespace vornik
