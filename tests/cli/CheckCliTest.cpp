#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/cli/RunCli.h"

namespace vornik {
namespace {

using test::RunCli;
using Json = nlohmann::json;

void Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The same answers as a CSV table and as an answers file give the same marks; the JSON has the
// members the page and the teacher's tools read; the exit status follows the files, not the marks.
TEST(CheckCli, TableAndAnswersFileGiveTheSameMarks) {
    const auto dir = std::filesystem::temp_directory_path() / ("vornik-check-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string task = (dir / "t.vornik").string();
    ASSERT_EQ(RunCli("--r1 10 --x1 5 --r2 8 --r3 12 --x3 -4 --neutral --break B --save-task " + task).status,
              0);
    // Right, a complex value under a label (commas in it), a named mistake, unreadable, and a
    // quantity the task does not have.
    Write(dir / "a.csv",
          "mode,quantity,answer\r\nnormal,Ia,\"35,2∠-22,4\"\r\nnormal,угол Ib,120,6\r\nnormal,U0Mod,31\r\n"
          "normal,P,двадцать\r\nbreak-B,IaMod,33,4\r\n");
    std::ifstream in(task);
    const Json taskJson = Json::parse(in);
    const Json answers = {
        {"format", "vornik-answers"},
        {"version", 1},
        {"task", taskJson},
        {"student", "Петров"},
        {"answers",
         {{"normal", {{"Ia", "35,2∠-22,4"}, {"угол Ib", "120,6"}, {"U0Mod", "31"}, {"P", "двадцать"}}},
          {"break-B", {{"IaMod", "33,4"}}}}}};
    Write(dir / "a.vornik-answers", "\xEF\xBB\xBF" + answers.dump(2));  // as an editor may save it

    const test::CliResult fromTable =
        RunCli("--task " + task + " --check " + (dir / "a.csv").string() + " --json", false);
    const test::CliResult fromFile =
        RunCli("--check " + (dir / "a.vornik-answers").string() + " --json", false);
    ASSERT_EQ(fromTable.status, 0) << fromTable.out;
    ASSERT_EQ(fromFile.status, 0) << fromFile.out;
    EXPECT_EQ(fromTable.out, fromFile.out);

    const Json marks = Json::parse(fromTable.out);
    ASSERT_EQ(marks["answers"].size(), 22u);  // 12 of the normal mode, 10 of the break
    for (const Json& a : marks["answers"]) {
        for (const char* member :
             {"mode", "quantity", "label", "unit", "answer", "expected", "verdict", "mistake", "section"}) {
            EXPECT_TRUE(a.contains(member)) << member;
        }
    }
    auto mark = [&](const std::string& mode, const std::string& quantity) {
        for (const Json& a : marks["answers"]) {
            if (a["mode"] == mode && a["quantity"] == quantity) {
                return a;
            }
        }
        return Json();
    };
    EXPECT_EQ(mark("normal", "IaMod")["verdict"], "right");
    EXPECT_EQ(mark("normal", "IaArg")["verdict"], "right");
    EXPECT_EQ(mark("normal", "IbArg")["mistake"], "angle-sign");
    EXPECT_EQ(mark("normal", "IbArg")["section"], "5");
    EXPECT_TRUE(mark("normal", "IbArg").contains("explanation"));
    EXPECT_EQ(mark("normal", "PTotal")["verdict"], "missing");
    EXPECT_TRUE(mark("normal", "PTotal").contains("hint"));
    EXPECT_EQ(marks["score"], Json({{"right", 4}, {"carried", 0}, {"total", 22}}));
    EXPECT_EQ(marks["modes"][1], Json({{"mode", "break-B"}, {"right", 1}, {"carried", 0}, {"total", 10}}));

    // The text names the verdicts; a quantity the task lacks is a warning.
    const test::CliResult text = RunCli("--task " + task + " --check " + (dir / "a.csv").string());
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("угол Ib, °: 120,6 — типичная ошибка «знак угла» (шаг 5)"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Всего: 4 из 22"), std::string::npos) << text.out;

    Write(dir / "bad.vornik-answers", "{\"format\": \"vornik-answers\"}");
    const test::CliResult bad = RunCli("--check " + (dir / "bad.vornik-answers").string());
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("в файле нет задачи"), std::string::npos) << bad.out;
    EXPECT_EQ(RunCli("--check " + (dir / "missing.csv").string()).status, 1);
    EXPECT_EQ(RunCli("--check").status, 2);
    EXPECT_EQ(RunCli("--check " + (dir / "a.csv").string() + " --pdf x.pdf").status, 2);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vornik
