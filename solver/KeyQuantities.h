#pragma once
// The quantities of the solution record as the worked solution names them: for each field, in
// each connection and kind of mode, its label ("Ia", "угол Iab", "Pbc") and its unit ("А", "В",
// "Вт", "вар", "ВА", "Ом", "См", "°"), and the quantities a class set's key asks for by default.
// The answer key, the quiz, the student's sheet and the self-check read them from here.

#include <string>
#include <vector>

#include "solver/Modes.h"
#include "solver/SolutionRecord.h"

namespace vornik {

struct QuantityName {
    std::string label;   // "Ia", "угол Ia", "Re Ia", "Ica=Iab", "P"
    std::string unit;    // "А", "В", "Ом", "См", "ВА", "Вт", "вар", "°"
    bool angle = false;  // stored in radians, written in degrees
};

// The name of record field `field` in mode `mode`.
QuantityName FieldQuantity(int field, const ModeOfRun& mode);

// The key's quantities of a mode, in the order of the worked solution: each current (and U0 of a
// star) as its modulus field followed by its angle field, then P and Q where the solution gives
// the powers.
std::vector<int> DefaultKeyFields(const ModeOfRun& mode, bool neutralWire);

}  // namespace vornik
