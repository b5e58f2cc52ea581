#pragma once
// A whole class set in one step: the variants (from a table or drawn at random), each run
// through the calculation, and the folder of the set: variants.csv, key.csv, moodle.xml,
// gift.txt and summary.txt. The folder is written beside its final place and renamed into it
// at the end, so a failure leaves nothing half-written.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "classset/QuizExport.h"
#include "classset/RandomVariants.h"
#include "classset/Variant.h"

namespace vornik {

struct ClassSetRequest {
    std::string outDir;
    TaskValues base;
    std::optional<std::string> tablePath;  // the variant table, or else random variants:
    int count = 0;
    std::uint64_t seed = 0;
    std::vector<VaryRange> ranges;
    std::vector<std::string> rangeTexts;        // as given, for the summary
    std::optional<std::vector<int>> keyFields;  // the record fields of the key; default quantities when empty
    double tolerancePercent = 1.0;
    std::string command;  // the command that made the set, for the summary
};

struct ClassSetOutcome {
    bool ok = false;
    std::string message;  // one line: what went wrong, or what was made
    int variants = 0;
    int keyRows = 0;
};

// Called after each variant is computed: how many are done and how many there are. Returning
// false stops the work (nothing is written).
using ClassSetProgress = std::function<bool(int done, int total)>;

ClassSetOutcome MakeClassSet(const ClassSetRequest& request, const ClassSetProgress& progress = {});

// The set's key as CSV: variant,mode,quantity,shown,value.
std::string KeyCsv(const std::vector<SetEntry>& entries);

}  // namespace vornik
