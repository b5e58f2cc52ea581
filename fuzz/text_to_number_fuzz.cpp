// Fuzzes the conversion of typed texts to numbers and the report's number text.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "report/NumberText.h"
#include "solver/SolverErrors.h"
#include "solver/TextToNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double value = 0;
    const bool ok = vornik::TryTextToFloat(text, value);
    try {
        const double thrown = vornik::TextToFloat(text);
        if (!ok || !(thrown == value || (std::isnan(thrown) && std::isnan(value)))) {
            std::abort();  // the two variants must agree
        }
        if (!std::isfinite(thrown)) {
            std::abort();  // beyond the double range is not a number
        }
    } catch (const vornik::RuntimeError&) {
        if (ok) {
            std::abort();
        }
    }
    int i = 0;
    const bool intOk = vornik::TryTextToInt(text, i);
    try {
        if (vornik::TextToInt(text) != i || !intOk) {
            std::abort();
        }
    } catch (const vornik::RuntimeError&) {
        if (intOk) {
            std::abort();
        }
    }
    if (ok) {
        // Every setting, also the absurd ones a paste can produce, writes some text.
        for (int setting : {0, -1, -5, 5, -400, 400, i}) {
            if (vornik::NumberText(value, setting).empty()) {
                std::abort();
            }
        }
        const std::string general = vornik::FormatGeneral(value);
        double back = 0;
        // The general format reads back through the same conversion (15 significant digits).
        if (vornik::TryTextToFloat(general, back) && std::isfinite(value) && value != 0 &&
            std::fabs(back - value) > std::fabs(value) * 1e-14) {
            std::abort();
        }
    }
    return 0;
}
