#include <gtest/gtest.h>

#include "classset/VariantTable.h"

namespace vornik {
namespace {

TaskValues StarBase() {
    TaskValues base;
    base.input[Param::Edit4] = "10";
    base.input[Param::Edit6] = "10";
    base.input[Param::Edit8] = "10";
    return base;
}

TEST(VariantTable, FaultsNameTheirRowAndColumn) {
    struct Case {
        const char* name;
        std::string table;
        int row;
        int column;
        const char* says;
    };
    const std::string big(kMaxTableBytes + 1, 'x');
    const Case cases[] = {
        {"a bad number", "variant,r1\n1,10\n2,abc\n", 3, 2, "не число"},
        {"two commas in a number", "variant;r1\n1;1,2,3\n", 2, 2, "не число"},
        {"an unknown column", "variant,r1,r9\n1,5,5\n", 1, 3, "неизвестный столбец"},
        {"a short circuit for a delta row", "variant,connection,short\n1,star,A\n2,delta,B\n", 3, 3,
         "только у звезды"},
        {"a load phase break for a star row", "variant,open\n1,AB\n", 2, 2, "только у треугольника"},
        {"a neutral wire for a delta row", "connection,neutral\ndelta,1\n", 2, 2, "нулевой провод"},
        {"an empty file", "", 1, 0, "пуст"},
        {"a header only", "variant,r1\r\n", 2, 0, "нет ни одного"},
        {"a file too big", big, 0, 0, "МиБ"},
        {"not UTF-8, at the line of its first bad byte", "variant,title\n1,\"a\nb\"\n2,\xC0\xAF\n", 4, 0,
         "UTF-8"},
        {"a quote never closed", "variant,title\n1,ok\n2,\"open\n", 3, 0, "кавычка"},
        {"a variant twice", "variant,r1\n7,1\n7,2\n", 3, 1, "уже есть"},
        {"two names for one file", "variant,r1\n3,1\n03,2\n", 3, 1, "уже есть"},
        {"more cells than columns", "variant,r1\n1,5,6\n", 2, 3, "ячеек больше"},
        {"decimals out of range", "variant,I.mag\n1,6\n", 2, 2, "от 0 до 5"},
        {"one column under two names", "r1,Edit4\n1,2\n", 1, 2, "повторяется"},
        {"a tick that is neither", "variant,CheckBox5\n1,maybe\n", 2, 2, "отметка"},
        {"an unknown phase", "variant,break\n1,A;D\n", 2, 2, "фазы A, B, C"},
        {"a name that is a path", "variant,r1\n../x,5\n", 2, 1, "имя варианта"},
        {"an unknown connection", "variant,connection\n1,zigzag\n", 2, 2, "соединение"},
        {"a quoted column name over two lines", "variant,\"r\r\n1\"\n1,2\n", 1, 2, "неизвестный столбец"},
        // Hostile names and titles: what Moodle strips, what file systems refuse, what XML cannot hold.
        {"an HTML tag as a name", "variant,r1\n<b>,5\n", 2, 1, "Moodle"},
        {"a reserved device name", "variant,r1\nCON,5\n", 2, 1, "для имени файла"},
        {"a reserved name with an extension, any case", "r1,variant\n5,lPt9.txt\n", 2, 2, "для имени файла"},
        {"PRN", "variant\nprn\n", 2, 1, "для имени файла"},
        {"AUX", "variant\naux\n", 2, 1, "для имени файла"},
        {"COM1", "variant\ncom1.txt\n", 2, 1, "для имени файла"},
        {"COM0 is a name", "variant,r1\nCOM0,5\nnul.a,5\n", 3, 1, "для имени файла"},
        {"a colon", "variant\na:b\n", 2, 1, "для имени файла"},
        {"a bar", "variant\na|b\n", 2, 1, "для имени файла"},
        {"a question mark", "variant\nwhy?\n", 2, 1, "для имени файла"},
        {"a star", "variant\n*\n", 2, 1, "для имени файла"},
        {"a double quote", "variant\n\"a\"\"b\"\n", 2, 1, "для имени файла"},
        {"a short row", "variant,r1,x2,neutral\n1,10,5,да\n2,10\n", 3, 3, "2 из 4 ячеек"},
        {"a control byte in a title", "variant,title\n1,\"a\x0c\x62\"\n", 2, 2, "U+000C"},
        {"NUL in a name", std::string("variant\na\0b\n", 12), 2, 1, "U+0000"},
        {"U+FFFE in a title", "title,variant\n\xEF\xBF\xBE,1\n", 2, 1, "U+FFFE"},
        {"an over-long title", "variant,title\n1," + std::string(201, 'y') + "\n", 2, 2, "длиннее 200"},
        {"an over-long name", "variant\n" + std::string(65, 'n') + "\n", 2, 1, "длиннее 64"},
        {"an over-long number", "r1\n" + std::string(101, '1') + "\n", 2, 1, "длиннее 100"},
        {"an over-long column name", std::string(101, 'c') + "\n1\n", 1, 1, "длиннее 100"},
        {"a column name of 100 characters, 101 bytes, is only unknown", std::string(99, 'c') + "ж\n1\n", 1, 1,
         "неизвестный столбец"},
        {"more rows than a set has",
         "r1\n" +
             [] {
                 std::string rows;
                 for (int k = 0; k <= kMaxVariants; ++k) {
                     rows += "5\n";
                 }
                 return rows;
             }(),
         kMaxVariants + 2, 0, "больше 10000 строк"},
        {"200 separators are still a row", "variant\n1" + std::string(200, ','), 2, 2, "ячеек больше"},
        {"a row of countless cells", "variant\n" + std::string(300, ','), 2, 0, "больше 200 ячеек"},
    };
    for (const Case& c : cases) {
        const TableResult r = ReadVariantTable(c.table, StarBase());
        ASSERT_FALSE(r.Ok()) << c.name;
        EXPECT_EQ(r.Error().row, c.row) << c.name;
        EXPECT_EQ(r.Error().column, c.column) << c.name;
        const std::string message = TableErrorMessage(r.Error());
        EXPECT_NE(message.find(c.says), std::string::npos) << c.name << ": " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << c.name;
        EXPECT_LT(message.size(), 400u) << c.name << ": an over-long cell is named, not echoed";
    }
}

TEST(VariantTable, ReadsWhatSpreadsheetsWrite) {
    struct Case {
        const char* name;
        std::string table;
        // Expected of the last row.
        const char* variant;
        const char* r1;
        const char* x1;
        const char* title;
        std::array<bool, kCheckBoxCount> ticks;
        bool star;
    };
    const std::array<bool, 7> none{};
    const Case cases[] = {
        {"semicolons, BOM and CRLF", "\xEF\xBB\xBFvariant;r1;x1\r\n7;10,5;-3\r\n", "7", "10,5", "-3", "",
         none, true},
        {"quoted cells holding the separator and quotes",
         "variant,r1,title\n1,\"2,5\",\"Петров, \"\"А\"\"\"\n", "1", "2,5", "0", "Петров, \"А\"", none, true},
        {"control names and a full stop", "Edit4,Edit5\n12.5,1e-1\n", "1", "12,5", "1e-1", "", none, true},
        {"empty cells keep the base", "variant,r1,x1\n3,,7\n", "3", "10", "7", "", none, true},
        {"phase lists, Cyrillic letters too",
         "variant,short,break,neutral\n1,A;С,В,да\n",
         "1",
         "10",
         "0",
         "",
         {true, true, false, true, false, true, false},
         true},
        {"a delta row with its breaks",
         "variant,connection,open,break\n9,delta,AB;CA,C\n",
         "9",
         "10",
         "0",
         "",
         {false, true, false, true, false, false, true},
         false},
        {"check boxes by name",
         "CheckBox1,CheckBox7\n1,0\nx,1\n",
         "2",
         "10",
         "0",
         "",
         {true, false, false, false, false, false, true},
         true},
        {"blank lines are skipped", "variant,r1\n\n4,8\n\n", "4", "8", "0", "", none, true},
        {"no line break after the last row", "variant,r1\n4,8", "4", "8", "0", "", none, true},
        {"rows of empty cells are skipped", "variant;r1;x1\n5;7;1\n;;\n ; ;\n", "5", "7", "1", "", none,
         true},
    };
    for (const Case& c : cases) {
        const TableResult r = ReadVariantTable(c.table, StarBase());
        ASSERT_TRUE(r.Ok()) << c.name << ": " << TableErrorMessage(r.Error());
        ASSERT_FALSE(r->empty()) << c.name;
        const Variant& v = r->back();
        EXPECT_EQ(v.name, c.variant) << c.name;
        EXPECT_EQ(v.task.input.Text(Param::Edit4), c.r1) << c.name;
        EXPECT_EQ(v.task.input.Text(Param::Edit5), c.x1) << c.name;
        EXPECT_EQ(v.task.title, c.title) << c.name;
        EXPECT_EQ(v.task.input.ticks, c.ticks) << c.name;
        EXPECT_EQ(v.task.input.star, c.star) << c.name;
        EXPECT_EQ(v.task.input.Text(Param::Edit6), "10") << c.name << ": a column not in the table";
    }
}

TEST(VariantTable, ItsOwnTableReadsBackUnchanged) {
    // A name and a title at their length limits that start a formula: the apostrophe the table
    // puts in front of them does not count against the limit when they are read back.
    const std::string longName = "-" + std::string(kMaxNameChars - 1, 'n');
    const std::string longTitle = "@" + std::string(kMaxTitleChars - 1, 't');
    const TableResult first = ReadVariantTable(
        "variant;title;connection;r1;x1;a2;I.mag;break\n"
        "1;\"Иванов; группа 3\";delta;1,5;-2;-115;3;A\n"
        "12;;star;4;0;-120;0;B\n"
        "=1+2;\"Петров \"\"А\"\", 7\";star;4;-2;-120;0;B\n"
        "'-5;@SUM(A1);star;4;0;-120;0;B\n" +
            longName + ";" + longTitle + ";star;4;0;-120;0;B\n",
        StarBase());
    ASSERT_TRUE(first.Ok()) << TableErrorMessage(first.Error());
    const std::vector<std::string> stems = VariantFileStems(*first);
    EXPECT_EQ(stems, (std::vector<std::string>{"01", "12", "=1+2", "-5", longName}));
    const std::string text = VariantTableText(*first, stems);
    // No text cell starts a formula; the numbers stay numbers.
    const Outcome<CsvRows, TableError> split = SplitCsv(text);
    ASSERT_TRUE(split.Ok());
    const CsvRows& cells = *split;
    for (size_t r = 1; r < cells.size(); ++r) {
        for (const size_t c : {0, 1}) {
            EXPECT_TRUE(cells[r][c].empty() || std::string("=+-@").find(cells[r][c][0]) == std::string::npos)
                << cells[r][c];
        }
    }
    EXPECT_EQ(cells[3][0], "'=1+2");
    EXPECT_EQ(cells[3][10], "-2");  // x1
    const TableResult again = ReadVariantTable(text, TaskValues{});
    ASSERT_TRUE(again.Ok()) << TableErrorMessage(again.Error());
    ASSERT_EQ(again->size(), 5u);
    EXPECT_EQ((*again)[2].task.title, "Петров \"А\", 7");
    EXPECT_EQ((*again)[3].task.title, "@SUM(A1)");
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_EQ((*again)[k].name, stems[k]);
        EXPECT_EQ((*again)[k].task.title, (*first)[k].task.title);
        EXPECT_TRUE(SameExercise((*again)[k].task, (*first)[k].task)) << k;
    }
}

TEST(VariantTable, FileStemsPadNumbersToTheWidestName) {
    struct Case {
        std::vector<std::string> names;
        std::vector<std::string> stems;
    };
    const Case cases[] = {
        {{"1", "2", "10"}, {"01", "02", "10"}},
        {{"7", "120"}, {"007", "120"}},
        {{"3а", "4"}, {"3а", "04"}},
    };
    for (const Case& c : cases) {
        std::vector<Variant> variants;
        for (const std::string& n : c.names) {
            variants.push_back({n, 0, {}});
        }
        EXPECT_EQ(VariantFileStems(variants), c.stems);
    }
}

}  // namespace
}  // namespace vornik
