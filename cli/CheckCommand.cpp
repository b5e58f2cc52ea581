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
    CheckOutcome outcome;
    const std::string& path = *options.check;
    const InputFile file = ReadInputFile(path, kAnswersMaxBytes);
    if (file.error != 0 || file.notRegular) {
        outcome.error = AnswersErrorMessage(path, InputFileProblem(file));
        return outcome;
    }
    TaskValues task{options.taskTitle, options.params, options.precision};
    std::vector<AnswerEntry> answers;
    if (LooksLikeJson(file.bytes)) {
        const AnswersReadResult read = ReadAnswers(file.bytes);
        if (!read.file) {
            outcome.error = AnswersErrorMessage(path, read.error);
            return outcome;
        }
        answers = read.file->answers;
        const TaskValues own{read.file->task.title, read.file->task.input, read.file->task.precision};
        if (!options.taskGiven) {
            task = own;
        } else if (!SameExercise(task, own)) {
            outcome.warnings.push_back("the answers file \"" + path +
                                       "\" holds another task; its answers are marked against the given one");
        }
    } else {
        const AnswersTableResult read = ReadAnswersTable(file.bytes);
        if (!read.answers) {
            outcome.error = AnswersErrorMessage(path, read.error);
            return outcome;
        }
        answers = *read.answers;
    }
    const AnswerSheet sheet = MakeAnswerSheet(task);
    if (!sheet.completed) {
        outcome.error = "the task does not run: " + sheet.message;
        return outcome;
    }
    const Marks marks = MarkAnswers(sheet, answers);
    for (const std::string& unknown : marks.unknown) {
        outcome.warnings.push_back("no such mode and quantity in the task: " + unknown);
    }
    outcome.read = true;
    outcome.output = options.json ? JsonText(MarksJson(marks)) + "\n" : MarksText(sheet, marks);
    return outcome;
}

}  // namespace vornik
