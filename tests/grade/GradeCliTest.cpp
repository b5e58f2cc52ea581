// vornik-cli --grade end to end: a class set of a star with its neutral wire and a delta, fourteen
// students with planted answers (exact, as printed, carried forward, each named mistake, missing
// and unreadable cells) and a broken row, marked into grades.csv, group.csv, the feedback PDFs
// and summary.txt.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <numbers>
#include <regex>

#include "../cli/FolderFiles.h"
#include "../cli/RunCli.h"
#include "check/AnswersFile.h"
#include "check/Mistakes.h"
#include "task/TaskFile.h"

namespace {

namespace fs = std::filesystem;
using namespace vornik::test;
using Cpx = std::complex<double>;

double Number(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return std::stod(text);
}

std::string Text(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.12g", value);
    std::string s = buffer;
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

// The key of one variant: field name -> value in its unit, and -> the text the solution shows.
struct Key {
    std::map<std::string, double> value;
    std::map<std::string, std::string> shown;
    std::vector<std::string> order;
    Cpx Phasor(const std::string& mod, const std::string& arg) const {
        return std::polar(value.at(mod), value.at(arg) * std::numbers::pi / 180);
    }
};

// A student's answers: field name -> text ("" leaves the cell empty).
using Answers = std::map<std::string, std::string>;

struct Student {
    std::string name;
    std::string variant;
    std::function<Answers(const Key&)> answers;
    // right, carried, mistake, wrong, missing, percent, mark as grades.csv writes them
    std::vector<std::string> grades;
    std::string mistake;  // the id of the one named mistake planted, if any
};

Answers Exact(const Key& k) {
    Answers a;
    for (const std::string& f : k.order) {
        a[f] = Text(k.value.at(f));
    }
    return a;
}

Answers With(Answers a, const std::map<std::string, std::string>& changes) {
    for (const auto& [f, t] : changes) {
        a[f] = t;
    }
    return a;
}

const double kSqrt3 = std::sqrt(3.0);
const Cpx kUa = std::polar(380.0, 0.0), kUb = std::polar(380.0, -2 * std::numbers::pi / 3),
          kUc = std::polar(380.0, 2 * std::numbers::pi / 3);

// Star: Ra = 10, Xa = 3 (the only reactance); delta: the same branches.
const std::vector<Student>& Students() {
    static const std::vector<Student> kStudents = {
        {"Агеева", "1", Exact, {"12", "0", "0", "0", "0", "100,0", "5"}, ""},
        {"Борисов", "02", Exact, {"14", "0", "0", "0", "0", "100,0", "5"}, ""},
        {"Волков",
         "1",
         [](const Key& k) {
             Answers a;
             for (const auto& [f, shown] : k.shown) {
                 a[f] = shown;
             }
             return a;
         },
         {"12", "0", "0", "0", "0", "100,0", "5"},
         ""},
        // Ia 20 % too large; I0 = Ia + Ib + Ic and the powers follow from it: only Ia is lost.
        {"Гусева",
         "1",
         [](const Key& k) {
             const Cpx ia = k.Phasor("IaMod", "IaArg");
             const Cpx i0 = k.Phasor("I0Mod", "I0Arg") + 0.2 * ia;
             const double pa = std::norm(ia) * 0.2;  // Re((Ua − U0)·0,2·Ia*) = 0,2·Ia²·Ra
             return With(Exact(k), {{"IaMod", Text(1.2 * std::abs(ia))},
                                    {"I0Mod", Text(std::abs(i0))},
                                    {"I0Arg", Text(std::arg(i0) * 180 / std::numbers::pi)},
                                    {"PTotal", Text(k.value.at("PTotal") + pa * 10)},
                                    {"QTotal", Text(k.value.at("QTotal") + pa * 3)}});
         },
         {"7", "4", "0", "1", "0", "91,7", "5"},
         ""},
        {"=Данилов",
         "1",
         [](const Key& k) {
             return With(Exact(k), {{"IaMod", Text(k.value.at("IaMod") * kSqrt3)}});
         },
         {"11", "0", "1", "0", "0", "91,7", "5"},
         "line-for-phase"},
        {"Егоров",
         "1",
         [](const Key& k) {
             return With(
                 Exact(k),
                 {{"IbMod", Text(k.value.at("IbMod") * std::sqrt(2.0))}, {"U0Mod", ""}, {"U0Arg", ""}});
         },
         {"9", "0", "1", "0", "2", "75,0", "4"},
         "amplitude"},
        {"Жуков",
         "1",
         [](const Key& k) {
             return With(Exact(k), {{"IcArg", Text(-k.value.at("IcArg"))}});
         },
         {"11", "0", "1", "0", "0", "91,7", "5"},
         "angle-sign"},
        {"Зайцева",
         "1",
         [](const Key& k) {
             return With(Exact(k), {{"IaArg", Text(k.value.at("IaArg") * std::numbers::pi / 180)}});
         },
         {"11", "0", "1", "0", "0", "91,7", "5"},
         "degrees-radians"},
        {"Ким/Ли",
         "1",
         [](const Key& k) {
             return With(Exact(k), {{"IbMod", Text(k.value.at("IcMod"))}});
         },
         {"11", "0", "1", "0", "0", "91,7", "5"},
         "b-c-swapped"},
        {"Лебедев",
         "1",
         [](const Key& k) {
             return With(Exact(k), {{"IbMod", Text(380 / 8.0)}});
         },
         {"11", "0", "1", "0", "0", "91,7", "5"},
         "no-u0"},
        // S = U·I without the conjugate: the load voltages (U − U0) times the currents.
        {"Морозова",
         "1",
         [](const Key& k) {
             const Cpx u0 = k.Phasor("U0Mod", "U0Arg");
             const Cpx s = (kUa - u0) * k.Phasor("IaMod", "IaArg") + (kUb - u0) * k.Phasor("IbMod", "IbArg") +
                           (kUc - u0) * k.Phasor("IcMod", "IcArg");
             return With(Exact(k), {{"PTotal", Text(s.real())}});
         },
         {"11", "0", "1", "0", "0", "91,7", "5"},
         "no-conjugate"},
        {"Новиков",
         "2",
         [](const Key& k) {
             return With(Exact(k), {{"UaLoadMod", Text(k.value.at("YaMod"))}});
         },
         {"13", "0", "1", "0", "0", "92,9", "5"},
         "phase-for-line"},
        // Half the sheet, one answer that cannot be read: the rest missing.
        {"Орлова",
         "1",
         [](const Key& k) {
             Answers a;
             for (const char* f : {"IaMod", "IaArg", "IbMod", "IcMod", "IcArg", "I0Mod", "I0Arg"}) {
                 a[f] = Text(k.value.at(f));
             }
             a["IbArg"] = "сто";
             return a;
         },
         {"7", "0", "0", "0", "5", "58,3", "3"},
         ""},
        {"Павлов",
         "1",
         [](const Key& k) {
             return With(Exact(k), {{"I0Mod", "0"}});
         },
         {"11", "0", "1", "0", "0", "91,7", "5"},
         "sum-zero"},
    };
    return kStudents;
}

class GradeCli : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir("grade-test");
        const fs::path table = dir_->path / "variants.csv";
        std::ofstream(table) << "variant,connection,r1,x1,r2,x2,r3,x3,neutral\n"
                                "1,star,10,3,8,0,12,0,1\n"
                                "2,delta,10,3,8,0,12,0,0\n";
        const auto made =
            RunCli("--class-set " + (dir_->path / "set").string() + " --variants " + table.string());
        ASSERT_EQ(made.status, 0) << made.out;
        for (const auto& row : Csv(ReadFile(dir_->path / "set" / "key.csv"))) {
            if (row[0] == "variant") {
                continue;
            }
            Key& k = keys_[row[0]];
            k.value[row[2]] = Number(row[6]);
            k.shown[row[2]] = row[5];
            k.order.push_back(row[2]);
        }
        // The columns: every field of both keys, star first.
        std::vector<std::string> columns;
        for (const char* v : {"01", "02"}) {
            for (const std::string& f : keys_[v].order) {
                if (std::find(columns.begin(), columns.end(), f) == columns.end()) {
                    columns.push_back(f);
                }
            }
        }
        std::string csv = "\xEF\xBB\xBFstudent,variant";
        for (const std::string& c : columns) {
            csv += "," + c;
        }
        csv += "\r\n";
        for (const Student& s : Students()) {
            const Answers a = s.answers(keys_[s.variant.size() == 1 ? "0" + s.variant : s.variant]);
            csv += "\"" + s.name + "\"," + s.variant;
            for (const std::string& c : columns) {
                const auto it = a.find(c);
                csv += ",\"" + (it == a.end() ? std::string() : it->second) + "\"";
            }
            csv += "\r\n";
            if (&s == &Students()[3]) {
                // A decimal comma not in quotes: one cell too many, the row is skipped.
                csv += "Сломанный,1,25,6" + std::string(columns.size() - 1, ',') + "\r\n";
            }
        }
        std::ofstream(dir_->path / "answers.csv", std::ios::binary) << csv;
        const auto graded =
            RunCli("--grade " + (dir_->path / "set").string() + " --answers " +
                   (dir_->path / "answers.csv").string() + " " + (dir_->path / "out").string());
        status_ = graded.status;
        output_ = graded.out;
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static fs::path Out() { return dir_->path / "out"; }

    static TempDir* dir_;
    static std::map<std::string, Key> keys_;
    static int status_;
    static std::string output_;
};

TempDir* GradeCli::dir_ = nullptr;
std::map<std::string, Key> GradeCli::keys_;
int GradeCli::status_ = -1;
std::string GradeCli::output_;

TEST_F(GradeCli, GradesEqualTheExpectedTable) {
    ASSERT_EQ(status_, 0) << output_;
    std::vector<std::vector<std::string>> expected = {
        {"student", "variant", "right", "carried", "mistake", "wrong", "missing", "percent", "mark"}};
    for (const Student& s : Students()) {
        std::vector<std::string> row = {s.name, s.variant.size() == 1 ? "0" + s.variant : s.variant};
        row.insert(row.end(), s.grades.begin(), s.grades.end());
        expected.push_back(row);
    }
    expected[5][0] = "'=Данилов";  // no formula runs in a spreadsheet
    EXPECT_EQ(Csv(ReadFile(Out() / "grades.csv")), expected);
}

TEST_F(GradeCli, GroupFiguresEqualTheExpectedTable) {
    ASSERT_EQ(status_, 0) << output_;
    std::vector<std::vector<std::string>> tail;
    std::map<std::string, std::vector<std::string>> quantities;
    for (const auto& row : Csv(ReadFile(Out() / "group.csv"))) {
        if (row[0] == "quantity") {
            quantities[row[1] + " " + row[2]] = row;
        } else if (row[0] != "kind") {
            tail.push_back(row);
        }
    }
    std::vector<std::vector<std::string>> expected;
    for (const Student& s : Students()) {
        if (!s.mistake.empty()) {
            std::string name;
            for (const auto& m : vornik::kMistakes) {
                name = m.id == s.mistake ? std::string(m.name) : name;
            }
            expected.push_back({"mistake", "", s.mistake, name, "1", "", "", "", "", "",
                                s.name == "=Данилов" ? "'=Данилов" : s.name});
        }
    }
    // The scores: 58,3 % in 50–60, 75 % in 70–80, the rest from 90 up.
    const std::vector<std::string> bins = {
        "",
        "",
        "",
        "",
        "",
        "Орлова",
        "",
        "Егоров",
        "",
        "Агеева; Борисов; Волков; Гусева; =Данилов; Жуков; Зайцева; Ким/Ли; "
        "Лебедев; Морозова; Новиков; Павлов"};
    for (int b = 0; b < 10; ++b) {
        const int count =
            bins[b].empty() ? 0 : static_cast<int>(std::count(bins[b].begin(), bins[b].end(), ';')) + 1;
        expected.push_back({"score", "", "",
                            std::to_string(b * 10) + "–" + std::to_string(b * 10 + 10) + " %",
                            std::to_string(count), "", "", "", "", "", bins[b]});
    }
    for (const auto& [mark, count] :
         std::vector<std::pair<std::string, std::string>>{{"2", "0"}, {"3", "1"}, {"4", "1"}, {"5", "12"}}) {
        expected.push_back({"mark", "", "", mark, count, "", "", "", "", "", ""});
    }
    EXPECT_EQ(tail, expected);
    // Ia of the star: 12 students asked; Гусева wrong, Данилов a named mistake.
    EXPECT_EQ(quantities["normal IaMod"], (std::vector<std::string>{"quantity", "normal", "IaMod", "Ia", "12",
                                                                    "83,3", "0,0", "8,3", "8,3", "0,0", ""}));
    EXPECT_EQ(quantities["normal I0Mod"][6], "8,3");  // carried forward: Гусева
}

TEST_F(GradeCli, FeedbackCitesTheSectionOfTheWrongStep) {
    ASSERT_EQ(status_, 0) << output_;
    const std::string text = WithoutSpaces(
        CommandOutput("pdftotext -enc UTF-8 '" + (Out() / "Лебедев-feedback.pdf").string() + "' -"));
    const std::string solution = WithoutSpaces(
        CommandOutput("pdftotext -enc UTF-8 '" + (dir_->path / "set" / "01-solution.pdf").string() + "' -"));
    const auto& noU0 = vornik::MistakeOf(vornik::Mistake::NoU0);
    EXPECT_NE(text.find(WithoutSpaces(std::string(noU0.name) + ". " + std::string(noU0.explanation))),
              std::string::npos);
    // The currents' section as the solution PDF prints it, under its step number.
    const std::string section = WithoutSpaces("Режим: нормальный режим, шаг 5:");
    const size_t at = text.find(section);
    ASSERT_NE(at, std::string::npos) << text;
    const std::string cited = text.substr(at + section.size(), 200);
    EXPECT_NE(solution.find(cited.substr(0, 120)), std::string::npos) << cited;
    // A right sheet cites nothing; a file name that every file system takes.
    EXPECT_EQ(WithoutSpaces(
                  CommandOutput("pdftotext -enc UTF-8 '" + (Out() / "Агеева-feedback.pdf").string() + "' -"))
                  .find(WithoutSpaces("Шаги решения")),
              std::string::npos);
    // Only a wrong answer or a named mistake shows what was expected.
    EXPECT_EQ(text.find(WithoutSpaces("ожидалось")), text.rfind(WithoutSpaces("ожидалось")));
    EXPECT_NE(text.find(WithoutSpaces("ожидалось 45,3 А (шаг 5)")), std::string::npos) << text;
    EXPECT_TRUE(fs::exists(Out() / "Ким_Ли-feedback.pdf"));
    EXPECT_TRUE(fs::exists(Out() / "group.pdf"));
}

TEST_F(GradeCli, SummaryListsTheBrokenRowAndTheUnreadableAnswer) {
    ASSERT_EQ(status_, 0) << output_;
    const std::string summary = ReadFile(Out() / "summary.txt");
    EXPECT_NE(summary.find("Пропущено: 1\n  answers.csv: строка 6, столбец 27: ячеек больше, чем столбцов в "
                           "заголовке (26)"),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("answers.csv: строка 15, столбец 6 (IbArg): «сто» не прочитан"), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("оценка 5 от 85 %, 4 от 70 %, 3 от 50 %"), std::string::npos);
    // The feedback sheets are named after the students, not numbered like the variants.
    EXPECT_NE(summary.find(" <ученик>-feedback.pdf (14 учеников) group.pdf summary.txt\n"), std::string::npos)
        << summary;
}

}  // namespace

namespace {

// A folder of answers files: each student named by the file, the variant found by its task; a
// broken file and a task of no variant are skipped with their reasons.
TEST_F(GradeCli, AnswersFolder) {
    const fs::path folder = dir_->path / "files";
    fs::create_directory(folder);
    const vornik::TaskReadResult task =
        vornik::LoadTask((dir_->path / "set" / "02.vornik").string(), vornik::FieldLimits::None);
    ASSERT_TRUE(task);
    vornik::AnswersFile file;
    file.task = task->task;
    file.student = "Яковлев";
    for (const std::string& f : keys_["02"].order) {
        file.answers.push_back({"normal", f, Text(keys_["02"].value.at(f))});
    }
    std::ofstream(folder / "a.vornik-answers") << vornik::WriteAnswers(file);
    file.student.clear();  // named by the file
    file.answers.resize(2);
    std::ofstream(folder / "Юдин.vornik-answers") << vornik::WriteAnswers(file);
    file.task.input[vornik::Param::Edit4] = "11";
    std::ofstream(folder / "c.vornik-answers") << vornik::WriteAnswers(file);
    std::ofstream(folder / "d.vornik-answers") << "{\"format\": \"vornik-answers\"";
    const auto graded = RunCli("--grade " + (dir_->path / "set").string() + " --answers " + folder.string() +
                               " " + (dir_->path / "out-files").string() + " --scale 100");
    ASSERT_EQ(graded.status, 0) << graded.out;
    EXPECT_EQ(
        Csv(ReadFile(dir_->path / "out-files" / "grades.csv")),
        (std::vector<std::vector<std::string>>{
            {"student", "variant", "right", "carried", "mistake", "wrong", "missing", "percent", "mark"},
            {"Яковлев", "02", "14", "0", "0", "0", "0", "100,0", "100"},
            {"Юдин", "02", "2", "0", "0", "0", "12", "14,3", "14"}}));
    const std::string summary = ReadFile(dir_->path / "out-files" / "summary.txt");
    EXPECT_NE(summary.find("  c.vornik-answers: задача файла не совпадает ни с одним вариантом набора"),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("  Не удалось открыть ответы \"d.vornik-answers\""), std::string::npos) << summary;
}

}  // namespace

namespace {

// For every student the marks in grades.csv are those of vornik-cli --task NN.vornik --check of the
// same answers.
TEST_F(GradeCli, MarksEqualTheSelfCheckOfEachStudent) {
    ASSERT_EQ(status_, 0) << output_;
    const auto grades = Csv(ReadFile(Out() / "grades.csv"));
    ASSERT_EQ(grades.size(), Students().size() + 1);
    for (size_t k = 0; k < Students().size(); ++k) {
        const Student& s = Students()[k];
        const std::string variant = s.variant.size() == 1 ? "0" + s.variant : s.variant;
        std::string csv = "mode,quantity,answer\n";
        for (const auto& [field, text] : s.answers(keys_[variant])) {
            if (!text.empty()) {
                csv += "normal," + field + ",\"" + text + "\"\n";
            }
        }
        const fs::path answers = dir_->path / ("check-" + std::to_string(k) + ".csv");
        std::ofstream(answers) << csv;
        const auto checked = RunCli("--task " + (dir_->path / "set" / (variant + ".vornik")).string() +
                                        " --check " + answers.string() + " --json",
                                    false);
        ASSERT_EQ(checked.status, 0) << checked.out;
        std::map<std::string, int> counts;
        const nlohmann::json marks = nlohmann::json::parse(checked.out);
        for (const auto& a : marks["answers"]) {
            ++counts[a["verdict"].get<std::string>()];
        }
        EXPECT_EQ(
            (std::vector<std::string>(grades[k + 1].begin() + 2, grades[k + 1].begin() + 7)),
            (std::vector<std::string>{std::to_string(counts["right"]), std::to_string(counts["carried"]),
                                      std::to_string(counts["mistake"]), std::to_string(counts["wrong"]),
                                      std::to_string(counts["missing"])}))
            << s.name;
    }
}

}  // namespace

namespace {

// Usage errors exit with 2 and a hint; a folder in use exits with 1; neither writes anything.
TEST_F(GradeCli, UsageErrorsWriteNothing) {
    const std::string set = (dir_->path / "set").string();
    const std::string answers = (dir_->path / "answers.csv").string();
    const fs::path out = dir_->path / "unused";
    struct Case {
        std::string args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"--grade " + set + " " + out.string(), 2, "--grade: нужно --answers ПУТЬ"},
        {"--grade " + set + " --answers " + answers, 2, "--grade: нужна одна папка результатов"},
        {"--grade " + set + " --answers " + answers + " a b", 2, "--grade: нужна одна папка результатов"},
        {"--answers " + answers, 2, "--answers, --scale и --thresholds — только вместе с --grade"},
        {"--grade " + set + " --answers " + answers + " " + out.string() + " --scale 10", 2,
         "--scale: 5 или 100"},
        {"--grade " + set + " --answers " + answers + " " + out.string() + " --thresholds 70,50,85", 2,
         "--thresholds: три целых процента от 1 до 100 по возрастанию"},
        {"--grade " + set + " --answers " + answers + " " + out.string() + " --thresholds 50,70,85,90", 2,
         "--thresholds: три целых процента от 1 до 100 по возрастанию"},
        {"--grade " + set + " --answers " + answers + " " + out.string() +
             " --scale 100 --thresholds 50,70,85",
         2, "--thresholds — только со шкалой --scale 5"},
        {"--grade " + set + " --answers " + answers + " " + out.string() + " --json", 2,
         "--grade пишет свою папку"},
        {"--grade " + set + " --answers " + answers + " " + out.string() + " --diagram 1", 2,
         "--grade пишет свою папку"},
        {"stray", 2, "неизвестный ключ «stray»"},
        {"--grade " + set + " --answers " + answers + " " + set, 1, "папка уже есть и не пуста"},
        {"--grade " + (dir_->path / "none").string() + " --answers " + answers + " " + out.string(), 1,
         "это не папка набора вариантов"},
    };
    for (const Case& c : cases) {
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << "\n" << r.out;
        EXPECT_FALSE(fs::exists(out)) << c.args;
    }
}

}  // namespace
