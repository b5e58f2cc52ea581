#include "grade/GroupReport.h"

#include <algorithm>
#include <set>

#include "check/AnswerSheet.h"
#include "classset/TaskSheet.h"
#include "report/NumberText.h"

namespace vornik {

namespace {

// The colours of the verdicts in the charts: right, carried, mistake, wrong, missing.
constexpr std::array<Rgb, 5> kVerdictColours = {Rgb{46, 139, 87}, Rgb{144, 200, 120}, Rgb{230, 150, 40},
                                                Rgb{200, 40, 40}, Rgb{170, 170, 170}};
constexpr std::array<const char*, 5> kVerdictShort = {"верно", "с учётом", "тип. ошибка", "неверно", "нет"};

std::string Joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) {
        out += (out.empty() ? "" : ", ") + n;
    }
    return out;
}

const SheetQuantity* QuantityOf(const AnswerSheet& sheet, const Mark& mark) {
    const SheetMode* mode = sheet.Mode(mark.mode);
    if (mode == nullptr) {
        return nullptr;
    }
    for (const SheetQuantity& q : mode->quantities) {
        if (q.quantity == mark.quantity) {
            return &q;
        }
    }
    return nullptr;
}

std::string WithUnit(const std::string& number, const Mark& mark) {
    return mark.angle ? number + mark.unit : number + " " + mark.unit;
}

std::string MarkLine(const Mark& mark, const SheetQuantity* quantity) {
    std::string line =
        mark.label + " = " + (mark.answer.empty() ? "—" : mark.answer) + ": " + VerdictName(mark.verdict);
    if (mark.verdict == Verdict::Mistake) {
        const MistakeText& text = MistakeOf(mark.mistake);
        line += " — " + std::string(text.name) + ". " + std::string(text.explanation);
    }
    if (!mark.hint.empty()) {
        line += " (не прочитан: " + mark.hint + ")";
    }
    if (mark.verdict == Verdict::Mistake || mark.verdict == Verdict::Wrong) {
        const int decimals = quantity ? quantity->key.decimals : 3;
        line += "; ожидалось " + WithUnit(NumberText(mark.expected, -decimals), mark);
        if (mark.section.size()) {
            line += " (шаг " + mark.section + ")";
        }
    }
    return line;
}

DrawOp Fill(int x1, int y1, int x2, int y2, Rgb colour) {
    DrawOp op;
    op.kind = DrawOp::Kind::Fill;
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
    op.color = colour;
    return op;
}

DrawOp Line(int x1, int y1, int x2, int y2) {
    DrawOp op;
    op.kind = DrawOp::Kind::Line;
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
    op.color = kBlack;
    return op;
}

DrawOp Text(int x, int y, std::string text, int size = kDefaultFontSize) {
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.x1 = x, op.y1 = y;
    op.color = kBlack;
    op.text = std::move(text);
    op.size = size;
    return op;
}

GradeChart Histogram(const GroupFigures& f) {
    GradeChart chart{"Распределение баллов (учеников в каждом интервале, %)", {}};
    auto& ops = chart.ops;
    constexpr int kLeft = 40, kRight = 390, kTop = 30, kBottom = 350;
    int most = 1;
    for (const auto& bin : f.bins) {
        most = std::max(most, static_cast<int>(bin.size()));
    }
    ops.push_back(Line(kLeft, kBottom, kRight, kBottom));
    ops.push_back(Line(kLeft, kTop, kLeft, kBottom));
    const int width = (kRight - kLeft) / kScoreBins;
    for (int b = 0; b < kScoreBins; ++b) {
        const int n = static_cast<int>(f.bins[b].size());
        const int x = kLeft + b * width;
        const int height = (kBottom - kTop - 20) * n / most;
        if (n > 0) {
            ops.push_back(Fill(x + 3, kBottom - height, x + width - 3, kBottom, kVerdictColours[0]));
        }
        ops.push_back(Text(x + width / 2 - 4, kBottom - height - 14, std::to_string(n)));
        ops.push_back(Text(x - 4, kBottom + 4, std::to_string(b * 10)));
    }
    ops.push_back(Text(kRight - 14, kBottom + 4, "100"));
    ops.push_back(Text(kLeft, kBottom + 22, "балл, % (учеников над столбцом)"));
    return chart;
}

// Stacked bars of the verdicts' shares, a row per quantity.
GradeChart Shares(const std::string& caption, const std::vector<const QuantityFigures*>& rows) {
    GradeChart chart{caption, {}};
    auto& ops = chart.ops;
    constexpr int kLabel = 6, kBarLeft = 96, kBarRight = 390, kTop = 40;
    // The legend.
    for (int v = 0; v < 5; ++v) {
        const int x = kLabel + v * 78;
        ops.push_back(Fill(x, 8, x + 10, 18, kVerdictColours[v]));
        ops.push_back(Text(x + 13, 6, kVerdictShort[v]));
    }
    const int rowHeight = std::min(28, (400 - kTop - 10) / std::max<int>(1, static_cast<int>(rows.size())));
    const int span = kBarRight - kBarLeft;
    for (size_t r = 0; r < rows.size(); ++r) {
        const QuantityFigures& q = *rows[r];
        const int y = kTop + static_cast<int>(r) * rowHeight;
        ops.push_back(Text(kLabel, y + rowHeight / 2 - 7, q.label));
        int done = 0;
        int x = kBarLeft;
        for (int v = 0; v < 5; ++v) {
            done += q.verdicts[v];
            const int end = q.students > 0 ? kBarLeft + span * done / q.students : kBarLeft;
            if (end > x) {
                ops.push_back(Fill(x, y + 3, end, y + rowHeight - 3, kVerdictColours[v]));
            }
            x = end;
        }
    }
    ops.push_back(Line(kBarLeft, kTop - 2, kBarLeft, kTop + static_cast<int>(rows.size()) * rowHeight));
    return chart;
}

GradeChart MistakesChart(const GroupFigures& f) {
    GradeChart chart{"Типичные ошибки группы (сколько раз)", {}};
    auto& ops = chart.ops;
    constexpr int kLeft = 6, kRight = 360;
    const int most = f.mistakes.empty() ? 1 : std::max(1, f.mistakes.front().count);
    for (size_t k = 0; k < f.mistakes.size(); ++k) {
        const MistakeFigures& m = f.mistakes[k];
        const int y = 10 + static_cast<int>(k) * 42;
        ops.push_back(Text(kLeft, y, std::string(MistakeOf(m.mistake).name)));
        const int end = kLeft + (kRight - kLeft) * m.count / most;
        ops.push_back(Fill(kLeft, y + 16, end, y + 32, kVerdictColours[2]));
        ops.push_back(Text(end + 4, y + 17, std::to_string(m.count)));
    }
    return chart;
}

}  // namespace

std::vector<std::string> FeedbackTitle(const StudentGrade& grade, const std::string& date) {
    return {"Разбор работы: " + grade.student, "Вариант " + grade.variant, date};
}

std::vector<std::string> FeedbackLines(const StudentGrade& g, const TaskValues& task,
                                       const GradeScale& scale) {
    std::vector<std::string> lines = TaskSheetLines(g.variant, Variant{g.variant, 0, task});
    lines.emplace_back();
    const int score = g.right + g.carried;
    lines.push_back("Итог: верно " + std::to_string(g.right) + ", верно с учётом ошибки выше " +
                    std::to_string(g.carried) + ", типичных ошибок " + std::to_string(g.mistake) +
                    ", неверно " + std::to_string(g.wrong) + ", нет ответа " + std::to_string(g.missing) +
                    " из " + std::to_string(g.total) + ": " + PercentText(score, g.total) + " %, оценка " +
                    std::to_string(g.mark) + (scale.scale == 100 ? " из 100" : ""));
    const AnswerSheet& sheet = *g.sheet;
    for (const SheetMode& mode : sheet.modes) {
        lines.emplace_back();
        lines.push_back("Режим: " + mode.mode.caption + " (" + mode.mode.name + ")");
        for (const Mark& m : g.marks.answers) {
            if (m.mode == mode.mode.name) {
                lines.push_back(MarkLine(m, QuantityOf(sheet, m)));
            }
        }
    }
    // The sections of the worked solution where a step went wrong, each once.
    std::set<std::pair<std::string, std::string>> shown;
    bool first = true;
    for (const Mark& m : g.marks.answers) {
        if ((m.verdict != Verdict::Wrong && m.verdict != Verdict::Mistake) || m.section.empty() ||
            !shown.insert({m.mode, m.section}).second) {
            continue;
        }
        const std::vector<std::string> section = SectionLines(sheet, m.mode, m.section);
        if (section.empty()) {
            continue;
        }
        if (first) {
            lines.emplace_back();
            lines.push_back("Шаги решения, где ошибка");
            first = false;
        }
        const SheetMode* mode = sheet.Mode(m.mode);
        lines.emplace_back();
        lines.push_back("Режим: " + (mode ? mode->mode.caption : m.mode) + ", шаг " + m.section + ":");
        lines.insert(lines.end(), section.begin(), section.end());
    }
    return lines;
}

std::vector<std::string> GroupLines(const std::vector<StudentGrade>& grades, const GroupFigures& f,
                                    const GradeScale& scale) {
    std::vector<std::string> lines;
    lines.push_back("Учеников: " + std::to_string(grades.size()));
    if (scale.scale == 5) {
        lines.push_back("Оценки: 5 — " + std::to_string(f.marks[3]) + ", 4 — " + std::to_string(f.marks[2]) +
                        ", 3 — " + std::to_string(f.marks[1]) + ", 2 — " + std::to_string(f.marks[0]) +
                        " (5 от " + std::to_string(scale.thresholds[2]) + " %, 4 от " +
                        std::to_string(scale.thresholds[1]) + " %, 3 от " +
                        std::to_string(scale.thresholds[0]) + " %)");
    }
    lines.emplace_back();
    lines.push_back(
        "Доли ответов группы по величинам (верно / с учётом ошибки выше / типичная ошибка / неверно / "
        "нет ответа, %):");
    for (const QuantityFigures& q : f.quantities) {
        std::string line = q.mode + " " + q.label + ":";
        for (size_t v = 0; v < q.verdicts.size(); ++v) {
            line += (v == 0 ? " " : " / ") + PercentText(q.verdicts[v], q.students);
        }
        lines.push_back(line + " (учеников " + std::to_string(q.students) + ")");
    }
    lines.emplace_back();
    if (f.mistakes.empty()) {
        lines.push_back("Типичных ошибок нет.");
    } else {
        lines.push_back("Типичные ошибки, самые частые первыми:");
        for (const MistakeFigures& m : f.mistakes) {
            const MistakeText& text = MistakeOf(m.mistake);
            lines.push_back(std::string(text.name) + ": " + std::to_string(m.count) + " — " +
                            Joined(m.students));
        }
    }
    return lines;
}

std::vector<GradeChart> GroupCharts(const GroupFigures& f) {
    std::vector<GradeChart> charts = {Histogram(f)};
    std::vector<std::string> modes;
    for (const QuantityFigures& q : f.quantities) {
        if (std::find(modes.begin(), modes.end(), q.mode) == modes.end()) {
            modes.push_back(q.mode);
        }
    }
    for (const std::string& mode : modes) {
        std::vector<const QuantityFigures*> rows;
        for (const QuantityFigures& q : f.quantities) {
            if (q.mode == mode) {
                rows.push_back(&q);
            }
        }
        for (size_t start = 0; start < rows.size(); start += kQuantitiesPerChart) {
            const size_t end = std::min(rows.size(), start + kQuantitiesPerChart);
            charts.push_back(
                Shares("Доли ответов: " + mode + (start > 0 ? " (продолжение)" : ""),
                       {rows.begin() + static_cast<long>(start), rows.begin() + static_cast<long>(end)}));
        }
    }
    if (!f.mistakes.empty()) {
        charts.push_back(MistakesChart(f));
    }
    return charts;
}

}  // namespace vornik
