#pragma once
// Marking a group's work in one step: the answers (a table or a folder of answers files) against
// the variants of a class set's folder (NN.vornik), written into a new folder: grades.csv,
// group.csv, summary.txt and, with a PDF writer, <student>-feedback.pdf per student and group.pdf. The
// folder is written beside its place and renamed into it at the end, so a failure or a cancel
// leaves nothing.

#include <string>
#include <vector>

#include "classset/ClassSet.h"
#include "grade/GroupAnswers.h"
#include "grade/GroupGrades.h"
#include "grade/GroupReport.h"

namespace vornik {

// The PDFs of a marked group. The PDF writer is Qt's, so the front end passes it in; each call
// returns the bytes of one file and throws std::runtime_error when it cannot make it.
class GradePdfWriter {
  public:
    virtual ~GradePdfWriter() = default;
    // A document of the title block (the first line the heading) and plain lines.
    virtual std::string Feedback(const std::vector<std::string>& titleBlock,
                                 const std::vector<std::string>& lines) const = 0;
    // The overview: title block, lines, then the charts as vector drawings.
    virtual std::string Group(const std::vector<std::string>& titleBlock,
                              const std::vector<std::string>& lines,
                              const std::vector<GradeChart>& charts) const = 0;
};

struct GradeRequest {
    std::string setDir;
    std::string answersPath;  // a table or a folder of answers files
    std::string outDir;
    GradeScale scale;
    std::string command;  // for the summary
    const GradePdfWriter* pdfs = nullptr;
    std::string pdfsMissing;  // why there are no PDFs, for the summary
    std::string date;
};

// A group marked: "<folder>: проверено 25 учеников, пропущено 2 (см. summary.txt)", and its counts.
struct GradeMade {
    std::string message;
    int students = 0;  // marked
    int skipped = 0;   // rows, files or students left out
};

// The marks made, or why there are none: one line, or "прервано" when the progress callback
// stopped the work.
using GradeOutcome = Outcome<GradeMade, FolderWorkFailure>;

// The progress as a class set reports it: steps done of steps there are; false cancels.
GradeOutcome GradeGroup(const GradeRequest& request, const ClassSetProgress& progress = {});

// A student's name as the stem of a file name that every common file system takes: no / \ : * ?
// " < > | nor control characters, no trailing dot or space, no device name (CON, NUL, …), at
// most 60 characters; names that differ only in case are told apart by " (2)", " (3)" in `taken`
// (their lower case forms).
std::string FeedbackStem(const std::string& student, std::vector<std::u16string>& taken);

}  // namespace vornik
