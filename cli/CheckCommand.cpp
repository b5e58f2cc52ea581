#include "cli/CheckCommand.h"

#include "check/AnswersFile.h"
#include "check/CheckJson.h"
#include "check/Marking.h"
#include "fileio/ReadInputFile.h"
#include "json/Json.h"

namespace vornik {

namespace {

// An answers file is JSON: its first character (after a byte order mark and spaces) is a brace.
bool LooksLikeJson(const std::string& bytes) {
    const size_t from = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const size_t first = bytes.find_first_not_of(" \t\r\n", from);
    return first != std::string::npos && bytes[first] == '{';
}

std::string MarkLine(const Mark& m) {
    std::string line = "  " + m.label + (m.unit.empty() ? "" : ", " + m.unit) + ": " +
                       (m.answer.empty() ? "" : m.answer + " ") + "— " + VerdictName(m.verdict);
    const std::string step = m.section.empty() ? "" : " (шаг " + m.section + ")";
    if (m.verdict == Verdict::Mistake) {
        line += " «" + std::string(MistakeOf(m.mistake).name) + "»" + step + ": " +
                std::string(MistakeOf(m.mistake).explanation);
    } else if (m.verdict == Verdict::Wrong) {
        line += step;
    } else if (!m.hint.empty()) {
        line += ": " + m.hint;
    }
    return line;
}

std::string ScoreLine(const std::string& head, int right, int carried, int total) {
    return head + std::to_string(right + carried) + " из " + std::to_string(total) + " (верно " +
           std::to_string(right) + ", верно с учётом ошибки выше " + std::to_string(carried) + ")";
}

std::string MarksText(const AnswerSheet& sheet, const Marks& marks) {
    std::string out;
    size_t next = 0;
    for (size_t k = 0; k < sheet.modes.size(); ++k) {
        const SheetMode& mode = sheet.modes[k];
        out += mode.mode.caption + " (" + mode.mode.name + ")\n";
        for (; next < marks.answers.size() && marks.answers[next].mode == mode.mode.name; ++next) {
            out += MarkLine(marks.answers[next]) + "\n";
        }
        const ModeScore& s = marks.modes[k];
        out += ScoreLine("  Итого: ", s.right, s.carried, s.total) + "\n\n";
    }
    out += ScoreLine("Всего: ", marks.right, marks.carried, marks.total) + "\n";
    return out;
}

}  // namespace

CheckOutcome RunCheck(const CliOptions& options) {
    const std::string& path = *options.check;
    const Outcome<std::string> bytes = ReadInputFile(path, kAnswersMaxBytes);
    if (!bytes) {
        return CheckFailure{AnswersErrorMessage(path, bytes.Error().message), {}};
    }
    TaskValues task{options.taskTitle, options.params, options.precision};
    std::vector<AnswerEntry> answers;
    std::vector<std::string> warnings;
    if (LooksLikeJson(*bytes)) {
        const AnswersReadResult read = ReadAnswers(*bytes);
        if (!read) {
            return CheckFailure{AnswersErrorMessage(path, read.Error().message), {}};
        }
        answers = read->answers;
        const TaskValues own{read->task.title, read->task.input, read->task.precision};
        if (!options.taskGiven) {
            task = own;
        } else if (!SameExercise(task, own)) {
            warnings.push_back("в файле ответов \"" + path +
                               "\" другая задача; ответы проверены по заданной");
        }
    } else {
        const AnswersTableResult read = ReadAnswersTable(*bytes);
        if (!read) {
            return CheckFailure{AnswersErrorMessage(path, read.Error().message), {}};
        }
        answers = *read;
    }
    const AnswerSheet sheet = MakeAnswerSheet(task);
    if (!sheet.completed) {
        return CheckFailure{"расчёт задачи не доходит до конца: " + sheet.message, std::move(warnings)};
    }
    const Marks marks = MarkAnswers(sheet, answers);
    for (const std::string& unknown : marks.unknown) {
        warnings.push_back("в задаче нет такого режима или величины: " + unknown);
    }
    return CheckMade{options.json ? JsonText(MarksJson(marks)) + "\n" : MarksText(sheet, marks),
                     std::move(warnings)};
}

}  // namespace vornik
