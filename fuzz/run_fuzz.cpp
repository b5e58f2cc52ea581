// Fuzzes the whole calculation run over random parameter texts, ticks and precision texts:
// every input ends in a complete report or exactly one message.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "run/CalculationRun.h"

namespace {

struct Precision : vornik::PrecisionTexts {
    std::vector<std::string> texts;
    std::string Text(int index) const override { return texts.at(index); }
};

}  // namespace

// Input: lines. The first byte holds the ticks (bits 0..6) and the connection (bit 7); then
// up to 16 parameter texts and 20 precision texts, one per line; missing ones keep the defaults.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    vornik::CircuitInput params;
    const std::uint8_t flags = data[0];
    for (int box = 1; box <= 7; ++box) {
        params.SetChecked(box, (flags >> (box - 1)) & 1);
    }
    params.star = (flags & 0x80) == 0;
    Precision precision;
    for (const vornik::PrecisionSpec& p : vornik::kPrecisionFields) {
        precision.texts.emplace_back(p.initial);
    }
    std::vector<std::string> fields;
    std::string current;
    for (std::size_t k = 1; k < size; ++k) {
        if (data[k] == '\n') {
            fields.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[k]);
        }
    }
    fields.push_back(current);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k < static_cast<std::size_t>(vornik::kParamCount)) {
            params.texts[k] = fields[k];
        } else if (k < static_cast<std::size_t>(vornik::kParamCount + vornik::kPrecisionCount)) {
            precision.texts[k - vornik::kParamCount] = fields[k];
        }
    }
    vornik::CalcState state;
    vornik::LinesDocument doc;
    vornik::CapturedMessages messages;
    const vornik::RunOutcome outcome = vornik::N5Click({state, params, precision, doc, messages});
    const bool completed = outcome.completed;
    if (completed ? messages.Count() != 0 : messages.Count() != 1) {
        std::abort();
    }
    // The field told is the outcome's, and only a failure names one.
    if (messages.fields !=
        (outcome.field.empty() ? std::vector<std::string>{} : std::vector{outcome.field})) {
        std::abort();
    }
    if (completed && doc.lines.empty()) {
        std::abort();
    }
    return 0;
}
