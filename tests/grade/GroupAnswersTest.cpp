// The group's answers table: every malformed input gets its one message naming file, row and
// column, and the other rows are still read; a table nothing can be read from is refused whole.

#include <gtest/gtest.h>

#include "grade/GradeGroup.h"
#include "grade/GroupAnswers.h"
#include "grade/GroupReport.h"

namespace vornik {
namespace {

struct TableCase {
    const char* name;
    std::string csv;
    // The whole table refused with this message, or else the rows skipped and the students read
    // as "student/variant: mode quantity=text; …".
    std::string error;
    std::vector<std::string> skipped;
    std::vector<std::string> students;
};

std::string Described(const StudentAnswers& s) {
    std::string out = s.student + "/" + s.variant + ":";
    for (const AnswerEntry& a : s.answers) {
        out += " " + a.mode + " " + a.quantity + "=" + a.text + ";";
    }
    return out;
}

TEST(GroupAnswersTable, MalformedInputs) {
    const std::vector<TableCase> cases = {
        {"wide, semicolons, BOM, CRLF, quotes, a mode prefix of either connection",
         "\xEF\xBB\xBFstudent;variant;Ia;угол Ia;short-A:IaMod;open-AB Ibc\r\n\"Иванов; "
         "И.\";07;20,8;\"-30\";493;5\r\n",
         "",
         {},
         {"Иванов; И./07: normal Ia=20,8; normal угол Ia=-30; short-A IaMod=493; open-AB Ibc=5;"}},
        {"an unquoted decimal comma spills into a cell too many",
         "student,variant,Ia\nА,1,20,8\nБ,1,\"20,8\"\n",
         "",
         {"a.csv: строка 2, столбец 4: ячеек больше, чем столбцов в заголовке (3); число с запятой в таблице "
          "через запятую возьмите в кавычки"},
         {"Б/1: normal Ia=20,8;"}},
        {"a cell too few, an empty name, no variant, a student twice",
         "student;variant;Ia;Ib\nА;1;2\n;1;2;3\nВ;;2;3\nГ;2;1;\nГ;3;1;1\n",
         "",
         {"a.csv: строка 2, столбец 4 (Ib): в строке 3 из 4 ячеек заголовка; пустую ячейку отделите "
          "разделителем",
          "a.csv: строка 3, столбец 1 (student): нет имени ученика",
          "a.csv: строка 4, столбец 2 (variant): нет варианта",
          "a.csv: строка 6, столбец 1 (student): ученик «Г» уже есть в строке 5"},
         {"Г/2: normal Ia=1;"}},
        {"a control character and an overlong answer",
         std::string("student;variant;Ia\nА;1;2\x01\nБ;1;") + std::string(101, '7') + "\nВ;1;3\n",
         "",
         {"a.csv: строка 2, столбец 3 (Ia): управляющий знак U+0001 в ячейке",
          "a.csv: строка 3, столбец 3 (Ia): ячейка длиннее 100 знаков"},
         {"В/1: normal Ia=3;"}},
        {"long form: commas of an answer kept, bad mode, a repeated answer, another variant",
         "student,variant,mode,quantity,answer\nА,1,normal,Ia,20,8∠1,6\nА,1,normal,Ib,\nА,1,обычный,Ia,1\n"
         "А,1,normal,Ia,2\nА,2,normal,Ic,3\nБ,'=1,normal,IaMod,\"1,5\"\n",
         "",
         {"a.csv: строка 4, столбец 3 (mode): «обычный» — не режим (normal, short-A, …)",
          "a.csv: строка 5, столбец 4 (quantity): ответ ученика «А» на normal Ia уже есть выше",
          "a.csv: строка 6, столбец 2 (variant): у ученика «А» в строке 2 вариант «1»"},
         {"А/1: normal Ia=20,8∠1,6;", "Б/=1: normal IaMod=1,5;"}},
        {"no student column",
         "name,variant,Ia\nА,1,2\n",
         "a.csv: строка 1: нет столбца student (ученик и вариант: "
         "student, variant, затем ответы)",
         {},
         {}},
        {"a repeated column",
         "student,variant,Ia,Ia\n",
         "a.csv: строка 1, столбец 4 (Ia): столбец «Ia» повторяется",
         {},
         {}},
        {"long form with a column too many",
         "student,variant,mode,quantity,answer,note\n",
         "a.csv: строка 1: длинная таблица — это ровно столбцы student, variant, mode, quantity, answer "
         "(ответ "
         "последним)",
         {},
         {}},
        {"not UTF-8",
         "student,variant,Ia\n\xC8\xE2\xE0\xED\xEE\xE2,1,2\n",
         "a.csv: файл не в кодировке UTF-8 (сохраните таблицу как «CSV UTF-8»)",
         {},
         {}},
        {"an unclosed quote",
         "student,variant,Ia\nА,1,\"2\n",
         "a.csv: строка 2: кавычка не закрыта до конца файла",
         {},
         {}},
        {"empty", "", "a.csv: строка 1: нет строки заголовка: файл пуст", {}, {}},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.name);
        const GroupAnswersResult read = ReadGroupTable(c.csv, "a.csv");
        EXPECT_EQ(read ? "" : read.Error().message, c.error);
        const GroupAnswers refused;
        const GroupAnswers& answers = read ? *read : refused;
        std::vector<std::string> skipped, students;
        for (const Skipped& s : answers.skipped) {
            skipped.push_back(s.text);
        }
        for (const StudentAnswers& s : answers.students) {
            students.push_back(Described(s));
        }
        EXPECT_EQ(skipped, c.skipped);
        EXPECT_EQ(students, c.students);
    }
}

}  // namespace
}  // namespace vornik

namespace vornik {
namespace {

// The mark at and around each threshold, on both scales, and the per cent as written.
TEST(GroupGrades, MarkAndPercent) {
    struct Case {
        int score, total, scale;
        int mark;
        const char* percent;
    };
    const Case cases[] = {
        {17, 20, 5, 5, "85,0"},  {33, 39, 5, 4, "84,6"},      {14, 20, 5, 4, "70,0"}, {13, 20, 5, 3, "65,0"},
        {10, 20, 5, 3, "50,0"},  {9, 20, 5, 2, "45,0"},       {0, 12, 5, 2, "0,0"},   {2, 3, 100, 67, "66,7"},
        {1, 8, 100, 13, "12,5"}, {12, 12, 100, 100, "100,0"}, {0, 0, 100, 0, "0,0"},  {0, 0, 5, 2, "0,0"},
    };
    for (const Case& c : cases) {
        const GradeScale scale{c.scale, {50, 70, 85}};
        EXPECT_EQ(MarkOf(c.score, c.total, scale), c.mark) << c.score << "/" << c.total;
        EXPECT_EQ(PercentText(c.score, c.total), c.percent) << c.score << "/" << c.total;
    }
    std::array<int, 3> t{};
    EXPECT_TRUE(ParseThresholds("40,60,90", t));
    EXPECT_EQ(t, (std::array<int, 3>{40, 60, 90}));
    for (const char* bad :
         {"", "50,70", "50,70,85,", "50,50,85", "0,70,85", "50,70,101", "50;70;85", "5O,70,85"}) {
        EXPECT_FALSE(ParseThresholds(bad, t)) << bad;
    }
}

// Feedback file names every common file system takes, one per student even where a file system
// ignores case.
TEST(GroupGrades, FeedbackStems) {
    std::vector<std::u16string> taken;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Иванов И.", "Иванов И"},
        {"иванов и.", "иванов и (2)"},
        {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"CON", "_CON"},
        {"lpt1.txt", "_lpt1.txt"},
        {".hidden", "hidden"},
        {"...", "ученик"},
        {std::string(70, 'x'), std::string(60, 'x')},
        {std::string(59, 'x') + "Жук", std::string(59, 'x') + "Ж"},
    };
    for (const auto& [student, stem] : cases) {
        EXPECT_EQ(FeedbackStem(student, taken), stem) << student;
    }
}

}  // namespace
}  // namespace vornik

namespace vornik {
namespace {

// The pictures say what the figures say: a bar per score bin that holds students, the fullest
// one the whole height, the axis labelled 0 … 100; a quantity's bar split in its verdicts' shares.
TEST(GroupGrades, ChartsDrawTheFigures) {
    GroupFigures f;
    for (const auto& [bin, n] : std::vector<std::pair<int, int>>{{5, 1}, {7, 2}, {9, 4}}) {
        f.bins[bin].assign(n, "ученик");
    }
    f.quantities.push_back({"normal", "IaMod", "Ia", 6, {3, 1, 0, 2, 0}});
    const std::vector<GradeChart> charts = GroupCharts(f);
    ASSERT_EQ(charts.size(), 2u);  // the histogram and the shares of the normal mode; no mistakes made
    std::vector<int> heights;
    std::vector<std::string> labels;
    for (const DrawOp& op : charts[0].ops) {
        if (op.kind == DrawOp::Kind::Fill) {
            heights.push_back(op.y2 - op.y1);
        } else if (op.kind == DrawOp::Kind::Text && op.y1 > 350) {
            labels.push_back(op.text);
        }
    }
    ASSERT_EQ(heights.size(), 3u);
    EXPECT_EQ(heights[0] * 4, heights[2]);
    EXPECT_EQ(heights[1] * 2, heights[2]);
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "10", "20", "30", "40", "50", "60", "70", "80", "90",
                                                "100", "балл, % (учеников над столбцом)"}));
    std::vector<int> widths;
    bool labelled = false;  // the bar carries its quantity's label
    for (const DrawOp& op : charts[1].ops) {
        if (op.kind == DrawOp::Kind::Fill && op.y1 > 30) {
            widths.push_back(op.x2 - op.x1);
        }
        labelled = labelled || (op.kind == DrawOp::Kind::Text && op.text == "Ia");
    }
    EXPECT_TRUE(labelled);
    ASSERT_EQ(widths.size(), 3u);  // right, carried, wrong
    EXPECT_EQ(widths[0], 3 * widths[1]);
    EXPECT_EQ(widths[2], 2 * widths[1]);
}

}  // namespace
}  // namespace vornik
