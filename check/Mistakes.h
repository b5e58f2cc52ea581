#pragma once
// The typical mistakes the self-check names, each with its id (as --check --json writes it), its
// Russian name and a one-sentence Russian explanation.

#include <array>
#include <string_view>

namespace vornik {

enum class Mistake {
    None,
    LineForPhase,    // line voltage taken for phase voltage (×√3 or ÷√3)
    Amplitude,       // amplitude for effective value (×√2)
    DegreesRadians,  // degrees taken as radians or the reverse
    AngleSign,       // the sign of an angle flipped
    NoConjugate,     // S = U·I instead of U·I*
    PhaseForLine,    // a delta phase current given for a line current, or the reverse
    NoU0,            // the neutral displacement ignored: source voltage used as load voltage
    SumZero,         // Ia + Ib + Ic taken as zero although there is a neutral current
    BCSwapped,       // phases B and C swapped
};

struct MistakeText {
    Mistake mistake;
    std::string_view id;           // "line-for-phase"
    std::string_view name;         // "линейное напряжение вместо фазного"
    std::string_view explanation;  // one sentence
};

// Every named mistake, in the order above (without None).
extern const std::array<MistakeText, 9> kMistakes;

// The texts of `mistake` (None has empty texts).
const MistakeText& MistakeOf(Mistake mistake);

}  // namespace vornik
