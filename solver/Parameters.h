#pragma once
// What the calculation reads from the parameter form: the texts of its fields, its ticks and
// the chosen connection, copied into one CircuitInput value when the run starts. The run reads
// only that value; the texts stay texts until the step that parses them.

#include <array>
#include <string>
#include <utility>

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

// One row of the parameter form's text fields: everything the form, the run, the command line,
// the web page and the tests know of a field.
struct FieldSpec {
    Param field;
    const char* control;       // the control's name on the form (and the web page's element id)
    const char* starMeaning;   // what the text is in the star connection
    const char* deltaMeaning;  // ... and in the delta connection
    const char* option;        // vornik-cli's option
    const char* initial;       // the form's initial text
    int maxLength;             // the most characters the student can type into it
    int readLength;            // the most the program itself writes into it (the assistant's
                               // longest text): what a task file may hold for it
};

// The input assistant writes longer texts than a student can type: the phase voltage is a 32-bit
// integer ("-2147483648") and a reactance has up to 15 significant digits and an exponent
// ("-1,23456789012345E299").
inline constexpr int kAssistantVoltageLength = 11;
inline constexpr int kAssistantReactanceLength = 21;

// The text fields in Param order.
inline constexpr std::array<FieldSpec, kParamCount> kFields = {{
    {Param::ComboBox1, "ComboBox1", "phase voltage A, modulus (V)", "line voltage AB, modulus (V)", "--u1",
     "380", 4, kAssistantVoltageLength},
    {Param::ComboBox2, "ComboBox2", "phase voltage B, modulus (V)", "line voltage BC, modulus (V)", "--u2",
     "380", 4, kAssistantVoltageLength},
    {Param::ComboBox3, "ComboBox3", "phase voltage C, modulus (V)", "line voltage CA, modulus (V)", "--u3",
     "380", 4, kAssistantVoltageLength},
    {Param::Edit1, "Edit1", "phase voltage A, angle (degrees)", "line voltage AB, angle (degrees)", "--a1",
     "0", 4, 4},
    {Param::Edit2, "Edit2", "phase voltage B, angle (degrees)", "line voltage BC, angle (degrees)", "--a2",
     "-120", 4, 4},
    {Param::Edit3, "Edit3", "phase voltage C, angle (degrees)", "line voltage CA, angle (degrees)", "--a3",
     "120", 4, 4},
    {Param::Edit4, "Edit4", "resistance of phase A (Om)", "resistance of branch AB (Om)", "--r1", "0", 4, 4},
    {Param::Edit5, "Edit5", "reactance of phase A (Om)", "reactance of branch AB (Om)", "--x1", "0", 4,
     kAssistantReactanceLength},
    {Param::Edit6, "Edit6", "resistance of phase B (Om)", "resistance of branch BC (Om)", "--r2", "0", 4, 4},
    {Param::Edit7, "Edit7", "reactance of phase B (Om)", "reactance of branch BC (Om)", "--x2", "0", 4,
     kAssistantReactanceLength},
    {Param::Edit8, "Edit8", "resistance of phase C (Om)", "resistance of branch CA (Om)", "--r3", "0", 4, 4},
    {Param::Edit9, "Edit9", "reactance of phase C (Om)", "reactance of branch CA (Om)", "--x3", "0", 4,
     kAssistantReactanceLength},
    {Param::Edit10, "Edit10", "resistance of the neutral wire (Om)", "not used", "--r0", "1", 4, 4},
    {Param::Edit11, "Edit11", "shunt of the short circuit of phase A (Om)", "not used", "--shunt1", "0,01", 5,
     5},
    {Param::Edit12, "Edit12", "shunt of the short circuit of phase B (Om)", "not used", "--shunt2", "0,01", 5,
     5},
    {Param::Edit13, "Edit13", "shunt of the short circuit of phase C (Om)", "not used", "--shunt3", "0,01", 5,
     5},
}};

// One row of the form's check boxes. A tick is set on the command line by its option, followed by
// its value when it has one ("--short A"); the option differs with the connection.
struct TickSpec {
    Tick tick;
    const char* control;
    const char* starMeaning;
    const char* deltaMeaning;
    const char* starOption;
    const char* starValue;  // empty: the option is a flag
    const char* deltaOption;
    const char* deltaValue;
};

// The check boxes in Tick order.
inline constexpr std::array<TickSpec, kCheckBoxCount> kTicks = {{
    {Tick::CheckBox1, "CheckBox1", "neutral wire", "not used", "--neutral", "", "--neutral", ""},
    {Tick::CheckBox2, "CheckBox2", "short circuit of phase A", "break of load phase AB", "--short", "A",
     "--open", "AB"},
    {Tick::CheckBox3, "CheckBox3", "short circuit of phase B", "break of load phase BC", "--short", "B",
     "--open", "BC"},
    {Tick::CheckBox4, "CheckBox4", "short circuit of phase C", "break of load phase CA", "--short", "C",
     "--open", "CA"},
    {Tick::CheckBox5, "CheckBox5", "break of line wire A", "break of line wire A", "--break", "A", "--break",
     "A"},
    {Tick::CheckBox6, "CheckBox6", "break of line wire B", "break of line wire B", "--break", "B", "--break",
     "B"},
    {Tick::CheckBox7, "CheckBox7", "break of line wire C", "break of line wire C", "--break", "C", "--break",
     "C"},
}};

// One of the precision form's twenty boxes (ComboBox1..20 in setting order): the name the
// command line and task files use and the initial number of decimals.
struct PrecisionSpec {
    PrecisionIndex index;
    const char* name;
    const char* initial;
};

inline constexpr std::array<PrecisionSpec, kPrecisionCount> kPrecisionFields = {{
    {UMag, "U.mag", "0"}, {UAng, "U.ang", "0"}, {URe, "U.re", "0"},   {UIm, "U.im", "0"},
    {ZRe, "Z.re", "0"},   {ZIm, "Z.im", "0"},   {ZMag, "Z.mag", "1"}, {ZAng, "Z.ang", "1"},
    {YMag, "Y.mag", "3"}, {YAng, "Y.ang", "3"}, {YRe, "Y.re", "3"},   {YIm, "Y.im", "1"},
    {IMag, "I.mag", "1"}, {IAng, "I.ang", "1"}, {IRe, "I.re", "1"},   {IIm, "I.im", "1"},
    {SMag, "S.mag", "0"}, {SAng, "S.ang", "1"}, {SRe, "S.re", "0"},   {SIm, "S.im", "0"},
}};

// Each row sits at its own index, so a table can be read by index or by its enum.
constexpr bool RowsInOrder() {
    for (int k = 0; k < kParamCount; ++k) {
        if (static_cast<int>(kFields[k].field) != k) {
            return false;
        }
    }
    for (int k = 0; k < kCheckBoxCount; ++k) {
        if (static_cast<int>(kTicks[k].tick) != k) {
            return false;
        }
    }
    for (int k = 0; k < kPrecisionCount; ++k) {
        if (static_cast<int>(kPrecisionFields[k].index) != k) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInOrder());

inline const FieldSpec& FieldOf(Param field) {
    return kFields[static_cast<int>(field)];
}

// A field's control as the page's element ids and a failed run name it: "Form3-Edit4".
inline std::string ControlId(Param field) {
    return std::string("Form3-") + FieldOf(field).control;
}

// ... and a precision box's, index 0..19: "Form4-ComboBox1" ... "Form4-ComboBox20".
inline std::string PrecisionControlId(int index) {
    return "Form4-ComboBox" + std::to_string(index + 1);
}

// A text the solvers convert and the control it was typed into, which a failure of that text
// (no number, a zero resistance) names. A text the program puts in itself (the zero reactance
// of a short-circuited phase) has no control.
struct FieldText {
    std::string text;
    std::string control;

    FieldText() = default;
    FieldText(const char* text) : text(text) {}  // NOLINT: a program text converts implicitly
    FieldText(std::string text, std::string control = {})
        : text(std::move(text)), control(std::move(control)) {}
};

// The R and X texts of one phase (or delta branch) as the solvers read them.
struct PhaseTexts {
    FieldText r;
    FieldText x;
};

// The modulus and angle texts of one supply voltage.
struct SourceTexts {
    FieldText u;
    FieldText angle;
};

// The connection, the sixteen texts and the seven ticks of one run.
struct CircuitInput {
    bool star = true;  // RadioButton1 ("ЗВЕЗДА") selected; otherwise delta
    std::array<std::string, kParamCount> texts = InitialTexts();
    std::array<bool, kCheckBoxCount> ticks{};

    const std::string& Text(Param field) const { return texts[static_cast<int>(field)]; }
    // The field's text with its control, for the solvers.
    FieldText Field(Param field) const { return {Text(field), ControlId(field)}; }
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
            out[k] = kFields[k].initial;
        }
        return out;
    }
};

static_assert(std::tuple_size_v<decltype(StoredRun::texts)> == kParamCount);
static_assert(std::tuple_size_v<decltype(StoredRun::ticks)> == kCheckBoxCount);

// What a run started with these inputs keeps of them when it stores results (CalcState::BeginRun).
inline StoredRun StoredRunOf(const CircuitInput& input) {
    StoredRun run;
    run.star = input.Star();
    run.neutral = input.Checked(kNeutralWire);
    run.texts = input.texts;
    run.ticks = input.ticks;
    return run;
}

// The inputs of a stored run, as the form held them when the run started.
inline CircuitInput InputOf(const StoredRun& run) {
    CircuitInput input;
    input.star = run.star;
    input.texts = run.texts;
    input.ticks = run.ticks;
    return input;
}

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
            texts[k] = kPrecisionFields[k].initial;
        }
    }
    std::string Text(int index) const override { return texts.at(index); }
};

}  // namespace vornik
