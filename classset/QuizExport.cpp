#include "classset/QuizExport.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "classset/TaskSheet.h"
#include "solver/Text.h"

namespace vornik {

namespace {

// Text for HTML: escaped as XML, and the braces that would open a Cloze blank as references.
std::string Html(const std::string& text) {
    std::string out;
    for (const char c : XmlEscaped(text)) {
        if (c == '{') {
            out += "&#123;";
        } else if (c == '}') {
            out += "&#125;";
        } else {
            out += c;
        }
    }
    return out;
}

// Text for GIFT: the characters with a meaning in the format are escaped with a backslash.
std::string Gift(const std::string& text) {
    std::string out;
    for (const char c : XmlSafe(text)) {
        if (c == '~' || c == '=' || c == '#' || c == '{' || c == '}' || c == ':' || c == '\\') {
            out += '\\';
        }
        out += c == '\n' || c == '\r' ? ' ' : c;
    }
    return out;
}

std::string DataHtml(const SetEntry& e) {
    std::string out;
    for (const std::string& line : TaskSheetLines(e.stem, *e.variant)) {
        out += "<p>" + Html(line) + "</p>";
    }
    return out;
}

std::string CategoryPath(const std::string& setName) {
    std::string name = setName;
    std::replace(name.begin(), name.end(), '/', '_');
    return "$course$/top/" + name;
}

}  // namespace

double AnswerTolerance(const KeyRow& row, const QuizOptions& options) {
    const double chosen = row.angle ? options.angleDegrees : std::fabs(row.answer) * options.percent / 100.0;
    return std::max(chosen, row.shownStep / 2.0);
}

std::vector<double> AcceptedAnswers(const KeyRow& row) {
    if (!row.angle) {
        return {row.answer};
    }
    return {row.answer, row.answer - 360.0, row.answer + 360.0};
}

std::string RowQuestion(const KeyRow& row) {
    return row.unit.empty() ? row.label : row.label + " (" + row.unit + ")";
}

std::string DecimalLine(bool decimalComma) {
    return decimalComma ? "Дробную часть отделяйте запятой: 20,8" : "Дробную часть отделяйте точкой: 20.8";
}

std::string PlainNumber(double value) {
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (result.ec != std::errc()) {
        return "0";
    }
    return std::string(buf, result.ptr);
}

std::string MoodleXml(const std::string& setName, const std::vector<SetEntry>& entries,
                      const QuizOptions& options) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";
    out += "  <question type=\"category\">\n    <category>\n      <text>" + Html(CategoryPath(setName)) +
           "</text>\n    </category>\n  </question>\n";
    for (const SetEntry& e : entries) {
        std::string text = DataHtml(e);
        std::string mode;
        for (const KeyRow& row : e.run->key) {
            if (row.mode != mode) {
                mode = row.mode;
                for (const ComputedMode& m : e.run->modes) {
                    if (m.name == mode) {
                        text += "<p><b>Режим: " + Html(m.caption) + "</b></p>";
                    }
                }
            }
            const std::string tolerance = PlainNumber(AnswerTolerance(row, options));
            std::string blank;
            for (const double answer : AcceptedAnswers(row)) {
                blank += (blank.empty() ? "=" : "~=") + PlainNumber(answer) + ":" + tolerance;
            }
            text += "<p>" + Html(RowQuestion(row)) + " = {1:NUMERICAL:" + blank + "}</p>";
        }
        text += "<p>" + Html(DecimalLine(options.decimalComma)) + "</p>";
        std::string feedback;
        for (const std::string& line : e.run->report) {
            feedback += line.empty() ? "<br>" : "<p>" + Html(line) + "</p>";
        }
        out += "  <question type=\"cloze\">\n";
        out += "    <name>\n      <text>" + Html("Вариант: " + e.stem) + "</text>\n    </name>\n";
        out += "    <questiontext format=\"html\">\n      <text><![CDATA[" + text +
               "]]></text>\n    </questiontext>\n";
        out += "    <generalfeedback format=\"html\">\n      <text><![CDATA[" + feedback +
               "]]></text>\n    </generalfeedback>\n";
        out += "    <penalty>0.3333333</penalty>\n    <hidden>0</hidden>\n  </question>\n";
    }
    return out + "</quiz>\n";
}

std::string GiftText(const std::string& setName, const std::vector<SetEntry>& entries,
                     const QuizOptions& options) {
    std::string out = "// " + Gift(setName) + ": по категории на вариант, по числовому вопросу на ответ\n";
    for (const SetEntry& e : entries) {
        out += "\n$CATEGORY: " + CategoryPath(setName) + "/Вариант " + e.stem + "\n";
        const std::string data = Gift(DataHtml(e));
        int number = 0;
        for (const KeyRow& row : e.run->key) {
            std::string caption;
            for (const ComputedMode& m : e.run->modes) {
                if (m.name == row.mode) {
                    caption = m.caption;
                }
            }
            const std::string tolerance = PlainNumber(AnswerTolerance(row, options));
            std::string answers;
            for (const double answer : AcceptedAnswers(row)) {
                answers += " =" + PlainNumber(answer) + ":" + tolerance;
            }
            out += "\n::" +
                   Gift("Вариант: " + e.stem + " — " + std::to_string(++number) + ". " + RowQuestion(row)) +
                   "::[html]" + data +
                   Gift("<p>Режим: " + Html(caption) + ". " + Html(RowQuestion(row)) + "</p><p>" +
                        Html(DecimalLine(options.decimalComma)) + "</p>") +
                   "{#" + answers + "}\n";
        }
    }
    return out;
}

}  // namespace vornik
