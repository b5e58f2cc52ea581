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

// How answers are marked and typed.
struct QuizOptions {
    double percent = 1.0;       // the tolerance of moduli, powers and voltages, of their size
    double angleDegrees = 1.0;  // the tolerance of angles, in degrees whatever the angle
    bool decimalComma = true;   // the separator the student is told to type
};

// The accepted deviation of an answer: `percent` of its size for a modulus, power or voltage,
// `angleDegrees` for an angle, but never less than half the rounding step of the worked
// solution, so that the number copied from the solution passes also where the exact value is
// near zero.
double AnswerTolerance(const KeyRow& row, const QuizOptions& options);

// The answers a student may give for a key row: the value, and for an angle the same direction
// written 360° lower and higher.
std::vector<double> AcceptedAnswers(const KeyRow& row);

// The prompt of a key row: its label and unit ("угол Ia (°)").
std::string RowQuestion(const KeyRow& row);

// The line that ends each question: which decimal separator to type.
std::string DecimalLine(bool decimalComma);

// The shortest fixed-point text (full stop, no exponent) that reads back as the same double.
std::string PlainNumber(double value);

std::string MoodleXml(const std::string& setName, const std::vector<SetEntry>& entries,
                      const QuizOptions& options);
std::string GiftText(const std::string& setName, const std::vector<SetEntry>& entries,
                     const QuizOptions& options);

}  // namespace vornik
