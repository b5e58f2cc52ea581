#pragma once
// Phasor diagrams of the computed modes: scale, axes, legend and arrows on a DiagramCanvas.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "diagram/DiagramCanvas.h"
#include "solver/Modes.h"
#include "solver/Parameters.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// The two read-outs of the diagram window that the drawing writes.
struct DiagramLabels {
    // Scale factor (" - 2", " + 1,4"); left as it was when the scale search makes no step.
    std::optional<std::string> label11;
    // Largest coordinate, rounded to 3 decimals.
    std::string label12;
    // The legend text drawn, empty when none was drawn (kept for the command line and tests).
    std::string legend;
    // Each arrow drawn with its label and its value (volts or amperes), in drawing order: the
    // picture as text, for those who cannot see it.
    struct Phasor {
        std::string label;
        double re = 0.0;
        double im = 0.0;
    };
    std::vector<Phasor> phasors;
};

// What one drawing reads: the mode slots, the connection and the neutral tick of the
// parameter form, and the selected radio button of the diagram window (1..14).
struct DiagramSelection {
    bool star = true;
    bool neutral = false;
    int button = 1;
};

// The radio buttons of the diagram window: a voltage and a current button per mode.
inline constexpr int kModeButtonCount = 14;

// Buttons 1 and 2 (normal mode) are always available; buttons 2k - 1 and 2k follow CheckBox k
// of the parameter form (k = 2..7).
bool ModeButtonEnabled(const CircuitInput& input, int button);

// The mode of button 1..14 in the given connection, and the mode slot it draws from.
const ModeSpec& ModeOfButton(bool star, int button);
int ModeSlotOfButton(bool star, int button);

void ClearDiagram(DiagramCanvas& canvas);

// The one line a picture shows instead of a mode the last run that stored results did not
// compute (not ticked in that run, or the run stopped before it).
inline constexpr const char* kModeNotComputedText = "Режим не рассчитывался при последнем выполнении";

// Whether the run computed the mode of the button (1..14), in the run's own connection.
bool ModeComputedBy(const StoredRun& run, int button);

// Clears the canvas and writes kModeNotComputedText across it; the read-outs are emptied.
void DrawModeNotComputed(DiagramCanvas& canvas, DiagramLabels& labels);

// Draws the button's diagram as the last run that stored results left it: with that run's
// connection and neutral wire, or the not-computed line for a mode it did not compute. Before
// any run stored results, the connection and neutral wire of beforeAnyRun are used.
void DrawStoredDiagram(DiagramCanvas& canvas, const CalcState& state, int button,
                       const DiagramSelection& beforeAnyRun, DiagramLabels& labels);

// Clears the canvas and draws the diagram of the selected button from its mode slot.
void DrawSelectedDiagram(DiagramCanvas& canvas, const std::array<SolutionRecord, kModeSlotCount>& modeSlots,
                         const DiagramSelection& selection, DiagramLabels& labels);

}  // namespace vornik
