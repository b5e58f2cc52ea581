#pragma once
// A group's marks: each student's answers marked with the self-check marking against the sheet
// of the student's variant, the counts of the verdicts, the score in per cent and the mark; and
// what the group as a whole got right and wrong (per mode and quantity, the named mistakes, the
// distribution of the scores), as the tables grades.csv and group.csv write them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "check/Marking.h"

namespace vornik {

// The mark: on scale 5 the usual 2–5 (3 from the first threshold in per cent, 4 from the
// second, 5 from the third), on scale 100 the score in whole per cent.
struct GradeScale {
    int scale = 5;
    std::array<int, 3> thresholds = {50, 70, 85};
};

struct StudentGrade {
    std::string student;
    std::string variant;  // the set's file stem: "07"
    const AnswerSheet* sheet = nullptr;
    Marks marks;
    // The counts of the verdicts; right and carried make the score.
    int right = 0;
    int carried = 0;
    int mistake = 0;
    int wrong = 0;
    int missing = 0;
    int total = 0;
    int mark = 0;
};

// Reads "50,70,85": three whole per cents rising from 1 to 100. False leaves `thresholds` as it was.
bool ParseThresholds(std::string_view text, std::array<int, 3>& thresholds);

// Counts the verdicts of `marks` and sets the mark.
StudentGrade GradeOf(std::string student, std::string variant, const AnswerSheet& sheet, Marks marks,
                     const GradeScale& scale);

// The score in per cent with one decimal: "83,3".
std::string PercentText(int score, int total);

// The mark of `score` of `total` on `scale`.
int MarkOf(int score, int total, const GradeScale& scale);

// One quantity of one mode across the group.
struct QuantityFigures {
    std::string mode;
    std::string quantity;  // field name
    std::string label;
    int students = 0;
    std::array<int, 5> verdicts{};  // right, carried, mistake, wrong, missing
};

struct MistakeFigures {
    Mistake mistake = Mistake::None;
    int count = 0;
    std::vector<std::string> students;  // each once, in the order of the group
};

// Ten bins of the score: 0–10 %, 10–20 %, …, 90–100 % (100 % in the last).
inline constexpr int kScoreBins = 10;

struct GroupFigures {
    std::vector<QuantityFigures> quantities;                // in the order they first appear
    std::vector<MistakeFigures> mistakes;                   // the most frequent first; only those made
    std::array<std::vector<std::string>, kScoreBins> bins;  // the students of each bin
    std::array<int, 4> marks{};                             // scale 5: the students with 2, 3, 4, 5
};

GroupFigures FiguresOf(const std::vector<StudentGrade>& grades);

// The bin of a score: 0..9.
int ScoreBin(int score, int total);

// student,variant,right,carried,mistake,wrong,missing,percent,mark: one row per student.
std::string GradesCsv(const std::vector<StudentGrade>& grades);

// kind,mode,quantity,label,count,right,carried,mistake,wrong,missing,students: a row per mode and
// quantity (count: the students asked; the verdicts as shares of them in per cent), per named
// mistake (quantity: its id, label: its name; count: how often; students: who), per score bin
// (label "0–10 %"; count and students) and, on scale 5, per mark (label "2" … "5").
std::string GroupCsv(const GroupFigures& figures, const GradeScale& scale);

}  // namespace vornik
