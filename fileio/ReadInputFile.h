#pragma once
// Reading a file the user names as input (a task, a variant table).

#include <cstddef>
#include <string>

namespace vornik {

struct InputFile {
    std::string bytes;        // at most the limit plus one byte, so that a larger file shows
    int error = 0;            // the system's error number of a file that cannot be read
    bool notRegular = false;  // a pipe, a device or a folder: refused without reading
};

// Reads the regular file at `path`, at most `limit` + 1 bytes. Opening never waits (a pipe without
// writer, a terminal), and only a regular file is read.
InputFile ReadInputFile(const std::string& path, std::size_t limit);

// Why the file cannot be read, in the words of the windows and vornik-cli:
// "файл не читается (это не обычный файл)" or "файл не читается (<system's reason>)".
std::string InputFileProblem(const InputFile& file);

}  // namespace vornik
