#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "RunCli.h"
#include "cli/CliOptions.h"
#include "diagram/Diagram.h"
#include "grade/GradeGroup.h"
#include "grade/GroupGrades.h"
#include "solver/Parameters.h"

namespace {

using Result = vornik::test::CliResult;

Result RunCli(const std::string& args, bool withStderr = false) {
    return vornik::test::RunCli(args, withStderr);
}

TEST(Cli, ExitStatusFollowsTheRun) {
    struct Case {
        const char* name;
        const char* args;
        int status;
    };
    const Case cases[] = {
        {"completed star run", "--r1 10 --r2 10 --r3 10", 0},
        {"completed delta run", "--delta --r1 10 --r2 10 --r3 10 --open AB --break C", 0},
        {"default form stops on zero impedance", "", 1},
        {"text that is not a number", "--r1 10 --r2 10 --r3 1,5x", 1},
        {"a full stop only stands for the comma", "--r1 10 --r2 10 --r3 1.5.", 1},
        {"option=value", "--r1=10 --r2=10 --r3=1.5 --break=A", 0},
        {"option=value on a flag", "--json=yes", 2},
        {"unknown option", "--frobnicate", 2},
        {"option without its value", "--r1", 2},
        {"short circuit in delta", "--delta --short A", 2},
        {"load phase break in star", "--open AB", 2},
        {"unknown phase", "--break D", 2},
        {"unknown precision name", "--decimals X.y=2", 2},
        {"help", "--help", 0},
        {"report to a full disk", "--r1 10 --r2 10 --r3 10 > /dev/full", 3},
        {"JSON to a full disk", "--r1 10 --r2 10 --r3 10 --json > /dev/full", 3},
        {"help to a full disk", "--help > /dev/full", 3},
        {"version to a full disk", "--version > /dev/full", 3},
        {"stopped run with nothing to print", "--json --r1 1..5 > /dev/full", 3},
        {"version", "--version", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunCli(c.args).status, c.status) << c.name;
    }
}

TEST(Cli, UsageHintsAreRussianAndNameTheOption) {
    struct Case {
        const char* args;
        const char* hint;  // the whole of standard error
    };
    const Case cases[] = {
        {"--json=yes", "--json: ключ без значения"},
        {"--r1", "--r1: нужно значение (текст, как в поле формы, например 0,5)"},
        {"--break", "--break: нужна фаза"},
        {"--open CA --open XY --delta", "неизвестная фаза «XY» для --open (AB, BC или CA)"},
        {"--decimals", "--decimals: нужно ИМЯ=T, например --decimals I.mag=3"},
        {"--decimals I.mag",
         "--decimals: ИМЯ=T, где ИМЯ — одно из U.mag U.ang U.re U.im Z.re Z.im Z.mag "
         "Z.ang Y.mag Y.ang Y.re Y.im I.mag I.ang I.re I.im S.mag S.ang S.re S.im"},
        {"--task", "--task: нужно имя файла"},
        {"--save-task", "--save-task: нужно имя файла"},
        {"--diagram", "--diagram: нужен выбор диаграммы: 1..14 или РЕЖИМ:ВИД, например normal:U"},
        {"--vary", "--vary: нужно значение (см. --help)"},
        {"--delta --short A", "--short — режим звезды; с --delta задайте --open AB|BC|CA"},
        {"--open AB", "--open — режим треугольника; добавьте --delta или для звезды задайте --short A|B|C"},
        {"--out d.jpg", "--out — только вместе с --diagram"},
        {"--diagram 15",
         "нет кнопки диаграммы «15»: номер кнопки 1..14 или РЕЖИМ:ВИД, например normal:U или "
         "break-A:I"},
        {"--diagram normal:Q",
         "неизвестная диаграмма «normal:Q»: номер кнопки 1..14 или РЕЖИМ:ВИД, например "
         "normal:U или break-A:I"},
        {"--diagram open-AB:U",
         "open-AB — режим треугольника; добавьте --delta или для звезды выберите short-A, "
         "short-B или short-C"},
        {"--delta --diagram short-A:U",
         "short-A — режим звезды; с --delta выберите open-AB, open-BC или open-CA"},
        {"--diagram 1 --out d.gif",
         "--out «d.gif»: имя должно кончаться на .jpg, .jpeg, .bmp, .png или .svg "
         "(по нему выбирается формат рисунка)"},
    };
    for (const Case& c : cases) {
        const Result r = RunCli(std::string(c.args) + " 2>&1 >/dev/null | cat");
        EXPECT_EQ(r.out, "vornik-cli: " + std::string(c.hint) + "\n") << c.args;
    }
}

TEST(Cli, PlainOutputIsTheDocumentAndTheMessageGoesToStderr) {
    const Result ok = RunCli("--r1 10 --x1 5 --r2 20 --x2 -10 --r3 15 --neutral");
    EXPECT_EQ(std::count(ok.out.begin(), ok.out.end(), '\n'), 67);
    EXPECT_NE(ok.out.find("Za= 10+j 5 = 11,2 ej 26,6 (Om)\n"), std::string::npos);

    const Result fail = RunCli("--r1 10 --r2 10 --r3 10 --short A --shunt1 0", true);
    EXPECT_EQ(fail.status, 1);
    EXPECT_NE(fail.out.find("Сопротивление не может быть равно нулю!\n"), std::string::npos);
    EXPECT_NE(fail.out.find("Баланс мощностей сходится"), std::string::npos)
        << "the partial report is printed";

    const Result usage = RunCli("--open AB", true);
    EXPECT_EQ(std::count(usage.out.begin(), usage.out.end(), '\n'), 1) << "one-line hint: " << usage.out;
}

TEST(Cli, OptionEqualsValueAndFullStopGiveTheCommaReport) {
    const Result comma = RunCli("--r1 1,5 --x1 2,25 --r2 10 --r3 10 --decimals U.mag=2");
    const Result equals = RunCli("--r1=1.5 --x1=2.25 --r2 10 --r3=10 --decimals=U.mag=2");
    EXPECT_EQ(comma.status, 0);
    EXPECT_EQ(equals.status, 0);
    EXPECT_NE(comma.out.find("Za= 1,5+j 2,25"), std::string::npos) << "the typed texts are echoed";
    EXPECT_EQ(equals.out, comma.out);

    const Result bad = RunCli("--json --r1 10 --r2 10 --r3 1.5.");
    EXPECT_EQ(nlohmann::json::parse(bad.out)["message"], "'1,5,' is not a valid floating point value.");
}

TEST(Cli, VersionIsOneLineOnStdout) {
    const Result r = RunCli("--version", true);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("vornik-cli ")) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
}

// The help is Russian, and its usage line is the one help2man's Russian translation turns into the
// manual page's synopsis. A line with English prose (two words of only ASCII letters in a row;
// option, field and file names carry dashes, dots or digits) must have Russian in it too.
TEST(Cli, HelpIsRussianWithTheUsageLineOfTheManualPage) {
    const Result r = RunCli("--help", true);
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\n\nИспользование: vornik-cli [ключи]\n\n"), std::string::npos) << r.out;
    std::istringstream lines(r.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        std::istringstream words(line);
        bool wordBefore = false;
        bool prose = false;
        for (std::string w; words >> w;) {
            const bool word =
                std::all_of(w.begin(), w.end(), [](unsigned char c) { return std::isalpha(c) != 0; });
            prose = prose || (word && wordBefore);
            wordBefore = word;
        }
        const bool russian = line.find("\xD0") != std::string::npos || line.find("\xD1") != std::string::npos;
        EXPECT_TRUE(!prose || russian) << line;
    }
    EXPECT_GT(count, 100);
}

// What the help says of defaults, names and exit statuses is what the program does: each fragment
// is built from the program's own value.
TEST(Cli, HelpStatesTheProgramsOwnDefaultsAndStatuses) {
    using vornik::kFields;
    using vornik::Param;
    auto initial = [](Param p) { return std::string(kFields[static_cast<size_t>(p)].initial); };
    const vornik::GradeScale scale;
    auto mark = [&scale](int percent) { return std::to_string(vornik::MarkOf(percent, 100, scale)); };
    std::vector<std::u16string> taken;
    vornik::FeedbackStem("Иванов", taken);
    const std::string second = vornik::FeedbackStem("Иванов", taken);
    auto status = [](const char* args) { return "\n  " + std::to_string(RunCli(args).status) + "  "; };
    const std::vector<std::string> fragments = {
        "(треугольник);\n                      по умолчанию " + initial(Param::ComboBox1) + "\n",
        "по умолчанию " + initial(Param::Edit1) + ", " + initial(Param::Edit2) + ", " +
            initial(Param::Edit3) + "\n",
        "сопротивление нулевого провода (звезда); по умолчанию " + initial(Param::Edit10) + "\n",
        "фаз A, B, C;\n                      по умолчанию " + initial(Param::Edit11) + "\n",
        "номер кнопки 1.." + std::to_string(vornik::kModeButtonCount) + "\n",
        "--scale " + std::to_string(scale.scale) + "|100       оценка: от " + mark(0) + " до " + mark(100) +
            " (по умолчанию)",
        "шкала " + std::to_string(scale.scale) + " даёт " + mark(scale.thresholds[0]) + ", " +
            mark(scale.thresholds[1]) + " и " + mark(scale.thresholds[2]) + "\n",
        "(по умолчанию " + std::to_string(scale.thresholds[0]) + "," + std::to_string(scale.thresholds[1]) +
            "," + std::to_string(scale.thresholds[2]) + ")",
        "«" + second + "-feedback.pdf»",
        status("--r1 1..5") + "расчёт остановлен с сообщением",
        status("--frobnicate") + "ошибка в ключах",
        status("--help > /dev/full") + "не удалось записать вывод",
    };
    const std::string help = RunCli("--help").out;
    for (const std::string& f : fragments) {
        EXPECT_NE(help.find(f), std::string::npos) << f;
    }
}

TEST(Cli, JsonCarriesReportMessageRecordAndSlots) {
    const Result r = RunCli("--json --r1 10 --r2 10 --r3 10 --break A --r0 1e-400");
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(r.status, 1) << "R0 = 0 stops the run";
    EXPECT_FALSE(j["completed"].get<bool>());
    EXPECT_EQ(j["message"], "Сопротивление не может быть равно нулю!");
    EXPECT_TRUE(j["report"].empty()) << "the failure came before the first report";
    ASSERT_EQ(j["record"].size(), 88u);
    ASSERT_EQ(j["slots"].size(), 7u);
    for (const auto& slot : j["slots"]) {
        EXPECT_EQ(slot.size(), 88u);
    }

    const Result ok = RunCli("--json --r1 10 --r2 20 --r3 20 --break A --decimals I.mag=3");
    const auto k = nlohmann::json::parse(ok.out);
    EXPECT_TRUE(k["completed"].get<bool>());
    EXPECT_TRUE(k["message"].is_null());
    EXPECT_EQ(k["report"].size(), 56u + 47u);
    EXPECT_EQ(k["report"][0], "");
    // Numbers round-trip: U0 of the unbalanced load is 95 V, the balanced break leaves 190 V.
    EXPECT_NEAR(k["slots"][0][38].get<double>(), 95, 1e-9);
    EXPECT_EQ(k["record"], k["slots"][2]);
    EXPECT_EQ(k["slots"][0][2].get<double>(), 380.0);
}

TEST(Cli, JsonRuntimeErrorHasItsFullStopAndNotFiniteIsNull) {
    const Result r = RunCli("--json --r1 10 --r2 10 --r3 '1,,0'");
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["message"], "'1,,0' is not a valid floating point value.");

    // Bytes that are not UTF-8, echoed in the message, become U+FFFD: the output stays JSON.
    struct Case {
        const char* args;
        const char* message;
    };
    const Case bytes[] = {
        {"--r1 10 --r2 10 --r3 \"$(printf '10\\377')\"", "'10\uFFFD' is not a valid floating point value."},
        {"--r1 10 --r2 10 --r3 10 --decimals \"$(printf 'U.mag=\\377\\300')\"",
         "'\uFFFD\uFFFD' is not a valid integer value."},
    };
    for (const Case& c : bytes) {
        const Result raw = RunCli(std::string("--json ") + c.args);
        EXPECT_EQ(raw.status, 1) << c.args;
        EXPECT_EQ(nlohmann::json::parse(raw.out, nullptr, false).value("message", ""),
                  nlohmann::json::parse(std::string("\"") + c.message + "\"").get<std::string>())
            << raw.out;
    }

    const Result inf = RunCli("--json --r1 1E308 --x1 1E308 --r2 10 --r3 10");
    const auto k = nlohmann::json::parse(inf.out);
    EXPECT_TRUE(k["completed"].get<bool>());
    EXPECT_TRUE(k["record"][14].is_null()) << "|Za| overflows to infinity";
}

TEST(Cli, MessagesShowArgumentsEscapedOnOneLine) {
    struct Case {
        const char* name;
        const char* args;  // shell text
        const char* message;
    };
    const Case cases[] = {
        {"newline", "\"$(printf 'x\\ny')\"", "vornik-cli: неизвестный ключ «x\\ny» (см. --help)\n"},
        {"terminal title sequence", "--break \"$(printf '\\033]0;t\\007')\"",
         "vornik-cli: неизвестная фаза «\\x1b]0;t\\x07» для --break (A, B или C)\n"},
        {"invalid UTF-8", "\"$(printf -- '--a\\377\\320')\"",
         "vornik-cli: неизвестный ключ «--a\\xff\\xd0» (см. --help)\n"},
        {"overlong character and surrogate", "\"$(printf -- '--\\340\\200\\200\\355\\240\\200')\"",
         "vornik-cli: неизвестный ключ «--\\xe0\\x80\\x80\\xed\\xa0\\x80» (см. --help)\n"},
        {"C1 control and DEL", "\"$(printf -- '--\\302\\233\\177')\"",
         "vornik-cli: неизвестный ключ «--\\u009b\\x7f» (см. --help)\n"},
        {"backslash and tab", "\"$(printf -- '--a\\\\\\tb')\"",
         "vornik-cli: неизвестный ключ «--a\\\\\\tb» (см. --help)\n"},
        {"Cyrillic stays", "--фаза", "vornik-cli: неизвестный ключ «--фаза» (см. --help)\n"},
        {"the run's own message", "--r1 10 --r2 10 --r3 \"$(printf '1\\r5')\"",
         "'1\\r5' is not a valid floating point value.\n"},
    };
    for (const Case& c : cases) {
        // Standard error alone.
        EXPECT_EQ(vornik::test::RunCli(std::string(c.args) + " 2>&1 >/dev/null | cat").out, c.message)
            << c.name;
    }
    // The JSON message keeps the text itself (JSON escapes it in its own way).
    const Result json = RunCli("--json --r1 10 --r2 10 --r3 \"$(printf '1\\r5')\"");
    EXPECT_EQ(nlohmann::json::parse(json.out)["message"], "'1\r5' is not a valid floating point value.");
}

TEST(CliOptions, EveryTextOptionReachesItsField) {
    const char* argv[] = {"vornik-cli", "--u1",     "1",    "--u2",       "2",     "--u3",      "3",
                          "--a1",       "4",        "--a2", "5",          "--a3",  "6",         "--r1",
                          "7",          "--x1",     "8",    "--r2",       "9",     "--x2",      "10",
                          "--r3",       "11",       "--x3", "12",         "--r0",  "13",        "--shunt1",
                          "14",         "--shunt2", "15",   "--shunt3",   "16",    "--neutral", "--short",
                          "B",          "--break",  "C",    "--decimals", "S.im=4"};
    const vornik::Outcome<vornik::CliOptions> parsed =
        vornik::ParseCliOptions(static_cast<int>(std::size(argv)), argv);
    ASSERT_TRUE(parsed.Ok()) << parsed.Error().message;
    const vornik::CliOptions& o = *parsed;
    for (int k = 0; k < vornik::kParamCount; ++k) {
        EXPECT_EQ(o.params.texts[k], std::to_string(k + 1)) << "field " << k;
    }
    EXPECT_TRUE(o.params.Checked(1));
    EXPECT_TRUE(o.params.Checked(3));
    EXPECT_TRUE(o.params.Checked(7));
    EXPECT_FALSE(o.params.Checked(2));
    EXPECT_EQ(o.precision.Text(vornik::SIm), "4");
    EXPECT_EQ(o.precision.Text(vornik::SRe), "0");
}

TEST(CliOptions, EachPhaseLetterTicksItsOwnBox) {
    struct Case {
        std::vector<const char*> args;
        int box;  // the one box ticked
    };
    const Case cases[] = {
        {{"--short", "A"}, 2},
        {{"--short", "B"}, 3},
        {{"--short", "C"}, 4},
        {{"--delta", "--open", "AB"}, 2},
        {{"--delta", "--open", "BC"}, 3},
        {{"--delta", "--open", "CA"}, 4},
        {{"--break", "A"}, 5},
        {{"--break", "B"}, 6},
        {{"--break=C"}, 7},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"vornik-cli"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const vornik::Outcome<vornik::CliOptions> parsed =
            vornik::ParseCliOptions(static_cast<int>(argv.size()), argv.data());
        ASSERT_TRUE(parsed.Ok()) << parsed.Error().message;
        const vornik::CliOptions& o = *parsed;
        for (int box = 2; box <= 7; ++box) {
            EXPECT_EQ(o.params.Checked(box), box == c.box) << c.args.back() << ", box " << box;
        }
    }
}

}  // namespace

namespace {

// Task files on the command line: what is written, what overrides what, what is refused.
TEST(CliTask, TaskOptionsInOrder) {
    char folder[] = "/tmp/vornik-cli-task-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string dir = folder;
    const std::string task = dir + "/t.vornik";
    // --save-task alone writes the task and nothing else.
    const Result saved = RunCli(
        "--delta --r1 10 --x1 1.5 --r2 20 --r3 30 --open BC --decimals I.mag=4 --save-task " + task, true);
    ASSERT_EQ(saved.status, 0) << saved.out;
    EXPECT_EQ(saved.out, "");
    ASSERT_EQ(mkfifo((dir + "/pipe.vornik").c_str(), 0600), 0);
    {
        std::FILE* bad = std::fopen((dir + "/bad.vornik").c_str(), "w");
        std::fputs(R"({"format":"vornik-task","fields":{"Edit4":10}})", bad);
        std::fclose(bad);
        std::FILE* newer = std::fopen((dir + "/new.vornik").c_str(), "w");
        std::fputs(R"({"format":"vornik-task","version":9,"fields":{"Edit4":"7","Edit6":"7","Edit8":"7"}})",
                   newer);
        std::fclose(newer);
        // What the input assistant writes: a reactance longer than a student can type.
        std::FILE* assistant = std::fopen((dir + "/assistant.vornik").c_str(), "w");
        std::fputs(
            R"({"format":"vornik-task","fields":{"Edit4":"10","Edit5":"-32,25","Edit6":"10","Edit8":"10"}})",
            assistant);
        std::fclose(assistant);
    }
    struct Case {
        const char* name;
        std::string args;
        int status;
        std::string edit4;  // the task's Edit4 in the --json output
        bool delta;
        const char* inOutput;  // a part of standard error (or the output)
    };
    const Case cases[] = {
        {"task as saved", "--json --task " + task, 0, "10", true, "\"I.mag\":4"},
        {"options after the task override it", "--json --task " + task + " --r1 12", 0, "12", true,
         "\"Edit5\":\"1,5\""},
        {"the task overrides options before it", "--json --r1 12 --task " + task, 0, "10", true,
         "\"CheckBox3\":true"},
        {"a bad file is a usage error naming it", "--json --task " + dir + "/bad.vornik", 2, "", false,
         "bad.vornik\": «fields.Edit4» должен быть строкой."},
        {"a missing file", "--task " + dir + "/none.vornik", 2, "", false, "none.vornik\": файл не читается"},
        {"a pipe, refused at once", "--task " + dir + "/pipe.vornik", 2, "", false,
         "pipe.vornik\": файл не читается (это не обычный файл)"},
        {"a later version runs with a warning", "--json --task " + dir + "/new.vornik", 0, "7", false,
         "более новой версией"},
        {"a task made with the input assistant", "--json --task " + dir + "/assistant.vornik", 0, "10", false,
         "\"Edit5\":\"-32,25\""},
    };
    for (const Case& c : cases) {
        const Result r =
            RunCli(c.args + " 2>&1 >/dev/null; " + VORNIK_CLI + " " + c.args + " 2>/dev/null", false);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_NE(r.out.find(c.inOutput), std::string::npos) << c.name << ": " << r.out;
        if (c.status == 0) {
            const auto json = nlohmann::json::parse(r.out.substr(r.out.find('{')));
            EXPECT_EQ(json["task"]["fields"]["Edit4"], c.edit4) << c.name;
            EXPECT_EQ(json["task"]["connection"], c.delta ? "delta" : "star") << c.name;
        }
    }
    std::remove((dir + "/bad.vornik").c_str());
    std::remove((dir + "/new.vornik").c_str());
    std::remove((dir + "/assistant.vornik").c_str());
    std::remove(task.c_str());
    rmdir(folder);
}

}  // namespace
