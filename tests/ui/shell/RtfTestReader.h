#pragma once
// A small RTF reader for the tests: paragraphs as runs of text with their raise (\upN in half
// points), the font of each run and the document's font table. It knows only what a results
// document needs; anything else in a group is skipped.

#include <QList>
#include <QMap>
#include <QString>
#include <cctype>
#include <string>

struct RtfRun {
    QString text;
    int up = 0;  // half points above the baseline
    int font = 0;
    int halfPoints = 24;
};

struct RtfDocument {
    QList<QList<RtfRun>> paragraphs;
    QMap<int, QString> fonts;
    bool ok = false;

    QStringList Texts() const {
        QStringList out;
        for (const auto& p : paragraphs) {
            QString t;
            for (const auto& r : p) {
                t += r.text;
            }
            out << t;
        }
        return out;
    }
};

inline RtfDocument ReadRtf(const std::string& rtf) {
    struct State {
        int up = 0, font = 0, halfPoints = 24, skip = 0;
        bool fontTable = false;
        int fontNumber = -1;
    };
    RtfDocument doc;
    QList<State> stack{State{}};
    doc.paragraphs.append(QList<RtfRun>());
    int pendingFallback = 0;
    auto add = [&](const QString& s) {
        State& st = stack.back();
        if (st.fontTable) {
            doc.fonts[st.fontNumber] += s;
            return;
        }
        if (st.skip) {
            return;
        }
        auto& para = doc.paragraphs.back();
        if (para.isEmpty() || para.back().up != st.up || para.back().font != st.font ||
            para.back().halfPoints != st.halfPoints) {
            para.append(RtfRun{QString(), st.up, st.font, st.halfPoints});
        }
        para.back().text += s;
    };
    size_t i = 0;
    if (rtf.rfind("{\\rtf1", 0) != 0) {
        return doc;
    }
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{') {
            stack.append(stack.back());
            ++i;
        } else if (c == '}') {
            if (stack.back().fontTable && doc.fonts.contains(stack.back().fontNumber)) {
                QString& name = doc.fonts[stack.back().fontNumber];
                if (name.endsWith(u';')) {
                    name.chop(1);
                }
            }
            stack.removeLast();
            if (stack.size() == 1) {
                doc.ok = true;
                break;
            }
            ++i;
        } else if (c == '\\') {
            ++i;
            if (i >= rtf.size()) {
                break;
            }
            const char n = rtf[i];
            if (n == '\\' || n == '{' || n == '}') {
                add(QString(QChar(n)));
                ++i;
            } else if (n == '\'') {
                const int byte = std::stoi(rtf.substr(i + 1, 2), nullptr, 16);
                i += 3;
                if (pendingFallback > 0) {
                    --pendingFallback;
                } else {
                    add(QString(QChar(byte < 128 ? byte : u'?')));
                }
            } else if (n == '~') {
                add(QString(QChar(0xA0)));
                ++i;
            } else if (std::isalpha(static_cast<unsigned char>(n))) {
                size_t end = i;
                while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end]))) {
                    ++end;
                }
                const std::string word = rtf.substr(i, end - i);
                bool hasArg = false;
                int arg = 0;
                size_t numEnd = end;
                if (numEnd < rtf.size() &&
                    (rtf[numEnd] == '-' || std::isdigit(static_cast<unsigned char>(rtf[numEnd])))) {
                    ++numEnd;
                    while (numEnd < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[numEnd]))) {
                        ++numEnd;
                    }
                    arg = std::stoi(rtf.substr(end, numEnd - end));
                    hasArg = true;
                }
                i = numEnd;
                if (i < rtf.size() && rtf[i] == ' ') {
                    ++i;
                }
                State& st = stack.back();
                if (word == "par") {
                    doc.paragraphs.append(QList<RtfRun>());
                } else if (word == "pard" || word == "plain") {
                    st.up = 0;
                } else if (word == "up") {
                    st.up = hasArg ? arg : 6;
                } else if (word == "f") {
                    st.font = arg;
                    if (st.fontTable) {
                        st.fontNumber = arg;
                    }
                } else if (word == "fs") {
                    st.halfPoints = arg;
                } else if (word == "fonttbl") {
                    st.fontTable = true;
                } else if (word == "colortbl") {
                    st.skip = 1;
                } else if (word == "u") {
                    add(QString(QChar(static_cast<char16_t>(static_cast<int16_t>(arg)))));
                    pendingFallback = 1;
                } else if (word == "line") {
                    add(QString(QChar(0x2028)));
                } else if (word == "tab") {
                    add(QStringLiteral("\t"));
                }
            } else {
                ++i;
            }
        } else if (c == '\n' || c == '\r') {
            ++i;
        } else {
            if (pendingFallback > 0) {
                --pendingFallback;
            } else {
                add(QString(QChar(c)));
            }
            ++i;
        }
    }
    return doc;
}
