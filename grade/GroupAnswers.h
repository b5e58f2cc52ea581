#pragma once
// A group's answers as they come in: one table (CSV, as spreadsheets and online forms export it)
// or a folder of answers files (.vornik-answers, as the self-check saves them). Each student is
// one set of answers with the variant it answers; a bad row or file is skipped with one Russian
// message naming the file, row and column, and the rest is still read.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/Marking.h"
#include "classset/Variant.h"
#include "classset/VariantTable.h"
#include "fileio/Failure.h"

namespace vornik {

// The most characters of a student's name (as a variant's name).
inline constexpr int kMaxStudentChars = 64;

struct StudentAnswers {
    std::string student;
    std::string variant;               // the table's cell; empty for a file (found by its task)
    std::optional<TaskValues> task;    // an answers file's own task
    std::string source;                // "answers.csv, строка 5" or the file's name
    std::vector<AnswerEntry> answers;  // the non-empty answers, in the order given
    std::vector<std::string> places;   // where each answer stands: "строка 5, столбец 4 (Ia)"
};

// Something left out, with where and why: one line for the summary.
struct Skipped {
    std::string text;
};

struct GroupAnswers {
    std::vector<StudentAnswers> students;
    std::vector<Skipped> skipped;
};

// The answers read, or why nothing could be: the whole input is refused (the message names it).
using GroupAnswersResult = Outcome<GroupAnswers>;

// The table's bytes; `fileName` names it in the messages. Wide form: student, variant, then a
// column per key quantity named by its field name or label, optionally after the mode
// ("short-A Ia", "short-A:IaMod"; without one, the normal mode). Long form: student, variant,
// mode, quantity, answer (in a comma-separated table the cells after the fourth are the answer,
// so "20,8∠1,6" keeps its commas).
GroupAnswersResult ReadGroupTable(std::string_view bytes, const std::string& fileName);

// A folder of answers files: every *.vornik-answers in it (not below), by name; a file that is
// refused is skipped with its reason. The student is the file's name for it, else the file's stem.
GroupAnswersResult ReadAnswersFolder(const std::string& folder);

// The table at `path` or the folder at `path`, whichever it is.
GroupAnswersResult ReadGroupAnswers(const std::string& path);

}  // namespace vornik
