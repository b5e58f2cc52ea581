#pragma once
// The operating modes of a run, in one table: per connection and mode its mode slot, the tick
// that asks for it, its names (vornik-cli, class sets, the page's saved pictures), its captions
// (worked solution, answer key, title block, diagram window and page) and the phases its record
// keeps in the branch positions, from which its key quantities and their labels follow
// (solver/KeyQuantities.h). The run, the diagram, the title block, the answer key, vornik-cli and
// the web page all read the modes from here.

#include <array>
#include <span>
#include <string_view>

#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// The kinds of operating mode: a star phase short circuit and a delta load phase break are the
// phase faults of their connection.
enum class ModeKind { Normal, PhaseFault, LineBreak };

// A mode of a run: its kind and, for a fault, the phase (0..2: A, B, C; AB, BC, CA for a delta
// load phase).
struct ModeOfRun {
    bool star = true;
    ModeKind kind = ModeKind::Normal;
    int phase = 0;
};

// The tick of a mode every run computes (the normal mode).
inline constexpr Tick kAlwaysComputed = Tick::kCount;

struct ModeSpec {
    bool star;
    ModeKind kind;
    int phase;  // of a fault: 0..2 (A, B, C; a delta load phase AB, BC, CA)
    int slot;   // the mode slot the run snapshots it into
    Tick tick;  // the check box that asks for it, or kAlwaysComputed
    // The diagram window's pair of radio buttons: 2 * pair + 1 draws the voltages, 2 * pair + 2
    // the currents. The pairs follow the ticks in order.
    int pair;
    const char* name;          // vornik-cli's --diagram and the class set's name: "short-A"
    const char* webName;       // in the names of the page's saved pictures: "shortA"
    const char* phaseName;     // the phase or wire as the worked solution quotes it: "A", "AB"
    const char* caption;       // the class set's caption: "короткое замыкание фазы A"
    const char* titleCaption;  // the title block's and the PDF diagrams' caption: "КЗ фазы A"
    // The page's hint beside the pair, with the letters of the parameter form's captions
    // (Cyrillic А, В, С): "КЗ фазы А".
    const char* pageCaption;
    const char* windowPhase;  // beside the pair in the diagram window: "фаза \"A\""
    // The phase (0..2) each branch position of the mode's record stands for. A star line break
    // keeps its two phases in the first two positions (the third keeps its own phase's older
    // values); a delta line break the directly fed phase, then the series pair.
    std::array<int, 3> positions;

    ModeOfRun Of() const { return {star, kind, phase}; }
};

inline constexpr std::array<int, 3> kInOrder = {0, 1, 2};

// Per connection in the order the run computes them: the normal mode, then for each phase its
// fault and the break of its line wire. A row a mode: what it is and its names on the first line,
// its captions on the second.
// clang-format off
inline constexpr std::array<ModeSpec, 14> kModes = {{
    {true, ModeKind::Normal, 0, 0, kAlwaysComputed, 0, "normal", "normal", "",
     "нормальный режим", "Нормальный режим", "Нормальный режим", "", kInOrder},
    {true, ModeKind::PhaseFault, 0, 1, Tick::CheckBox2, 1, "short-A", "shortA", "A",
     "короткое замыкание фазы A", "КЗ фазы A", "КЗ фазы А", "фаза \"A\"", kInOrder},
    {true, ModeKind::LineBreak, 0, 2, Tick::CheckBox5, 4, "break-A", "breakA", "A",
     "обрыв линейного провода A", "Обрыв линейного провода A", "Обрыв линейного провода А", "фаза \"A\"", {1, 2, 2}},
    {true, ModeKind::PhaseFault, 1, 3, Tick::CheckBox3, 2, "short-B", "shortB", "B",
     "короткое замыкание фазы B", "КЗ фазы B", "КЗ фазы В", "фаза \"B\"", kInOrder},
    {true, ModeKind::LineBreak, 1, 4, Tick::CheckBox6, 5, "break-B", "breakB", "B",
     "обрыв линейного провода B", "Обрыв линейного провода B", "Обрыв линейного провода В", "фаза \"B\"", {0, 2, 2}},
    {true, ModeKind::PhaseFault, 2, 5, Tick::CheckBox4, 3, "short-C", "shortC", "C",
     "короткое замыкание фазы C", "КЗ фазы C", "КЗ фазы С", "фаза \"C\"", kInOrder},
    {true, ModeKind::LineBreak, 2, 6, Tick::CheckBox7, 6, "break-C", "breakC", "C",
     "обрыв линейного провода C", "Обрыв линейного провода C", "Обрыв линейного провода С", "фаза \"C\"", {0, 1, 2}},
    {false, ModeKind::Normal, 0, 0, kAlwaysComputed, 0, "normal", "normal", "",
     "нормальный режим", "Нормальный режим", "Нормальный режим", "", kInOrder},
    {false, ModeKind::PhaseFault, 0, 1, Tick::CheckBox2, 1, "open-AB", "openAB", "AB",
     "обрыв фазы нагрузки AB", "Обрыв фазы нагрузки AB", "Обрыв фазы нагрузки АВ", "фаза \"AB\"", kInOrder},
    {false, ModeKind::LineBreak, 0, 4, Tick::CheckBox5, 4, "break-A", "breakA", "A",
     "обрыв линейного провода A", "Обрыв линейного провода A", "Обрыв линейного провода А", "провод \"A\"", {1, 2, 0}},
    {false, ModeKind::PhaseFault, 1, 2, Tick::CheckBox3, 2, "open-BC", "openBC", "BC",
     "обрыв фазы нагрузки BC", "Обрыв фазы нагрузки BC", "Обрыв фазы нагрузки ВС", "фаза \"BC\"", kInOrder},
    {false, ModeKind::LineBreak, 1, 5, Tick::CheckBox6, 5, "break-B", "breakB", "B",
     "обрыв линейного провода B", "Обрыв линейного провода B", "Обрыв линейного провода В", "провод \"B\"", {2, 0, 1}},
    {false, ModeKind::PhaseFault, 2, 3, Tick::CheckBox4, 3, "open-CA", "openCA", "CA",
     "обрыв фазы нагрузки CA", "Обрыв фазы нагрузки CA", "Обрыв фазы нагрузки СА", "фаза \"CA\"", kInOrder},
    {false, ModeKind::LineBreak, 2, 6, Tick::CheckBox7, 6, "break-C", "breakC", "C",
     "обрыв линейного провода C", "Обрыв линейного провода C", "Обрыв линейного провода С", "провод \"C\"", {0, 1, 2}},
}};
// clang-format on

// The modes of one connection, in the run's order.
constexpr std::span<const ModeSpec> ModesOf(bool star) {
    return std::span<const ModeSpec>(kModes).subspan(star ? 0 : 7, 7);
}

// The rows agree with each other: seven per connection, each slot and each pair once, the pairs
// in tick order, the ticks those of Parameters.h.
constexpr bool ModesConsistent() {
    for (const bool star : {true, false}) {
        std::array<int, kModeSlotCount> slotUses{};
        std::array<int, kModeSlotCount> pairUses{};
        for (const ModeSpec& m : ModesOf(star)) {
            if (m.star != star || m.slot < 0 || m.slot >= kModeSlotCount || m.pair < 0 ||
                m.pair >= kModeSlotCount) {
                return false;
            }
            ++slotUses[m.slot];
            ++pairUses[m.pair];
            const Tick expected = m.kind == ModeKind::Normal       ? kAlwaysComputed
                                  : m.kind == ModeKind::PhaseFault ? kPhaseFaultTicks[m.phase]
                                                                   : kLineBreakTicks[m.phase];
            if (m.tick != expected || m.pair != (m.kind == ModeKind::Normal ? 0 : static_cast<int>(m.tick))) {
                return false;
            }
        }
        for (int k = 0; k < kModeSlotCount; ++k) {
            if (slotUses[k] != 1 || pairUses[k] != 1) {
                return false;
            }
        }
    }
    return true;
}
static_assert(ModesConsistent());

// Whether a run of `input` computes the mode.
inline bool ComputedBy(const ModeSpec& mode, const CircuitInput& input) {
    return mode.tick == kAlwaysComputed || input.Checked(mode.tick);
}

// The two phases other than `phase`, in the order A, B, C (AB, BC, CA): those a delta load phase
// break leaves intact.
constexpr std::array<int, 2> OtherPhases(int phase) {
    return {phase == 0 ? 1 : 0, phase == 2 ? 1 : 2};
}

// The mode of the diagram window's pair 0..6 in a connection.
constexpr const ModeSpec& ModeOfPair(bool star, int pair) {
    for (const ModeSpec& m : ModesOf(star)) {
        if (m.pair == pair) {
            return m;
        }
    }
    return ModesOf(star)[0];
}

// The row of a mode of a run.
constexpr const ModeSpec& ModeSpecOf(const ModeOfRun& mode) {
    for (const ModeSpec& m : ModesOf(mode.star)) {
        if (m.kind == mode.kind && (m.kind == ModeKind::Normal || m.phase == mode.phase)) {
            return m;
        }
    }
    return ModesOf(mode.star)[0];
}

// The mode of a connection by its name ("short-A"), or nullptr.
constexpr const ModeSpec* ModeNamed(bool star, std::string_view name) {
    for (const ModeSpec& m : ModesOf(star)) {
        if (name == m.name) {
            return &m;
        }
    }
    return nullptr;
}

}  // namespace vornik
