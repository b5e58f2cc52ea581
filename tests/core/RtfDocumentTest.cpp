#include <gtest/gtest.h>

#include "report/RtfDocument.h"
#include "solver/Text.h"

namespace vornik {
namespace {

const std::string kHead =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\froman\\fprq2\\fcharset204 Times New "
    "Roman;}}\n\\viewkind4\\uc1\n";

TEST(RtfFromLines, RaisedSpansAreClampedMergedAndKeptToTheirLine) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<RaisedSpan> raised;
        std::string body;
    };
    const Case cases[] = {
        {"no lines: one empty paragraph", {}, {}, "\\pard\\plain\\f0\\fs24\\lang1049 "},
        {"an empty line between two",
         {"a", "", "b"},
         {},
         "\\pard\\plain\\f0\\fs24\\lang1049 {\\f0\\fs24\\lang1049 a}\\par\n"
         "\\pard\\plain\\f0\\fs24\\lang1049 \\par\n"
         "\\pard\\plain\\f0\\fs24\\lang1049 {\\f0\\fs24\\lang1049 b}"},
        {"a span past the end of its line",
         {"I0^2"},
         {{0, 3, 9}},
         "\\pard\\plain\\f0\\fs24\\lang1049 {\\f0\\fs24\\lang1049 I0^}{\\f0\\fs24\\lang1049\\up7 2}"},
        {"overlapping spans make one run, a span of another line is ignored",
         {"abcd"},
         {{0, 1, 2}, {0, 2, 3}, {1, 0, 4}},
         "\\pard\\plain\\f0\\fs24\\lang1049 {\\f0\\fs24\\lang1049 a}{\\f0\\fs24\\lang1049\\up7 "
         "bc}{\\f0\\fs24\\lang1049 d}"},
        {"positions count UTF-16 units: Cyrillic is one, a pair of surrogates two",
         {"\xD0\xA1\xF0\x9F\x98\x80x"},
         {{0, 1, 3}},
         "\\pard\\plain\\f0\\fs24\\lang1049 {\\f0\\fs24\\lang1049 \\u1057\\'d1}{\\f0\\fs24\\lang1049\\up7 "
         "\\u-10179?\\u-8704?}{\\f0\\fs24\\lang1049 "
         "x}"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RtfFromLines(c.lines, c.raised), kHead + c.body + "\n}\n") << c.name;
    }
}

TEST(RtfFromLines, MalformedUtf8BecomesReplacementCharacters) {
    struct Case {
        const char* name;
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"a cut sequence at the end", "a\xD0", u"a\uFFFD"},
        {"an overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"an encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"a lone continuation byte", "\x80z", u"\uFFFDz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.name;
    }
}

TEST(WriteRtf, CharactersAndFaceClasses) {
    struct Case {
        const char* name;
        std::u16string face;
        std::u16string text;
        std::string expected;  // a piece of the RTF
    };
    const Case cases[] = {
        {"the paragraph's and the run's text marked Russian", u"Times New Roman", u"\u0410",
         "\\plain\\f0\\fs24\\lang1049 {\\f0\\fs24\\lang1049 \\u1040"},
        {"first Cyrillic letter", u"Times New Roman", u"\u0410", "\\u1040\\'c0"},
        {"last Cyrillic letter", u"Times New Roman", u"x\u044Fx", "x\\u1103\\'ffx"},
        {"capital Yo, outside the block", u"Times New Roman", u"\u0401", "\\u1025\\'a8"},
        {"small yo", u"Times New Roman", u"\u0451", "\\u1105\\'b8"},
        {"no Windows-1251 byte: a question mark", u"Times New Roman", u"\u03A9", "\\u937?"},
        {"an embedded object is dropped", u"Times New Roman", u"a\uFFFCb", " ab"},
        {"a sans-serif face", u"MS Sans Serif", u"t", "{\\f1\\fswiss\\fprq2\\fcharset204 MS Sans Serif;}"},
        {"a serif face", u"Liberation Serif", u"t", "{\\f1\\froman\\fprq2\\fcharset204 Liberation Serif;}"},
        {"a roman face", u"Courier Roman", u"t", "{\\f1\\froman"},
        {"neither: swiss", u"Arial", u"t", "{\\f1\\fswiss"},
    };
    for (const Case& c : cases) {
        RtfDocument doc;
        RtfRun run;
        run.text = c.text;
        run.format.face = c.face;
        doc.paragraphs.push_back({RtfAlign::Left, {run}});
        const std::string rtf = WriteRtf(doc);
        EXPECT_NE(rtf.find(c.expected), std::string::npos) << c.name << ":\n" << rtf;
        EXPECT_EQ(rtf.find("\\u-4"), std::string::npos) << c.name << ": U+FFFC written";
    }
}

}  // namespace
}  // namespace vornik
