#pragma once
// The variant table: a CSV file (UTF-8, comma or semicolon separated, a header row) with one
// row per variant. Its columns are the names of the parameter form's controls or the command
// line's option names; a missing column or an empty cell keeps the base task's value.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classset/Variant.h"
#include "fileio/Failure.h"

namespace vornik {

// A table bigger than this is refused before it is read (a class has a few dozen rows).
inline constexpr std::size_t kMaxTableBytes = 8u << 20;
// The most variants a set has, from a table or drawn (the rows of a table after its header).
inline constexpr int kMaxVariants = 10000;
// The most characters of a variant's name, of a title and of any other cell.
inline constexpr int kMaxNameChars = 64;
inline constexpr int kMaxTitleChars = 200;
inline constexpr int kMaxCellChars = 100;

enum class ColumnKind { Variant, Title, Connection, Field, Tick, Neutral, Shorts, Opens, Breaks, Decimals };

struct Column {
    ColumnKind kind;
    int index = 0;  // Param for a field, box number 1..7 for a tick, precision index for decimals
};

// The column a header name stands for: "variant", "title", "connection", "ComboBox1"…"Edit13",
// "u1"…"shunt3", "CheckBox1"…"CheckBox7", "neutral", "short", "open", "break", "U.mag"…"S.im".
std::optional<Column> ColumnByName(std::string_view name);

// A fault of the table, at a row (1 is the header) and a column (0 when the fault is not in one
// cell, such as an empty file).
struct TableError {
    int row = 0;
    int column = 0;
    std::string columnName;
    std::string text;
};

// "строка 3, столбец 5 (r1): ..." in one line.
std::string TableErrorMessage(const TableError& error);

// The variants of a table, or the table's first fault.
using TableResult = Outcome<std::vector<Variant>, TableError>;

// Reads the table's bytes. Every number is checked as the run will read it, the connection of
// each row against its ticks, names for being unique and usable as file names.
TableResult ReadVariantTable(std::string_view bytes, const TaskValues& base);

// The cells of one CSV text split into rows (quoted cells, "" inside quotes, CRLF or LF), with
// the separator chosen from the header line: ';' when it holds one outside quotes, else ','.
// A UTF-8 byte order mark is skipped. Fails on an unterminated quote, a row of too many cells or
// more than `maxRows` rows after the header ("в таблице больше <maxRows> <what>").
using CsvRows = std::vector<std::vector<std::string>>;
Outcome<CsvRows, TableError> SplitCsv(std::string_view text, int maxRows = kMaxVariants,
                                      std::string_view what = "строк вариантов");

// The separator SplitCsv chooses for `text`: whichever of ';' and ',' the header line holds
// outside quotes, ';' first (a Russian spreadsheet writes ';' and decimal commas).
char CsvSeparator(std::string_view text);

// The texts of a file name for each variant name: numeric names padded with zeros to the
// widest numeric name of the set (at least two digits), others as they are.
std::vector<std::string> VariantFileStems(const std::vector<Variant>& variants);

// The variants as a table that ReadVariantTable reads back: every column under its control
// name, each variant under its file name stem.
std::string VariantTableText(const std::vector<Variant>& variants, const std::vector<std::string>& stems);

}  // namespace vornik
