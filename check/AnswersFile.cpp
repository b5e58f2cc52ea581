#include "check/AnswersFile.h"

#include "fileio/ReadInputFile.h"
#include "fileio/ReplaceFile.h"
#include "solver/Text.h"
#include "task/JsonFile.h"

namespace vornik {

namespace {

// Why a file is refused, carried to ReadAnswers' caller.
struct Refused {
    std::string why;
};

using Json = FileJson;

std::string Text(const Json& object, const char* name) {
    const auto it = object.find(name);
    if (it == object.end() || it->is_null()) {
        return {};
    }
    if (!it->is_string()) {
        throw Refused{std::string("«") + name + "» должен быть строкой"};
    }
    return it->get<std::string>();
}

std::vector<AnswerEntry> ReadAnswerMembers(const Json& answers) {
    if (!answers.is_object()) {
        throw Refused{"«answers» должен быть объектом: режим → {величина: ответ}"};
    }
    std::vector<AnswerEntry> out;
    for (const auto& [mode, quantities] : answers.items()) {
        if (!quantities.is_object()) {
            throw Refused{"«answers." + mode + "» должен быть объектом: величина → ответ"};
        }
        for (const auto& [quantity, text] : quantities.items()) {
            if (!text.is_string()) {
                throw Refused{"«answers." + mode + "." + quantity + "» должен быть строкой"};
            }
            out.push_back({mode, quantity, text.get<std::string>()});
        }
    }
    return out;
}

void ReadRevealed(const Json& revealed, AnswersFile& out) {
    if (!revealed.is_object()) {
        throw Refused{"«revealed» должен быть объектом"};
    }
    if (const auto solution = revealed.find("solution"); solution != revealed.end()) {
        if (!solution->is_boolean()) {
            throw Refused{"«revealed.solution» должен быть true или false"};
        }
        out.solutionRevealed = solution->get<bool>();
    }
    if (const auto sections = revealed.find("sections"); sections != revealed.end()) {
        if (!sections->is_array()) {
            throw Refused{"«revealed.sections» должен быть списком"};
        }
        for (const Json& s : *sections) {
            if (!s.is_object()) {
                throw Refused{"«revealed.sections» должен быть списком объектов {mode, section}"};
            }
            out.revealed.push_back({Text(s, "mode"), Text(s, "section")});
        }
    }
}

// A cell without its surrounding spaces, and without the quotes a spreadsheet puts round a cell
// holding commas ("" inside stands for one quote).
std::string Cell(std::string_view cell) {
    cell = TrimmedView(cell);
    if (cell.size() < 2 || cell.front() != '"' || cell.back() != '"') {
        return std::string(cell);
    }
    std::string out;
    for (size_t k = 1; k + 1 < cell.size(); ++k) {
        out += cell[k];
        k += cell[k] == '"' && cell[k + 1] == '"' ? 1 : 0;
    }
    return out;
}

}  // namespace

AnswersReadResult ReadAnswers(std::string_view bytes, FieldLimits limits) {
    try {
        // A task inside, answers beside it: deeper nesting than that is refused.
        const Outcome<Json> parsed =
            ParseJsonFile(bytes, {kAnswersMaxBytes, 64, "это не файл ответов", false});
        if (!parsed) {
            throw Refused{parsed.Error().message};
        }
        const Json& file = *parsed;
        if (!file.is_object() || !file.contains("format") || file["format"] != kAnswersFormat) {
            throw Refused{"это не файл ответов (нет «\"format\": \"vornik-answers\"»)"};
        }
        if (const auto version = file.find("version"); version != file.end()) {
            if (!version->is_number_integer() || version->get<long long>() < 1) {
                throw Refused{"«version» должен быть целым числом от 1"};
            }
        }
        const auto task = file.find("task");
        if (task == file.end() || !task->is_object()) {
            throw Refused{"в файле нет задачи («task»)"};
        }
        AnswersFile out;
        const TaskReadResult read =
            ReadTask(task->dump(-1, ' ', false, Json::error_handler_t::replace), limits);
        if (!read) {
            throw Refused{"задача в файле не читается: " + read.Error().message};
        }
        out.task = read->task;
        out.student = Text(file, "student");
        out.group = Text(file, "group");
        out.saved = Text(file, "saved");
        if (const auto answers = file.find("answers"); answers != file.end()) {
            out.answers = ReadAnswerMembers(*answers);
        }
        if (const auto revealed = file.find("revealed"); revealed != file.end()) {
            ReadRevealed(*revealed, out);
        }
        return out;
    } catch (const Refused& refused) {
        return Failure{refused.why, ""};
    }
}

std::string WriteAnswers(const AnswersFile& file) {
    Json out;
    out["format"] = kAnswersFormat;
    out["version"] = kAnswersVersion;
    // Parsed from a string view, as the readers parse: the web core then holds one parser.
    const std::string task = WriteTask(file.task);
    const std::string_view taskText(task);
    out["task"] = Json::parse(taskText.begin(), taskText.end());
    out["student"] = file.student;
    out["group"] = file.group;
    Json answers = Json::object();
    for (const AnswerEntry& a : file.answers) {
        answers[a.mode][a.quantity] = a.text;
    }
    out["answers"] = std::move(answers);
    Json sections = Json::array();
    for (const RevealedSection& s : file.revealed) {
        sections.push_back({{"mode", s.mode}, {"section", s.section}});
    }
    out["revealed"] = {{"sections", std::move(sections)}, {"solution", file.solutionRevealed}};
    out["saved"] = file.saved;
    return out.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

AnswersReadResult LoadAnswers(const std::string& path, FieldLimits limits) {
    const Outcome<std::string> bytes = ReadInputFile(path, kAnswersMaxBytes);
    if (!bytes) {
        return bytes.Error();
    }
    return ReadAnswers(*bytes, limits);
}

void SaveAnswers(const std::string& path, const AnswersFile& file) {
    ReplaceFile(path, WriteAnswers(file));
}

std::string SavedTimeText(std::time_t when) {
    std::tm utc{};
    gmtime_r(&when, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string AnswersErrorMessage(const std::string& fileName, const std::string& error) {
    return "Не удалось открыть ответы \"" + fileName + "\": " + error + ".";
}

AnswersTableResult ReadAnswersTable(std::string_view text) {
    std::vector<AnswerEntry> out;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    // A spreadsheet set to a decimal comma separates cells with semicolons: the first row tells.
    const std::string_view first = text.substr(0, text.find('\n'));
    const char separator = first.find(';') < first.find(',') ? ';' : ',';
    int row = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++row;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        const size_t one = line.find(separator);
        const size_t two = one == std::string_view::npos ? one : line.find(separator, one + 1);
        if (two == std::string_view::npos) {
            return Failure{"строка " + std::to_string(row) + ": нужны три поля: режим" + separator +
                               "величина" + separator + "ответ",
                           ""};
        }
        AnswerEntry entry{Cell(line.substr(0, one)), Cell(line.substr(one + 1, two - one - 1)),
                          Cell(line.substr(two + 1))};
        if (row == 1 && entry.mode == "mode" && entry.quantity == "quantity") {
            continue;  // the header
        }
        out.push_back(std::move(entry));
    }
    return out;
}

}  // namespace vornik
