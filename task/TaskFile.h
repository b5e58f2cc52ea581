#pragma once
// A task: the parameter form's texts, ticks and connection and the precision form's choices,
// with a title and a teacher's note, kept as a UTF-8 JSON file (extension .vornik, media type
// application/x-vornik-task) that the desktop program, vornik-cli and the web page all read and
// write:
//
//   {"format": "vornik-task", "version": 1, "title": "...", "note": "...",
//    "connection": "star" | "delta", "fields": {"ComboBox1": "380", ...},
//    "ticks": {"CheckBox1": false, ...}, "decimals": {"U.mag": 0, ...}}
//
// Every member is optional (a missing one keeps the form's initial value) and unknown members
// are ignored, so files written by later versions still open.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "fileio/Failure.h"
#include "solver/Parameters.h"

namespace vornik {

inline constexpr const char* kTaskFormat = "vornik-task";
inline constexpr int kTaskVersion = 1;
// Larger files are refused before they are parsed.
inline constexpr std::size_t kTaskMaxBytes = 1024 * 1024;
inline constexpr const char* kTaskExtension = ".vornik";
inline constexpr const char* kTaskMediaType = "application/x-vornik-task";

struct TaskFile {
    std::string title;
    std::string note;
    CircuitInput input;         // connection, the sixteen texts, the seven ticks
    PrecisionValues precision;  // the twenty precision texts ("0".."5" as the form shows them)
};

// Whether the fields' length limits of the form apply: the desktop form and the web page refuse
// a text longer than the program itself puts into the field (FieldSpec::readLength, the input
// assistant's longest text); the command line takes any text.
enum class FieldLimits { Form, None };

struct TaskRead {
    TaskFile task;
    bool newer = false;  // written by a later version: its new parts are ignored
};

// A task read, or why the file was refused (Russian, without the file's name).
using TaskReadResult = Outcome<TaskRead>;

// Reads a task from the file's bytes.
TaskReadResult ReadTask(std::string_view bytes, FieldLimits limits);

// The task as the file's bytes (indented JSON, members in the order above, ending in a newline).
// Texts that are not UTF-8 have their bad bytes replaced by U+FFFD.
std::string WriteTask(const TaskFile& task);

// The task of a run's inputs.
TaskFile TakeTask(const CircuitInput& input, const PrecisionTexts& precision);

// The message shown for a refused file: names the file and what is wrong with it.
std::string TaskErrorMessage(const std::string& fileName, const std::string& error);
// The warning shown when a file of a later version is opened.
std::string TaskNewerMessage(const std::string& fileName);

// Reads the file at `path` (refusing one over kTaskMaxBytes without reading it whole); a file
// that cannot be read is refused with the system's reason.
TaskReadResult LoadTask(const std::string& path, FieldLimits limits);

// Writes the task to `path` with the safe file replacement; throws FileWriteError.
void SaveTask(const std::string& path, const TaskFile& task);

}  // namespace vornik
