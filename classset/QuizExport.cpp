#include "classset/QuizExport.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "classset/TaskSheet.h"

namespace vornik {

namespace {

// Text for HTML: the markup characters, and the braces that would open a Cloze blank.
std::string Html(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";  // so "]]>" never ends a CDATA section early
                break;
            case '"':
                out += "&quot;";
                break;
            case '{':
                out += "&#123;";
                break;
            case '}':
                out += "&#125;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Text for GIFT: the characters with a meaning in the format are escaped with a backslash.
std::string Gift(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '~' || c == '=' || c == '#' || c == '{' || c == '}' || c == ':' || c == '\\') {
            out += '\\';
        }
        out += c == '\n' || c == '\r' ? ' ' : c;
    }
    return out;
}

std::string RowQuestion(const KeyRow& row) {
    std::string label = row.angle ? "угол " + row.label : row.label;
    return row.unit.empty() ? label : label + " (" + row.unit + ")";
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

double AnswerTolerance(const KeyRow& row, double percent) {
    return std::max(std::fabs(row.answer) * percent / 100.0, row.shownStep / 2.0);
}

std::string PlainNumber(double value) {
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (result.ec != std::errc()) {
        return "0";
    }
    return std::string(buf, result.ptr);
}

std::string MoodleXml(const std::string& setName, const std::vector<SetEntry>& entries, double percent) {
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
            text += "<p>" + Html(RowQuestion(row)) + " = {1:NUMERICAL:=" + PlainNumber(row.answer) + ":" +
                    PlainNumber(AnswerTolerance(row, percent)) + "}</p>";
        }
        std::string feedback;
        for (const std::string& line : e.run->report) {
            feedback += line.empty() ? "<br>" : "<p>" + Html(line) + "</p>";
        }
        out += "  <question type=\"cloze\">\n";
        out += "    <name>\n      <text>" + Html("Вариант " + e.stem) + "</text>\n    </name>\n";
        out += "    <questiontext format=\"html\">\n      <text><![CDATA[" + text +
               "]]></text>\n    </questiontext>\n";
        out += "    <generalfeedback format=\"html\">\n      <text><![CDATA[" + feedback +
               "]]></text>\n    </generalfeedback>\n";
        out += "    <penalty>0.3333333</penalty>\n    <hidden>0</hidden>\n  </question>\n";
    }
    return out + "</quiz>\n";
}

std::string GiftText(const std::string& setName, const std::vector<SetEntry>& entries, double percent) {
    std::string out =
        "// " + Gift(setName) + ": one category per variant, one numerical question per answer\n";
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
            out += "\n::" +
                   Gift("Вариант " + e.stem + " — " + std::to_string(++number) + ". " + RowQuestion(row)) +
                   "::[html]" + data +
                   Gift("<p>Режим: " + Html(caption) + ". " + Html(RowQuestion(row)) + "</p>") + "{#" +
                   PlainNumber(row.answer) + ":" + PlainNumber(AnswerTolerance(row, percent)) + "}\n";
        }
    }
    return out;
}

}  // namespace vornik
