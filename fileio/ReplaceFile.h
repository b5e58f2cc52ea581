#pragma once
// Replacing a file with new contents so that it is either complete or untouched: the one way
// every file of the program (report, pictures) is written.

#include <stdexcept>
#include <string>
#include <string_view>

namespace vornik {

// A file that could not be written: its name and the system's error number. what() is
// "<path>: <system text>" in the C library's language.
class FileWriteError : public std::runtime_error {
  public:
    FileWriteError(const std::string& path, int code);
    const std::string& Path() const { return path_; }
    int Code() const { return code_; }

  private:
    std::string path_;
    int code_;
};

// Writes `bytes` to a new file in the target's folder, checks every write, flushes it to the
// disk and renames it over `path`. The new file keeps the permission bits (and, where allowed,
// the owner) of the file it replaces; a symbolic link stays a link and the file it points to is
// replaced, except a link that another user planted in a sticky folder everyone may write to
// (such as /tmp), which is refused as the kernel refuses to follow it (EACCES). A file without
// write permission is refused, as writing into it would be. A target that is not a regular file
// (a device, a pipe) is written in place; a pipe without a reader fails at once (ENXIO).
// On failure throws FileWriteError; the old file is then as it was and no temporary file is left.
// SIGINT, SIGTERM or SIGHUP during the save (where they would end the program anyway) remove the
// temporary file before the program ends by the signal.
void ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace vornik
