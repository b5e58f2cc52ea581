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
#include "classset/QuizExport.h"
#include "classset/RecordFieldNames.h"
#include "classset/TaskSheet.h"
#include "classset/VariantTable.h"
#include "fileio/ReplaceFile.h"
#include "task/TaskFile.h"

namespace vornik {

namespace fs = std::filesystem;

namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Cancelled : Failure {
    Cancelled() : Failure("прервано") {}
};

// The steps of the work as the progress callback sees them; a step the callback refuses throws
// Cancelled, which removes whatever was written on its way out.
class Steps {
  public:
    explicit Steps(const ClassSetProgress& progress) : progress_(progress) {}
    void SetTotal(int total) { total_ = total; }
    void Done() {
        ++done_;
        if (progress_ && !progress_(done_, total_)) {
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
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) {
        throw Failure(path + ": " + ec.message());
    }
    if (size > kMaxTableBytes) {
        throw Failure(path + ": файл больше " + std::to_string(kMaxTableBytes >> 20) +
                      " МиБ, это не таблица вариантов");
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        throw Failure(path + ": не удалось прочитать файл");
    }
    return bytes;
}

// The folder must be new or empty: a set never replaces files a teacher may still need.
void CheckOutDir(const fs::path& dir) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(dir, ec);
    if (status.type() == fs::file_type::not_found) {
        return;
    }
    if (status.type() != fs::file_type::directory) {
        throw Failure(dir.string() + ": уже есть и это не папка");
    }
    if (!fs::is_empty(dir, ec) || ec) {
        throw Failure(dir.string() + ": папка уже есть и не пуста; выберите новую");
    }
}

std::string Summary(const ClassSetRequest& request, const std::vector<SetEntry>& entries,
                    const DrawResult* draw, int keyRows, const std::vector<std::string>& files) {
    std::string s = "Набор вариантов: " + fs::path(request.outDir).filename().string() + "\n";
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
    s += "Допуск ответов: " + PlainNumber(request.tolerancePercent) +
         " % (не меньше половины шага округления в решении)\n";
    s += "Величины ключа:";
    if (request.keyFields) {
        for (const int f : *request.keyFields) {
            s += " " + std::string(kFieldNames[f]);
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

// `written` is called after each file; what it throws removes the staging folder too.
void WriteFolder(const fs::path& outDir, const std::vector<std::pair<std::string, std::string>>& files,
                 const std::function<void()>& written) {
    const fs::path parent = outDir.has_parent_path() ? outDir.parent_path() : fs::path(".");
    std::string pattern = (parent / ("." + outDir.filename().string() + ".tmp-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw Failure(parent.string() + ": " + std::strerror(errno));
    }
    const fs::path tmp = pattern;
    try {
        for (const auto& [name, bytes] : files) {
            ReplaceFile((tmp / name).string(), bytes);
            written();
        }
        // mkdtemp makes the folder private; the set gets the permissions of any new folder.
        const mode_t mask = umask(0);
        umask(mask);
        if (chmod(tmp.c_str(), 0777 & ~mask) != 0 || std::rename(tmp.c_str(), outDir.c_str()) != 0) {
            throw Failure(outDir.string() + ": " + std::strerror(errno));
        }
    } catch (...) {
        std::error_code ec;
        fs::remove_all(tmp, ec);
        throw;
    }
}

// Characters of UTF-8 text, for the length of a printed line.
int Characters(const std::string& text) {
    int n = 0;
    for (const unsigned char c : text) {
        n += (c & 0xC0) != 0x80;
    }
    return n;
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
                line += std::string(first ? " " : "; ") + (row.angle ? "угол " : "") + row.label + " = " +
                        row.shown +
                        (row.angle          ? "°"
                         : row.unit.empty() ? ""
                                            : " " + row.unit);
                first = false;
            }
            block.push_back(line);
        }
        int lines = 1;  // the blank line under the block
        for (const std::string& line : block) {
            lines += std::max(1, (Characters(line) + charsPerLine - 1) / charsPerLine);
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
    std::string out = "variant,mode,quantity,shown,value\r\n";
    for (const SetEntry& e : entries) {
        for (const KeyRow& row : e.run->key) {
            out += CsvCell(e.stem) + ',' + row.mode + ',' + std::string(kFieldNames[row.field]) + ',' +
                   CsvCell(row.shown) + ',' + CsvCell(ExactText(row.value)) + "\r\n";
        }
    }
    return out;
}

ClassSetOutcome MakeClassSet(const ClassSetRequest& request, const ClassSetProgress& progress) {
    ClassSetOutcome outcome;
    Steps steps(progress);
    try {
        fs::path outDir = fs::path(request.outDir).lexically_normal();
        if (outDir.filename().empty() && outDir.has_parent_path()) {
            outDir = outDir.parent_path();  // "group/" is the folder group
        }
        if (outDir.filename().empty() || outDir.filename() == "..") {
            throw Failure(request.outDir + ": нужно имя папки набора");
        }
        CheckOutDir(outDir);

        std::vector<Variant> variants;
        DrawResult draw;
        if (request.tablePath) {
            TableResult table = ReadVariantTable(ReadTable(*request.tablePath), request.base);
            if (table.error) {
                throw Failure(*request.tablePath + ": " + TableErrorMessage(*table.error));
            }
            variants = std::move(table.variants);
        } else {
            draw = DrawVariants(request.base, request.count, request.seed, request.ranges, VariantRuns);
            if (!draw.error.empty()) {
                throw Failure(draw.error);
            }
            variants = draw.variants;
        }

        const std::vector<std::string> stems = VariantFileStems(variants);
        std::vector<VariantRun> runs;
        runs.reserve(variants.size());
        const int total = static_cast<int>(variants.size());
        // Each variant computed, each PDF made (a sheet and a solution per variant, the key), each
        // file written (the four tables, a task per variant, the PDFs, the summary), the rename.
        const int pdfFiles = request.pdfs ? 2 * total + 1 : 0;
        const int folderFiles = 4 + total + pdfFiles + 1;
        steps.SetTotal(total + pdfFiles + folderFiles + 1);
        for (int k = 0; k < total; ++k) {
            runs.push_back(RunVariant(variants[k].task, request.keyFields));
            if (!runs.back().completed) {
                const Variant& v = variants[k];
                throw Failure(
                    (request.tablePath ? *request.tablePath + ": строка " + std::to_string(v.row) + ", "
                                       : std::string()) +
                    "вариант " + v.name + ": расчёт остановлен: " + runs.back().message.value_or(""));
            }
            steps.Done();
        }
        std::vector<SetEntry> entries;
        int keyRows = 0;
        for (int k = 0; k < total; ++k) {
            entries.push_back({&variants[k], stems[k], &runs[k]});
            keyRows += static_cast<int>(runs[k].key.size());
        }

        const std::string setName = outDir.filename().string();
        std::vector<std::pair<std::string, std::string>> files = {
            {"variants.csv", VariantTableText(variants, stems)},
            {"key.csv", KeyCsv(entries)},
            {"moodle.xml", MoodleXml(setName, entries, request.tolerancePercent)},
            {"gift.txt", GiftText(setName, entries, request.tolerancePercent)},
        };
        std::vector<std::string> names;
        for (const auto& f : files) {
            names.push_back(f.first);
        }
        // The task of each variant, as the desktop program, vornik-cli --task and the page open it.
        for (int k = 0; k < total; ++k) {
            const TaskValues& t = variants[k].task;
            const TaskFile task{t.title.empty() ? "Вариант " + stems[k] : t.title, "", t.input, t.precision};
            files.push_back({stems[k] + kTaskExtension, WriteTask(task)});
        }
        names.push_back(stems.front() + kTaskExtension +
                        (total > 1 ? " … " + stems.back() + kTaskExtension : ""));
        if (request.pdfs) {
            // The sheets, the worked solutions and the key as PDF; a PDF that cannot be made
            // stops the set like any other file.
            for (int k = 0; k < total; ++k) {
                const TaskValues& t = variants[k].task;
                files.push_back(
                    {stems[k] + "-task.pdf", request.pdfs->TaskSheet(TaskSheetLines(stems[k], variants[k]))});
                steps.Done();
                files.push_back(
                    {stems[k] + "-solution.pdf",
                     request.pdfs->Solution(t, t.title.empty() ? "Вариант " + stems[k] : t.title, runs[k])});
                steps.Done();
            }
            const auto pages = KeyPages(entries);
            const std::vector<std::string> title = {
                "Ключ ответов: " + setName,
                "Вариантов: " + std::to_string(total) + ", страниц ключа: " + std::to_string(pages.size()),
                request.date};
            files.push_back({"key.pdf", request.pdfs->Key(title, pages)});
            steps.Done();
            names.push_back(stems.front() + "-task.pdf" +
                            (total > 1 ? " … " + stems.back() + "-task.pdf" : ""));
            names.push_back(stems.front() + "-solution.pdf" +
                            (total > 1 ? " … " + stems.back() + "-solution.pdf" : ""));
            names.push_back("key.pdf (страниц: " + std::to_string(pages.size()) + ")");
        } else {
            names.push_back("(PDF нет: " +
                            (request.pdfsMissing.empty() ? std::string("не заказаны") : request.pdfsMissing) +
                            ")");
        }
        names.push_back("summary.txt");
        files.push_back(
            {"summary.txt", Summary(request, entries, request.tablePath ? nullptr : &draw, keyRows, names)});
        WriteFolder(outDir, files, [&steps] { steps.Done(); });
        steps.Finished();

        outcome.ok = true;
        outcome.variants = total;
        outcome.keyRows = keyRows;
        outcome.message = outDir.string() + ": " + std::to_string(total) + " вариантов, " +
                          std::to_string(keyRows) + " строк ключа";
    } catch (const Cancelled& e) {
        outcome.cancelled = true;
        outcome.message = e.what();
    } catch (const std::exception& e) {
        outcome.ok = false;
        outcome.message = e.what();
    }
    return outcome;
}

}  // namespace vornik
