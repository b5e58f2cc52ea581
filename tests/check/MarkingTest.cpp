#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <functional>
#include <map>

#include "check/AnswersFile.h"
#include "check/Marking.h"
#include "classset/RecordFieldNames.h"

namespace vornik {
namespace {

using Complex = std::complex<double>;

// Asymmetric circuits, so that no mistake's value is another quantity's by chance.
TaskValues Star() {
    TaskValues t;
    const std::pair<Param, const char*> texts[] = {
        {Param::ComboBox2, "360"}, {Param::Edit1, "10"}, {Param::Edit4, "10"},
        {Param::Edit5, "5"},       {Param::Edit6, "8"},  {Param::Edit7, "-3"},
        {Param::Edit8, "12"},      {Param::Edit9, "-4"}, {Param::Edit10, "2"}};
    for (const auto& [field, text] : texts) {
        t.input[field] = text;
    }
    for (const int box : {1, 2, 6}) {  // neutral wire, short circuit of A, break of wire B
        t.input.SetChecked(box, true);
    }
    return t;
}

TaskValues Delta() {
    TaskValues t = Star();
    t.input.star = false;
    t.input.ticks = {};
    for (const int box : {2, 4, 7}) {  // break of load phases AB and CA, break of wire C
        t.input.SetChecked(box, true);
    }
    return t;
}

Complex At(const SolutionRecord& r, int modField) {
    return {r[modField + kRe], r[modField + kIm]};
}

double Degrees(const Complex& c) {
    return std::arg(c) * 180.0 / 3.14159265358979323846;
}

// The printed value of every quantity of the sheet, with some replaced.
std::vector<AnswerEntry> Printed(const AnswerSheet& sheet,
                                 const std::map<std::string, std::string>& replaced = {},
                                 const std::string& mode = "normal") {
    std::vector<AnswerEntry> out;
    for (const SheetMode& m : sheet.modes) {
        for (const SheetQuantity& q : m.quantities) {
            const auto r = m.mode.name == mode ? replaced.find(q.quantity) : replaced.end();
            out.push_back({m.mode.name, q.quantity, r != replaced.end() ? r->second : q.key.shown});
        }
    }
    return out;
}

TEST(Marking, AnswersEqualToThePrintedValuesAreAllRight) {
    for (const TaskValues& task : {Star(), Delta()}) {
        const AnswerSheet sheet = MakeAnswerSheet(task);
        ASSERT_TRUE(sheet.completed);
        const Marks marks = MarkAnswers(sheet, Printed(sheet));
        for (const Mark& m : marks.answers) {
            EXPECT_EQ(VerdictId(m.verdict), std::string("right"))
                << m.mode << " " << m.label << " " << m.answer;
        }
        EXPECT_EQ(marks.right, marks.total);
        EXPECT_EQ(marks.modes.size(), sheet.modes.size());
    }
}

std::string Text(double value) {
    return ExactText(value);
}

struct Planted {
    const char* name;
    bool star;
    const char* mode;
    // The answers that differ from the printed ones, from the mode's slot.
    std::function<std::map<std::string, std::string>(const SolutionRecord&)> answers;
    // The verdicts that are not "right": quantity → verdict (and mistake id).
    std::map<std::string, std::pair<std::string, std::string>> verdicts;
};

// Each named mistake planted in an otherwise right sheet is named at its quantity and nowhere
// else; a wrong earlier answer never costs a later mark whose own step is right.
TEST(Marking, PlantedMistakesAndCarriedChains) {
    const std::pair<std::string, std::string> carried = {"carried", ""};
    const Planted cases[] = {
        {"line voltage for phase voltage",
         true,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"IaMod", Text(r[IaMod] * std::sqrt(3.0))}};
         },
         {{"IaMod", {"mistake", "line-for-phase"}}}},
        {"amplitude",
         true,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"U0Mod", Text(r[U0Mod] * std::sqrt(2.0))}};
         },
         {{"U0Mod", {"mistake", "amplitude"}}}},
        {"radians written as degrees",
         true,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"IbArg", Text(r[IbArg])}};
         },
         {{"IbArg", {"mistake", "degrees-radians"}}}},
        {"angle sign",
         true,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"IcArg", Text(-Degrees(At(r, IcMod)))}};
         },
         {{"IcArg", {"mistake", "angle-sign"}}}},
        {"no conjugate",
         true,
         "normal",
         [](const SolutionRecord& r) {
             Complex s = 0;
             for (int k = 0; k < 3; ++k) {
                 s += At(r, UaLoadMod + 4 * k) * At(r, IaMod + 4 * k);
             }
             return std::map<std::string, std::string>{{"PTotal", Text(s.real())}};
         },
         {{"PTotal", {"mistake", "no-conjugate"}}}},
        {"U0 ignored",
         true,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{
                 {"IaMod", Text(std::abs(At(r, UaMod) * At(r, YaMod)))}};
         },
         {{"IaMod", {"mistake", "no-u0"}}}},
        {"currents summed to zero",
         true,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"IcMod", Text(std::abs(At(r, IaMod) + At(r, IbMod)))},
                                                       {"I0Mod", "0"}};
         },
         {{"IcMod", {"mistake", "sum-zero"}}, {"I0Mod", {"mistake", "sum-zero"}}}},
        {"B and C swapped",
         true,
         "short-A",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"IbArg", Text(Degrees(At(r, IcMod)))}};
         },
         {{"IbArg", {"mistake", "b-c-swapped"}}}},
        {"phase current for line current",
         false,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"UaLoadMod", Text(r[IabMod])}};
         },
         {{"UaLoadMod", {"mistake", "phase-for-line"}}}},
        {"half a turn is no named mistake",
         true,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"I0Arg", Text(Degrees(At(r, I0Mod)) + 180.0)}};
         },
         {{"I0Arg", {"wrong", ""}}}},
        {"a broken phase has no partner to swap with",
         false,
         "open-CA",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"YaMod", Text(r[IcaMod])}};
         },
         {{"YaMod", {"wrong", ""}}}},
        {"amplitude, delta line break",
         false,
         "break-C",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"YaMod", Text(r[IDirectMod] * std::sqrt(2.0))}};
         },
         {{"YaMod", {"mistake", "amplitude"}}}},
        {"delta line break: wrong series current carried into the powers",
         false,
         "break-C",
         [](const SolutionRecord& r) {
             const Complex i = At(r, ISeries1Mod) * Complex(0.7, 0.4);
             const Complex z1 = Complex(r[Rbc], r[Xbc]), z2 = Complex(r[Rca], r[Xca]);
             const Complex s = At(r, ULineMod) * std::conj(At(r, IDirectMod)) + (z1 + z2) * i * std::conj(i);
             return std::map<std::string, std::string>{{"YbMod", Text(std::abs(i))},
                                                       {"YbArg", Text(Degrees(i))},
                                                       {"PTotal", Text(s.real())},
                                                       {"QTotal", Text(s.imag())}};
         },
         {{"YbMod", {"wrong", ""}}, {"YbArg", {"wrong", ""}}, {"PTotal", carried}, {"QTotal", carried}}},
        {"a zero is no named mistake but at I0",
         true,
         "normal",
         [](const SolutionRecord&) {
             return std::map<std::string, std::string>{{"QTotal", "0"}};
         },
         {{"QTotal", {"wrong", ""}}}},
        {"line current for phase current",
         false,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"YaMod", Text(r[IaLineMod])}};
         },
         {{"YaMod", {"mistake", "phase-for-line"}}}},
        {"B and C swapped, delta phase currents",
         false,
         "normal",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"YcArg", Text(Degrees(At(r, IabMod)))}};
         },
         {{"YcArg", {"mistake", "b-c-swapped"}}}},
        {"phase current for line current, broken load phase",
         false,
         "open-AB",
         [](const SolutionRecord& r) {
             return std::map<std::string, std::string>{{"UcLoadMod", Text(r[IbcMod])}};
         },
         {{"UcLoadMod", {"mistake", "phase-for-line"}}}},
        {"an unreadable earlier answer is no answer to carry",
         true,
         "normal",
         [](const SolutionRecord& r) {
             const Complex u0 = std::polar(r[U0Mod], r[U0Arg] + 2.5);
             const Complex ia = (At(r, UaMod) - u0) * At(r, YaMod);
             return std::map<std::string, std::string>{
                 {"U0Mod", "много"}, {"U0Arg", Text(Degrees(u0))}, {"IaMod", Text(std::abs(ia))}};
         },
         {{"U0Mod", {"missing", ""}}, {"U0Arg", {"wrong", ""}}, {"IaMod", carried}}},
        {"no conjugate, delta line break",
         false,
         "break-C",
         [](const SolutionRecord& r) {
             const Complex s = At(r, ULineMod) * At(r, IDirectMod) + At(r, Us1Mod) * At(r, ISeries1Mod) +
                               At(r, Us2Mod) * At(r, ISeries2Mod);
             return std::map<std::string, std::string>{{"QTotal", Text(s.imag())}};
         },
         {{"QTotal", {"mistake", "no-conjugate"}}}},
        {"star: wrong U0 carried into the currents, I0 and the powers",
         true,
         "normal",
         [](const SolutionRecord& r) {
             const Complex u0 = At(r, U0Mod) * Complex(3.0, 2.0);
             std::map<std::string, std::string> a = {{"U0Mod", Text(std::abs(u0))},
                                                     {"U0Arg", Text(Degrees(u0))}};
             Complex i0 = 0, s = 0;
             for (int k = 0; k < 3; ++k) {
                 const Complex load = At(r, UaMod + 4 * k) - u0;
                 const Complex i = load * At(r, YaMod + 4 * k);
                 const std::string name = std::string(kFieldNames[IaMod + 4 * k]);
                 a[name] = Text(std::abs(i));
                 a[name.substr(0, 2) + "Arg"] = Text(Degrees(i));
                 i0 += i;
                 s += load * std::conj(i);
             }
             a["I0Mod"] = Text(std::abs(i0));
             a["I0Arg"] = Text(Degrees(i0));
             a["PTotal"] = Text(s.real());
             a["QTotal"] = Text(s.imag());
             return a;
         },
         {{"U0Mod", {"wrong", ""}},
          {"U0Arg", {"wrong", ""}},
          {"IaMod", carried},
          {"IaArg", carried},
          {"IbMod", carried},
          {"IbArg", carried},
          {"IcMod", carried},
          {"IcArg", carried},
          {"I0Mod", carried},
          {"I0Arg", carried},
          {"PTotal", carried},
          {"QTotal", carried}}},
        {"delta: wrong Iab carried into Ia, Ib and the powers, complex answers",
         false,
         "normal",
         [](const SolutionRecord& r) {
             const Complex iab = At(r, IabMod) * Complex(1.6, 0.5);
             const Complex ia = iab - At(r, IcaMod), ib = At(r, IbcMod) - iab;
             const Complex s = At(r, UabMod) * std::conj(iab) + At(r, UbcMod) * std::conj(At(r, IbcMod)) +
                               At(r, UcaMod) * std::conj(At(r, IcaMod));
             auto polar = [](const Complex& c) { return Text(std::abs(c)) + "∠" + Text(Degrees(c)); };
             return std::map<std::string, std::string>{{"YaMod", polar(iab)},
                                                       {"YaArg", ""},
                                                       {"UaLoadMod", polar(ia)},
                                                       {"UaLoadArg", ""},
                                                       {"UbLoadMod", polar(ib)},
                                                       {"UbLoadArg", ""},
                                                       {"PTotal", Text(s.real()) + "+j" + Text(s.imag())},
                                                       {"QTotal", ""}};
         },
         {{"YaMod", {"wrong", ""}},
          {"YaArg", {"wrong", ""}},
          {"UaLoadMod", carried},
          {"UaLoadArg", carried},
          {"UbLoadMod", carried},
          {"UbLoadArg", carried},
          {"PTotal", carried},
          {"QTotal", carried}}},
    };
    const AnswerSheet star = MakeAnswerSheet(Star());
    const AnswerSheet delta = MakeAnswerSheet(Delta());
    for (const Planted& c : cases) {
        SCOPED_TRACE(c.name);
        const AnswerSheet& sheet = c.star ? star : delta;
        const SheetMode* mode = sheet.Mode(c.mode);
        ASSERT_NE(mode, nullptr);
        const Marks marks =
            MarkAnswers(sheet, Printed(sheet, c.answers(sheet.state.modeSlots[mode->mode.slot]), c.mode));
        for (const Mark& m : marks.answers) {
            const auto expected = m.mode == c.mode ? c.verdicts.find(m.quantity) : c.verdicts.end();
            const std::string verdict = expected != c.verdicts.end() ? expected->second.first : "right";
            const std::string mistake = expected != c.verdicts.end() ? expected->second.second : "";
            EXPECT_EQ(VerdictId(m.verdict), verdict)
                << m.mode << " " << m.label << " = " << m.answer << ", key " << m.expected;
            EXPECT_EQ(MistakeOf(m.mistake).id, mistake) << m.mode << " " << m.label;
        }
    }
}

// An unreadable answer gets its hint and no mark; an answer under a label counts; one for a
// quantity the sheet does not have is listed.
TEST(Marking, UnreadableUnknownAndMissingAnswers) {
    const AnswerSheet sheet = MakeAnswerSheet(Star());
    const Marks marks = MarkAnswers(sheet, {{"normal", "Ia", "двадцать"},
                                            {"normal", "угол Ib", sheet.modes[0].quantities[3].key.shown},
                                            {"break-A", "Ia", "1"}});
    EXPECT_EQ(marks.answers[0].verdict, Verdict::Missing);
    EXPECT_NE(marks.answers[0].hint, "");
    EXPECT_EQ(marks.answers[3].verdict, Verdict::Right);
    EXPECT_EQ(marks.answers[2].verdict, Verdict::Missing);
    EXPECT_EQ(marks.right, 1);
    EXPECT_EQ(marks.unknown, std::vector<std::string>{"break-A,Ia"});
}

// The tolerance is inclusive, as the quiz's: an answer off by exactly the tolerance is right.
TEST(Marking, AnAnswerAtTheToleranceIsRight) {
    TaskValues task;  // symmetric and resistive: the current of A lies at exactly 0 degrees
    for (const Param r : {Param::Edit4, Param::Edit6, Param::Edit8}) {
        task.input[r] = "10";
    }
    const AnswerSheet sheet = MakeAnswerSheet(task);
    ASSERT_TRUE(sheet.completed);
    const auto angle = std::find_if(sheet.modes[0].quantities.begin(), sheet.modes[0].quantities.end(),
                                    [](const SheetQuantity& q) { return q.quantity == "IaArg"; });
    ASSERT_NE(angle, sheet.modes[0].quantities.end());
    ASSERT_EQ(angle->key.answer, 0.0);
    ASSERT_EQ(angle->tolerance, 1.0);
    for (const auto& [text, verdict] : std::vector<std::pair<std::string, std::string>>{
             {"1", "right"}, {"-1", "right"}, {"1,01", "wrong"}}) {
        const Marks marks = MarkAnswers(sheet, {{"normal", "IaArg", text}});
        const auto mark = std::find_if(marks.answers.begin(), marks.answers.end(),
                                       [](const Mark& m) { return m.quantity == "IaArg"; });
        ASSERT_NE(mark, marks.answers.end());
        EXPECT_EQ(VerdictId(mark->verdict), verdict) << text;
    }
}

// The section of the worked solution that computes a quantity, as printed, on a mode of each kind.
TEST(AnswerSheet, SectionsAsPrinted) {
    struct Case {
        bool star;
        const char* mode;
        const char* quantity;
        const char* section;
        const char* firstLine;
    };
    const Case cases[] = {
        {true, "normal", "U0Mod", "3", "3. Напряжение Смещения нейтрали при наличии нулевого провода:"},
        {true, "normal", "IbArg", "5", "5. Токи фазные(равные линейным токам при соед. потреб. звездой):"},
        {true, "normal", "I0Mod", "5", "5. Токи фазные(равные линейным токам при соед. потреб. звездой):"},
        {true, "normal", "QTotal", "7", "7. Мощность всей цепи:"},
        {true, "short-A", "IaMod", "5", "5. Токи фазные(равные линейным токам при соед. потреб. звездой):"},
        {true, "break-B", "IbMod", "5", "5. Токи фазные(равные линейным токам при соед. потреб. звездой):"},
        {false, "normal", "YaMod", "2", "2. Фазные токи:"},
        {false, "normal", "UcLoadArg", "3", "3. Линейные токи:"},
        {false, "normal", "PTotal", "7", "7. Мощность всей цепи:"},
        {false, "open-AB", "YbMod", "Фазные токи", "Фазные токи:"},
        {false, "open-AB", "UaLoadMod", "Линейные токи", "Линейные токи:"},
        {false, "break-C", "YbMod", "3", "3. Фазные токи:"},
        {false, "break-C", "QTotal", "7", "7. Мощность всей цепи:"},
    };
    const AnswerSheet star = MakeAnswerSheet(Star());
    const AnswerSheet delta = MakeAnswerSheet(Delta());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.quantity);
        const AnswerSheet& sheet = c.star ? star : delta;
        const SheetMode* mode = sheet.Mode(c.mode);
        ASSERT_NE(mode, nullptr);
        const SheetQuantity* q = nullptr;
        for (const SheetQuantity& each : mode->quantities) {
            q = each.quantity == c.quantity ? &each : q;
        }
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(q->section, c.section);
        const std::vector<std::string> lines = SectionLines(sheet, c.mode, c.section);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), c.firstLine);
    }
    EXPECT_TRUE(SectionLines(star, "normal", "9").empty());
}

TEST(AnswersFile, RoundTripAndOneReasonPerBadFile) {
    AnswersFile file;
    file.task.input = Star().input;
    file.task.title = "Вариант 7";
    file.student = "Иванова А.";
    file.group = "ЭС-21";
    file.answers = {{"normal", "IaMod", "20,8∠1,6"}, {"short-A", "PTotal", "1,2e3"}};
    file.revealed = {{"normal", "5"}};
    file.solutionRevealed = true;
    file.saved = "2026-12-07T22:00:00Z";
    const AnswersReadResult back = ReadAnswers(WriteAnswers(file));
    ASSERT_TRUE(back) << back.Error().message;
    EXPECT_EQ(WriteAnswers(*back), WriteAnswers(file));
    EXPECT_EQ(back->answers.size(), 2u);
    EXPECT_EQ(back->answers[0].text, "20,8∠1,6");
    EXPECT_TRUE(back->solutionRevealed);
    EXPECT_EQ(SavedTimeText(1796680800), "2026-12-07T22:00:00Z");

    const std::string task = R"("task":{"format":"vornik-task","version":1})";
    const std::pair<std::string, std::string> bad[] = {
        {"not json", "это не текст JSON (ошибка в байте 2)"},
        {R"({"format":"vornik-task"})", "это не файл ответов (нет «\"format\": \"vornik-answers\"»)"},
        {R"({"format":"vornik-answers","version":0,)" + task + "}",
         "«version» должен быть целым числом от 1"},
        {R"({"format":"vornik-answers"})", "в файле нет задачи («task»)"},
        {R"({"format":"vornik-answers","task":{"format":"x"}})",
         "задача в файле не читается: это не файл задачи (нет «\"format\": \"vornik-task\"»)"},
        {R"({"format":"vornik-answers",)" + task + R"(,"answers":[1]})",
         "«answers» должен быть объектом: режим → {величина: ответ}"},
        {R"({"format":"vornik-answers",)" + task + R"(,"answers":{"normal":{"Ia":5}}})",
         "«answers.normal.Ia» должен быть строкой"},
        {R"({"format":"vornik-answers",)" + task + R"(,"revealed":{"solution":1}})",
         "«revealed.solution» должен быть true или false"},
        {R"({"format":"vornik-answers",)" + task + R"(,"student":7})", "«student» должен быть строкой"},
        // Not UTF-8: the parser names where the character broke off (a task file names the encoding).
        {"{\"format\":\"vornik-answers\",\"student\":\"\xC8\"}", "это не текст JSON (ошибка в байте 40)"},
        {std::string(100, '['), "это не файл ответов (слишком глубокая вложенность)"},
        {[] {
             std::string deep;
             for (int k = 0; k < 70; ++k) {
                 deep += "[1,";
             }
             return deep;
         }(),
         "это не файл ответов (слишком глубокая вложенность)"},
    };
    for (const auto& [bytes, reason] : bad) {
        const AnswersReadResult r = ReadAnswers(bytes);
        ASSERT_FALSE(r) << bytes;
        EXPECT_EQ(r.Error().message, reason) << bytes;
    }
    const AnswersReadResult unknown =
        ReadAnswers(R"({"format":"vornik-answers","version":3,"later":{"x":1},)" + task + "}");
    EXPECT_TRUE(unknown) << (unknown ? "" : unknown.Error().message);
    // Arrays side by side are not nested: only the ones still open count towards the depth.
    std::string siblings = R"({"format":"vornik-answers","later":[)";
    for (int k = 0; k < 70; ++k) {
        siblings += "[],";
    }
    const AnswersReadResult wide = ReadAnswers(siblings + "[]]," + task + "}");
    EXPECT_TRUE(wide) << (wide ? "" : wide.Error().message);

    const AnswersTableResult table = ReadAnswersTable(
        "\xEF\xBB\xBFmode,quantity,answer\r\nnormal,Ia,20,8∠1,6\r\n\r\nnormal, P ,\"1,5\"\n");
    ASSERT_TRUE(table) << table.Error().message;
    ASSERT_EQ(table->size(), 2u);
    EXPECT_EQ((*table)[0].text, "20,8∠1,6");
    EXPECT_EQ((*table)[1].quantity, "P");
    EXPECT_EQ((*table)[1].text, "1,5");
    const AnswersTableResult semicolons = ReadAnswersTable("normal;Ia;20,8\nnormal;угол Ia;-30\n");
    ASSERT_TRUE(semicolons) << semicolons.Error().message;
    EXPECT_EQ((*semicolons)[0].text, "20,8");
    EXPECT_EQ((*semicolons)[1].quantity, "угол Ia");
    EXPECT_EQ(ReadAnswersTable("normal,Ia,1\nnormal;Ib;2\n").Error().message,
              "строка 2: нужны три поля: режим,величина,ответ");
}

}  // namespace
}  // namespace vornik
