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

namespace {

using Step = Outcome<void>;

Failure Hint(std::string text) {
    return Failure{std::move(text), ""};
}

// The options that name no set, or that a set does not take.
Step CheckSetOptions(const CliOptions& o) {
    if (!o.classSet) {
        return Hint(
            "--variants, --count, --seed, --vary, --key-fields, --tolerance, --angle-tolerance и "
            "--quiz-decimal — только вместе с --class-set ПАПКА");
    }
    if (o.json || o.diagram || o.out) {
        return Hint("--class-set пишет свои файлы; уберите --json, --diagram и --out");
    }
    if (o.classSet->empty()) {
        return Hint("--class-set: нужно имя папки");
    }
    // The title goes onto every sheet and question, under the same limit as a table's titles.
    if (Utf8Characters(o.taskTitle) > kMaxTitleChars) {
        return Hint("--class-set: название задачи длиннее " + std::to_string(kMaxTitleChars) + " знаков");
    }
    return {};
}

// --count N --seed S and the --vary ranges of random variants.
Step ReadRandomVariants(const CliOptions& o, ClassSetRequest& request) {
    if (!o.count || !o.seed) {
        return Hint("--class-set: нужно --variants ТАБЛИЦА или --count N --seed S");
    }
    const std::string& c = *o.count;
    if (std::from_chars(c.data(), c.data() + c.size(), request.count).ptr != c.data() + c.size() ||
        request.count < 1 || request.count > kMaxVariants) {
        return Hint("--count: целое число от 1 до " + std::to_string(kMaxVariants));
    }
    const std::string& s = *o.seed;
    if (s.empty() ||
        std::from_chars(s.data(), s.data() + s.size(), request.seed).ptr != s.data() + s.size()) {
        return Hint("--seed: целое число от 0 до 18446744073709551615");
    }
    for (const std::string& text : o.vary) {
        const Outcome<VaryRange> range = ParseVaryRange(text);
        if (!range) {
            return range.Error();
        }
        request.ranges.push_back(*range);
        request.rangeTexts.push_back(text);
    }
    return {};
}

// The record fields of --key-fields, comma separated.
Outcome<std::vector<int>> KeyFields(const std::string& list) {
    std::vector<int> fields;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        end = end == std::string::npos ? list.size() : end;
        const std::string name = list.substr(start, end - start);
        const std::optional<int> field = FieldByName(name);
        if (!field) {
            return Hint("--key-fields: «" + name + "» — не поле записи решения (IaMod, IaArg, PTotal, …)");
        }
        fields.push_back(*field);
        start = end + 1;
    }
    return fields;
}

// A number option with a decimal comma or point, above 0 and below `below`.
bool ReadBelow(const std::optional<std::string>& option, double below, double& value) {
    std::string text = *option;
    std::replace(text.begin(), text.end(), '.', ',');
    return TryTextToFloat(text, value) && value > 0 && value < below;
}

// How the quiz marks and types the answers.
Step ReadQuizOptions(const CliOptions& o, ClassSetRequest& request) {
    if (o.tolerance && !ReadBelow(o.tolerance, 100, request.tolerancePercent)) {
        return Hint("--tolerance: проценты больше 0 и меньше 100, например 1 или 0,5");
    }
    if (o.angleTolerance && !ReadBelow(o.angleTolerance, 90, request.angleToleranceDegrees)) {
        return Hint("--angle-tolerance: градусы больше 0 и меньше 90, например 1 или 0,5");
    }
    if (o.quizDecimal) {
        if (*o.quizDecimal != "comma" && *o.quizDecimal != "point") {
            return Hint("--quiz-decimal: comma или point");
        }
        request.quizDecimalComma = *o.quizDecimal == "comma";
    }
    return {};
}

}  // namespace

Outcome<ClassSetRequest> ClassSetRequestFrom(const CliOptions& o) {
    if (const Step checked = CheckSetOptions(o); !checked) {
        return checked.Error();
    }
    ClassSetRequest request;
    request.outDir = *o.classSet;
    request.base.input = o.params;
    request.base.precision = o.precision;
    request.base.title = o.taskTitle;
    if (o.variants) {
        if (o.count || o.seed || !o.vary.empty()) {
            return Hint("--variants берёт варианты из таблицы; уберите --count, --seed и --vary");
        }
        request.tablePath = *o.variants;
    } else if (const Step drawn = ReadRandomVariants(o, request); !drawn) {
        return drawn.Error();
    }
    if (o.keyFields) {
        const Outcome<std::vector<int>> fields = KeyFields(*o.keyFields);
        if (!fields) {
            return fields.Error();
        }
        request.keyFields = *fields;
    }
    if (const Step quiz = ReadQuizOptions(o, request); !quiz) {
        return quiz.Error();
    }
    return request;
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
