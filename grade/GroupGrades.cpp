#include "grade/GroupGrades.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "classset/VariantTable.h"
#include "solver/Text.h"

namespace vornik {

namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) {
        out += (out.empty() ? "" : "; ") + n;
    }
    return out;
}

std::string BinLabel(int bin) {
    return std::to_string(bin * 10) + "–" + std::to_string(bin * 10 + 10) + " %";
}

}  // namespace

std::string PercentText(int score, int total) {
    if (total <= 0) {
        return "0,0";
    }
    // Tenths of a per cent, half-way values upward, in whole numbers so no rounding of a double
    // decides a mark's neighbour.
    const long long tenths = (2000LL * score + total) / (2LL * total);
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

bool ParseThresholds(std::string_view text, std::array<int, 3>& thresholds) {
    std::array<int, 3> read{};
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int k = 0; k < 3; ++k) {
        const auto r = std::from_chars(p, end, read[k]);
        const bool last = k == 2;
        if (r.ec != std::errc() || read[k] < 1 || read[k] > 100 || (k > 0 && read[k] <= read[k - 1]) ||
            (last ? r.ptr != end : (r.ptr == end || *r.ptr != ','))) {
            return false;
        }
        p = r.ptr + 1;
    }
    thresholds = read;
    return true;
}

int MarkOf(int score, int total, const GradeScale& scale) {
    if (total <= 0) {
        return scale.scale == 100 ? 0 : 2;
    }
    if (scale.scale == 100) {
        return static_cast<int>((200LL * score + total) / (2LL * total));
    }
    int mark = 2;
    for (const int threshold : scale.thresholds) {
        // score / total >= threshold %, exactly.
        if (100LL * score >= static_cast<long long>(threshold) * total) {
            ++mark;
        }
    }
    return mark;
}

int ScoreBin(int score, int total) {
    if (total <= 0) {
        return 0;
    }
    return std::min(kScoreBins - 1, static_cast<int>(10LL * score / total));
}

StudentGrade GradeOf(std::string student, std::string variant, const AnswerSheet& sheet, Marks marks,
                     const GradeScale& scale) {
    StudentGrade g;
    g.student = std::move(student);
    g.variant = std::move(variant);
    g.sheet = &sheet;
    for (const Mark& m : marks.answers) {
        switch (m.verdict) {
            case Verdict::Right:
                ++g.right;
                break;
            case Verdict::Carried:
                ++g.carried;
                break;
            case Verdict::Mistake:
                ++g.mistake;
                break;
            case Verdict::Wrong:
                ++g.wrong;
                break;
            case Verdict::Missing:
                ++g.missing;
                break;
        }
    }
    g.total = static_cast<int>(marks.answers.size());
    g.mark = MarkOf(g.right + g.carried, g.total, scale);
    g.marks = std::move(marks);
    return g;
}

GroupFigures FiguresOf(const std::vector<StudentGrade>& grades) {
    GroupFigures f;
    std::map<std::string, size_t> quantityIndex;
    std::map<Mistake, size_t> mistakeIndex;
    for (const StudentGrade& g : grades) {
        for (const Mark& m : g.marks.answers) {
            const std::string key = m.mode + '\n' + m.quantity;
            auto [it, added] = quantityIndex.try_emplace(key, f.quantities.size());
            if (added) {
                f.quantities.push_back({m.mode, m.quantity, m.label, 0, {}});
            }
            QuantityFigures& q = f.quantities[it->second];
            ++q.students;
            ++q.verdicts[static_cast<int>(m.verdict)];
            if (m.verdict == Verdict::Mistake && m.mistake != Mistake::None) {
                auto [mt, fresh] = mistakeIndex.try_emplace(m.mistake, f.mistakes.size());
                if (fresh) {
                    f.mistakes.push_back({m.mistake, 0, {}});
                }
                MistakeFigures& mf = f.mistakes[mt->second];
                ++mf.count;
                if (std::find(mf.students.begin(), mf.students.end(), g.student) == mf.students.end()) {
                    mf.students.push_back(g.student);
                }
            }
        }
        f.bins[ScoreBin(g.right + g.carried, g.total)].push_back(g.student);
        if (g.mark >= 2 && g.mark <= 5) {
            ++f.marks[g.mark - 2];
        }
    }
    std::stable_sort(f.mistakes.begin(), f.mistakes.end(),
                     [](const MistakeFigures& a, const MistakeFigures& b) { return a.count > b.count; });
    return f;
}

std::string GradesCsv(const std::vector<StudentGrade>& grades) {
    std::string out = "student,variant,right,carried,mistake,wrong,missing,percent,mark\r\n";
    for (const StudentGrade& g : grades) {
        out += CsvTextCell(g.student) + ',' + CsvTextCell(g.variant) + ',' + std::to_string(g.right) + ',' +
               std::to_string(g.carried) + ',' + std::to_string(g.mistake) + ',' + std::to_string(g.wrong) +
               ',' + std::to_string(g.missing) + ',' + CsvCell(PercentText(g.right + g.carried, g.total)) +
               ',' + std::to_string(g.mark) + "\r\n";
    }
    return out;
}

std::string GroupCsv(const GroupFigures& f, const GradeScale& scale) {
    std::string out = "kind,mode,quantity,label,count,right,carried,mistake,wrong,missing,students\r\n";
    for (const QuantityFigures& q : f.quantities) {
        out += "quantity," + q.mode + ',' + q.quantity + ',' + CsvTextCell(q.label) + ',' +
               std::to_string(q.students);
        for (const int n : q.verdicts) {
            out += ',' + CsvCell(PercentText(n, q.students));
        }
        out += ",\r\n";
    }
    for (const MistakeFigures& m : f.mistakes) {
        const MistakeText& text = MistakeOf(m.mistake);
        out += "mistake,," + std::string(text.id) + ',' + CsvTextCell(text.name) + ',' +
               std::to_string(m.count) + ",,,,,," + CsvTextCell(Joined(m.students)) + "\r\n";
    }
    for (int bin = 0; bin < kScoreBins; ++bin) {
        out += "score,,," + CsvTextCell(BinLabel(bin)) + ',' + std::to_string(f.bins[bin].size()) + ",,,,,," +
               CsvTextCell(Joined(f.bins[bin])) + "\r\n";
    }
    if (scale.scale == 5) {
        for (int mark = 2; mark <= 5; ++mark) {
            out += "mark,,," + std::to_string(mark) + ',' + std::to_string(f.marks[mark - 2]) + ",,,,,,\r\n";
        }
    }
    return out;
}

}  // namespace vornik
