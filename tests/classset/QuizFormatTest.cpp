// moodle.xml and gift.txt read back by small parsers of the formats' documented syntax: Moodle
// XML (a <quiz> of <question> elements, a category question first, Cloze questions whose text
// holds {1:NUMERICAL:=answer:tolerance} blanks) and GIFT ($CATEGORY lines, questions separated
// by blank lines, ::title::, [html], a numerical answer {#answer:tolerance}, \ escapes).

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <regex>
#include <sstream>

#include "classset/QuizExport.h"
#include "tests/core/XmlLint.h"

namespace vornik {
namespace {

struct Node {
    std::string name;
    std::map<std::string, std::string> attrs;
    std::vector<std::unique_ptr<Node>> children;
    std::string text;
    const Node* Child(const std::string& n) const {
        for (const auto& c : children) {
            if (c->name == n) {
                return c.get();
            }
        }
        return nullptr;
    }
};

// A strict reader of the XML subset Moodle XML uses; throws on anything malformed.
class XmlReader {
  public:
    explicit XmlReader(const std::string& s) : s_(s) {}
    std::unique_ptr<Node> Document() {
        Expect("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        Blanks();
        auto root = Element();
        Blanks();
        if (pos_ != s_.size()) {
            throw std::runtime_error("text after the root element");
        }
        return root;
    }

  private:
    void Expect(const std::string& t) {
        if (s_.compare(pos_, t.size(), t) != 0) {
            throw std::runtime_error("expected " + t + " at " + std::to_string(pos_));
        }
        pos_ += t.size();
    }
    void Blanks() {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) {
            ++pos_;
        }
    }
    std::string Name() {
        const size_t start = pos_;
        while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_')) {
            ++pos_;
        }
        if (pos_ == start) {
            throw std::runtime_error("a name expected at " + std::to_string(pos_));
        }
        return s_.substr(start, pos_ - start);
    }
    std::string Unescaped(const std::string& raw) {
        std::string out;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '<') {
                throw std::runtime_error("a bare < in text");
            }
            if (raw[i] != '&') {
                out += raw[i];
                continue;
            }
            const size_t semi = raw.find(';', i);
            const std::string entity = raw.substr(i + 1, semi - i - 1);
            static const std::map<std::string, std::string> kNamed = {
                {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
            if (semi == std::string::npos ||
                (!kNamed.count(entity) && !std::regex_match(entity, std::regex("#[0-9]+")))) {
                throw std::runtime_error("a bad entity &" + entity);
            }
            out +=
                kNamed.count(entity) ? kNamed.at(entity) : std::string(1, char(std::stoi(entity.substr(1))));
            i = semi;
        }
        return out;
    }
    std::unique_ptr<Node> Element() {
        Expect("<");
        auto node = std::make_unique<Node>();
        node->name = Name();
        for (;;) {
            Blanks();
            if (s_[pos_] == '>' || s_[pos_] == '/') {
                break;
            }
            const std::string attr = Name();
            Expect("=\"");
            const size_t end = s_.find('"', pos_);
            node->attrs[attr] = Unescaped(s_.substr(pos_, end - pos_));
            pos_ = end + 1;
        }
        if (s_[pos_] == '/') {
            Expect("/>");
            return node;
        }
        Expect(">");
        for (;;) {
            if (s_.compare(pos_, 9, "<![CDATA[") == 0) {
                const size_t end = s_.find("]]>", pos_);
                if (end == std::string::npos) {
                    throw std::runtime_error("CDATA not closed");
                }
                node->text += s_.substr(pos_ + 9, end - pos_ - 9);
                pos_ = end + 3;
            } else if (s_.compare(pos_, 2, "</") == 0) {
                pos_ += 2;
                if (Name() != node->name) {
                    throw std::runtime_error("</...> does not close <" + node->name + ">");
                }
                Expect(">");
                return node;
            } else if (s_[pos_] == '<') {
                node->children.push_back(Element());
            } else {
                const size_t end = s_.find('<', pos_);
                node->text += Unescaped(s_.substr(pos_, end - pos_));
                pos_ = end;
            }
        }
    }

    const std::string& s_;
    size_t pos_ = 0;
};

// The circuits of the set: a star and a delta with every mode, a star without neutral.
struct SetFixture {
    std::vector<Variant> variants;
    std::vector<VariantRun> runs;
    std::vector<SetEntry> entries;
    SetFixture() {
        for (int k = 0; k < 3; ++k) {
            // Names and titles with what GIFT, HTML and XML give a meaning or cannot hold.
            Variant v{k == 1 ? "{7}" : std::to_string(k + 1), 0, {}};
            const char* titles[] = {"Задача {1} #2: a=b ~ c & <d>", "Петров\n\nИ. \\ {x}",
                                    "a\x0c\x01b\xEF\xBF\xBE"};
            v.task.title = titles[k];
            v.task.input.star = k != 1;
            v.task.input[Param::Edit4] = "12";
            v.task.input[Param::Edit5] = "-4";
            v.task.input[Param::Edit6] = "8";
            v.task.input[Param::Edit8] = "15,5";
            v.task.input[Param::Edit9] = "2";
            v.task.input.SetChecked(1, k == 0);
            for (int box = 2; box <= 7; ++box) {
                v.task.input.SetChecked(box, k < 2);
            }
            variants.push_back(v);
        }
        for (const Variant& v : variants) {
            runs.push_back(RunVariant(v.task));
            EXPECT_TRUE(runs.back().completed);
        }
        for (size_t k = 0; k < variants.size(); ++k) {
            entries.push_back({&variants[k], "0" + variants[k].name, &runs[k]});
        }
    }
};

constexpr double kPercent = 2.5;
const QuizOptions kOptions{kPercent, 1.5, true};
const std::regex kPlainNumber("-?[0-9]+(\\.[0-9]+)?");

struct Accepted {
    double answer;
    double tolerance;
};

// The answers of a numerical blank: "=a:t~=b:t" (Cloze) or "=a:t =b:t", "a:t" (GIFT, after '#').
std::vector<Accepted> Answers(const std::string& body, const std::string& where) {
    std::vector<Accepted> out;
    const std::regex one("(^|~| )=?(-?[0-9.]+):([0-9.]+)");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), one); it != std::sregex_iterator(); ++it) {
        EXPECT_TRUE(std::regex_match((*it)[2].str(), kPlainNumber)) << where << ": " << body;
        EXPECT_TRUE(std::regex_match((*it)[3].str(), kPlainNumber)) << where << ": " << body;
        out.push_back({std::stod((*it)[2]), std::stod((*it)[3])});
    }
    EXPECT_FALSE(out.empty()) << where << ": " << body;
    return out;
}

bool Inside(const std::vector<Accepted>& answers, double typed) {
    return std::any_of(answers.begin(), answers.end(),
                       [&](const Accepted& a) { return std::fabs(typed - a.answer) <= a.tolerance; });
}

// The answers of a blank checked against the key row it asks for.
void CheckAnswer(const std::vector<Accepted>& answers, const KeyRow& row, const std::string& where) {
    ASSERT_FALSE(answers.empty()) << where;
    EXPECT_EQ(answers[0].answer, row.answer) << where;
    const double tol = answers[0].tolerance;
    EXPECT_GE(tol, row.angle ? kOptions.angleDegrees : std::fabs(row.answer) * kPercent / 100 * 0.999999)
        << where;
    EXPECT_GE(tol, row.shownStep / 2) << where;
    // The number a student copies from the worked solution is accepted.
    std::string shown = row.shown;
    std::replace(shown.begin(), shown.end(), ',', '.');
    EXPECT_TRUE(Inside(answers, std::stod(shown))) << where << ": shown " << row.shown;
}

TEST(QuizFormat, MoodleXmlHasOneClozeQuestionPerVariantWithABlankPerKeyRow) {
    const SetFixture set;
    const std::string xml = MoodleXml("Группа 21-Э", set.entries, kOptions);
    std::unique_ptr<Node> quiz;
    ASSERT_NO_THROW(quiz = XmlReader(xml).Document());
    EXPECT_TRUE(test::XmlLintAccepts(xml));
    ASSERT_EQ(quiz->name, "quiz");
    ASSERT_EQ(quiz->children.size(), set.entries.size() + 1);
    const Node& category = *quiz->children[0];
    EXPECT_EQ(category.name, "question");
    EXPECT_EQ(category.attrs.at("type"), "category");
    ASSERT_NE(category.Child("category"), nullptr);
    EXPECT_EQ(category.Child("category")->Child("text")->text, "$course$/top/Группа 21-Э");

    const std::regex blank("\\{([0-9]+):(NUMERICAL|NM):([^}]*)\\}");
    for (size_t k = 0; k < set.entries.size(); ++k) {
        const Node& q = *quiz->children[k + 1];
        const std::string where = "question " + std::to_string(k + 1);
        ASSERT_EQ(q.name, "question") << where;
        EXPECT_EQ(q.attrs.at("type"), "cloze") << where;
        ASSERT_NE(q.Child("name"), nullptr) << where;
        EXPECT_EQ(q.Child("name")->Child("text")->text, "Вариант: " + set.entries[k].stem);
        const Node* text = q.Child("questiontext");
        ASSERT_NE(text, nullptr) << where;
        EXPECT_EQ(text->attrs.at("format"), "html");
        const std::string html = text->Child("text")->text;
        // Every brace of the text opens a blank; data texts with braces are escaped.
        size_t braces = std::count(html.begin(), html.end(), '{');
        const auto& key = set.runs[k].key;
        ASSERT_EQ(braces, key.size()) << where;
        EXPECT_TRUE(html.ends_with("<p>Дробную часть отделяйте запятой: 20,8</p>")) << where;
        size_t n = 0;
        for (auto it = std::sregex_iterator(html.begin(), html.end(), blank); it != std::sregex_iterator();
             ++it, ++n) {
            ASSERT_LT(n, key.size()) << where;
            EXPECT_EQ((*it)[1], "1") << where;
            CheckAnswer(Answers((*it)[3], where), key[n], where + " blank " + std::to_string(n + 1));
        }
        EXPECT_EQ(n, key.size()) << where;
        // The worked solution as the general feedback, a paragraph per line of text.
        const Node* feedback = q.Child("generalfeedback");
        ASSERT_NE(feedback, nullptr) << where;
        const std::string solution = feedback->Child("text")->text;
        size_t lines = 0;
        for (const std::string& line : set.runs[k].report) {
            lines += line.empty() ? 0 : 1;
        }
        size_t paragraphs = 0;
        for (size_t p = solution.find("<p>"); p != std::string::npos; p = solution.find("<p>", p + 1)) {
            ++paragraphs;
        }
        EXPECT_EQ(paragraphs, lines) << where;
    }
    EXPECT_NE(xml.find("Задача &#123;1&#125; #2: a=b ~ c &amp; &lt;d&gt;"), std::string::npos);
}

// GIFT: questions and categories, with \-escapes undone in the texts.
struct GiftQuestion {
    std::string category;
    std::string title;
    std::string text;
    std::string answer;
};

std::vector<GiftQuestion> ParseGift(const std::string& gift) {
    std::vector<GiftQuestion> out;
    std::string category;
    std::vector<std::string> blocks(1);
    size_t start = 0;
    while (start < gift.size()) {
        size_t end = gift.find('\n', start);
        end = end == std::string::npos ? gift.size() : end;
        const std::string line = gift.substr(start, end - start);
        start = end + 1;
        if (line.starts_with("//")) {
            continue;
        }
        if (line.empty()) {
            blocks.emplace_back();
        } else if (line.starts_with("$CATEGORY: ")) {
            blocks.push_back(line);
            blocks.emplace_back();
        } else {
            blocks.back() += line + "\n";
        }
    }
    for (const std::string& b : blocks) {
        if (b.empty()) {
            continue;
        }
        if (b.starts_with("$CATEGORY: ")) {
            category = b.substr(11);
            continue;
        }
        GiftQuestion q{category, "", "", ""};
        std::string* into = &q.text;
        int state = 0;  // 0 text, 1 answer, 2 after the answer
        size_t i = 0;
        if (b.starts_with("::")) {
            for (i = 2; i < b.size() && b.compare(i, 2, "::") != 0; ++i) {
                if (b[i] == '{' || b[i] == '}' || b[i] == '\n') {
                    throw std::runtime_error(std::string("an unescaped ") + b[i] + " in the title");
                }
                q.title += b[i] == '\\' ? b.at(++i) : b[i];
            }
            i += 2;
        }
        for (; i < b.size(); ++i) {
            const char c = b[i];
            if (c == '\\') {
                *into += b.at(++i);
            } else if (c == '{' && state == 0) {
                state = 1;
                into = &q.answer;
            } else if (c == '}' && state == 1) {
                state = 2;
            } else if (state == 2 && c != '\n') {
                throw std::runtime_error("text after the answer");
            } else if (state == 0 && (c == '~' || c == '=' || c == '#' || c == '}' || c == ':')) {
                throw std::runtime_error(std::string("an unescaped ") + c + " in the question text");
            } else if (state != 2) {
                *into += c;
            }
        }
        if (state != 2) {
            throw std::runtime_error("a question without its answer");
        }
        out.push_back(q);
    }
    return out;
}

TEST(QuizFormat, GiftHasANumericalQuestionPerKeyRowInACategoryPerVariant) {
    const SetFixture set;
    std::vector<GiftQuestion> questions;
    const std::string gift = GiftText("Группа 21-Э", set.entries, kOptions);
    ASSERT_NO_THROW(questions = ParseGift(gift));
    // Each question on one line: no line break of a title starts a line of its own.
    std::istringstream lines(gift);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(line.empty() || line.starts_with("//") || line.starts_with("$CATEGORY: ") ||
                    (line.starts_with("::") && line.ends_with("}")))
            << line;
    }
    size_t q = 0;
    for (size_t k = 0; k < set.entries.size(); ++k) {
        for (const KeyRow& row : set.runs[k].key) {
            ASSERT_LT(q, questions.size());
            const GiftQuestion& g = questions[q++];
            const std::string where = g.title;
            EXPECT_EQ(g.category, "$course$/top/Группа 21-Э/Вариант " + set.entries[k].stem) << where;
            EXPECT_TRUE(g.title.starts_with("Вариант: " + set.entries[k].stem + " — ")) << where;
            EXPECT_TRUE(g.text.starts_with("[html]")) << where;
            EXPECT_TRUE(g.text.ends_with("<p>Дробную часть отделяйте запятой: 20,8</p>")) << where;
            ASSERT_TRUE(g.answer.starts_with("#")) << where;
            CheckAnswer(Answers(g.answer.substr(1), where), row, where);
        }
    }
    EXPECT_EQ(q, questions.size());
    EXPECT_NE(questions[0].text.find("Задача &#123;1&#125; #2: a=b ~ c &amp; &lt;d&gt;"), std::string::npos);
    EXPECT_NE(gift.find("::Вариант\\: 0\\{7\\} — "), std::string::npos);
    // The backslash and braces of a title read back as they were (braces as HTML entities).
    EXPECT_NE(questions[set.runs[0].key.size()].text.find("Петров  И. \\ &#123;x&#125;"), std::string::npos);
}

// The blanks of Cloze and the answers of GIFT, a list per key row, in key order.
std::vector<std::vector<Accepted>> QuizAnswers(const std::vector<SetEntry>& entries,
                                               const QuizOptions& options) {
    std::vector<std::vector<Accepted>> out;
    const std::string xml = MoodleXml("s", entries, options);
    const std::regex blank("\\{1:NUMERICAL:([^}]*)\\}");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), blank); it != std::sregex_iterator(); ++it) {
        out.push_back(Answers((*it)[1], "cloze"));
    }
    for (const GiftQuestion& q : ParseGift(GiftText("s", entries, options))) {
        out.push_back(Answers(q.answer.substr(1), "gift " + q.title));
    }
    return out;
}

std::string Printed(double degrees, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, degrees);
    return text;
}

TEST(QuizFormat, AnAngleIsRightWithinItsToleranceInEitherFormAndAWrongOneIsNot) {
    struct Case {
        double degrees;  // as computed, before the key brings it into (-180, 180]
        int decimals;
        bool signMatters;     // the angle with its sign turned is another direction
        bool fivePercentOut;  // 5 % of the angle is more than the tolerance
    };
    const Case cases[] = {
        {-180.0136, 2, false, true}, {179.5, 1, false, true}, {-179.5, 1, false, true},
        {0.77, 2, true, false},      {-3.2, 1, true, false},  {90.4, 1, true, true},
        {-89.6, 1, true, true},      {121.5, 1, true, true},  {-30.02, 0, true, true},
    };
    const QuizOptions options{1.0, 1.0, true};
    for (const Case& c : cases) {
        Variant variant{"1", 0, {}};
        VariantRun run;
        run.modes = {{"normal", 0, "нормальный режим", {}}};
        KeyRow row;
        row.mode = "normal";
        row.label = "угол Ia";
        row.unit = "°";
        row.angle = true;
        row.answer = HalfOpenDegrees(c.degrees);
        row.shownStep = std::pow(10.0, -c.decimals);
        row.shown = Printed(c.degrees, c.decimals);
        run.key = {row};
        const std::vector<SetEntry> entries = {{&variant, "01", &run}};
        const auto all = QuizAnswers(entries, options);
        ASSERT_EQ(all.size(), 2u) << c.degrees;
        const double typed = std::stod(row.shown);
        const double otherForm = typed > 0 ? typed - 360 : typed + 360;
        for (const auto& answers : all) {
            EXPECT_TRUE(Inside(answers, typed)) << c.degrees << ": " << row.shown;
            EXPECT_TRUE(Inside(answers, otherForm)) << c.degrees << ": " << otherForm;
            EXPECT_TRUE(Inside(answers, std::round(typed))) << c.degrees << ": whole degrees";
            if (c.signMatters) {
                EXPECT_FALSE(Inside(answers, -typed)) << c.degrees << ": sign";
                EXPECT_FALSE(Inside(answers, -otherForm)) << c.degrees << ": sign of the other form";
            }
            if (c.fivePercentOut) {
                for (const double wrong : {typed * 1.05, typed * 0.95, otherForm * 1.05, otherForm * 0.95}) {
                    EXPECT_FALSE(Inside(answers, wrong)) << c.degrees << ": " << wrong;
                }
            }
        }
    }
}

TEST(QuizFormat, EveryToleranceIsHalfTheLastPrintedDigitAtLeast) {
    // Every kind of number with three decimals; Xb and U0's parts near zero, where the percentage
    // gives next to nothing.
    TaskValues task;
    task.input[Param::Edit4] = "10";
    task.input[Param::Edit6] = "10";
    task.input[Param::Edit8] = "10";
    task.precision.texts.fill("3");
    const VariantRun run = RunVariant(task, std::vector<int>{Xb, U0Mod, U0Re, IaIm, IaMod, PTotal});
    ASSERT_TRUE(run.completed);
    Variant variant{"1", 0, task};
    const std::vector<SetEntry> entries = {{&variant, "01", &run}};
    const auto all = QuizAnswers(entries, kOptions);
    ASSERT_EQ(all.size(), 2 * run.key.size());
    for (size_t k = 0; k < all.size(); ++k) {
        const KeyRow& row = run.key[k % run.key.size()];
        CheckAnswer(all[k], row, row.label);
        // Three decimals printed: half of 0,001, whatever the code takes for its step.
        EXPECT_GE(all[k][0].tolerance, 0.0005) << row.label << " " << row.shown;
    }
}

}  // namespace
}  // namespace vornik
