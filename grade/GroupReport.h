#pragma once
// What the PDFs of a marked group say: a feedback sheet per student (the task, each answer with
// its verdict, the named mistakes with their explanations, the sections of the worked solution
// where a step went wrong) and the group's overview (the figures as lines and as vector charts
// on the diagram canvas: the histogram of the scores, the shares per mode and quantity, the most
// frequent mistakes).

#include <string>
#include <vector>

#include "classset/Variant.h"
#include "diagram/RecordingCanvas.h"
#include "grade/GroupGrades.h"

namespace vornik {

// A chart: its caption and its drawing on the 400 × 400 canvas.
struct GradeChart {
    std::string caption;
    std::vector<DrawOp> ops;
};

// The feedback sheet's lines under its title block; the worked solution's sections as it prints
// them.
std::vector<std::string> FeedbackLines(const StudentGrade& grade, const TaskValues& task,
                                       const GradeScale& scale);

// The title block of a feedback sheet: the heading, the variant, the date.
std::vector<std::string> FeedbackTitle(const StudentGrade& grade, const std::string& date);

// The overview's lines: the marks, the quantities, the mistakes with their students.
std::vector<std::string> GroupLines(const std::vector<StudentGrade>& grades, const GroupFigures& figures,
                                    const GradeScale& scale);

// The histogram of the scores, a chart of shares per mode (up to kQuantitiesPerChart
// quantities each; a mode with more gets several), and the mistakes' counts when any was made.
std::vector<GradeChart> GroupCharts(const GroupFigures& figures);

inline constexpr int kQuantitiesPerChart = 12;

}  // namespace vornik
