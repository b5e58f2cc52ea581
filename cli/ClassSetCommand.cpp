#include "cli/ClassSetCommand.h"

#include <algorithm>
#include <charconv>

#include "classset/RecordFieldNames.h"
#include "classset/VariantTable.h"
#include "solver/Text.h"
#include "solver/TextToNumber.h"

namespace vornik {

bool HasClassSetOptions(const CliOptions& o) {
    return o.classSet || o.variants || o.count || o.seed || !o.vary.empty() || o.keyFields || o.tolerance ||
           o.angleTolerance || o.quizDecimal;
}

std::string ClassSetRequestFrom(const CliOptions& o, ClassSetRequest& request) {
    if (!o.classSet) {
        return "--variants, --count, --seed, --vary, --key-fields, --tolerance, --angle-tolerance and "
               "--quiz-decimal go with --class-set OUTDIR";
    }
    if (o.json || o.diagram || o.out) {
        return "--class-set writes its own files; leave out --json, --diagram and --out";
    }
    if (o.classSet->empty()) {
        return "--class-set needs a folder name";
    }
    request.outDir = *o.classSet;
    request.base.input = o.params;
    request.base.precision = o.precision;
    request.base.title = o.taskTitle;
    // The title goes onto every sheet and question, under the same limit as a table's titles.
    if (Utf8Characters(o.taskTitle) > kMaxTitleChars) {
        return "--class-set: the task's title is longer than " + std::to_string(kMaxTitleChars) +
               " characters";
    }
    if (o.variants) {
        if (o.count || o.seed || !o.vary.empty()) {
            return "--variants takes the variants from a table; leave out --count, --seed and --vary";
        }
        request.tablePath = *o.variants;
    } else {
        if (!o.count || !o.seed) {
            return "--class-set needs --variants TABLE or --count N --seed S";
        }
        const std::string& c = *o.count;
        if (std::from_chars(c.data(), c.data() + c.size(), request.count).ptr != c.data() + c.size() ||
            request.count < 1 || request.count > kMaxVariants) {
            return "--count takes a whole number from 1 to " + std::to_string(kMaxVariants);
        }
        const std::string& s = *o.seed;
        if (s.empty() ||
            std::from_chars(s.data(), s.data() + s.size(), request.seed).ptr != s.data() + s.size()) {
            return "--seed takes a whole number from 0 to 18446744073709551615";
        }
        for (const std::string& text : o.vary) {
            VaryRange range;
            if (const std::string error = ParseVaryRange(text, range); !error.empty()) {
                return error;
            }
            request.ranges.push_back(range);
            request.rangeTexts.push_back(text);
        }
    }
    if (o.keyFields) {
        std::vector<int> fields;
        size_t start = 0;
        while (start <= o.keyFields->size()) {
            size_t end = o.keyFields->find(',', start);
            end = end == std::string::npos ? o.keyFields->size() : end;
            const std::string name = o.keyFields->substr(start, end - start);
            const std::optional<int> field = FieldByName(name);
            if (!field) {
                return "--key-fields: '" + name +
                       "' is not a field of the solution record (IaMod, IaArg, PTotal, …)";
            }
            fields.push_back(*field);
            start = end + 1;
        }
        request.keyFields = fields;
    }
    if (o.tolerance) {
        std::string text = *o.tolerance;
        std::replace(text.begin(), text.end(), '.', ',');
        if (!TryTextToFloat(text, request.tolerancePercent) || !(request.tolerancePercent > 0) ||
            request.tolerancePercent >= 100) {
            return "--tolerance takes a percentage above 0 and below 100, e.g. 1 or 0,5";
        }
    }
    if (o.angleTolerance) {
        std::string text = *o.angleTolerance;
        std::replace(text.begin(), text.end(), '.', ',');
        if (!TryTextToFloat(text, request.angleToleranceDegrees) || !(request.angleToleranceDegrees > 0) ||
            request.angleToleranceDegrees >= 90) {
            return "--angle-tolerance takes degrees above 0 and below 90, e.g. 1 or 0,5";
        }
    }
    if (o.quizDecimal) {
        if (*o.quizDecimal != "comma" && *o.quizDecimal != "point") {
            return "--quiz-decimal takes comma or point";
        }
        request.quizDecimalComma = *o.quizDecimal == "comma";
    }
    return std::string();
}

std::string QuotedCommand(int argc, const char* const* argv) {
    std::string out = "vornik-cli";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool plain = !arg.empty() && arg.find_first_not_of(
                                               "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                               "0123456789-_=.,/:+@%") == std::string::npos;
        out += ' ';
        if (plain) {
            out += arg;
            continue;
        }
        out += '\'';
        for (const char c : arg) {
            out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        out += '\'';
    }
    return out;
}

}  // namespace vornik
