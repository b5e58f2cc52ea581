#pragma once
// The circuit the benchmarks compute: an unbalanced load (10+j5, 20-j10, 15 ohm) on the
// default 380 V supply, and what a run needs besides the form.

#include <string>

#include "run/CalculationRun.h"

namespace vornik::bench {

struct DefaultPrecision : PrecisionTexts {
    std::string Text(int index) const override { return kPrecisionFields[index].initial; }
};

// Star with the neutral wire, or delta; optionally with all six emergency modes ticked.
inline CircuitInput MixedLoad(bool star, bool allModes) {
    CircuitInput p;
    p.star = star;
    p[Param::Edit4] = "10";
    p[Param::Edit5] = "5";
    p[Param::Edit6] = "20";
    p[Param::Edit7] = "-10";
    p[Param::Edit8] = "15";
    p[Param::Edit9] = "0";
    p.SetChecked(kNeutralWire, star);
    for (int box = 2; box <= 7; ++box) {
        p.SetChecked(box, allModes);
    }
    return p;
}

}  // namespace vornik::bench
