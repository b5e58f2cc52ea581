#pragma once
// The answers file of the self-check (.vornik-answers): a student's answers with the task they
// answer, kept as UTF-8 JSON that vornik-cli, the desktop program and the web page read and write:
//
//   {"format": "vornik-answers", "version": 1, "task": {…the task file's JSON…},
//    "student": "…", "group": "…", "answers": {"normal": {"IaMod": "20,8", …}, …},
//    "revealed": {"sections": [{"mode": "normal", "section": "5"}], "solution": false},
//    "saved": "2026-12-07T22:00:00Z"}
//
// Unknown members are ignored; a bad file gets one Russian reason.

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/Marking.h"
#include "task/TaskFile.h"

namespace vornik {

inline constexpr const char* kAnswersFormat = "vornik-answers";
inline constexpr int kAnswersVersion = 1;
inline constexpr const char* kAnswersExtension = ".vornik-answers";
inline constexpr std::size_t kAnswersMaxBytes = 1024 * 1024;

struct RevealedSection {
    std::string mode;
    std::string section;
};

struct AnswersFile {
    TaskFile task;
    std::string student;
    std::string group;
    std::vector<AnswerEntry> answers;  // in the file's order
    std::vector<RevealedSection> revealed;
    bool solutionRevealed = false;
    std::string saved;  // UTC, "2026-12-07T22:00:00Z"
};

struct AnswersReadResult {
    std::optional<AnswersFile> file;
    std::string error;  // why it was refused (Russian, without the file's name)
};

// The task inside is read with `limits`, as a task file would be.
AnswersReadResult ReadAnswers(std::string_view bytes, FieldLimits limits = FieldLimits::None);
// Indented JSON ending in a newline.
std::string WriteAnswers(const AnswersFile& file);

// Reads the file at `path`; a file that cannot be read is refused with the system's reason.
AnswersReadResult LoadAnswers(const std::string& path, FieldLimits limits = FieldLimits::None);
// Writes with the safe file replacement; throws FileWriteError.
void SaveAnswers(const std::string& path, const AnswersFile& file);

// The time `when` as the file's "saved" member writes it: UTC, "2026-12-07T22:00:00Z".
std::string SavedTimeText(std::time_t when);

// "Не удалось открыть ответы \"name\": reason."
std::string AnswersErrorMessage(const std::string& fileName, const std::string& error);

// The answers of a CSV table "mode,quantity,answer" (UTF-8, a byte order mark and CRLF allowed;
// semicolons instead of commas when the first row has one before any comma; a header row with
// those names is skipped; everything after the second separator is the answer, so
// "normal,Ia,20,8∠1,6" keeps its commas). A row with fewer than three cells refuses the table:
// the reason names its row.
struct AnswersTableResult {
    std::optional<std::vector<AnswerEntry>> answers;
    std::string error;
};
AnswersTableResult ReadAnswersTable(std::string_view text);

}  // namespace vornik
