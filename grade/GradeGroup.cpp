#include "grade/GradeGroup.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#include "check/AnswerSheet.h"
#include "classset/Plural.h"
#include "fileio/FolderWork.h"
#include "fileio/SystemErrorText.h"
#include "report/RtfDocument.h"
#include "solver/Text.h"
#include "task/TaskFile.h"

namespace vornik {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxStemChars = 60;

// What stops the marking, caught in GradeGroup and told in its outcome.
using GradeFailure = FolderWorkStopped;

struct SetVariant {
    std::string stem;  // "07"
    TaskValues task;
    std::unique_ptr<AnswerSheet> sheet;  // made when a student needs it
};

bool AllDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "7", "07" and "07.vornik" name one variant.
std::string VariantKey(std::string name) {
    if (name.ends_with(kTaskExtension)) {
        name.resize(name.size() - std::string_view(kTaskExtension).size());
    }
    if (AllDigits(name)) {
        const size_t first = name.find_first_not_of('0');
        return first == std::string::npos ? "0" : name.substr(first);
    }
    return name;
}

std::vector<SetVariant> ReadSet(const std::string& setDir, std::vector<Skipped>& skipped) {
    std::error_code ec;
    if (!fs::is_directory(setDir, ec)) {
        throw GradeFailure(setDir + ": это не папка набора вариантов");
    }
    std::vector<fs::path> files;
    for (fs::directory_iterator it(setDir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == kTaskExtension) {
            files.push_back(it->path());
        }
    }
    if (ec) {
        throw GradeFailure(setDir + ": папка не читается (" + SystemErrorText(ec.value()) + ")");
    }
    std::sort(files.begin(), files.end());
    std::vector<SetVariant> set;
    for (const fs::path& p : files) {
        const std::string name = p.filename().string();
        const TaskReadResult read = LoadTask(p.string(), FieldLimits::None);
        if (!read) {
            skipped.push_back({TaskErrorMessage(name, read.Error().message)});
            continue;
        }
        SetVariant v;
        v.stem = p.stem().string();
        v.task = {read->task.title, read->task.input, read->task.precision};
        set.push_back(std::move(v));
    }
    if (set.empty()) {
        throw GradeFailure(setDir + ": в папке нет ни одного варианта (NN.vornik)");
    }
    return set;
}

// Where an answer stood, for a note: the place of the entry that gave `mark`.
std::string PlaceOf(const StudentAnswers& s, const Mark& mark) {
    for (size_t k = 0; k < s.answers.size(); ++k) {
        const AnswerEntry& e = s.answers[k];
        if (e.mode == mark.mode && (e.quantity == mark.quantity || e.quantity == mark.label) &&
            e.text == mark.answer) {
            return s.places[k];
        }
    }
    return s.source + ": " + mark.mode + " " + mark.label;
}

std::string Summary(const GradeRequest& request, const std::string& name, int variants, int students,
                    const std::vector<Skipped>& skipped, const std::vector<std::string>& notes,
                    const std::vector<std::string>& files) {
    std::string s = "Проверка работ группы: " + name + "\n";
    s += "Набор вариантов: " + request.setDir + " (" + Counted(variants, "вариант", "варианта", "вариантов") +
         ")\n";
    s += "Ответы: " + request.answersPath + "\n";
    s += "Проверено: " + Counted(students, "ученик", "ученика", "учеников") + "\n";
    if (request.scale.scale == 100) {
        s += "Шкала: 100 (оценка — доля верных ответов в процентах, округлённая)\n";
    } else {
        const auto& t = request.scale.thresholds;
        s += "Шкала: 5; пороги " + std::to_string(t[0]) + "," + std::to_string(t[1]) + "," +
             std::to_string(t[2]) + ": оценка 5 от " + std::to_string(t[2]) + " %, 4 от " +
             std::to_string(t[1]) + " %, 3 от " + std::to_string(t[0]) + " %, иначе 2\n";
    }
    s += "Засчитываются ответы «верно» и «верно с учётом ошибки выше»; допуск как в наборе вариантов "
         "(самопроверка)\n";
    s += "Пропущено: " + std::to_string(skipped.size()) + (skipped.empty() ? "\n" : "\n");
    for (const Skipped& k : skipped) {
        s += "  " + k.text + "\n";
    }
    if (!notes.empty()) {
        s += "Замечания (ответ не засчитан, ученик проверен):\n";
        for (const std::string& n : notes) {
            s += "  " + n + "\n";
        }
    }
    s += "Файлы:";
    for (const std::string& f : files) {
        s += " " + f;
    }
    s += "\n";
    if (!request.command.empty()) {
        s += "Команда: " + request.command + "\n";
    }
    // One line per item, whatever a name holds.
    for (char& c : s) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n') {
            c = ' ';
        }
    }
    return s;
}

std::u16string LowerCase(std::u16string text) {
    for (char16_t& c : text) {
        if ((c >= u'A' && c <= u'Z') || (c >= u'А' && c <= u'Я')) {
            c = static_cast<char16_t>(c + 0x20);
        } else if (c >= u'Ѐ' && c <= u'Џ') {
            c = static_cast<char16_t>(c + 0x50);
        }
    }
    return text;
}

}  // namespace

std::string FeedbackStem(const std::string& student, std::vector<std::u16string>& taken) {
    std::string stem;
    int characters = 0;
    for (const char c : student) {
        // The cut falls before a character, never inside one.
        if ((c & 0xC0) != 0x80 && characters++ == kMaxStemChars) {
            break;
        }
        const bool bad = std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos ||
                         static_cast<unsigned char>(c) < 0x20 || c == '\x7F';
        stem += bad ? '_' : c;
    }
    while (!stem.empty() && (stem.back() == '.' || stem.back() == ' ')) {
        stem.pop_back();
    }
    // No hidden file either: a leading dot hides a file on most systems.
    while (!stem.empty() && (stem.front() == ' ' || stem.front() == '.')) {
        stem.erase(0, 1);
    }
    if (stem.empty() || stem == "." || stem == "..") {
        stem = "ученик";
    }
    const std::u16string lower = LowerCase(Utf8ToUtf16(stem));
    const std::u16string base = lower.substr(0, lower.find(u'.'));
    const bool device = base == u"con" || base == u"prn" || base == u"aux" || base == u"nul" ||
                        (base.size() == 4 && (base.starts_with(u"com") || base.starts_with(u"lpt")) &&
                         base[3] >= u'1' && base[3] <= u'9');
    if (device) {
        stem = "_" + stem;
    }
    std::string unique = stem;
    for (int n = 2; std::find(taken.begin(), taken.end(), LowerCase(Utf8ToUtf16(unique))) != taken.end();
         ++n) {
        unique = stem + " (" + std::to_string(n) + ")";
    }
    taken.push_back(LowerCase(Utf8ToUtf16(unique)));
    return unique;
}

GradeOutcome GradeGroup(const GradeRequest& request, const ClassSetProgress& progress) {
    WorkSteps steps(progress);
    try {
        const fs::path outDir = NewWorkFolder(request.outDir, "нужно имя папки для результатов");

        std::vector<Skipped> skipped;
        std::vector<SetVariant> set = ReadSet(request.setDir, skipped);
        const GroupAnswersResult read = ReadGroupAnswers(request.answersPath);
        if (!read) {
            throw GradeFailure(read.Error().message);
        }
        const GroupAnswers& answers = *read;
        skipped.insert(skipped.end(), answers.skipped.begin(), answers.skipped.end());

        const int count = static_cast<int>(answers.students.size());
        // Each student marked, each PDF made, each file written (grades, group, summary, PDFs), the
        // rename; once the marking tells how many students have PDFs, the total is set again.
        steps.SetTotal(count + (request.pdfs ? 2 * (count + 1) : 0) + 3 + 1);

        std::vector<StudentGrade> grades;
        std::vector<const SetVariant*> variantOf;
        std::vector<std::string> notes;
        for (const StudentAnswers& s : answers.students) {
            SetVariant* found = nullptr;
            for (SetVariant& v : set) {
                if (s.task ? SameExercise(v.task, *s.task) : VariantKey(v.stem) == VariantKey(s.variant)) {
                    found = &v;
                    break;
                }
            }
            if (found == nullptr) {
                skipped.push_back({s.source + ": " +
                                   (s.task ? "задача файла не совпадает ни с одним вариантом набора"
                                           : "варианта «" + s.variant + "» нет в наборе (" + s.variant +
                                                 kTaskExtension + ")") +
                                   "; ученик «" + s.student + "» не проверен"});
                steps.Done();
                continue;
            }
            if (!found->sheet) {
                found->sheet = std::make_unique<AnswerSheet>(MakeAnswerSheet(found->task));
            }
            if (!found->sheet->completed) {
                skipped.push_back({s.source + ": расчёт варианта " + found->stem + " остановлен (" +
                                   found->sheet->message + "); ученик «" + s.student + "» не проверен"});
                steps.Done();
                continue;
            }
            Marks marks = MarkAnswers(*found->sheet, s.answers);
            for (const Mark& m : marks.answers) {
                if (!m.hint.empty()) {
                    notes.push_back(PlaceOf(s, m) + ": «" + m.answer + "» не прочитан: " + m.hint);
                }
            }
            for (const std::string& u : marks.unknown) {
                notes.push_back(s.source + ": " + u + ": в варианте " + found->stem +
                                " нет такой величины; ответ не проверен");
            }
            grades.push_back(GradeOf(s.student, found->stem, *found->sheet, std::move(marks), request.scale));
            variantOf.push_back(found);
            steps.Done();
        }
        if (grades.empty()) {
            throw GradeFailure(request.answersPath + ": ни одного ученика не удалось проверить" +
                               (skipped.empty() ? std::string() : " (" + skipped.front().text + ")"));
        }

        const int pdfFiles = request.pdfs ? static_cast<int>(grades.size()) + 1 : 0;
        steps.SetTotal(count + pdfFiles + 3 + pdfFiles + 1);
        const GroupFigures figures = FiguresOf(grades);
        FolderFiles files = {{"grades.csv", GradesCsv(grades)},
                             {"group.csv", GroupCsv(figures, request.scale)}};
        std::vector<std::string> names = {"grades.csv", "group.csv"};
        const std::string name = outDir.filename().string();
        if (request.pdfs) {
            std::vector<std::u16string> taken;
            for (size_t k = 0; k < grades.size(); ++k) {
                const std::string stem = FeedbackStem(grades[k].student, taken);
                files.push_back(
                    {stem + "-feedback.pdf",
                     request.pdfs->Feedback(FeedbackTitle(grades[k], request.date),
                                            FeedbackLines(grades[k], variantOf[k]->task, request.scale))});
                steps.Done();
            }
            files.push_back({"group.pdf", request.pdfs->Group({"Итоги группы: " + name, request.date},
                                                              GroupLines(grades, figures, request.scale),
                                                              GroupCharts(figures))});
            steps.Done();
            names.push_back("<ученик>-feedback.pdf (" +
                            Counted(static_cast<long long>(grades.size()), "ученик", "ученика", "учеников") +
                            ")");
            names.push_back("group.pdf");
        } else {
            names.push_back("(PDF нет: " +
                            (request.pdfsMissing.empty() ? std::string("не заказаны") : request.pdfsMissing) +
                            ")");
        }
        names.push_back("summary.txt");
        files.push_back({"summary.txt", Summary(request, name, static_cast<int>(set.size()),
                                                static_cast<int>(grades.size()), skipped, notes, names)});
        WriteWorkFolder(outDir, files, steps);
        steps.Finished();

        const int students = static_cast<int>(grades.size());
        return GradeMade{
            outDir.string() + ": проверено " + Counted(students, "ученик", "ученика", "учеников") +
                (skipped.empty() ? std::string()
                                 : ", пропущено " + std::to_string(skipped.size()) + " (см. summary.txt)"),
            students, static_cast<int>(skipped.size())};
    } catch (const std::exception& e) {
        return WorkFailureOf(e);
    }
}

}  // namespace vornik
