// vornik-cli --class-set: the key against the program's own --json of every variant, bad tables
// and usage errors with OUTDIR untouched.

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "FolderFiles.h"
#include "RunCli.h"
#include "classset/RecordFieldNames.h"

namespace {

namespace fs = std::filesystem;
using namespace vornik::test;

// The text of a PDF (of one page when `page` is given), without white space and without the
// page numbers under the text, so that a paragraph running onto the next page reads on.
std::string PdfText(const fs::path& pdf, int page = 0) {
    const std::string pages = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    const std::string text = CommandOutput("pdftotext -enc UTF-8" + pages + " '" + pdf.string() + "' -");
    return WithoutSpaces(std::regex_replace(text, std::regex("(^|\n)[0-9]+ ?/ ?[0-9]+(?=[\n\f])"), "$1"));
}

int PdfPageCount(const fs::path& pdf) {
    const std::string info = CommandOutput("pdfinfo '" + pdf.string() + "'");
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

std::vector<std::string> NonBlankLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!WithoutSpaces(line).empty()) {
            lines.push_back(WithoutSpaces(line));
        }
    }
    return lines;
}

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

// A row of variants.csv as vornik-cli options.
std::string OptionsOf(const std::map<std::string, std::string>& v) {
    static const std::map<std::string, std::string> kOptions = {
        {"ComboBox1", "--u1"}, {"ComboBox2", "--u2"},  {"ComboBox3", "--u3"},  {"Edit1", "--a1"},
        {"Edit2", "--a2"},     {"Edit3", "--a3"},      {"Edit4", "--r1"},      {"Edit5", "--x1"},
        {"Edit6", "--r2"},     {"Edit7", "--x2"},      {"Edit8", "--r3"},      {"Edit9", "--x3"},
        {"Edit10", "--r0"},    {"Edit11", "--shunt1"}, {"Edit12", "--shunt2"}, {"Edit13", "--shunt3"}};
    const bool star = v.at("connection") == "star";
    std::string args = star ? "" : " --delta";
    for (const auto& [control, option] : kOptions) {
        args += " " + option + " " + Quoted(v.at(control));
    }
    const char* phases[] = {"A", "B", "C"};
    const char* pairs[] = {"AB", "BC", "CA"};
    if (v.at("CheckBox1") == "1") {
        args += " --neutral";
    }
    for (int k = 0; k < 3; ++k) {
        if (v.at("CheckBox" + std::to_string(k + 2)) == "1") {
            args += star ? std::string(" --short ") + phases[k] : std::string(" --open ") + pairs[k];
        }
        if (v.at("CheckBox" + std::to_string(k + 5)) == "1") {
            args += std::string(" --break ") + phases[k];
        }
    }
    for (const char* name :
         {"U.mag", "U.ang", "U.re",  "U.im",  "Z.re", "Z.im", "Z.mag", "Z.ang", "Y.mag", "Y.ang",
          "Y.re",  "Y.im",  "I.mag", "I.ang", "I.re", "I.im", "S.mag", "S.ang", "S.re",  "S.im"}) {
        args += std::string(" --decimals ") + name + "=" + v.at(name);
    }
    return args;
}

// The mode slots by mode name.
int SlotOf(const std::string& mode, bool star) {
    static const std::map<std::string, int> kStar = {{"normal", 0},  {"short-A", 1}, {"break-A", 2},
                                                     {"short-B", 3}, {"break-B", 4}, {"short-C", 5},
                                                     {"break-C", 6}};
    static const std::map<std::string, int> kDelta = {{"normal", 0},  {"open-AB", 1}, {"open-BC", 2},
                                                      {"open-CA", 3}, {"break-A", 4}, {"break-B", 5},
                                                      {"break-C", 6}};
    return (star ? kStar : kDelta).at(mode);
}

TEST(ClassSetCli, EveryKeyRowIsTheFieldOfItsSlotInTheJsonOfItsVariant) {
    struct Case {
        const char* name;
        const char* args;
        size_t variants;
    };
    const Case cases[] = {
        {"star, every mode, neutral wire",
         "--count 6 --seed 11 --vary r1=1..30/0,5 --vary x1=-20..20/0,5 --vary r2=2..9/0,25 --vary "
         "a2=-130..-110/1 "
         "--r3 12 --x3 -7 --neutral --short A --short C --break A --break B --break C --short B --decimals "
         "I.mag=3",
         6},
        {"delta, every mode",
         "--count 5 --seed 3 --delta --vary r1=1..40/1 --vary x2=-15..15/0,1 --vary u3=300..400/5 --r2 7 "
         "--r3 9 "
         "--x3 4 --open AB --open BC --open CA --break A --break B --break C --decimals I.ang=3",
         5},
        {"star without neutral, chosen fields",
         "--count 4 --seed 5 --vary r0=1..9/1 --vary x3=1..5/0,5 --r1 5 --r2 6 --r3 7 --key-fields "
         "IaRe,U0Mod,UaLoadArg,PBalance --short B",
         4},
    };
    for (const Case& c : cases) {
        TempDir tmp;
        const fs::path out = tmp.path / "set";
        const auto made = RunCli("--class-set " + out.string() + " " + c.args);
        ASSERT_EQ(made.status, 0) << c.name << ": " << made.out;
        const auto variants = Csv(ReadFile(out / "variants.csv"));
        const auto key = Csv(ReadFile(out / "key.csv"));
        ASSERT_EQ(variants.size(), c.variants + 1) << c.name;
        ASSERT_EQ(key[0], (std::vector<std::string>{"variant", "mode", "quantity", "label", "unit", "shown",
                                                    "value"}))
            << c.name;
        size_t checked = 0;
        for (size_t r = 1; r < variants.size(); ++r) {
            std::map<std::string, std::string> v;
            for (size_t k = 0; k < variants[0].size(); ++k) {
                v[variants[0][k]] = variants[r].at(k);
            }
            // The variant's task file runs as the key says, and as its row of variants.csv.
            const auto run =
                RunCli("--task " + (out / (v["variant"] + ".vornik")).string() + " --json", false);
            ASSERT_EQ(run.status, 0) << c.name << " variant " << v["variant"];
            const auto json = nlohmann::json::parse(run.out);
            const auto byOptions = RunCli(OptionsOf(v) + " --json", false);
            ASSERT_EQ(byOptions.status, 0) << c.name << " variant " << v["variant"];
            EXPECT_EQ(nlohmann::json::parse(byOptions.out)["slots"], json["slots"])
                << c.name << " " << v["variant"];
            size_t rows = 0;
            for (const auto& row : key) {
                if (row[0] != v["variant"]) {
                    continue;
                }
                ++rows;
                const int slot = SlotOf(row[1], v["connection"] == "star");
                const std::optional<int> field = vornik::FieldByName(row[2]);
                ASSERT_TRUE(field.has_value()) << row[2];
                std::string value = row[6];
                std::replace(value.begin(), value.end(), ',', '.');
                // In the unit of the row: an angle in degrees within (-180, 180], the rest as stored.
                const double stored = json["slots"][slot][*field].get<double>();
                const std::string where = c.name + std::string(": ") + row[0] + " " + row[1] + " " + row[2];
                if (row[4] == "°") {
                    const double degrees = std::remainder(stored * 180 / M_PI, 360.0);
                    EXPECT_NEAR(std::stod(value), degrees == -180 ? 180 : degrees, 1e-9) << where;
                    EXPECT_GT(std::stod(value), -180) << where;
                } else {
                    EXPECT_EQ(std::stod(value), stored) << where;
                }
                // Named as the solution names it, never by the field.
                EXPECT_NE(row[3], row[2]) << where;
                EXPECT_TRUE(row[4] == "°" || row[4] == "А" || row[4] == "В" || row[4] == "Вт" ||
                            row[4] == "вар" || row[4] == "ВА" || row[4] == "Ом" || row[4] == "См")
                    << where << ": " << row[4];
                ++checked;
            }
            EXPECT_GT(rows, 0u) << c.name << " variant " << v["variant"];

            // The worked solution's PDF holds every report line of the variant's task, in order.
            const std::string stem = v["variant"];
            const auto report = RunCli("--task " + (out / (stem + ".vornik")).string(), false);
            ASSERT_EQ(report.status, 0) << c.name << " variant " << stem;
            const std::string solution = PdfText(out / (stem + "-solution.pdf"));
            const std::vector<std::string> reportLines = NonBlankLines(report.out);
            size_t at = 0;
            for (const std::string& line : reportLines) {
                const size_t found = solution.find(line, at);
                ASSERT_NE(found, std::string::npos) << c.name << " " << stem << ": report line " << line;
                at = found + line.size();
            }
            EXPECT_GT(reportLines.size(), 20u) << c.name;
            // The student's sheet: the variant, every load input as typed, and no line of the solution.
            const std::string sheet = PdfText(out / (stem + "-task.pdf"));
            const bool star = v["connection"] == "star";
            const char* phases[] = {"a", "b", "c"};
            const char* pairs[] = {"ab", "bc", "ca"};
            std::vector<std::string> inputs = {"Вариант:" + stem};
            for (int k = 0; k < 3; ++k) {
                const std::string p = star ? phases[k] : pairs[k];
                inputs.push_back("R" + p + "=" + v["Edit" + std::to_string(4 + 2 * k)] + "Ом");
                inputs.push_back("X" + p + "=" + v["Edit" + std::to_string(5 + 2 * k)] + "Ом");
                inputs.push_back("U" + p + "=" + v["ComboBox" + std::to_string(1 + k)] + "В,угол" +
                                 v["Edit" + std::to_string(1 + k)] + "°");
            }
            // What to find: every quantity of the key with its unit, and the decimals shown.
            for (const auto& row : key) {
                if (row[0] == stem) {
                    inputs.push_back(WithoutSpaces(row[3] + " (" + row[4] + ","));
                }
            }
            for (const std::string& input : inputs) {
                EXPECT_NE(sheet.find(input), std::string::npos) << c.name << " " << stem << ": " << input;
            }
            for (const std::string& line : reportLines) {
                if (line.size() > 24) {
                    EXPECT_EQ(sheet.find(line), std::string::npos) << c.name << " " << stem << ": " << line;
                }
            }
        }
        // key.pdf: as many pages as its title says, each variant whole on one page with every value
        // its key shows.
        const fs::path keyPdf = out / "key.pdf";
        const int pages = PdfPageCount(keyPdf);
        EXPECT_NE(PdfText(keyPdf, 1).find("страницключа:" + std::to_string(pages)), std::string::npos)
            << c.name << ": " << pages << " pages";
        std::map<std::string, int> pageOf;
        for (int page = 1; page <= pages; ++page) {
            const std::string text = PdfText(keyPdf, page);
            for (size_t r = 1; r < variants.size(); ++r) {
                const std::string& stem = variants[r][0];
                const std::string heading = "Вариант" + stem;
                for (size_t f = text.find(heading); f != std::string::npos; f = text.find(heading, f + 1)) {
                    if (f + heading.size() == text.size() || !std::isdigit(text[f + heading.size()])) {
                        EXPECT_EQ(pageOf.count(stem), 0u) << c.name << ": " << stem << " twice";
                        pageOf[stem] = page;
                    }
                }
            }
        }
        EXPECT_EQ(pageOf.size(), c.variants) << c.name;
        for (const auto& row : key) {
            if (pageOf.count(row[0]) != 0) {
                EXPECT_NE(PdfText(keyPdf, pageOf[row[0]]).find("=" + row[5]), std::string::npos)
                    << c.name << ": " << row[0] << " " << row[1] << " " << row[2] << " " << row[5];
            }
        }
        if (c.variants == 6) {
            EXPECT_GT(pages, 1) << c.name << ": every mode of six variants fills more than one page";
        }
        EXPECT_EQ(checked, key.size() - 1) << c.name << ": rows of no variant";
        // The summary tells the counts, the seed and the command.
        const std::string summary = ReadFile(out / "summary.txt");
        for (const std::string& says : {"Вариантов: " + std::to_string(c.variants) + "\n",
                                        "Строк ключа (key.csv): " + std::to_string(key.size() - 1) + "\n",
                                        std::string(c.args).substr(0, 18), std::string("Выбраны заново: ")}) {
            EXPECT_NE(summary.find(says), std::string::npos) << c.name << ": " << says << "\n" << summary;
        }
        // The same command makes the same files (a set of the same name in another folder).
        fs::create_directory(tmp.path / "again");
        const auto again = RunCli("--class-set " + (tmp.path / "again" / "set").string() + " " + c.args);
        ASSERT_EQ(again.status, 0) << c.name;
        for (const char* file : {"variants.csv", "key.csv", "moodle.xml", "gift.txt", "01.vornik"}) {
            EXPECT_TRUE(ReadFile(out / file) == ReadFile(tmp.path / "again" / "set" / file))
                << c.name << ": " << file;
        }
    }
}

TEST(ClassSetCli, BadTablesStopWithOneMessageAndLeaveNoFolder) {
    struct Case {
        const char* name;
        std::string table;
        const char* where;  // "" for a fault of the whole file
    };
    const Case cases[] = {
        {"a bad number", "variant,r1,r2,r3\n1,10,10,10\n2,10,1x,10\n", "строка 3, столбец 3 (r2)"},
        {"an unknown column", "variant;r1;phase\n1;10;A\n", "строка 1, столбец 3 (phase)"},
        {"a tick for the wrong connection", "variant,connection,r1,r2,r3,short\n1,delta,5,5,5,B\n",
         "строка 2, столбец 6 (short)"},
        {"an empty file", "", "строка 1"},
        {"BOM, CRLF and quoted separators before the fault",
         "\xEF\xBB\xBFvariant,title,r1,r2,r3\r\n1,\"a, \"\"b\"\"\",\"1,5\",2,3\r\n2,\"c\r\nd\",5,5,abc\r\n",
         "строка 3, столбец 5 (r3)"},
        {"a run that stops", "variant,r1,r2,r3\n1,10,10,10\n2,0,10,10\n", "строка 3"},
        {"a short row", "variant,r1,r2,r3\n1,10,10,10\n2,10\n", "строка 3, столбец 3 (r2)"},
        {"a name Moodle strips", "variant,r1,r2,r3\n<b>,10,10,10\n", "строка 2, столбец 1 (variant)"},
        {"not UTF-8", "variant,r1,r2,r3\n1,10,10,10\n\xFF,10,10,10\n", "строка 3:"},
    };
    for (const Case& c : cases) {
        TempDir tmp;
        WriteFile(tmp.path / "t.csv", c.table);
        const auto r = RunCli("--class-set " + (tmp.path / "set").string() + " --variants " +
                              (tmp.path / "t.csv").string());
        EXPECT_EQ(r.status, 1) << c.name << ": " << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << c.name << ": " << r.out;
        EXPECT_NE(r.out.find(c.where), std::string::npos) << c.name << ": " << r.out;
        EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path), fs::directory_iterator()), 1)
            << c.name << ": only the table is left";
    }
    // A 50 MB file is refused without reading it.
    TempDir tmp;
    fs::resize_file((WriteFile(tmp.path / "big.csv", "variant\n"), tmp.path / "big.csv"), 50'000'000);
    const auto big = RunCli("--class-set " + (tmp.path / "set").string() + " --variants " +
                            (tmp.path / "big.csv").string());
    EXPECT_EQ(big.status, 1) << big.out;
    EXPECT_NE(big.out.find("МиБ"), std::string::npos) << big.out;
    EXPECT_FALSE(fs::exists(tmp.path / "set"));
    // A pipe is refused at once, not waited for.
    ASSERT_EQ(mkfifo((tmp.path / "pipe.csv").c_str(), 0600), 0);
    const auto pipe = RunCli("--class-set " + (tmp.path / "set").string() + " --variants " +
                             (tmp.path / "pipe.csv").string());
    EXPECT_EQ(pipe.status, 1) << pipe.out;
    EXPECT_EQ(pipe.out, "vornik-cli: " + (tmp.path / "pipe.csv").string() +
                            ": файл не читается (это не обычный файл)\n");
}

TEST(ClassSetCli, AFolderInUseIsLeftAsItIs) {
    TempDir tmp;
    fs::create_directory(tmp.path / "set");
    WriteFile(tmp.path / "set" / "notes.txt", "keep me");
    const auto r = RunCli("--class-set " + (tmp.path / "set").string() +
                          " --count 2 --seed 1 --vary r1=1..9/1 "
                          "--r2 5 --r3 5");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("не пуста"), std::string::npos) << r.out;
    // Said before anything is computed: a table that cannot be read is not reached.
    const auto early = RunCli("--class-set " + (tmp.path / "set").string() + " --variants " +
                              (tmp.path / "none.csv").string());
    EXPECT_EQ(early.status, 1) << early.out;
    EXPECT_NE(early.out.find("не пуста"), std::string::npos) << early.out;
    EXPECT_EQ(ReadFile(tmp.path / "set" / "notes.txt"), "keep me");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path / "set"), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path), fs::directory_iterator()), 1)
        << "no temporary folder";
    // An empty folder is taken.
    fs::remove(tmp.path / "set" / "notes.txt");
    EXPECT_EQ(RunCli("--class-set " + (tmp.path / "set").string() +
                     " --count 2 --seed 1 --vary r1=1..9/1 "
                     "--r2 5 --r3 5")
                  .status,
              0);
    EXPECT_TRUE(fs::exists(tmp.path / "set" / "summary.txt"));
    // A folder named with a slash at its end is the same folder.
    EXPECT_EQ(RunCli("--class-set " + (tmp.path / "slash").string() +
                     "/ --count 2 --seed 1 --vary r1=1..9/1 "
                     "--r2 5 --r3 5")
                  .status,
              0);
    EXPECT_TRUE(fs::exists(tmp.path / "slash" / "key.csv"));
    EXPECT_TRUE(ReadFile(tmp.path / "slash" / "summary.txt").starts_with("Набор вариантов: slash\n"));
}

TEST(ClassSetCli, UsageErrorsExitWithTwo) {
    struct Case {
        const char* name;
        const char* args;
        const char* says;  // the hint, in Russian as every message of vornik-cli
    };
    const Case cases[] = {
        {"no variants", "--class-set x", "нужно --variants ТАБЛИЦА или --count N --seed S"},
        {"a table and a count", "--class-set x --variants t.csv --count 3 --seed 1",
         "уберите --count, --seed"},
        {"a count without a seed", "--class-set x --count 3", "нужно --variants ТАБЛИЦА"},
        {"a count of zero", "--class-set x --count 0 --seed 1", "--count: целое число от 1 до 10000"},
        {"a seed that is not a number", "--class-set x --count 3 --seed -1", "--seed: целое число от 0"},
        {"a range without dots", "--class-set x --count 3 --seed 1 --vary r1=5-20", "нужно ИМЯ=ОТ..ДО/ШАГ"},
        {"a range of no field", "--class-set x --count 3 --seed 1 --vary q7=1..2/1", "«q7» — не поле"},
        {"an unknown key field", "--class-set x --count 3 --seed 1 --key-fields IaMod,Iz",
         "«Iz» — не поле записи решения"},
        {"a tolerance of zero", "--class-set x --count 3 --seed 1 --tolerance 0",
         "--tolerance: проценты больше 0 и меньше 100"},
        {"an angle tolerance of zero", "--class-set x --count 3 --seed 1 --angle-tolerance 0",
         "--angle-tolerance: градусы больше 0 и меньше 90"},
        {"a separator of neither", "--class-set x --count 3 --seed 1 --quiz-decimal dot",
         "--quiz-decimal: comma или point"},
        {"a task title over the limit", "--task long.vornik --class-set x --count 3 --seed 1",
         "название задачи длиннее 200 знаков"},
        {"set options without the set", "--count 3 --seed 1", "только вместе с --class-set ПАПКА"},
        {"a set with JSON", "--class-set x --count 3 --seed 1 --json", "уберите --json, --diagram и --out"},
        {"a set without a name", "--class-set= --count 3 --seed 1", "--class-set: нужно имя папки"},
        {"a range that runs backwards", "--class-set x --count 3 --seed 1 --vary r1=9..1/1",
         "ОТ не больше ДО, ШАГ больше нуля"},
    };
    TempDir tmp;
    WriteFile(tmp.path / "long.vornik",
              "{\"format\":\"vornik-task\",\"title\":\"" + std::string(201, 't') + "\"}");
    for (const Case& c : cases) {
        const auto u = RunCli(c.args, true, "cd " + tmp.path.string() + " && ");
        EXPECT_EQ(u.status, 2) << c.name << ": " << u.out;
        EXPECT_NE(u.out.find(c.says), std::string::npos) << c.name << ": " << u.out;
        EXPECT_FALSE(fs::exists(tmp.path / "x")) << c.name;
    }
}

const std::string kSmallSet = " --count 2 --seed 1 --vary r1=1..9/1 --r2 5 --r3 5";

// The set folder's mode and its files': the umask's for a new folder, the given folder's own.
TEST(ClassSetCli, TheSetFolderHasTheUmasksModeOrTheGivenFolders) {
    struct Case {
        const char* name;
        int given;  // the mode of an empty folder given, -1 for none
        const char* umask;
        fs::perms folder;
        fs::perms file;
    };
    const Case cases[] = {
        {"new folder, umask 022", -1, "022", fs::perms(0755), fs::perms(0644)},
        {"new folder, umask 027", -1, "027", fs::perms(0750), fs::perms(0640)},
        {"a private folder given", 0700, "022", fs::perms(0700), fs::perms(0600)},
    };
    for (const Case& c : cases) {
        TempDir tmp;
        const fs::path set = tmp.path / "set";
        if (c.given >= 0) {
            fs::create_directory(set);
            fs::permissions(set, fs::perms(c.given));
        }
        const auto r =
            RunCli("--class-set " + set.string() + kSmallSet, true, std::string("umask ") + c.umask + "; ");
        ASSERT_EQ(r.status, 0) << c.name << ": " << r.out;
        EXPECT_EQ(fs::status(set).permissions(), c.folder) << c.name;
        EXPECT_EQ(fs::status(set / "key.csv").permissions(), c.file) << c.name;
    }
}

// A failure while the set is written (here a file-size limit) leaves nothing beside the folder.
TEST(ClassSetCli, AFileSizeLimitLeavesNothing) {
    TempDir tmp;
    const auto r = RunCli("--class-set " + (tmp.path / "set").string() + kSmallSet, true, "ulimit -f 8; ");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(r.out, "vornik-cli: " + (tmp.path / "set").string() + ": файл слишком велик\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path), fs::directory_iterator()), 0);
}

// The success line and the messages name the folder as given, escaped; a folder whose place
// cannot be searched is reported with the system's reason.
TEST(ClassSetCli, TheFolderIsNamedAsGivenAndEscaped) {
    TempDir tmp;
    const auto made = RunCli("--class-set '" + (tmp.path / "s\x1b[31m").string() + "'" + kSmallSet);
    EXPECT_EQ(made.status, 0) << made.out;
    EXPECT_EQ(made.out.find('\x1b'), std::string::npos) << made.out;
    EXPECT_NE(made.out.find("s\\x1b[31m: 2 "), std::string::npos) << made.out;

    fs::permissions(tmp.path, fs::perms(0755));
    fs::create_directory(tmp.path / "locked");
    fs::permissions(tmp.path / "locked", fs::perms(0700));
    // Root searches every folder: the check then runs as uid 65534.
    const std::string as = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    if (geteuid() != 0) {
        fs::permissions(tmp.path / "locked", fs::perms::none);
    }
    const std::string cmd =
        as + VORNIK_CLI + " --class-set " + (tmp.path / "locked" / "set").string() + kSmallSet;
    const std::string out = vornik::test::CommandOutput(cmd + " 2>&1");
    fs::permissions(tmp.path / "locked", fs::perms(0700));
    EXPECT_EQ(out, "vornik-cli: " + (tmp.path / "locked" / "set").string() + ": отказано в доступе\n");
}

// Runs vornik-cli with the save-call shim preloaded, as the picture tests do; returns the wait status.
int RunWithShim(const std::string& args, const std::string& env) {
    const pid_t child = fork();
    if (child == 0) {
        const std::string cmd = "LD_PRELOAD=" + std::string(VORNIK_SAVE_SHIM) +
                                " ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 " + env + " exec " +
                                VORNIK_CLI + " " + args + " >/dev/null 2>&1";
        execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child ? status : -1;
}

// Ctrl-C, a closed terminal or a shutdown while the files are flushed remove the hidden staging
// folder; a finished set is renamed into place and then its parent folder flushed.
TEST(ClassSetCli, ASignalRemovesTheStagingFolder) {
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        TempDir tmp;
        const int status = RunWithShim("--class-set " + (tmp.path / "set").string() + kSmallSet,
                                       "VORNIK_SHIM_SIGNAL=" + std::to_string(sig));
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << strsignal(sig) << ": " << status;
        EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path), fs::directory_iterator()), 0)
            << strsignal(sig);
    }
    TempDir tmp;
    const fs::path log = tmp.path / "calls.log";
    const int status = RunWithShim("--class-set " + (tmp.path / "set").string() + kSmallSet,
                                   "VORNIK_SHIM_LOG=" + log.string());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string calls = ReadFile(log);
    EXPECT_TRUE(calls.ends_with("fsync-folder\nrename\nfsync-folder\n")) << calls;
}

// The quiz's options, the texts of the set and a title with markup, through the command.
TEST(ClassSetCli, QuizOptionsAndHostileTitlesMakeWellFormedFiles) {
    TempDir tmp;
    const fs::path out = tmp.path / "set";
    WriteFile(tmp.path / "t.csv", "variant,title,r1,r2,r3\n1,\"=a <i> & ]]>\",10,8,12\n");
    const auto r = RunCli("--class-set " + out.string() + " --variants " + (tmp.path / "t.csv").string() +
                          " --quiz-decimal point --angle-tolerance 2");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find(": 1 вариант, 10 строк ключа"), std::string::npos) << r.out;
    EXPECT_EQ(std::system(("xmllint --noout '" + (out / "moodle.xml").string() + "'").c_str()), 0);
    const std::string xml = ReadFile(out / "moodle.xml");
    EXPECT_NE(xml.find("Дробную часть отделяйте точкой: 20.8"), std::string::npos);
    EXPECT_NE(ReadFile(out / "gift.txt").find("Дробную часть отделяйте точкой\\: 20.8"), std::string::npos);
    EXPECT_NE(ReadFile(out / "summary.txt").find("Десятичный разделитель в тесте: точка\n"),
              std::string::npos);
    EXPECT_NE(xml.find(":2~="), std::string::npos) << "an angle's tolerance of 2°";
    // The title as a spreadsheet shows it, as text.
    EXPECT_NE(ReadFile(out / "variants.csv").find("\r\n01,'=a"), std::string::npos);
    EXPECT_EQ(ReadFile(out / "key.csv").find("\n'"), std::string::npos) << "a plain name stays plain";
}

}  // namespace
