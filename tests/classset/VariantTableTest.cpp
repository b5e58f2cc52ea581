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
        {"not UTF-8", "variant,title\n1,\xC0\xAF\n", 0, 0, "UTF-8"},
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
    };
    for (const Case& c : cases) {
        const TableResult r = ReadVariantTable(c.table, StarBase());
        ASSERT_TRUE(r.error.has_value()) << c.name;
        EXPECT_TRUE(r.variants.empty()) << c.name;
        EXPECT_EQ(r.error->row, c.row) << c.name;
        EXPECT_EQ(r.error->column, c.column) << c.name;
        const std::string message = TableErrorMessage(*r.error);
        EXPECT_NE(message.find(c.says), std::string::npos) << c.name << ": " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << c.name;
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
    };
    for (const Case& c : cases) {
        const TableResult r = ReadVariantTable(c.table, StarBase());
        ASSERT_FALSE(r.error.has_value()) << c.name << ": " << TableErrorMessage(*r.error);
        ASSERT_FALSE(r.variants.empty()) << c.name;
        const Variant& v = r.variants.back();
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
    const TableResult first = ReadVariantTable(
        "variant;title;connection;r1;x1;a2;I.mag;break\n"
        "1;\"Иванов; группа 3\";delta;1,5;-2;-115;3;A\n"
        "12;;star;4;0;-120;0;B\n",
        StarBase());
    ASSERT_FALSE(first.error.has_value()) << TableErrorMessage(*first.error);
    const std::vector<std::string> stems = VariantFileStems(first.variants);
    EXPECT_EQ(stems, (std::vector<std::string>{"01", "12"}));
    const TableResult again = ReadVariantTable(VariantTableText(first.variants, stems), TaskValues{});
    ASSERT_FALSE(again.error.has_value()) << TableErrorMessage(*again.error);
    ASSERT_EQ(again.variants.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(again.variants[k].name, stems[k]);
        EXPECT_EQ(again.variants[k].task.title, first.variants[k].task.title);
        EXPECT_TRUE(SameExercise(again.variants[k].task, first.variants[k].task)) << k;
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
