#include "diagram/ScaleChooser.h"

#include <cmath>

#include "diagram/DiagramDrawing.h"
#include "report/NumberText.h"

namespace vornik {

namespace {

// Largest absolute value; a NaN anywhere makes the result NaN so that it is shown as such.
double LargestMagnitude(std::span<const double> values) {
    double largest = 0.0;
    for (const double v : values) {
        if (std::isnan(v)) {
            return v;
        }
        largest = std::fmax(largest, std::fabs(v));
    }
    return largest;
}

// A rough count of the steps the search would make, used to refuse hopeless searches before
// looping; the loop below counts the real steps.
double EstimatedSteps(double largest) {
    const double target = largest > kDivideLimit ? largest / kDivideLimit : kMultiplyLimit / largest;
    return (target - 1.0) / kScaleStep;
}

}  // namespace

int NearestInt(double value) {
    return static_cast<int>(std::nearbyint(value));
}

double RoundToThousandths(double value) {
    const double scaled = value / 0.001;
    if (!std::isfinite(scaled)) {
        return value;
    }
    return std::nearbyint(scaled) * 0.001;
}

int ScaleSearch::Scaled(double value) const {
    switch (mode) {
        case ScaleMode::Divide:
            return NearestInt(value / factor);
        case ScaleMode::Multiply:
            return NearestInt(value * factor);
        case ScaleMode::None:
            break;
    }
    return 0;
}

double ScaleSearch::SignedFactor() const {
    switch (mode) {
        case ScaleMode::Divide:
            return -factor;
        case ScaleMode::Multiply:
            return factor;
        case ScaleMode::None:
            break;
    }
    return 0.0;
}

ScaleSearch SearchScale(std::span<const double> values) {
    ScaleSearch s;
    s.largest = LargestMagnitude(values);
    const double m = s.largest;
    // M = 0 would multiply forever and a value that is not finite has no place on the canvas.
    if (!std::isfinite(m) || m == 0.0) {
        return s;
    }
    for (const double v : values) {
        if (!std::isfinite(v)) {
            return s;
        }
    }
    // Leave some room for the drift of the accumulated factor; the counted loop decides exactly.
    if (EstimatedSteps(m) > 1.01 * static_cast<double>(kMaxScaleSteps) + 10.0) {
        return s;
    }
    double p = 1.0;
    long steps = 0;
    if (m > kDivideLimit) {
        double q = m;
        do {
            if (steps == kMaxScaleSteps) {
                return s;
            }
            p += kScaleStep;
            q = m / p;
            ++steps;
        } while (q > kDivideLimit);
        s.mode = ScaleMode::Divide;
    } else {
        double q = m;
        while (q <= kMultiplyLimit) {
            if (steps == kMaxScaleSteps) {
                return s;
            }
            p += kScaleStep;
            q = m * p;
            ++steps;
        }
        s.mode = ScaleMode::Multiply;
    }
    s.factor = p;
    s.steps = steps;
    return s;
}

std::optional<ScaleSearch> ChooseScale(DiagramCanvas& canvas, std::span<const double> values,
                                       const std::string& unit, DiagramLabels& labels) {
    const ScaleSearch s = SearchScale(values);
    labels.label12 = FormatGeneral(RoundToThousandths(s.largest));
    labels.legend.clear();
    if (s.mode == ScaleMode::None) {
        return std::nullopt;
    }
    if (s.steps > 0) {
        labels.label11 = (s.mode == ScaleMode::Divide ? " - " : " + ") + FormatGeneral(s.factor);
    }
    labels.legend = DrawScaleLegend(canvas, unit, s.SignedFactor());
    return s;
}

}  // namespace vornik
