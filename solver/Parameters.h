#pragma once
// What the calculation reads from the parameter form: the texts of its fields, its ticks and
// the chosen connection, copied into one CircuitInput value when the run starts. The run reads
// only that value; the texts stay texts until the step that parses them.

#include <array>
#include <string>

#include "solver/SolutionRecord.h"

namespace vornik {

// Text fields of the parameter form, under their control names.
enum class Param : int {
    ComboBox1,
    ComboBox2,
    ComboBox3,
    Edit1,
    Edit2,
    Edit3,
    Edit4,
    Edit5,
    Edit6,
    Edit7,
    Edit8,
    Edit9,
    Edit10,
    Edit11,
    Edit12,
    Edit13,
    kCount
};
inline constexpr int kParamCount = static_cast<int>(Param::kCount);

// Check boxes of the parameter form, under their control names.
enum class Tick : int { CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, kCount };
inline constexpr int kCheckBoxCount = static_cast<int>(Tick::kCount);

// What the ticks mean. Phases (or load phases) in the order A, B, C (AB, BC, CA).
inline constexpr Tick kNeutralWire = Tick::CheckBox1;
// Star: short circuit of the phase; delta: break of the load phase in the same position.
inline constexpr std::array<Tick, 3> kPhaseFaultTicks = {Tick::CheckBox2, Tick::CheckBox3, Tick::CheckBox4};
// Break of the line wire, in both connections.
inline constexpr std::array<Tick, 3> kLineBreakTicks = {Tick::CheckBox5, Tick::CheckBox6, Tick::CheckBox7};

// The form's initial texts, in Param order.
inline constexpr std::array<const char*, kParamCount> kInitialTexts = {
    "380", "380", "380", "0", "-120", "120", "0", "0", "0", "0", "0", "0", "1", "0,01", "0,01", "0,01"};

// The connection, the sixteen texts and the seven ticks of one run.
struct CircuitInput {
    bool star = true;  // RadioButton1 ("ЗВЕЗДА") selected; otherwise delta
    std::array<std::string, kParamCount> texts = InitialTexts();
    std::array<bool, kCheckBoxCount> ticks{};

    const std::string& Text(Param field) const { return texts[static_cast<int>(field)]; }
    std::string& operator[](Param field) { return texts[static_cast<int>(field)]; }
    bool Checked(Tick box) const { return ticks[static_cast<int>(box)]; }
    void SetChecked(Tick box, bool on) { ticks[static_cast<int>(box)] = on; }
    // box is 1..7, the number in the control's name.
    bool Checked(int box) const { return ticks.at(box - 1); }
    void SetChecked(int box, bool on) { ticks.at(box - 1) = on; }
    bool Star() const { return star; }

    static std::array<std::string, kParamCount> InitialTexts() {
        std::array<std::string, kParamCount> out;
        for (int k = 0; k < kParamCount; ++k) {
            out[k] = kInitialTexts[k];
        }
        return out;
    }
};

// The name the command line and the tests have always used for a set of parameter texts.
using ParameterValues = CircuitInput;

// Texts of the twenty precision combo boxes (index 0..19).
class PrecisionTexts {
  public:
    virtual ~PrecisionTexts() = default;
    virtual std::string Text(int index) const = 0;
};

// A plain set of precision texts, initialised to the precision form's initial texts.
struct PrecisionValues : PrecisionTexts {
    std::array<std::string, kPrecisionCount> texts;
    PrecisionValues() {
        for (int k = 0; k < kPrecisionCount; ++k) {
            texts[k] = kDefaultPrecisionTexts[k];
        }
    }
    std::string Text(int index) const override { return texts.at(index); }
};

}  // namespace vornik
