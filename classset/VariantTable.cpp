#include "classset/VariantTable.h"

#include <algorithm>
#include <array>
#include <set>

#include "solver/Text.h"
#include "solver/TextToNumber.h"

namespace vornik {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Far more cells than a table has columns: a row beyond it is not a row of variants.
constexpr size_t kMaxCellsPerRow = 200;

// A tick cell: yes or no in the ways a spreadsheet user writes them.
std::optional<bool> TickValue(const std::string& cell) {
    const std::string v = AsciiLower(cell);
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
    const std::string v = AsciiLower(cell);
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

// A file name common systems refuse: CON, PRN, AUX, NUL, COM1–COM9 and LPT1–LPT9 in any case,
// alone or before an extension.
bool ReservedDeviceName(const std::string& name) {
    const std::string base = AsciiLower(name.substr(0, name.find('.')));
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
    const std::string lower = AsciiLower(name);
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

char CsvSeparator(std::string_view text) {
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            break;
        } else if (!quoted && c == ';') {
            return ';';
        }
    }
    return ',';
}

Outcome<CsvRows, TableError> SplitCsv(std::string_view text, int maxRows, std::string_view what) {
    if (text.starts_with(kBom)) {
        text.remove_prefix(kBom.size());
    }
    const char sep = CsvSeparator(text);
    CsvRows rows;
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
                return TableError{row1, 0, "",
                                  "в строке больше " + std::to_string(kMaxCellsPerRow) + " ячеек"};
            }
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        } else if ((c == '\n' || c == '\r') && !endRow()) {
            return tooLong;
        } else if (c != '\n' && c != '\r') {
            cell += c;
        }
    }
    if (inQuotes) {
        return TableError{quoteRow, 0, "", "кавычка не закрыта до конца файла"};
    }
    if ((!cell.empty() || !row.empty() || rowHasContent) && !endRow()) {
        return tooLong;
    }
    return rows;
}

namespace {

using TableStep = Outcome<void, TableError>;

// The table's rows: a file that is not too large, in UTF-8, split into cells, with a header.
Outcome<CsvRows, TableError> TableRows(std::string_view bytes) {
    if (bytes.size() > kMaxTableBytes) {
        return TableError{
            0, 0, "",
            "файл больше " + std::to_string(kMaxTableBytes >> 20) + " МиБ, это не таблица вариантов"};
    }
    if (const size_t bad = ValidUtf8Prefix(bytes); bad < bytes.size()) {
        const int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + bad, '\n'));
        return TableError{line, 0, "", "файл не в кодировке UTF-8 (сохраните таблицу как «CSV UTF-8»)"};
    }
    Outcome<CsvRows, TableError> rows = SplitCsv(bytes);
    if (!rows) {
        return TableError{rows.Error().row, 0, "", rows.Error().text};
    }
    if (rows->empty() || (*rows)[0].empty()) {
        return TableError{1, 0, "", "нет строки заголовка: файл пуст"};
    }
    return rows;
}

// The header's columns: every name known, short enough, and no column named twice.
Outcome<std::vector<Column>, TableError> HeaderColumns(const std::vector<std::string>& header) {
    std::vector<Column> columns;
    std::set<std::string> seen;
    for (size_t c = 0; c < header.size(); ++c) {
        const std::string name = Trimmed(header[c]);
        const int col = static_cast<int>(c) + 1;
        if (Utf8Characters(name) > kMaxCellChars) {
            return TableError{1, col, "", "имя столбца длиннее " + std::to_string(kMaxCellChars) + " знаков"};
        }
        const std::optional<Column> column = ColumnByName(name);
        if (!column) {
            return TableError{1, col, name,
                              name.empty() ? "пустое имя столбца" : "неизвестный столбец «" + name + "»"};
        }
        // Two names of one column (r1 and Edit4) would contradict each other.
        std::string key =
            std::to_string(static_cast<int>(column->kind)) + ":" + std::to_string(column->index);
        if (column->kind == ColumnKind::Neutral) {
            key = std::to_string(static_cast<int>(ColumnKind::Tick)) + ":1";
        }
        if (!seen.insert(key).second) {
            return TableError{1, col, name, "столбец «" + name + "» повторяется"};
        }
        columns.push_back(*column);
    }
    return columns;
}

// The columns of a row that tick something only one connection has, checked once the row is read.
struct ConnectionMarks {
    int neutral = 0;
    int shorts = 0;
    int opens = 0;
};

// The cell's text as the row uses it: checked for characters and length, without the
// apostrophe that keeps a spreadsheet from a formula.
Outcome<std::string, TableError> CellText(const Column& column, const std::string& raw,
                                          const TableError& at) {
    std::string cell = Trimmed(raw);
    if (const std::optional<char32_t> bad = FirstNonXmlChar(cell)) {
        return TableError{
            at.row, at.column, at.columnName,
            "управляющий знак " + CodePointName(*bad) + " в ячейке: такой текст не запишется в тест"};
    }
    const bool text = column.kind == ColumnKind::Variant || column.kind == ColumnKind::Title;
    const int limit = column.kind == ColumnKind::Variant ? kMaxNameChars
                      : column.kind == ColumnKind::Title ? kMaxTitleChars
                                                         : kMaxCellChars;
    // The apostrophe goes first: the set's own table puts it before a text at its length limit.
    if (text && cell.size() > 1 && cell[0] == '\'' && FormulaStart(cell.substr(1))) {
        cell.erase(0, 1);
    }
    if (Utf8Characters(cell) > static_cast<size_t>(limit)) {
        return TableError{at.row, at.column, at.columnName,
                          "ячейка длиннее " + std::to_string(limit) + " знаков"};
    }
    return cell;
}

Outcome<void> ConnectionCell(const std::string& cell, CircuitInput& in) {
    const std::string value = AsciiLower(cell);
    if (value == "star" || value == "звезда" || value == "Звезда" || value == "ЗВЕЗДА") {
        in.star = true;
    } else if (value == "delta" || value == "треугольник" || value == "Треугольник" ||
               value == "ТРЕУГОЛЬНИК") {
        in.star = false;
    } else {
        return Failure{"«" + cell + "»: соединение star или delta", ""};
    }
    return {};
}

Outcome<void> FieldCell(const std::string& cell, int param, CircuitInput& in) {
    std::string text = cell;
    std::replace(text.begin(), text.end(), '.', ',');
    double value = 0.0;
    if (!TryTextToFloat(text, value)) {
        return Failure{"«" + cell + "» — не число", ""};
    }
    in[static_cast<Param>(param)] = text;
    return {};
}

Outcome<void> TickCell(const std::string& cell, int box, int col, CircuitInput& in, ConnectionMarks& marks) {
    const std::optional<bool> on = TickValue(cell);
    if (!on) {
        return Failure{"«" + cell + "»: отметка 1 или 0 (да или нет)", ""};
    }
    in.SetChecked(box, *on);
    if (box == 1 && *on) {
        marks.neutral = col;
    }
    return {};
}

// A --short, --open or --break cell: the three ticks of its phases.
Outcome<void> PhasesCell(const std::string& cell, ColumnKind kind, int col, CircuitInput& in,
                         ConnectionMarks& marks) {
    const bool pairs = kind == ColumnKind::Opens;
    const std::optional<std::array<bool, 3>> on = PhaseSet(cell, pairs);
    if (!on) {
        return Failure{
            "«" + cell + "»: " + (pairs ? "фазы AB, BC, CA" : "фазы A, B, C") + " через точку с запятой", ""};
    }
    const auto& boxes = kind == ColumnKind::Breaks ? kLineBreakTicks : kPhaseFaultTicks;
    for (int k = 0; k < 3; ++k) {
        in.SetChecked(boxes[k], (*on)[k]);
    }
    const bool any = (*on)[0] || (*on)[1] || (*on)[2];
    if (kind == ColumnKind::Shorts && any) {
        marks.shorts = col;
    }
    if (kind == ColumnKind::Opens && any) {
        marks.opens = col;
    }
    return {};
}

Outcome<void> DecimalsCell(const std::string& cell, int index, PrecisionValues& precision) {
    int decimals = -1;
    if (!TryTextToInt(cell, decimals) || decimals < 0 || decimals > 5) {
        return Failure{"«" + cell + "»: число знаков от 0 до 5", ""};
    }
    precision.texts[index] = std::to_string(decimals);
    return {};
}

// A non-empty cell put into the variant; the reason when it cannot be.
Outcome<void> PutCell(const Column& column, const std::string& cell, int col, Variant& v,
                      ConnectionMarks& marks) {
    CircuitInput& in = v.task.input;
    switch (column.kind) {
        case ColumnKind::Variant:
            if (std::string fault = NameFault(cell); !fault.empty()) {
                return Failure{std::move(fault), ""};
            }
            v.name = cell;
            return {};
        case ColumnKind::Title:
            v.task.title = cell;
            return {};
        case ColumnKind::Connection:
            return ConnectionCell(cell, in);
        case ColumnKind::Field:
            return FieldCell(cell, column.index, in);
        case ColumnKind::Tick:
        case ColumnKind::Neutral:
            return TickCell(cell, column.index, col, in, marks);
        case ColumnKind::Shorts:
        case ColumnKind::Opens:
        case ColumnKind::Breaks:
            return PhasesCell(cell, column.kind, col, in, marks);
        case ColumnKind::Decimals:
            return DecimalsCell(cell, column.index, v.task.precision);
    }
    return {};
}

// A row ticks nothing its connection lacks.
TableStep CheckConnection(const Variant& v, const ConnectionMarks& marks,
                          const std::vector<std::string>& header) {
    auto at = [&](int col, std::string text) {
        return TableError{v.row, col, Trimmed(header[col - 1]), std::move(text)};
    };
    const bool star = v.task.input.star;
    if (star && marks.opens > 0) {
        return at(marks.opens, "обрыв фазы нагрузки бывает только у треугольника, а соединение — звезда");
    }
    if (!star && marks.shorts > 0) {
        return at(marks.shorts, "короткое замыкание фазы бывает только у звезды, а соединение — треугольник");
    }
    if (!star && marks.neutral > 0) {
        return at(marks.neutral, "нулевой провод бывает только у звезды, а соединение — треугольник");
    }
    return {};
}

// The variant of one row (the `number`th variant): the base task with the row's non-empty cells.
Outcome<Variant, TableError> RowVariant(const std::vector<std::string>& cells, int row, size_t number,
                                        const std::vector<std::string>& header,
                                        const std::vector<Column>& columns, const TaskValues& base) {
    if (cells.size() > columns.size()) {
        return TableError{row, static_cast<int>(columns.size()) + 1, "",
                          "ячеек больше, чем столбцов в заголовке (" + std::to_string(columns.size()) + ")"};
    }
    if (cells.size() < columns.size()) {
        return TableError{row, static_cast<int>(cells.size()) + 1, Trimmed(header[cells.size()]),
                          "в строке " + std::to_string(cells.size()) + " из " +
                              std::to_string(columns.size()) +
                              " ячеек заголовка; пустую ячейку отделите разделителем"};
    }
    Variant v{std::to_string(number), row, base};
    ConnectionMarks marks;
    for (size_t c = 0; c < cells.size(); ++c) {
        const int col = static_cast<int>(c) + 1;
        const TableError at{row, col, Trimmed(header[c]), ""};
        const Outcome<std::string, TableError> cell = CellText(columns[c], cells[c], at);
        if (!cell) {
            return cell.Error();
        }
        if (cell->empty()) {
            continue;  // the base task's value stays
        }
        if (const Outcome<void> put = PutCell(columns[c], *cell, col, v, marks); !put) {
            return TableError{row, col, at.columnName, put.Error().message};
        }
    }
    if (const TableStep checked = CheckConnection(v, marks, header); !checked) {
        return checked.Error();
    }
    return v;
}

// The failure of a variant whose name an earlier row already has.
TableError RepeatedName(const Variant& v, const std::vector<std::string>& header,
                        const std::vector<Column>& columns) {
    int nameColumn = 0;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].kind == ColumnKind::Variant) {
            nameColumn = static_cast<int>(c) + 1;
        }
    }
    return TableError{v.row, nameColumn, nameColumn > 0 ? Trimmed(header[nameColumn - 1]) : "",
                      "вариант «" + v.name + "» уже есть выше"};
}

bool BlankRow(const std::vector<std::string>& cells) {
    return std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return Trimmed(c).empty(); });
}

}  // namespace

TableResult ReadVariantTable(std::string_view bytes, const TaskValues& base) {
    const Outcome<CsvRows, TableError> rows = TableRows(bytes);
    if (!rows) {
        return rows.Error();
    }
    const std::vector<std::string>& header = (*rows)[0];
    const Outcome<std::vector<Column>, TableError> columns = HeaderColumns(header);
    if (!columns) {
        return columns.Error();
    }
    std::vector<Variant> variants;
    std::set<std::string> names;
    for (size_t r = 1; r < rows->size(); ++r) {
        if (BlankRow((*rows)[r])) {
            continue;  // a blank line, or a row of empty cells as a spreadsheet saves it (;;;)
        }
        Outcome<Variant, TableError> v =
            RowVariant((*rows)[r], static_cast<int>(r) + 1, variants.size() + 1, header, *columns, base);
        if (!v) {
            return v.Error();
        }
        if (!names.insert(FileNameKey(v->name)).second) {
            return RepeatedName(*v, header, *columns);
        }
        variants.push_back(std::move(*v));
    }
    if (variants.empty()) {
        return TableError{2, 0, "", "в таблице нет ни одного варианта"};
    }
    return variants;
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
