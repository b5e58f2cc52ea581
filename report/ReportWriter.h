#pragma once
// Shared machinery of the report writers: reading fields of the live record and writing them
// with the precision setting of their kind.

#include <string>

#include "report/NumberText.h"
#include "report/ResultsDocument.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

inline constexpr const char* kDQ = "\"";
inline constexpr const char* kBQ = "`";

class ReportWriter {
  public:
    ReportWriter(const CalcState& state, const CircuitInput& input, ResultsDocument& doc)
        : state_(state), input_(input), doc_(doc) {}

    // A field of the live record (or of ModeSlot 0) written with a precision setting.
    std::string Num(int field, PrecisionIndex setting) const {
        return NumberText(state_.live[field], state_.precision[setting]);
    }
    std::string Slot0Num(int field, PrecisionIndex setting) const {
        return NumberText(state_.modeSlots[0][field], state_.precision[setting]);
    }
    // An angle field (radians) written in degrees.
    std::string Ang(int field, PrecisionIndex setting) const {
        return AngleText(state_.live[field], state_.precision[setting]);
    }
    // Exponential form "m ej a" of a modulus/angle field pair.
    std::string Exp(int modField, PrecisionIndex modSet, PrecisionIndex angSet) const {
        return Num(modField, modSet) + " e" + "j " + Ang(modField + 1, angSet);
    }
    // Algebraic form "re+j im" of a real/imaginary field pair.
    std::string Alg(int reField, PrecisionIndex reSet, PrecisionIndex imSet) const {
        return Num(reField, reSet) + "+j " + Num(reField + 1, imSet);
    }

    std::string Text(Param field) const { return input_.Text(field); }
    bool Neutral() const { return input_.Checked(kNeutralWire); }

    void Line(const std::string& text) { doc_.AppendLine(text); }
    void Empty() { doc_.AppendLine(std::string()); }
    void Clear() { doc_.Clear(); }

  private:
    const CalcState& state_;
    const CircuitInput& input_;
    ResultsDocument& doc_;
};

}  // namespace vornik
