#pragma once
// The class set as quiz questions for a learning platform: Moodle XML with one Cloze question
// per variant (a NUMERICAL blank per key row, the worked solution as general feedback) and GIFT
// with one numerical question per key row. Numbers in both are written with a full stop, as the
// formats require.

#include <string>
#include <vector>

#include "classset/AnswerKey.h"
#include "classset/Variant.h"

namespace vornik {

// A variant of the set with its file name stem and its run.
struct SetEntry {
    const Variant* variant = nullptr;
    std::string stem;
    const VariantRun* run = nullptr;
};

// The accepted deviation of an answer: `percent` of its size, but never less than half the
// rounding step of the worked solution, so that the number copied from the solution passes
// also where the exact value is near zero.
double AnswerTolerance(const KeyRow& row, double percent);

// The shortest fixed-point text (full stop, no exponent) that reads back as the same double.
std::string PlainNumber(double value);

std::string MoodleXml(const std::string& setName, const std::vector<SetEntry>& entries, double percent);
std::string GiftText(const std::string& setName, const std::vector<SetEntry>& entries, double percent);

}  // namespace vornik
