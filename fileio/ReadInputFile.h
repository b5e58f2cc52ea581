#pragma once
// Reading a file the user names as input (a task, a variant table, a student's answers).

#include <cstddef>
#include <string>

#include "fileio/Failure.h"

namespace vornik {

// The bytes of the regular file at `path`, at most `limit` + 1 of them, so that a larger file
// shows. Opening never waits (a pipe without writer, a terminal), and only a regular file is
// read. A file that cannot be read fails in the words of the windows and vornik-cli:
// "файл не читается (это не обычный файл)" for a pipe, a device or a folder, or
// "файл не читается (<system's reason>)".
Outcome<std::string> ReadInputFile(const std::string& path, std::size_t limit);

}  // namespace vornik
