#include "classset/ClassSet.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "classset/AnswerKey.h"
#include "classset/Plural.h"
#include "classset/QuizExport.h"
#include "classset/RecordFieldNames.h"
#include "classset/TaskSheet.h"
#include "classset/VariantTable.h"
#include "fileio/ReadInputFile.h"
#include "fileio/ReplaceFile.h"
#include "fileio/SystemErrorText.h"
#include "fileio/WriteFolder.h"
#include "solver/Text.h"
#include "task/TaskFile.h"

namespace vornik {

namespace fs = std::filesystem;

namespace {

// What stops the making of a set, caught in MakeClassSet and told in its outcome.
struct SetStopped : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Cancelled : SetStopped {
    Cancelled() : SetStopped("прервано") {}
};

// The steps of the work as the progress callback sees them; a step the callback refuses throws
// Cancelled, which removes whatever was written on its way out.
class Steps {
  public:
    explicit Steps(const ClassSetProgress& progress) : progress_(progress) {}
    void SetTotal(int total) { total_ = total; }
    // Counts a step; false when the callback refuses to go on.
    bool Next() {
        ++done_;
        return !progress_ || progress_(done_, total_);
    }
    void Done() {
        if (!Next()) {
            throw Cancelled();
        }
    }
    // The set is in place: the last step, which can no longer be undone.
    void Finished() const {
        if (progress_) {
            progress_(total_, total_);
        }
    }

  private:
    const ClassSetProgress& progress_;
    int done_ = 0;
    int total_ = 0;
};

std::string ReadTable(const std::string& path) {
    InputFile file = ReadInputFile(path, kMaxTableBytes);
    if (file.error != 0 || file.notRegular) {
        throw SetStopped(path + ": " + InputFileProblem(file));
    }
    if (file.bytes.size() > kMaxTableBytes) {
        throw SetStopped(path + ": файл больше " + std::to_string(kMaxTableBytes >> 20) +
                         " МиБ, это не таблица вариантов");
    }
    return std::move(file.bytes);
}

// The folder must be new or empty: a set never replaces files a teacher may still need.
void CheckOutDir(const fs::path& dir) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(dir, ec);
    if (status.type() == fs::file_type::not_found) {
        return;
    }
    if (ec) {
        // A folder above that cannot be searched: the system's reason, not a guess.
        throw SetStopped(dir.string() + ": " + SystemErrorText(ec.value()));
    }
    if (status.type() != fs::file_type::directory) {
        throw SetStopped(dir.string() + ": уже есть и это не папка");
    }
    if (!fs::is_empty(dir, ec) || ec) {
        throw SetStopped(dir.string() + ": папка уже есть и не пуста; выберите новую");
    }
}

std::string Summary(const ClassSetRequest& request, const std::string& setName,
                    const std::vector<SetEntry>& entries, const DrawResult* draw, int keyRows,
                    const std::vector<std::string>& files) {
    std::string s = "Набор вариантов: " + setName + "\n";
    s += "Вариантов: " + std::to_string(entries.size()) + "\n";
    s += "Строк ключа (key.csv): " + std::to_string(keyRows) + "\n";
    std::map<std::string, int> modes;
    std::vector<std::string> order;
    for (const SetEntry& e : entries) {
        for (const ComputedMode& m : e.run->modes) {
            if (modes[m.name]++ == 0) {
                order.push_back(m.name);
            }
        }
    }
    s += "Режимы:";
    for (const std::string& m : order) {
        s += " " + m + " " + std::to_string(modes[m]) + ";";
    }
    s.back() = '\n';
    if (request.tablePath) {
        s += "Варианты из таблицы: " + *request.tablePath + "\n";
    } else {
        s += "Случайные варианты: количество " + std::to_string(request.count) + ", зерно " +
             std::to_string(request.seed) + "\n";
        s += "Диапазоны:";
        for (const std::string& r : request.rangeTexts) {
            s += " " + r;
        }
        s += request.rangeTexts.empty() ? " нет\n" : "\n";
        s += "Выбраны заново: " + std::to_string(draw->stoppedRedraws) +
             " (расчёт остановился с сообщением), " + std::to_string(draw->duplicateRedraws) +
             " (повтор варианта)\n";
    }
    s += "Допуск ответов: " + PlainNumber(request.tolerancePercent) + " %, углов " +
         PlainNumber(request.angleToleranceDegrees) +
         "° (не меньше половины шага округления в решении); угол принимается и в записи ±360°\n";
    s += std::string("Десятичный разделитель в тесте: ") + (request.quizDecimalComma ? "запятая" : "точка") +
         "\n";
    s += "Величины ключа:";
    if (request.keyFields) {
        for (const int f : *request.keyFields) {
            // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a literal prepended.
            s += ' ';
            s += kFieldNames[f];
        }
        s += "\n";
    } else {
        s += " по умолчанию (токи, U0, ток нулевого провода, P, Q)\n";
    }
    s += "Файлы:";
    for (const std::string& f : files) {
        s += " " + f;
    }
    s += "\nКоманда: " + request.command + "\n";
    return s;
}

// `steps` counts each file written; a step the progress callback refuses stops the writing, and
// nothing is left.
void WriteFolder(const fs::path& outDir, const FolderFiles& files, Steps& steps) {
    try {
        vornik::WriteFolder(outDir.string(), files, [&steps] { return steps.Next(); });
    } catch (const FileWriteError& e) {
        if (e.Code() == ECANCELED) {
            throw Cancelled();
        }
        // Filled meanwhile: the same words as the check before computing.
        if (e.Code() == ENOTEMPTY || e.Code() == EEXIST) {
            throw SetStopped(outDir.string() + ": папка уже есть и не пуста; выберите новую");
        }
        throw;
    }
}

}  // namespace

std::vector<std::vector<std::string>> KeyPages(const std::vector<SetEntry>& entries, int linesPerPage,
                                               int charsPerLine) {
    std::vector<std::vector<std::string>> pages;
    int used = 0;
    for (const SetEntry& e : entries) {
        std::vector<std::string> block = {
            "Вариант " + e.stem + (e.variant->task.title.empty() ? "" : ". " + e.variant->task.title)};
        for (const ComputedMode& mode : e.run->modes) {
            std::string line = mode.caption + " (" + mode.name + "):";
            bool first = true;
            for (const KeyRow& row : e.run->key) {
                if (row.mode != mode.name) {
                    continue;
                }
                line += std::string(first ? " " : "; ") + row.label + " = " + row.shown +
                        (row.angle ? row.unit : " " + row.unit);
                first = false;
            }
            block.push_back(line);
        }
        int lines = 1;  // the blank line under the block
        for (const std::string& line : block) {
            lines += std::max(1, (static_cast<int>(Utf8Characters(line)) + charsPerLine - 1) / charsPerLine);
        }
        if (pages.empty() || (used > 0 && used + lines > linesPerPage)) {
            pages.emplace_back();
            used = 0;
        }
        pages.back().insert(pages.back().end(), block.begin(), block.end());
        pages.back().emplace_back();
        used += lines;
    }
    return pages;
}

std::string KeyCsv(const std::vector<SetEntry>& entries) {
    std::string out = "variant,mode,quantity,label,unit,shown,value\r\n";
    for (const SetEntry& e : entries) {
        for (const KeyRow& row : e.run->key) {
            out += CsvTextCell(e.stem) + ',' + row.mode + ',' + std::string(kFieldNames[row.field]) + ',' +
                   CsvTextCell(row.label) + ',' + CsvTextCell(row.unit) + ',' + CsvCell(row.shown) + ',' +
                   CsvCell(ExactText(row.answer)) + "\r\n";
        }
    }
    return out;
}

namespace {

// The set's folder: the name as given without a slash at its end ("group/" is the folder group;
// no other shortening: "link/../set" is the folder the kernel finds, beside the link's target),
// new or empty.
fs::path SetFolder(const std::string& given) {
    std::string outText = given;
    while (outText.size() > 1 && outText.ends_with('/')) {
        outText.pop_back();
    }
    const fs::path outDir = outText;
    if (outDir.filename().empty() || outDir.filename() == "." || outDir.filename() == "..") {
        throw SetStopped(given + ": нужно имя папки набора");
    }
    CheckOutDir(outDir);
    return outDir;
}

// The variants of the table, or else drawn at random (`draw` then tells how they were drawn).
std::vector<Variant> SetVariants(const ClassSetRequest& request, DrawResult& draw) {
    if (request.tablePath) {
        TableResult table = ReadVariantTable(ReadTable(*request.tablePath), request.base);
        if (!table) {
            throw SetStopped(*request.tablePath + ": " + TableErrorMessage(table.Error()));
        }
        return std::move(*table);
    }
    draw = DrawVariants(request.base, request.count, request.seed, request.ranges, VariantRuns);
    if (!draw.error.empty()) {
        throw SetStopped(draw.error);
    }
    return draw.variants;
}

// Each variant run as the execute command runs it; a run that stops stops the set.
std::vector<VariantRun> RunVariants(const ClassSetRequest& request, const std::vector<Variant>& variants,
                                    Steps& steps) {
    std::vector<VariantRun> runs;
    runs.reserve(variants.size());
    for (const Variant& v : variants) {
        runs.push_back(RunVariant(v.task, request.keyFields));
        if (!runs.back().completed) {
            throw SetStopped(
                (request.tablePath ? *request.tablePath + ": строка " + std::to_string(v.row) + ", "
                                   : std::string()) +
                "вариант " + v.name + ": расчёт остановлен: " + runs.back().message.value_or(""));
        }
        steps.Done();
    }
    return runs;
}

// The files of the set and how the summary lists them.
struct SetFiles {
    FolderFiles files;
    std::vector<std::string> names;
};

std::string HeadingOf(const TaskValues& task, const std::string& stem) {
    return task.title.empty() ? "Вариант " + stem : task.title;
}

// "01.vornik … 30.vornik": the first and last of a numbered series of files.
std::string SeriesName(const std::vector<std::string>& stems, const std::string& suffix) {
    return stems.front() + suffix + (stems.size() > 1 ? " … " + stems.back() + suffix : "");
}

// The task of each variant, as the desktop program, vornik-cli --task and the page open it.
void AddTaskFiles(const std::vector<SetEntry>& entries, const std::vector<std::string>& stems,
                  SetFiles& set) {
    for (const SetEntry& e : entries) {
        const TaskValues& t = e.variant->task;
        set.files.push_back(
            {e.stem + kTaskExtension, WriteTask(TaskFile{HeadingOf(t, e.stem), "", t.input, t.precision})});
    }
    set.names.push_back(SeriesName(stems, kTaskExtension));
}

// The sheets, the worked solutions and the key as PDF; a PDF that cannot be made stops the set
// like any other file.
void AddPdfs(const ClassSetRequest& request, const std::string& setName, const std::vector<SetEntry>& entries,
             const std::vector<std::string>& stems, Steps& steps, SetFiles& set) {
    for (const SetEntry& e : entries) {
        std::vector<std::string> sheet = TaskSheetLines(e.stem, *e.variant);
        for (std::string& line : TaskSheetQuantities(*e.run)) {
            sheet.push_back(std::move(line));
        }
        set.files.push_back({e.stem + "-task.pdf", request.pdfs->TaskSheet(sheet)});
        steps.Done();
        const TaskValues& t = e.variant->task;
        set.files.push_back(
            {e.stem + "-solution.pdf", request.pdfs->Solution(t, HeadingOf(t, e.stem), *e.run)});
        steps.Done();
    }
    const auto pages = KeyPages(entries);
    const std::vector<std::string> title = {
        "Ключ ответов: " + setName,
        "Вариантов: " + std::to_string(entries.size()) + ", страниц ключа: " + std::to_string(pages.size()),
        request.date};
    set.files.push_back({"key.pdf", request.pdfs->Key(title, pages)});
    steps.Done();
    set.names.push_back(SeriesName(stems, "-task.pdf"));
    set.names.push_back(SeriesName(stems, "-solution.pdf"));
    set.names.push_back(
        "key.pdf (" + Counted(static_cast<long long>(pages.size()), "страница", "страницы", "страниц") + ")");
}

// Every file of the set: the four tables, a task per variant, the PDFs if any, the summary.
FolderFiles SetFolderFiles(const ClassSetRequest& request, const std::string& setName,
                           const std::vector<Variant>& variants, const std::vector<SetEntry>& entries,
                           const std::vector<std::string>& stems, const DrawResult& draw, int keyRows,
                           Steps& steps) {
    const QuizOptions quiz{request.tolerancePercent, request.angleToleranceDegrees, request.quizDecimalComma};
    SetFiles set;
    set.files = {
        {"variants.csv", VariantTableText(variants, stems)},
        {"key.csv", KeyCsv(entries)},
        {"moodle.xml", MoodleXml(setName, entries, quiz)},
        {"gift.txt", GiftText(setName, entries, quiz)},
    };
    for (const auto& f : set.files) {
        set.names.push_back(f.first);
    }
    AddTaskFiles(entries, stems, set);
    if (request.pdfs) {
        AddPdfs(request, setName, entries, stems, steps, set);
    } else {
        set.names.push_back(
            "(PDF нет: " + (request.pdfsMissing.empty() ? std::string("не заказаны") : request.pdfsMissing) +
            ")");
    }
    set.names.push_back("summary.txt");
    set.files.push_back({"summary.txt", Summary(request, setName, entries,
                                                request.tablePath ? nullptr : &draw, keyRows, set.names)});
    return std::move(set.files);
}

}  // namespace

ClassSetOutcome MakeClassSet(const ClassSetRequest& request, const ClassSetProgress& progress) {
    Steps steps(progress);
    try {
        const fs::path outDir = SetFolder(request.outDir);
        DrawResult draw;
        const std::vector<Variant> variants = SetVariants(request, draw);
        const std::vector<std::string> stems = VariantFileStems(variants);
        const int total = static_cast<int>(variants.size());
        // Each variant computed, each PDF made (a sheet and a solution per variant, the key), each
        // file written (the four tables, a task per variant, the PDFs, the summary), the rename.
        const int pdfFiles = request.pdfs ? 2 * total + 1 : 0;
        const int folderFiles = 4 + total + pdfFiles + 1;
        steps.SetTotal(total + pdfFiles + folderFiles + 1);
        const std::vector<VariantRun> runs = RunVariants(request, variants, steps);
        std::vector<SetEntry> entries;
        int keyRows = 0;
        for (int k = 0; k < total; ++k) {
            entries.push_back({&variants[k], stems[k], &runs[k]});
            keyRows += static_cast<int>(runs[k].key.size());
        }
        const std::string setName = outDir.filename().string();
        WriteFolder(outDir, SetFolderFiles(request, setName, variants, entries, stems, draw, keyRows, steps),
                    steps);
        steps.Finished();

        return ClassSetMade{outDir.string() + ": " + Counted(total, "вариант", "варианта", "вариантов") +
                                ", " + Counted(keyRows, "строка", "строки", "строк") + " ключа",
                            total, keyRows};
    } catch (const Cancelled& e) {
        return ClassSetFailure{e.what(), true};
    } catch (const std::exception& e) {
        return ClassSetFailure{e.what(), false};
    }
}

}  // namespace vornik
