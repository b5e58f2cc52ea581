#pragma once
// The scale of a phasor diagram: the largest coordinate is brought near the edge of the
// half-width by a factor grown in steps of 0,1, as the diagram window has always done it.

#include <optional>
#include <span>
#include <string>

#include "diagram/Diagram.h"
#include "diagram/DiagramCanvas.h"

namespace vornik {

// Coordinates beyond this are divided down; at or below kMultiplyLimit they are multiplied up.
inline constexpr double kDivideLimit = 195.0;
inline constexpr double kMultiplyLimit = 170.0;
inline constexpr double kScaleStep = 0.1;
// A search longer than this (a largest coordinate tiny or huge) is given up.
inline constexpr long kMaxScaleSteps = 200'000'000;

enum class ScaleMode {
    Divide,    // coordinates are divided by the factor
    Multiply,  // coordinates are multiplied by the factor
    None,      // no usable scale: nothing computed, a value not finite, or a search too long
};

struct ScaleSearch {
    double largest = 0.0;  // M: the largest absolute coordinate
    double factor = 1.0;   // p, accumulated step by step exactly as displayed
    long steps = 0;
    ScaleMode mode = ScaleMode::None;

    // Pixel offset of one coordinate from the centre (nearest integer, ties to even).
    int Scaled(double value) const;
    // -p in divide mode, +p in multiply mode, 0 when there is no scale.
    double SignedFactor() const;
};

// Nearest integer with ties to even (the default rounding mode).
int NearestInt(double value);

// Rounded to 3 decimals: divide by 0,001, nearest integer ties to even, multiply by 0,001.
double RoundToThousandths(double value);

// The scale search alone, over the real and imaginary parts of all phasors of a diagram.
ScaleSearch SearchScale(std::span<const double> values);

// The scale search with its visible effects: Label12 always, Label11 when a step was made,
// and the legend with its scale bar in the given unit. Returns nothing when the values cannot
// be scaled; then only Label12 is written and no legend is drawn.
std::optional<ScaleSearch> ChooseScale(DiagramCanvas& canvas, std::span<const double> values,
                                       const std::string& unit, DiagramLabels& labels);

}  // namespace vornik
