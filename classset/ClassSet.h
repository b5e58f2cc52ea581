#pragma once
// A whole class set in one step: the variants (from a table or drawn at random), each run
// through the calculation, and the folder of the set: variants.csv, key.csv, moodle.xml,
// gift.txt and summary.txt. The folder is written beside its final place and renamed into it
// at the end, so a failure leaves nothing half-written.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "classset/AnswerKey.h"
#include "classset/QuizExport.h"
#include "classset/RandomVariants.h"
#include "classset/Variant.h"
#include "fileio/Failure.h"
#include "fileio/FolderWork.h"

namespace vornik {

// The PDFs of a set. The PDF writer is Qt's, so the front end that has it passes it in; each
// call returns the bytes of one file and throws std::runtime_error when it cannot make it.
class ClassSetPdfWriter {
  public:
    virtual ~ClassSetPdfWriter() = default;
    // The student's sheet: the lines of TaskSheetLines, the first the heading.
    virtual std::string TaskSheet(const std::vector<std::string>& lines) const = 0;
    // The worked solution of a completed run with the diagrams of every computed mode, under the
    // title block of `task` headed `heading`.
    virtual std::string Solution(const TaskValues& task, const std::string& heading,
                                 const VariantRun& run) const = 0;
    // The key table: the title block lines, then the pages, each a list of lines.
    virtual std::string Key(const std::vector<std::string>& titleBlock,
                            const std::vector<std::vector<std::string>>& pages) const = 0;
};

struct ClassSetRequest {
    std::string outDir;
    TaskValues base;
    std::optional<std::string> tablePath;  // the variant table, or else random variants:
    int count = 0;
    std::uint64_t seed = 0;
    std::vector<VaryRange> ranges;
    std::vector<std::string> rangeTexts;        // as given, for the summary
    std::optional<std::vector<int>> keyFields;  // the record fields of the key; default quantities when empty
    double tolerancePercent = 1.0;
    double angleToleranceDegrees = 1.0;
    bool quizDecimalComma = true;  // the separator the quiz tells the student to type
    std::string command;           // the command that made the set, for the summary
    // The maker of NN-task.pdf, NN-solution.pdf and key.pdf; none: the set has no PDFs.
    const ClassSetPdfWriter* pdfs = nullptr;
    std::string pdfsMissing;  // why there are no PDFs, for the summary
    std::string date;         // the date of the PDFs' title blocks
};

// A set made: "<folder>: 30 вариантов, 540 строк ключа", and its counts.
struct ClassSetMade {
    std::string message;
    int variants = 0;
    int keyRows = 0;
};

// Why there is no set: one line, or "прервано" when the progress callback stopped the work.
using ClassSetFailure = FolderWorkFailure;

using ClassSetOutcome = Outcome<ClassSetMade, ClassSetFailure>;

// Called as the work goes on with the steps done and the steps there are: each variant computed,
// each PDF made, each file written into the folder beside the set's place, and the last step once
// the folder is renamed into place (only then is `done` equal to `total`). Returning false cancels
// the work: the folder beside the set's place is removed and nothing is left. The last call's
// answer comes too late to matter. It may be called from the thread that runs MakeClassSet only.
using ClassSetProgress = WorkProgress;

ClassSetOutcome MakeClassSet(const ClassSetRequest& request, const ClassSetProgress& progress = {});

// The key table of key.pdf: pages of lines, a heading line per variant and a line per computed
// mode ("normal: Ia = 1,5 A; φa = -30°; …"). A variant is never split between pages; a page
// holds as many whole variants as fit `linesPerPage` (a line counted per `charsPerLine`).
std::vector<std::vector<std::string>> KeyPages(const std::vector<SetEntry>& entries, int linesPerPage = 46,
                                               int charsPerLine = 95);

// The set's key as CSV: variant,mode,quantity,label,unit,shown,value; `value` in `unit`
// (degrees for an angle) with 17 significant digits.
std::string KeyCsv(const std::vector<SetEntry>& entries);

}  // namespace vornik
