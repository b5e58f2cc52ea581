#pragma once
// Running a variant and reading its answer key: for every computed mode, the key quantities
// from the mode's slot, with the text the worked solution prints for them.

#include <optional>
#include <string>
#include <vector>

#include "classset/Variant.h"
#include "solver/KeyQuantities.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// A computed mode: its command-line name, its mode slot and its caption for a student.
struct ComputedMode {
    std::string name;     // "normal", "short-A", "open-BC", "break-C"
    int slot = 0;         // ModeSlot 0..6
    std::string caption;  // "короткое замыкание фазы A"
    ModeOfRun of;         // its connection, kind and phase, for the names of its quantities
};

// The modes a run of `input` computes, in the order of the worked solution.
std::vector<ComputedMode> ComputedModes(const CircuitInput& input);

// One row of the key.
struct KeyRow {
    std::string mode;      // ComputedMode::name
    int field = 0;         // Field index
    std::string label;     // what the worked solution calls it: "Ia", "угол Ia", "Iab", "U0", "P"
    std::string unit;      // "А", "В", "Вт", "вар", "ВА", "°"
    bool angle = false;    // an angle: value in radians, shown and asked in degrees
    double value = 0.0;    // the field of the mode's slot, as stored
    double answer = 0.0;   // in `unit`: the value, or for an angle its degrees in (-180, 180]
    std::string shown;     // as the worked solution prints it under the task's decimals
    double shownStep = 1;  // the rounding step of `shown`
    int decimals = 0;      // the decimals of `shown`
};

// The precision setting the worked solution uses for `field` in mode `mode` of a run of that
// connection.
PrecisionIndex ShownSetting(int field, bool star, const std::string& mode);

struct VariantRun {
    bool completed = false;
    std::optional<std::string> message;
    std::vector<std::string> report;
    CalcState state;
    std::vector<ComputedMode> modes;
    std::vector<KeyRow> key;
};

// Runs the variant as the execute command does (from the state of a fresh start) and reads
// the key: the default quantities of each mode, or `fields` of every mode when given.
VariantRun RunVariant(const TaskValues& task, const std::optional<std::vector<int>>& fields = std::nullopt);

// Whether the run of `task` completes: the check that random draws must pass.
bool VariantRuns(const TaskValues& task);

// An angle in degrees brought into (-180, 180]: the key's form of a direction.
double HalfOpenDegrees(double degrees);

// 17 significant digits (trailing zeros dropped), so the stored double reads back exactly;
// decimal comma.
std::string ExactText(double value);

}  // namespace vornik
