#pragma once
// The answer sheet of a task for the self-check: for every mode the run computes, the key
// quantities a student is asked for, each with its label and unit as the worked solution writes
// them, its key value and tolerance, and the number of the section of that mode's worked solution
// where it is computed (as printed there: numbers repeat and skip).

#include <optional>
#include <string>
#include <vector>

#include "classset/AnswerKey.h"
#include "classset/QuizExport.h"
#include "classset/Variant.h"

namespace vornik {

// One quantity to answer.
struct SheetQuantity {
    KeyRow key;            // field, label, unit, angle flag, key value (`key.answer`, in `unit`), shown text
    std::string quantity;  // the field's name as the class-set key writes it: "IaMod", "PTotal"
    bool nonNegative = false;  // a modulus (or P of a load without negative resistances)
    double tolerance = 0;      // the accepted deviation from the key, in `unit`
    std::string section;       // "5": the section of the mode's worked solution that computes it
};

// One computed mode.
struct SheetMode {
    ComputedMode mode;                      // name ("normal", "short-A", …), slot, caption
    std::vector<SheetQuantity> quantities;  // in the order of the worked solution's key
    std::vector<std::string> lines;         // the mode's part of the worked solution
};

struct SheetOptions {
    std::optional<std::vector<int>> fields;  // the record fields asked in every mode; default: the key's
    QuizOptions tolerance;                   // percent and angle degrees, as a class set's quiz
};

struct AnswerSheet {
    bool completed = false;
    std::string message;  // why the run stopped, when it did not complete
    TaskValues task;
    bool neutral = false;  // the star has its neutral wire
    QuizOptions tolerance;  // as the sheet was made with
    CalcState state;       // the run's mode slots
    std::vector<std::string> report;
    std::vector<SheetMode> modes;  // in run order

    const SheetMode* Mode(const std::string& name) const;
};

// Runs the task as the execute command does and builds its sheet.
AnswerSheet MakeAnswerSheet(const TaskValues& task, const SheetOptions& options = {});

// The lines of the worked solution of `mode` printed under section `section` ("5"), every
// section of that number when it repeats; empty for an unknown mode or section.
std::vector<std::string> SectionLines(const AnswerSheet& sheet, const std::string& mode,
                                      const std::string& section);

}  // namespace vornik
