#include "classset/VariantTable.h"

#include <algorithm>
#include <array>
#include <set>

#include "solver/TextToNumber.h"
#include "solver/XmlChars.h"

namespace vornik {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Far more cells than a table has columns: a row beyond it is not a row of variants.
constexpr size_t kMaxCellsPerRow = 200;

std::string Trimmed(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::string();
    }
    const size_t last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

// Valid UTF-8 (no overlong forms, no surrogates), so every text of the set is UTF-8 too: the
// offset of the first byte that is not, or the size when all are.
size_t Utf8Prefix(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, code = c & 0x07;
        } else {
            return i;
        }
        if (i + extra >= s.size()) {
            return i;
        }
        for (int k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) {
                return i;
            }
            code = (code << 6) | (d & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return i;
        }
        i += extra + 1;
    }
    return s.size();
}

// A tick cell: yes or no in the ways a spreadsheet user writes them.
std::optional<bool> TickValue(const std::string& cell) {
    const std::string v = Lower(cell);
    for (const char* yes : {"1", "x", "+", "true", "yes", "да", "Да", "ДА"}) {
        if (v == yes) {
            return true;
        }
    }
    for (const char* no : {"0", "-", "false", "no", "нет", "Нет", "НЕТ"}) {
        if (v == no) {
            return false;
        }
    }
    return std::nullopt;
}

// The phase letters of a --short/--break cell ("A;C", "A C", "B"), as a set of the three
// positions; the Cyrillic А, В, С that look the same are taken too. "-" or "нет": none.
std::optional<std::array<bool, 3>> PhaseSet(const std::string& cell, bool pairs) {
    std::array<bool, 3> on{};
    const std::string v = Lower(cell);
    if (v == "-" || v == "нет" || v == "0") {
        return on;
    }
    std::string latin;
    for (size_t i = 0; i < cell.size(); ++i) {
        const std::string_view rest = std::string_view(cell).substr(i);
        if (rest.starts_with("А") || rest.starts_with("а")) {
            latin += 'A', ++i;
        } else if (rest.starts_with("В") || rest.starts_with("в")) {
            latin += 'B', ++i;
        } else if (rest.starts_with("С") || rest.starts_with("с")) {
            latin += 'C', ++i;
        } else if (cell[i] >= 'a' && cell[i] <= 'c') {
            latin += static_cast<char>(cell[i] - 'a' + 'A');
        } else {
            latin += cell[i];
        }
    }
    static constexpr std::array<std::string_view, 3> kPhases = {"A", "B", "C"};
    static constexpr std::array<std::string_view, 3> kPairs = {"AB", "BC", "CA"};
    const auto& names = pairs ? kPairs : kPhases;
    size_t start = 0;
    bool any = false;
    while (start <= latin.size()) {
        size_t end = latin.find_first_of(";, /", start);
        if (end == std::string::npos) {
            end = latin.size();
        }
        const std::string item = latin.substr(start, end - start);
        if (!item.empty()) {
            const auto it = std::find(names.begin(), names.end(), item);
            if (it == names.end()) {
                return std::nullopt;
            }
            on[it - names.begin()] = true;
            any = true;
        }
        start = end + 1;
    }
    if (!any) {
        return std::nullopt;
    }
    return on;
}

// Characters of UTF-8 text.
int Characters(std::string_view text) {
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// A file name common systems refuse: CON, PRN, AUX, NUL, COM1–COM9 and LPT1–LPT9 in any case,
// alone or before an extension.
bool ReservedDeviceName(const std::string& name) {
    const std::string base = Lower(name.substr(0, name.find('.')));
    if (base == "con" || base == "prn" || base == "aux" || base == "nul") {
        return true;
    }
    return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) && base[3] >= '1' &&
           base[3] <= '9';
}

// Why a variant name cannot be the start of its files' names or a plain-text name in Moodle;
// empty when it can.
std::string NameFault(const std::string& name) {
    if (name == "." || name == ".." || ReservedDeviceName(name)) {
        return "имя варианта «" + name + "» не годится для имени файла";
    }
    // Moodle strips anything from a '<' as a tag, so the name would change or vanish.
    if (name.find_first_of("<>") != std::string::npos) {
        return "имя варианта «" + name + "» с угловой скобкой: Moodle убрал бы её как разметку";
    }
    const bool bad = std::any_of(name.begin(), name.end(), [](char c) {
        return std::string_view("/\\:|?*\"").find(c) != std::string_view::npos ||
               static_cast<unsigned char>(c) < 0x20 || c == '\x7F';
    });
    return bad ? "имя варианта «" + name +
                     "» не годится для имени файла (нельзя / \\ : | ? * \" и управляющие символы)"
               : std::string();
}

// A formula start a spreadsheet would act on.
bool FormulaStart(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
}

bool AllDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Two names that give one file name are one variant: numeric names are zero-padded in the
// folder, so "3" and "03" would write the same files.
std::string FileNameKey(const std::string& name) {
    if (!AllDigits(name)) {
        return name;
    }
    const size_t first = name.find_first_not_of('0');
    return first == std::string::npos ? "0" : name.substr(first);
}

}  // namespace

std::optional<Column> ColumnByName(std::string_view name) {
    const std::string lower = Lower(name);
    if (lower == "variant") {
        return Column{ColumnKind::Variant};
    }
    if (lower == "title") {
        return Column{ColumnKind::Title};
    }
    if (lower == "connection") {
        return Column{ColumnKind::Connection};
    }
    if (lower == "neutral") {
        return Column{ColumnKind::Neutral, 1};
    }
    if (lower == "short") {
        return Column{ColumnKind::Shorts};
    }
    if (lower == "open") {
        return Column{ColumnKind::Opens};
    }
    if (lower == "break") {
        return Column{ColumnKind::Breaks};
    }
    // The fields by control name ("Edit4") or by option name without its dashes ("r1").
    for (int k = 0; k < kParamCount; ++k) {
        if (name == kFields[k].control || "--" + lower == kFields[k].option) {
            return Column{ColumnKind::Field, k};
        }
    }
    for (int k = 0; k < kCheckBoxCount; ++k) {
        if (name == kTicks[k].control) {
            return Column{ColumnKind::Tick, k + 1};
        }
    }
    for (int k = 0; k < kPrecisionCount; ++k) {
        if (name == kPrecisionFields[k].name) {
            return Column{ColumnKind::Decimals, k};
        }
    }
    return std::nullopt;
}

std::string TableErrorMessage(const TableError& e) {
    std::string where = "строка " + std::to_string(e.row);
    if (e.column > 0) {
        where += ", столбец " + std::to_string(e.column);
        if (!e.columnName.empty()) {
            where += " (" + e.columnName + ")";
        }
    }
    // One line, whatever the cells quoted in it hold (a quoted cell may span lines).
    std::string message = where + ": " + e.text;
    for (char& c : message) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = ' ';
        }
    }
    return message;
}

bool SplitCsv(std::string_view text, std::vector<std::vector<std::string>>& rows, TableError& error,
              int maxRows, std::string_view what) {
    if (text.starts_with(kBom)) {
        text.remove_prefix(kBom.size());
    }
    // The separator: whichever of ';' and ',' the header line holds outside quotes, ';' first
    // (a Russian spreadsheet writes ';' and decimal commas).
    char sep = ',';
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            break;
        } else if (!quoted && c == ';') {
            sep = ';';
            break;
        }
    }
    rows.clear();
    std::vector<std::string> row;
    std::string cell;
    bool inQuotes = false;
    bool rowHasContent = false;
    int row1 = 1;
    int quoteRow = 0;
    auto endRow = [&] {
        row.push_back(std::move(cell));
        cell.clear();
        if (rowHasContent || row.size() > 1 || !row[0].empty()) {
            rows.push_back(std::move(row));
        } else {
            rows.push_back({});  // a blank line keeps its row number
        }
        row.clear();
        rowHasContent = false;
        ++row1;
        // A header and maxRows rows at most, before a huge file fills the memory.
        return rows.size() <= static_cast<size_t>(maxRows) + 1;
    };
    const TableError tooLong = {maxRows + 2, 0, "",
                                "в таблице больше " + std::to_string(maxRows) + " " + std::string(what)};
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    cell += '"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                cell += c;
            }
        } else if (c == '"') {
            inQuotes = true;
            rowHasContent = true;
            quoteRow = row1;
        } else if (c == sep) {
            row.push_back(std::move(cell));
            cell.clear();
            rowHasContent = true;
            if (row.size() > kMaxCellsPerRow) {
                error = {row1, 0, "", "в строке больше " + std::to_string(kMaxCellsPerRow) + " ячеек"};
                return false;
            }
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        } else if ((c == '\n' || c == '\r') && !endRow()) {
            error = tooLong;
            return false;
        } else if (c != '\n' && c != '\r') {
            cell += c;
        }
    }
    if (inQuotes) {
        error = {quoteRow, 0, "", "кавычка не закрыта до конца файла"};
        return false;
    }
    if ((!cell.empty() || !row.empty() || rowHasContent) && !endRow()) {
        error = tooLong;
        return false;
    }
    return true;
}

std::string CsvTextCell(std::string_view text) {
    // The apostrophe is put in front by append: GCC 12 warns falsely (-Wrestrict) on a literal prepended.
    std::string cell;
    if (FormulaStart(text)) {
        cell.push_back('\'');
    }
    cell += text;
    return CsvCell(cell);
}

std::string CsvCell(std::string_view text) {
    if (text.find_first_of(",;\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

TableResult ReadVariantTable(std::string_view bytes, const TaskValues& base) {
    TableResult result;
    auto fail = [&](int row, int column, std::string name, std::string text) {
        result.variants.clear();
        result.error = TableError{row, column, std::move(name), std::move(text)};
        return result;
    };
    if (bytes.size() > kMaxTableBytes) {
        return fail(0, 0, "",
                    "файл больше " + std::to_string(kMaxTableBytes >> 20) + " МиБ, это не таблица вариантов");
    }
    if (const size_t bad = Utf8Prefix(bytes); bad < bytes.size()) {
        const int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + bad, '\n'));
        return fail(line, 0, "", "файл не в кодировке UTF-8 (сохраните таблицу как «CSV UTF-8»)");
    }
    std::vector<std::vector<std::string>> rows;
    TableError splitError;
    if (!SplitCsv(bytes, rows, splitError)) {
        return fail(splitError.row, 0, "", splitError.text);
    }
    if (rows.empty() || rows[0].empty()) {
        return fail(1, 0, "", "нет строки заголовка: файл пуст");
    }

    const std::vector<std::string>& header = rows[0];
    std::vector<Column> columns;
    std::set<std::string> seen;
    for (size_t c = 0; c < header.size(); ++c) {
        const std::string name = Trimmed(header[c]);
        const int col = static_cast<int>(c) + 1;
        if (Characters(name) > kMaxCellChars) {
            return fail(1, col, "", "имя столбца длиннее " + std::to_string(kMaxCellChars) + " знаков");
        }
        const std::optional<Column> column = ColumnByName(name);
        if (!column) {
            return fail(1, col, name,
                        name.empty() ? "пустое имя столбца" : "неизвестный столбец «" + name + "»");
        }
        // Two names of one column (r1 and Edit4) would contradict each other.
        std::string key =
            std::to_string(static_cast<int>(column->kind)) + ":" + std::to_string(column->index);
        if (column->kind == ColumnKind::Neutral) {
            key = std::to_string(static_cast<int>(ColumnKind::Tick)) + ":1";
        }
        if (!seen.insert(key).second) {
            return fail(1, col, name, "столбец «" + name + "» повторяется");
        }
        columns.push_back(*column);
    }

    std::set<std::string> names;
    for (size_t r = 1; r < rows.size(); ++r) {
        const std::vector<std::string>& cells = rows[r];
        const int row = static_cast<int>(r) + 1;
        if (std::all_of(cells.begin(), cells.end(),
                        [](const std::string& c) { return Trimmed(c).empty(); })) {
            continue;  // a blank line, or a row of empty cells as a spreadsheet saves it (;;;)
        }
        if (cells.size() > columns.size()) {
            return fail(row, static_cast<int>(columns.size()) + 1, "",
                        "ячеек больше, чем столбцов в заголовке (" + std::to_string(columns.size()) + ")");
        }
        if (cells.size() < columns.size()) {
            return fail(row, static_cast<int>(cells.size()) + 1, Trimmed(header[cells.size()]),
                        "в строке " + std::to_string(cells.size()) + " из " + std::to_string(columns.size()) +
                            " ячеек заголовка; пустую ячейку отделите разделителем");
        }
        Variant v{std::to_string(result.variants.size() + 1), row, base};
        // The cells that tick something only one connection has, checked once the row is read.
        int neutralColumn = 0;
        int shortColumn = 0;
        int openColumn = 0;
        for (size_t c = 0; c < cells.size(); ++c) {
            const int col = static_cast<int>(c) + 1;
            const std::string& name = Trimmed(header[c]);
            std::string cell = Trimmed(cells[c]);
            const Column& column = columns[c];
            if (const std::optional<char32_t> bad = FirstNonXmlChar(cell)) {
                return fail(
                    row, col, name,
                    "управляющий знак " + CodePointName(*bad) + " в ячейке: такой текст не запишется в тест");
            }
            const bool text = column.kind == ColumnKind::Variant || column.kind == ColumnKind::Title;
            const int limit = column.kind == ColumnKind::Variant ? kMaxNameChars
                              : column.kind == ColumnKind::Title ? kMaxTitleChars
                                                                 : kMaxCellChars;
            if (Characters(cell) > limit) {
                return fail(row, col, name, "ячейка длиннее " + std::to_string(limit) + " знаков");
            }
            if (text && cell.size() > 1 && cell[0] == '\'' && FormulaStart(cell.substr(1))) {
                cell.erase(0, 1);  // the apostrophe that keeps a spreadsheet from a formula
            }
            if (cell.empty()) {
                continue;  // the base task's value stays
            }
            CircuitInput& in = v.task.input;
            switch (column.kind) {
                case ColumnKind::Variant:
                    if (const std::string fault = NameFault(cell); !fault.empty()) {
                        return fail(row, col, name, fault);
                    }
                    v.name = cell;
                    break;
                case ColumnKind::Title:
                    v.task.title = cell;
                    break;
                case ColumnKind::Connection: {
                    const std::string value = Lower(cell);
                    if (value == "star" || value == "звезда" || value == "Звезда" || value == "ЗВЕЗДА") {
                        in.star = true;
                    } else if (value == "delta" || value == "треугольник" || value == "Треугольник" ||
                               value == "ТРЕУГОЛЬНИК") {
                        in.star = false;
                    } else {
                        return fail(row, col, name, "«" + cell + "»: соединение star или delta");
                    }
                    break;
                }
                case ColumnKind::Field: {
                    std::string text = cell;
                    std::replace(text.begin(), text.end(), '.', ',');
                    double value = 0.0;
                    if (!TryTextToFloat(text, value)) {
                        return fail(row, col, name, "«" + cell + "» — не число");
                    }
                    in[static_cast<Param>(column.index)] = text;
                    break;
                }
                case ColumnKind::Tick:
                case ColumnKind::Neutral: {
                    const std::optional<bool> on = TickValue(cell);
                    if (!on) {
                        return fail(row, col, name, "«" + cell + "»: отметка 1 или 0 (да или нет)");
                    }
                    in.SetChecked(column.index, *on);
                    if (column.index == 1 && *on) {
                        neutralColumn = col;
                    }
                    break;
                }
                case ColumnKind::Shorts:
                case ColumnKind::Opens:
                case ColumnKind::Breaks: {
                    const bool pairs = column.kind == ColumnKind::Opens;
                    const std::optional<std::array<bool, 3>> on = PhaseSet(cell, pairs);
                    if (!on) {
                        return fail(row, col, name,
                                    "«" + cell + "»: " + (pairs ? "фазы AB, BC, CA" : "фазы A, B, C") +
                                        " через точку с запятой");
                    }
                    const auto& boxes =
                        column.kind == ColumnKind::Breaks ? kLineBreakTicks : kPhaseFaultTicks;
                    for (int k = 0; k < 3; ++k) {
                        in.SetChecked(boxes[k], (*on)[k]);
                    }
                    const bool any = (*on)[0] || (*on)[1] || (*on)[2];
                    if (column.kind == ColumnKind::Shorts && any) {
                        shortColumn = col;
                    }
                    if (column.kind == ColumnKind::Opens && any) {
                        openColumn = col;
                    }
                    break;
                }
                case ColumnKind::Decimals: {
                    int decimals = -1;
                    if (!TryTextToInt(cell, decimals) || decimals < 0 || decimals > 5) {
                        return fail(row, col, name, "«" + cell + "»: число знаков от 0 до 5");
                    }
                    v.task.precision.texts[column.index] = std::to_string(decimals);
                    break;
                }
            }
        }
        const bool star = v.task.input.star;
        if (star && openColumn > 0) {
            return fail(row, openColumn, Trimmed(header[openColumn - 1]),
                        "обрыв фазы нагрузки бывает только у треугольника, а соединение — звезда");
        }
        if (!star && shortColumn > 0) {
            return fail(row, shortColumn, Trimmed(header[shortColumn - 1]),
                        "короткое замыкание фазы бывает только у звезды, а соединение — треугольник");
        }
        if (!star && neutralColumn > 0) {
            return fail(row, neutralColumn, Trimmed(header[neutralColumn - 1]),
                        "нулевой провод бывает только у звезды, а соединение — треугольник");
        }
        if (!names.insert(FileNameKey(v.name)).second) {
            int nameColumn = 0;
            for (size_t c = 0; c < columns.size(); ++c) {
                if (columns[c].kind == ColumnKind::Variant) {
                    nameColumn = static_cast<int>(c) + 1;
                }
            }
            return fail(row, nameColumn, nameColumn > 0 ? Trimmed(header[nameColumn - 1]) : "",
                        "вариант «" + v.name + "» уже есть выше");
        }
        result.variants.push_back(std::move(v));
    }
    if (result.variants.empty()) {
        return fail(2, 0, "", "в таблице нет ни одного варианта");
    }
    return result;
}

std::vector<std::string> VariantFileStems(const std::vector<Variant>& variants) {
    size_t width = 2;
    for (const Variant& v : variants) {
        if (AllDigits(v.name)) {
            width = std::max(width, v.name.size());
        }
    }
    std::vector<std::string> stems;
    for (const Variant& v : variants) {
        stems.push_back(AllDigits(v.name) && v.name.size() < width
                            ? std::string(width - v.name.size(), '0') + v.name
                            : v.name);
    }
    return stems;
}

std::string VariantTableText(const std::vector<Variant>& variants, const std::vector<std::string>& stems) {
    std::string out = "variant,title,connection";
    for (const FieldSpec& f : kFields) {
        out += ',';
        out += f.control;
    }
    for (const TickSpec& t : kTicks) {
        out += ',';
        out += t.control;
    }
    for (const PrecisionSpec& p : kPrecisionFields) {
        out += ',';
        out += p.name;
    }
    out += "\r\n";
    for (size_t k = 0; k < variants.size(); ++k) {
        const Variant& v = variants[k];
        out += CsvTextCell(stems[k]) + ',' + CsvTextCell(v.task.title) + ',' +
               (v.task.input.star ? "star" : "delta");
        for (const std::string& text : v.task.input.texts) {
            out += ',' + CsvCell(text);
        }
        for (const bool tick : v.task.input.ticks) {
            out += tick ? ",1" : ",0";
        }
        for (const std::string& text : v.task.precision.texts) {
            out += ',' + CsvCell(text);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace vornik
