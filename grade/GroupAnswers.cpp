#include "grade/GroupAnswers.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "check/AnswersFile.h"
#include "classset/AnswerKey.h"
#include "fileio/ReadInputFile.h"
#include "fileio/SystemErrorText.h"
#include "report/RtfDocument.h"
#include "solver/Text.h"

namespace vornik {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// The longest answer a student types; a longer cell is not an answer.
constexpr int kMaxAnswerChars = 100;
// A table of answers holds a group, not an archive.
constexpr std::size_t kMaxAnswersBytes = 8u << 20;
// A long table of a large group with every mode (300 students, 7 modes, 14 quantities) and more.
constexpr int kMaxAnswerRows = 100000;

// The names of every mode a run can compute: a star and a delta with every fault ticked.
const std::set<std::string>& ModeNames() {
    static const std::set<std::string> names = [] {
        std::set<std::string> out;
        for (const bool star : {true, false}) {
            CircuitInput in;
            in.star = star;
            for (int box = 2; box <= 7; ++box) {
                in.SetChecked(box, true);
            }
            for (const ComputedMode& m : ComputedModes(in)) {
                out.insert(m.name);
            }
        }
        return out;
    }();
    return names;
}

enum class Role { Student, Variant, Mode, Quantity, Answer, Other };

Role RoleOf(const std::string& header) {
    static const std::map<std::string, Role> kNames = {
        {"student", Role::Student},   {"студент", Role::Student},   {"Студент", Role::Student},
        {"ученик", Role::Student},    {"Ученик", Role::Student},    {"variant", Role::Variant},
        {"вариант", Role::Variant},   {"Вариант", Role::Variant},   {"mode", Role::Mode},
        {"режим", Role::Mode},        {"Режим", Role::Mode},        {"quantity", Role::Quantity},
        {"величина", Role::Quantity}, {"Величина", Role::Quantity}, {"answer", Role::Answer},
        {"ответ", Role::Answer},      {"Ответ", Role::Answer},
    };
    const auto it = kNames.find(AsciiLower(header));
    return it == kNames.end() ? Role::Other : it->second;
}

// A wide column's mode and quantity: "short-A Ia", "short-A:IaMod", "short-A/угол Ia" or "Ia"
// (the normal mode).
AnswerEntry ColumnQuantity(const std::string& header) {
    const size_t cut = header.find_first_of(" :/");
    if (cut != std::string::npos && ModeNames().count(header.substr(0, cut)) != 0) {
        return {header.substr(0, cut), Trimmed(header.substr(cut + 1)), ""};
    }
    return {"normal", header, ""};
}

// Why a student's name cannot be one: empty, too long, a control character.
std::string NameFault(const std::string& name) {
    if (name.empty()) {
        return "нет имени ученика";
    }
    if (Utf8Characters(name) > static_cast<size_t>(kMaxStudentChars)) {
        return "имя ученика длиннее " + std::to_string(kMaxStudentChars) + " знаков";
    }
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; })) {
        return "имя ученика с управляющим знаком";
    }
    return std::string();
}

// The apostrophe a spreadsheet-safe cell starts with, dropped again.
std::string Unguarded(std::string cell) {
    if (cell.size() > 1 && cell[0] == '\'' &&
        std::string_view("=+-@").find(cell[1]) != std::string_view::npos) {
        cell.erase(0, 1);
    }
    return cell;
}

class TableReader {
  public:
    TableReader(const std::vector<std::vector<std::string>>& rows, const std::string& fileName,
                char separator)
        : rows_(rows), fileName_(fileName), separator_(separator) {}

    GroupAnswersResult Read();

  private:
    void Skip(int row, int column, const std::string& text) {
        const std::string name =
            column > 0 && column <= static_cast<int>(header_.size()) ? header_[column - 1] : std::string();
        out_.skipped.push_back({fileName_ + ": " + TableErrorMessage({row, column, name, text})});
    }
    std::string Place(int row, int column) const {
        return fileName_ + ": строка " + std::to_string(row) + ", столбец " + std::to_string(column) + " (" +
               header_[column - 1] + ")";
    }
    // The student of a row, checked; nullptr when the row is skipped.
    StudentAnswers* StudentOf(int row, const std::vector<std::string>& cells);
    void ReadWide(int row, const std::vector<std::string>& cells);
    void ReadLong(int row, std::vector<std::string> cells);

    const std::vector<std::vector<std::string>>& rows_;
    std::string fileName_;
    char separator_;
    std::vector<std::string> header_;
    std::vector<Role> roles_;
    int studentColumn_ = 0;
    int variantColumn_ = 0;
    bool long_ = false;
    std::map<std::string, size_t> byStudent_;  // index into out_.students
    std::map<std::string, int> firstRow_;
    std::set<std::string> answered_;  // student, mode, quantity of the long form
    GroupAnswers out_;
};

StudentAnswers* TableReader::StudentOf(int row, const std::vector<std::string>& cells) {
    const std::string student = Unguarded(Trimmed(cells[studentColumn_ - 1]));
    const std::string variant = Unguarded(Trimmed(cells[variantColumn_ - 1]));
    if (const std::string fault = NameFault(student); !fault.empty()) {
        Skip(row, studentColumn_, fault);
        return nullptr;
    }
    if (variant.empty()) {
        Skip(row, variantColumn_, "нет варианта");
        return nullptr;
    }
    const auto it = byStudent_.find(student);
    if (it == byStudent_.end()) {
        byStudent_[student] = out_.students.size();
        firstRow_[student] = row;
        StudentAnswers s;
        s.student = student;
        s.variant = variant;
        s.source = fileName_ + ", строка " + std::to_string(row);
        out_.students.push_back(std::move(s));
        return &out_.students.back();
    }
    if (!long_) {
        Skip(row, studentColumn_,
             "ученик «" + student + "» уже есть в строке " + std::to_string(firstRow_[student]));
        return nullptr;
    }
    StudentAnswers& s = out_.students[it->second];
    if (s.variant != variant) {
        Skip(row, variantColumn_,
             "у ученика «" + student + "» в строке " + std::to_string(firstRow_[student]) + " вариант «" +
                 s.variant + "»");
        return nullptr;
    }
    return &s;
}

void TableReader::ReadWide(int row, const std::vector<std::string>& cells) {
    for (size_t c = 0; c < cells.size(); ++c) {
        if (roles_[c] == Role::Other &&
            Utf8Characters(Trimmed(cells[c])) > static_cast<size_t>(kMaxAnswerChars)) {
            Skip(row, static_cast<int>(c) + 1,
                 "ячейка длиннее " + std::to_string(kMaxAnswerChars) + " знаков");
            return;
        }
    }
    StudentAnswers* s = StudentOf(row, cells);
    if (s == nullptr) {
        return;
    }
    for (size_t c = 0; c < cells.size(); ++c) {
        const std::string text = Trimmed(cells[c]);
        if (roles_[c] != Role::Other || text.empty()) {
            continue;
        }
        AnswerEntry entry = ColumnQuantity(header_[c]);
        entry.text = text;
        s->answers.push_back(std::move(entry));
        s->places.push_back(Place(row, static_cast<int>(c) + 1));
    }
}

void TableReader::ReadLong(int row, std::vector<std::string> cells) {
    // A comma table: an answer with an unquoted decimal comma runs over into further cells.
    if (cells.size() > 5 && separator_ == ',' && roles_[4] == Role::Answer) {
        for (size_t c = 5; c < cells.size(); ++c) {
            cells[4] += ',' + cells[c];
        }
        cells.resize(5);
    }
    auto column = [&](Role role) {
        return static_cast<int>(std::find(roles_.begin(), roles_.end(), role) - roles_.begin()) + 1;
    };
    const std::string mode = Trimmed(cells[column(Role::Mode) - 1]);
    const std::string quantity = Trimmed(cells[column(Role::Quantity) - 1]);
    const std::string text = Trimmed(cells[column(Role::Answer) - 1]);
    if (ModeNames().count(mode) == 0) {
        Skip(row, column(Role::Mode),
             mode.empty() ? "нет режима" : "«" + mode + "» — не режим (normal, short-A, …)");
        return;
    }
    if (quantity.empty()) {
        Skip(row, column(Role::Quantity), "нет величины");
        return;
    }
    if (Utf8Characters(text) > static_cast<size_t>(kMaxAnswerChars)) {
        Skip(row, column(Role::Answer), "ячейка длиннее " + std::to_string(kMaxAnswerChars) + " знаков");
        return;
    }
    StudentAnswers* s = StudentOf(row, cells);
    if (s == nullptr) {
        return;
    }
    if (!answered_.insert(s->student + '\n' + mode + '\n' + quantity).second) {
        Skip(row, column(Role::Quantity),
             "ответ ученика «" + s->student + "» на " + mode + " " + quantity + " уже есть выше");
        return;
    }
    if (!text.empty()) {
        s->answers.push_back({mode, quantity, text});
        s->places.push_back(Place(row, column(Role::Answer)));
    }
}

GroupAnswersResult TableReader::Read() {
    if (rows_.empty() || rows_[0].empty()) {
        return Failure{fileName_ + ": строка 1: нет строки заголовка: файл пуст", ""};
    }
    std::set<std::string> seen;
    for (size_t c = 0; c < rows_[0].size(); ++c) {
        const std::string name = Trimmed(rows_[0][c]);
        const int col = static_cast<int>(c) + 1;
        if (name.empty() || !seen.insert(name).second) {
            return Failure{fileName_ + ": " +
                               TableErrorMessage({1, col, name,
                                                  name.empty() ? "пустое имя столбца"
                                                               : "столбец «" + name + "» повторяется"}),
                           ""};
        }
        header_.push_back(name);
        roles_.push_back(RoleOf(name));
    }
    auto find = [&](Role role) {
        const auto it = std::find(roles_.begin(), roles_.end(), role);
        return it == roles_.end() ? 0 : static_cast<int>(it - roles_.begin()) + 1;
    };
    studentColumn_ = find(Role::Student);
    variantColumn_ = find(Role::Variant);
    if (studentColumn_ == 0 || variantColumn_ == 0) {
        return Failure{fileName_ + ": строка 1: нет столбца " +
                           (studentColumn_ == 0 ? "student" : "variant") +
                           " (ученик и вариант: student, variant, затем ответы)",
                       ""};
    }
    long_ = find(Role::Mode) != 0 || find(Role::Quantity) != 0 || find(Role::Answer) != 0;
    if (long_ && (header_.size() != 5 || find(Role::Mode) == 0 || find(Role::Quantity) == 0 ||
                  find(Role::Answer) != 5)) {
        return Failure{fileName_ +
                           ": строка 1: длинная таблица — это ровно столбцы student, variant, mode, "
                           "quantity, answer (ответ последним)",
                       ""};
    }
    for (size_t r = 1; r < rows_.size(); ++r) {
        const std::vector<std::string>& cells = rows_[r];
        const int row = static_cast<int>(r) + 1;
        if (std::all_of(cells.begin(), cells.end(),
                        [](const std::string& c) { return Trimmed(c).empty(); })) {
            continue;
        }
        if (const auto bad =
                std::find_if(cells.begin(), cells.end(),
                             [](const std::string& c) { return FirstNonXmlChar(c).has_value(); });
            bad != cells.end()) {
            Skip(row, static_cast<int>(bad - cells.begin()) + 1,
                 "управляющий знак " + CodePointName(*FirstNonXmlChar(*bad)) + " в ячейке");
            continue;
        }
        const bool spill = long_ && separator_ == ',';
        if (cells.size() > header_.size() && !spill) {
            Skip(row, static_cast<int>(header_.size()) + 1,
                 "ячеек больше, чем столбцов в заголовке (" + std::to_string(header_.size()) + ")" +
                     (separator_ == ',' ? "; число с запятой в таблице через запятую возьмите в кавычки"
                                        : ""));
            continue;
        }
        if (cells.size() < header_.size()) {
            Skip(row, static_cast<int>(cells.size()) + 1,
                 "в строке " + std::to_string(cells.size()) + " из " + std::to_string(header_.size()) +
                     " ячеек заголовка; пустую ячейку отделите разделителем");
            continue;
        }
        if (long_) {
            ReadLong(row, cells);
        } else {
            ReadWide(row, cells);
        }
    }
    return out_;
}

}  // namespace

GroupAnswersResult ReadGroupTable(std::string_view bytes, const std::string& fileName) {
    if (bytes.size() > kMaxAnswersBytes) {
        return Failure{fileName + ": файл больше " + std::to_string(kMaxAnswersBytes >> 20) +
                           " МиБ, это не таблица ответов",
                       ""};
    }
    if (ValidUtf8Prefix(bytes) < bytes.size()) {
        return Failure{fileName + ": файл не в кодировке UTF-8 (сохраните таблицу как «CSV UTF-8»)", ""};
    }
    const Outcome<CsvRows, TableError> rows = SplitCsv(bytes, kMaxAnswerRows, "строк ответов");
    if (!rows) {
        return Failure{fileName + ": " + TableErrorMessage(rows.Error()), ""};
    }
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
    }
    return TableReader(*rows, fileName, CsvSeparator(bytes)).Read();
}

GroupAnswersResult ReadAnswersFolder(const std::string& folder) {
    GroupAnswers out;
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.filename().string().ends_with(kAnswersExtension)) {
            files.push_back(p);
        }
    }
    if (ec) {
        return Failure{folder + ": папка не читается (" + SystemErrorText(ec.value()) + ")", ""};
    }
    if (files.empty()) {
        return Failure{folder + ": в папке нет файлов ответов (" + std::string(kAnswersExtension) + ")", ""};
    }
    std::sort(files.begin(), files.end());
    std::set<std::string> students;
    for (const fs::path& p : files) {
        const std::string name = p.filename().string();
        AnswersReadResult read = LoadAnswers(p.string());
        if (!read) {
            out.skipped.push_back({AnswersErrorMessage(name, read.Error().message)});
            continue;
        }
        AnswersFile& file = *read;
        std::string student = Trimmed(file.student);
        if (student.empty()) {
            student = name.substr(0, name.size() - std::string_view(kAnswersExtension).size());
        }
        if (const std::string fault = NameFault(student); !fault.empty()) {
            out.skipped.push_back({name + ": " + fault});
            continue;
        }
        if (!students.insert(student).second) {
            out.skipped.push_back({name + ": ответы ученика «" + student + "» уже есть в другом файле"});
            continue;
        }
        StudentAnswers s;
        s.student = student;
        s.task = TaskValues{file.task.title, file.task.input, file.task.precision};
        s.source = name;
        for (AnswerEntry& entry : file.answers) {
            if (Trimmed(entry.text).empty()) {
                continue;
            }
            s.places.push_back(name + ": " + entry.mode + " " + entry.quantity);
            s.answers.push_back(std::move(entry));
        }
        out.students.push_back(std::move(s));
    }
    return out;
}

GroupAnswersResult ReadGroupAnswers(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        return ReadAnswersFolder(path);
    }
    const std::string name = fs::path(path).filename().string();
    const Outcome<std::string> bytes = ReadInputFile(path, kMaxAnswersBytes);
    if (!bytes) {
        return Failure{path + ": " + bytes.Error().message, ""};
    }
    return ReadGroupTable(*bytes, name);
}

}  // namespace vornik
