#include "check/AnswerSheet.h"

#include <cctype>

#include "classset/RecordFieldNames.h"

namespace vornik {

namespace {

// The line each emergency mode's worked solution opens with, star and delta.
bool OpensMode(const std::string& line) {
    return line == "РАБОТА В АВАРИЙНОМ РЕЖИМЕ" || line == "АВАРИЙНЫЙ РЕЖИМ РАБОТЫ";
}

// The report cut into the computed modes' parts, in run order.
std::vector<std::vector<std::string>> ModeParts(const std::vector<std::string>& report) {
    std::vector<std::vector<std::string>> parts(1);
    for (const std::string& line : report) {
        if (OpensMode(line)) {
            parts.emplace_back();
        }
        parts.back().push_back(line);
    }
    return parts;
}

// The number a line opens its section with ("5" of "5. Токи фазные…"), or empty.
std::string SectionNumber(const std::string& line) {
    size_t k = 0;
    while (k < line.size() && std::isdigit(static_cast<unsigned char>(line[k]))) {
        ++k;
    }
    return k > 0 && line.compare(k, 2, ". ") == 0 ? line.substr(0, k) : std::string();
}

// The section a line of a mode's part opens: its number, or, in a part without numbered
// sections (a delta load phase break), its heading without the colon ("Линейные токи").
std::string SectionOf(const std::string& line, bool numbered) {
    if (numbered) {
        return SectionNumber(line);
    }
    const bool heading = line.size() > 1 && line.back() == ':' && line.find('=') == std::string::npos &&
                         line.find('"') == std::string::npos;
    return heading ? line.substr(0, line.size() - 1) : std::string();
}

bool Numbered(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (!SectionNumber(line).empty()) {
            return true;
        }
    }
    return false;
}

// Whether `line` defines `name`: "Ia=…", "Ua` =…", "    Pa= …", "P= … Q= …".
bool Defines(const std::string& line, const std::string& name) {
    for (size_t at = line.find(name); at != std::string::npos; at = line.find(name, at + 1)) {
        if (at > 0 && line[at - 1] != ' ') {
            continue;
        }
        const size_t after = at + name.size();
        if (line.compare(after, 1, "=") == 0 || line.compare(after, 2, " =") == 0) {
            return true;
        }
    }
    return false;
}

// The name the worked solution writes a quantity under: its label without "угол ", "Re ",
// "Im "; the shorted phase of a star is written with "шунт" for its letter.
std::vector<std::string> WrittenNames(const KeyRow& key, const ComputedMode& mode) {
    std::string name = key.label;
    for (const char* prefix : {"угол ", "Re ", "Im "}) {
        if (name.starts_with(prefix)) {
            name = name.substr(std::string(prefix).size());
        }
    }
    std::vector<std::string> names = {name};
    if (mode.of.star && mode.of.kind == ModeKind::PhaseFault && name.size() >= 2 &&
        name[1] == "abc"[mode.of.phase]) {
        names.push_back(name.substr(0, 1) + "шунт" + name.substr(2));
    }
    return names;
}

std::string SectionOfQuantity(const std::vector<std::string>& lines, const KeyRow& key,
                              const ComputedMode& mode) {
    const bool numbered = Numbered(lines);
    for (const std::string& name : WrittenNames(key, mode)) {
        std::string section;
        for (const std::string& line : lines) {
            const std::string opens = SectionOf(line, numbered);
            section = opens.empty() ? section : opens;
            if (Defines(line, name)) {
                return section;
            }
        }
    }
    return {};
}

bool Modulus(const KeyRow& key) {
    if (key.angle) {
        return false;
    }
    for (const char* signed_ : {"Re ", "Im ", "R", "X", "P", "Q"}) {
        if (key.label.starts_with(signed_)) {
            return false;
        }
    }
    return true;
}

// P of loads without negative resistances cannot be negative.
bool PowerNonNegative(const SolutionRecord& slot, const ModeOfRun& mode) {
    const int n = mode.star && mode.kind == ModeKind::LineBreak ? 2 : 3;
    for (int k = 0; k < n; ++k) {
        if (!(slot[Ra + kBranchStride * k] >= 0)) {
            return false;
        }
    }
    return true;
}

}  // namespace

const SheetMode* AnswerSheet::Mode(const std::string& name) const {
    for (const SheetMode& m : modes) {
        if (m.mode.name == name) {
            return &m;
        }
    }
    return nullptr;
}

AnswerSheet MakeAnswerSheet(const TaskValues& task, const SheetOptions& options) {
    AnswerSheet sheet;
    sheet.task = task;
    sheet.tolerance = options.tolerance;
    sheet.neutral = task.input.star && task.input.Checked(kNeutralWire);
    VariantRun run = RunVariant(task, options.fields);
    sheet.completed = run.completed;
    sheet.message = run.message.value_or("");
    sheet.state = run.state;
    sheet.report = run.report;
    if (!run.completed) {
        return sheet;
    }
    std::vector<std::vector<std::string>> parts = ModeParts(run.report);
    parts.resize(run.modes.size());
    for (size_t m = 0; m < run.modes.size(); ++m) {
        SheetMode mode{run.modes[m], {}, parts[m]};
        for (const KeyRow& key : run.key) {
            if (key.mode != mode.mode.name) {
                continue;
            }
            SheetQuantity q;
            q.key = key;
            q.quantity = std::string(kFieldNames[key.field]);
            q.nonNegative =
                Modulus(key) ||
                (key.field == PTotal && PowerNonNegative(run.state.modeSlots[mode.mode.slot], mode.mode.of));
            q.tolerance = AnswerTolerance(key, options.tolerance);
            q.section = SectionOfQuantity(mode.lines, key, mode.mode);
            mode.quantities.push_back(std::move(q));
        }
        sheet.modes.push_back(std::move(mode));
    }
    return sheet;
}

std::vector<std::string> SectionLines(const AnswerSheet& sheet, const std::string& mode,
                                      const std::string& section) {
    const SheetMode* m = sheet.Mode(mode);
    std::vector<std::string> out;
    if (m == nullptr || section.empty()) {
        return out;
    }
    const bool numbered = Numbered(m->lines);
    bool inside = false;
    for (const std::string& line : m->lines) {
        const std::string opens = SectionOf(line, numbered);
        inside = opens.empty() ? inside : opens == section;
        if (inside) {
            out.push_back(line);
        }
    }
    while (!out.empty() && out.back().empty()) {
        out.pop_back();
    }
    return out;
}

}  // namespace vornik
