#pragma once
// One student's variant: a name and everything a run needs (connection, texts, ticks,
// precision), plus the title printed on the sheet.

#include <string>

#include "solver/Parameters.h"

namespace vornik {

// What a task holds: the base of a class set and each of its variants.
struct TaskValues {
    std::string title;
    CircuitInput input;
    PrecisionValues precision;
};

struct Variant {
    std::string name;  // "7", "12а": as the teacher wrote it
    int row = 0;       // its row in the variant table (1 is the header), 0 for a drawn variant
    TaskValues task;
};

// Two variants are the same exercise when a student would see the same numbers and modes.
inline bool SameExercise(const TaskValues& a, const TaskValues& b) {
    return a.input.star == b.input.star && a.input.texts == b.input.texts && a.input.ticks == b.input.ticks &&
           a.precision.texts == b.precision.texts;
}

}  // namespace vornik
