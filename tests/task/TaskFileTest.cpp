// Reading and writing task files: malformed files are refused with one reason each, good ones
// fill exactly what they hold, and what is written reads back the same.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "run/AssistantAnswers.h"
#include "task/TaskFile.h"

namespace {

using namespace vornik;

const std::string kHead = R"({"format":"vornik-task","version":1,)";

struct Bad {
    const char* name;
    std::string bytes;
    FieldLimits limits;
    const char* reason;  // a part of the error text
};

TEST(TaskRead, MalformedFilesAreRefusedWithTheirReason) {
    const Bad cases[] = {
        {"empty", "", FieldLimits::None, "не текст JSON"},
        {"not json", "380 Ом", FieldLimits::None, "не текст JSON"},
        {"truncated", kHead + R"("fields":{"Edit4":"1)", FieldLimits::None, "не текст JSON"},
        {"truncated utf-8", kHead + "\"title\":\"\xd0\"}", FieldLimits::None, "не в кодировке UTF-8"},
        {"saved as Windows-1251", kHead + "\"title\":\"\xc2\xe0\xf0\xe8\xe0\xed\xf2 7\"}", FieldLimits::None,
         "файл не в кодировке UTF-8 (байт 46)"},
        {"number out of range", kHead + R"("note":1e999})", FieldLimits::None, "не текст JSON"},
        {"array", "[1,2]", FieldLimits::None, "не файл задачи"},
        {"other format", R"({"format":"other","version":1})", FieldLimits::None, "не файл задачи"},
        {"no format", R"({"version":1,"fields":{}})", FieldLimits::None, "не файл задачи"},
        {"nested garbage", std::string(5000, '[') + std::string(5000, ']'), FieldLimits::None, "вложенность"},
        {"nested in a member", kHead + R"("x":)" + std::string(100, '{') + std::string(100, '}') + "}",
         FieldLimits::None, "вложенность"},
        {"over 1 MiB", kHead + R"("note":")" + std::string(2 * 1024 * 1024, 'a') + "\"}", FieldLimits::None,
         "больше 1 МиБ"},
        {"version text", R"({"format":"vornik-task","version":"1"})", FieldLimits::None, "«version»"},
        {"version zero", R"({"format":"vornik-task","version":0})", FieldLimits::None, "«version»"},
        {"title number", kHead + R"("title":7})", FieldLimits::None, "«title» должен быть строкой"},
        {"connection", kHead + R"("connection":"wye"})", FieldLimits::None, "«connection»"},
        {"fields array", kHead + R"("fields":["380"]})", FieldLimits::None, "«fields» должен быть объектом"},
        {"field number", kHead + R"("fields":{"Edit4":10}})", FieldLimits::None,
         "«fields.Edit4» должен быть строкой"},
        {"tick text", kHead + R"("ticks":{"CheckBox3":"yes"}})", FieldLimits::None, "«ticks.CheckBox3»"},
        {"decimals 6", kHead + R"("decimals":{"I.mag":6}})", FieldLimits::None,
         "«decimals.I.mag» должен быть от 0 до 5"},
        {"decimals -1", kHead + R"("decimals":{"S.im":-1}})", FieldLimits::None, "«decimals.S.im»"},
        {"decimals bool", kHead + R"("decimals":{"U.mag":true}})", FieldLimits::None, "«decimals.U.mag»"},
        {"field too long", kHead + R"("fields":{"Edit4":"12345"}})", FieldLimits::Form,
         "«fields.Edit4» длиннее 4"},
        {"shunt too long", kHead + R"("fields":{"Edit13":"0,0001"}})", FieldLimits::Form,
         "«fields.Edit13» длиннее 5"},
        {"decimals text too long", kHead + R"("decimals":{"Y.re":"12"}})", FieldLimits::Form,
         "«decimals.Y.re» длиннее 1"},
        {"bytes after a NUL", kHead + R"("title":"a"})" + std::string(1, '\0') + "[[[", FieldLimits::None,
         "нулевой байт"},
        {"a control character", kHead + R"("title":"a\fb"})", FieldLimits::None,
         "«title» содержит управляющий знак U+000C"},
        {"U+FFFE", kHead + R"("note":"\uFFFE"})", FieldLimits::None,
         "«note» содержит управляющий знак U+FFFE"},
        {"NUL in a field", kHead + R"("fields":{"Edit4":"1\u0000"}})", FieldLimits::None,
         "«fields.Edit4» содержит"},
    };
    for (const Bad& c : cases) {
        const TaskReadResult r = ReadTask(c.bytes, c.limits);
        ASSERT_FALSE(r.Ok()) << c.name;
        EXPECT_NE(r.Error().message.find(c.reason), std::string::npos) << c.name << ": " << r.Error().message;
    }
}

struct Good {
    const char* name;
    std::string bytes;
    FieldLimits limits;
    bool newer;
    std::string edit4;  // Edit4's text after reading
    bool star;
    bool checkBox7;
    std::string zMag;  // Z.mag's precision text
};

TEST(TaskRead, GoodFilesFillWhatTheyHoldAndKeepTheRestInitial) {
    const Good cases[] = {
        {"only the format", R"({"format":"vornik-task"})", FieldLimits::Form, false, "0", true, false, "1"},
        {"unknown members", kHead + R"("colour":[1,{"a":2}],"fields":{"Edit4":"10","Edit99":"x"}})",
         FieldLimits::Form, false, "10", true, false, "1"},
        {"later version",
         R"({"format":"vornik-task","version":3,"connection":"delta","ticks":{"CheckBox7":true}})",
         FieldLimits::Form, true, "0", false, true, "1"},
        {"decimals text", kHead + R"("decimals":{"Z.mag":" "}})", FieldLimits::Form, false, "0", true, false,
         " "},
        {"long text for the command line",
         kHead + R"("fields":{"Edit4":" 1,5e+03 "},"decimals":{"Z.mag":5}})", FieldLimits::None, false,
         " 1,5e+03 ", true, false, "5"},
        {"limit counts characters, not bytes", kHead + R"("fields":{"Edit4":"ааа"}})", FieldLimits::Form,
         false, "ааа", true, false, "1"},
    };
    for (const Good& c : cases) {
        const TaskReadResult r = ReadTask(c.bytes, c.limits);
        ASSERT_TRUE(r.Ok()) << c.name << ": " << r.Error().message;
        EXPECT_EQ(r->newer, c.newer) << c.name;
        EXPECT_EQ(r->task.input.Text(Param::Edit4), c.edit4) << c.name;
        EXPECT_EQ(r->task.input.star, c.star) << c.name;
        EXPECT_EQ(r->task.input.Checked(Tick::CheckBox7), c.checkBox7) << c.name;
        EXPECT_EQ(r->task.precision.texts[ZMag], c.zMag) << c.name;
        // What was not in the file is the form's initial value.
        EXPECT_EQ(r->task.input.Text(Param::Edit2), "-120") << c.name;
        EXPECT_EQ(r->task.precision.texts[YMag], "3") << c.name;
    }
}

// The longest texts the input assistant writes into the form, from inputs its own fields hold:
// the phase voltage of the most negative 32-bit integer, and a reactance of 15 significant digits
// with a three-digit exponent (a capacitance at an angular frequency of 7e-287 1/s).
std::string LongestVoltageText() {
    return PhaseVoltageAnswer("-3719550786").text;
}

std::string LongestReactanceText() {
    ReactanceTexts texts;
    texts.inductance = "0";
    texts.capacitance = "0,0001";
    texts.capacitanceUnit = 3;  // нФ
    texts.frequency = "0," + std::string(286, '0') + "7";
    texts.angular = true;
    return ReactanceAnswer(texts).text;
}

// A task made with the assistant reopens in the form: a field's limit in a file is the longest
// text the program writes into it, not the typing limit. The assistant writes the phase voltage
// into the three voltages and a reactance into the three X fields; every other field holds what
// a student can type. One character more is refused.
TEST(TaskRead, FieldsHoldTheLongestTextTheProgramWrites) {
    const std::string voltage = LongestVoltageText();
    const std::string reactance = LongestReactanceText();
    ASSERT_EQ(voltage, "-2147483648");
    ASSERT_EQ(reactance.size(), 21u) << reactance;
    for (const FieldSpec& f : kFields) {
        const bool voltageField =
            f.field == Param::ComboBox1 || f.field == Param::ComboBox2 || f.field == Param::ComboBox3;
        const bool reactanceField =
            f.field == Param::Edit5 || f.field == Param::Edit7 || f.field == Param::Edit9;
        const std::string longest = voltageField     ? voltage
                                    : reactanceField ? reactance
                                                     : std::string(static_cast<size_t>(f.maxLength), '7');
        const auto file = [&](const std::string& t) {
            return kHead + R"("fields":{")" + f.control + R"(":")" + t + "\"}}";
        };
        const TaskReadResult fits = ReadTask(file(longest), FieldLimits::Form);
        ASSERT_TRUE(fits.Ok()) << f.control << " " << longest << ": " << fits.Error().message;
        EXPECT_EQ(fits->task.input.Text(f.field), longest) << f.control;
        const TaskReadResult over = ReadTask(file(longest + "5"), FieldLimits::Form);
        EXPECT_NE(over.Error().message.find(std::string("«fields.") + f.control + "» длиннее " +
                                            std::to_string(longest.size())),
                  std::string::npos)
            << f.control << ": " << over.Error().message;
    }
    // The example of the report: "-32,25" written into a four-character field.
    EXPECT_TRUE(ReadTask(kHead + R"("fields":{"Edit5":"-32,25"}})", FieldLimits::Form).Ok());
}

// Random tasks with texts as students type them: writing and reading back gives the same task,
// and writing that again the same bytes.
TEST(TaskWrite, RandomTasksReadBackTheSame) {
    std::mt19937 random(20261207);
    const char* texts[] = {"0",  "380",       "-120", " 12 ", "1e3", "-1,5E2", "+7",
                           ",5", "",          "abc",  "0,01", "٣",   "1,2,3",  "Вариант \"7\"\n\tконец",
                           "\\", "9999999999"};
    const char* decimals[] = {"0", "1", "2", "3", "4", "5", "", " 3", "12", "-1"};
    for (int n = 0; n < 300; ++n) {
        TaskFile task;
        task.title = texts[random() % std::size(texts)];
        task.note = texts[random() % std::size(texts)];
        task.input.star = random() % 2 == 0;
        for (std::string& t : task.input.texts) {
            t = texts[random() % std::size(texts)];
        }
        for (size_t k = 0; k < task.input.ticks.size(); ++k) {
            task.input.ticks[k] = random() % 2 == 0;
        }
        for (std::string& t : task.precision.texts) {
            t = decimals[random() % std::size(decimals)];
        }
        const std::string bytes = WriteTask(task);
        const TaskReadResult r = ReadTask(bytes, FieldLimits::None);
        ASSERT_TRUE(r.Ok()) << n << ": " << r.Error().message;
        EXPECT_EQ(r->task.title, task.title) << n;
        EXPECT_EQ(r->task.note, task.note) << n;
        EXPECT_EQ(r->task.input.star, task.input.star) << n;
        EXPECT_EQ(r->task.input.texts, task.input.texts) << n;
        EXPECT_EQ(r->task.input.ticks, task.input.ticks) << n;
        EXPECT_EQ(r->task.precision.texts, task.precision.texts) << n;
        EXPECT_EQ(WriteTask(r->task), bytes) << n;
    }
}

TEST(TaskWrite, ChoicesAreNumbersAndTextsStayTexts) {
    TaskFile task;
    task.input[Param::Edit5] = "-2,5";
    task.precision.texts[IMag] = "4";
    task.precision.texts[IAng] = "7";
    task.precision.texts[IRe] = "6";
    task.title = "\"" + std::string(40, '[');  // an escaped quote, then brackets inside the string
    const std::string bytes = WriteTask(task);
    const TaskReadResult back = ReadTask(bytes, FieldLimits::None);
    ASSERT_TRUE(back.Ok()) << back.Error().message;
    EXPECT_EQ(back->task.precision.texts[IRe], "6");
    EXPECT_EQ(back->task.title, task.title);
    EXPECT_NE(bytes.find(R"("format": "vornik-task")"), std::string::npos);
    EXPECT_NE(bytes.find(R"("Edit5": "-2,5")"), std::string::npos);
    EXPECT_NE(bytes.find(R"("I.mag": 4)"), std::string::npos);
    EXPECT_NE(bytes.find(R"("I.ang": "7")"), std::string::npos);
    EXPECT_EQ(bytes.back(), '\n');
}

TEST(TaskFileOnDisk, SavedTaskLoadsAndLargeOrMissingFilesAreRefused) {
    char folder[] = "/tmp/vornik-task-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/a.vornik";
    TaskFile task;
    task.title = "Вариант 7";
    task.input[Param::Edit8] = "15";
    SaveTask(path, task);
    const TaskReadResult loaded = LoadTask(path, FieldLimits::Form);
    ASSERT_TRUE(loaded.Ok()) << loaded.Error().message;
    EXPECT_EQ(loaded->task.title, "Вариант 7");
    EXPECT_EQ(loaded->task.input.Text(Param::Edit8), "15");

    const std::string large = std::string(folder) + "/large.vornik";
    std::ofstream(large) << kHead << R"("note":")" << std::string(2 * 1024 * 1024, 'a') << "\"}";
    EXPECT_NE(LoadTask(large, FieldLimits::None).Error().message.find("больше 1 МиБ"), std::string::npos);
    EXPECT_NE(
        LoadTask(std::string(folder) + "/none.vornik", FieldLimits::None).Error().message.find("не читается"),
        std::string::npos);
    std::remove(path.c_str());
    std::remove(large.c_str());
    rmdir(folder);
}

TEST(TaskMessages, NameTheFile) {
    EXPECT_EQ(TaskErrorMessage("a.vornik", "это не текст JSON"),
              "Не удалось открыть задачу \"a.vornik\": это не текст JSON.");
    EXPECT_NE(TaskNewerMessage("b.vornik").find("\"b.vornik\""), std::string::npos);
}

}  // namespace
