#pragma once
// Writing a new folder of files so that it appears complete or not at all.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vornik {

// The files of a folder: names (no slash) and contents.
using FolderFiles = std::vector<std::pair<std::string, std::string>>;

// Writes `files` into a hidden staging folder beside `path`, flushes everything to the disk and
// renames the staging folder into place; the folder above is then flushed too. `path` must not
// exist or be an empty folder: an empty folder keeps its mode, group and setgid bit, a new one
// gets 0777 less the umask, and no file inside is open wider than its folder. Links on the way are
// followed by the rules of ReplaceFile; `path` itself must not be a link (ENOTDIR), nor an empty
// folder of another user in a sticky folder everyone may write to (EACCES). On failure throws
// FileWriteError naming `path` and nothing is left; SIGINT, SIGTERM or SIGHUP during the writing
// (where they would end the program anyway) remove the staging folder first. `written`, when
// given, is called after each file: false stops the writing, nothing is left, and FileWriteError
// with ECANCELED is thrown.
void WriteFolder(const std::string& path, const FolderFiles& files,
                 const std::function<bool()>& written = {});

}  // namespace vornik
