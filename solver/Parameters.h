#pragma once
// What the calculation reads from the parameter form: the texts of its fields, its ticks and
// the chosen connection. The GUI reads its controls; the command line and tests use
// ParameterValues.

#include <array>
#include <string>

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
inline constexpr int kCheckBoxCount = 7;  // CheckBox1 .. CheckBox7

class ParameterFields {
  public:
    virtual ~ParameterFields() = default;
    virtual std::string Text(Param field) const = 0;
    // box is 1..7 (CheckBox1 is the neutral wire).
    virtual bool Checked(int box) const = 0;
    // RadioButton1 ("ЗВЕЗДА") selected; otherwise delta.
    virtual bool Star() const = 0;
};

// A plain set of parameter texts, initialised to the form's initial texts.
struct ParameterValues : ParameterFields {
    std::array<std::string, kParamCount> texts = {"380", "380", "380", "0", "-120", "120",  "0",    "0",
                                                  "0",   "0",   "0",   "0", "1",    "0,01", "0,01", "0,01"};
    std::array<bool, kCheckBoxCount> checks{};
    bool star = true;

    std::string Text(Param field) const override { return texts[static_cast<int>(field)]; }
    bool Checked(int box) const override { return checks.at(box - 1); }
    bool Star() const override { return star; }

    std::string& operator[](Param field) { return texts[static_cast<int>(field)]; }
    void SetChecked(int box, bool on) { checks.at(box - 1) = on; }
};

// Texts of the twenty precision combo boxes (index 0..19).
class PrecisionTexts {
  public:
    virtual ~PrecisionTexts() = default;
    virtual std::string Text(int index) const = 0;
};

}  // namespace vornik
