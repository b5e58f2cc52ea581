#include "fileio/WriteFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/PathWalk.h"
#include "fileio/ReplaceFile.h"
#include "fileio/SaveCleanup.h"

namespace vornik {

using fileio::Fd;
using fileio::RemovedOnSignal;
using fileio::SignalsHeld;

namespace {

constexpr int kStagingAttempts = 100;
// The staging name is ".<start of the folder's name>.tmp-<kRandomLength letters>".
constexpr std::size_t kRandomLength = 6;
constexpr std::size_t kStagingExtraLength = 6 + kRandomLength;

// Whether the folder holds anything besides "." and "..".
bool IsEmpty(int folder, const std::string& name, int& error) {
    const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (dir == nullptr) {
        error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    bool empty = true;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string n = entry->d_name;
        empty = empty && (n == "." || n == "..");
    }
    ::closedir(dir);
    error = empty ? 0 : ENOTEMPTY;
    return empty;
}

// The mode the folder ends with: an empty folder's own, or that of a new folder under the umask.
mode_t FolderMode(const fileio::WriteTarget& t) {
    if (t.exists) {
        return t.st.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0777 & ~mask;
}

int WriteFileAt(int folder, const std::string& name, const std::string& bytes, mode_t mode) {
    const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0) {
        return errno;
    }
    int error = fileio::WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

}  // namespace

void WriteFolder(const std::string& path, const FolderFiles& files, const std::function<bool()>& written) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.ends_with('/')) {
        trimmed.pop_back();
    }
    const fileio::WriteTarget t = fileio::ResolveTarget(trimmed, path, false);
    struct stat parent {};
    if (::fstat(t.folder.Get(), &parent) != 0) {
        throw FileWriteError(path, errno);
    }
    if (t.exists) {
        if (!S_ISDIR(t.st.st_mode)) {
            throw FileWriteError(path, ENOTDIR);
        }
        if (fileio::ForeignInSharedFolder(parent, t.st.st_uid)) {
            throw FileWriteError(path, EACCES);
        }
        if (int error = 0; !IsEmpty(t.folder.Get(), t.name, error)) {
            throw FileWriteError(path, error);
        }
    }
    const std::size_t nameMax = fileio::NameMax(t.folder.Get());
    if (t.name.size() > nameMax) {
        throw FileWriteError(path, ENAMETOOLONG);
    }
    const mode_t mode = FolderMode(t);
    const RemovedOnSignal cleanup;
    std::string staging;
    int error = EEXIST;
    for (int attempt = 0; attempt < kStagingAttempts && error == EEXIST; ++attempt) {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a literal prepended.
        staging.assign(1, '.');
        staging += fileio::CutName(t.name, nameMax - kStagingExtraLength);
        staging += ".tmp-";
        staging += fileio::RandomLetters(kRandomLength);
        const SignalsHeld held;
        error = ::mkdirat(t.folder.Get(), staging.c_str(), 0700) == 0 ? 0 : errno;
        if (error == 0) {
            RemovedOnSignal::ArmFolder(t.folder.Get(), staging);
        }
    }
    if (error != 0) {
        throw FileWriteError(path, error);
    }
    Fd dir(::openat(t.folder.Get(), staging.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    error = dir.Valid() ? 0 : errno;
    if (error == 0 && t.exists) {
        // The given folder's group and setgid bit hold while the files are made, so that they get
        // the group they would get inside it.
        [[maybe_unused]] const int ignored = ::fchown(dir.Get(), static_cast<uid_t>(-1), t.st.st_gid);
        if (::fchmod(dir.Get(), 0700 | (mode & S_ISGID)) != 0) {
            error = errno;
        }
    }
    for (std::size_t k = 0; k < files.size() && error == 0; ++k) {
        error = WriteFileAt(dir.Get(), files[k].first, files[k].second, 0666 & mode);
        if (error == 0 && written && !written()) {
            error = ECANCELED;
        }
    }
    if (error == 0 && ::fchmod(dir.Get(), mode) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(dir.Get()) != 0) {
        error = errno;
    }
    dir.Reset(-1);
    if (error == 0) {
        const SignalsHeld held;
        if (::renameat(t.folder.Get(), staging.c_str(), t.folder.Get(), t.name.c_str()) == 0) {
            RemovedOnSignal::Disarm();
        } else {
            error = errno;
        }
    }
    if (error != 0) {
        const SignalsHeld held;
        fileio::RemoveFolderAt(t.folder.Get(), staging.c_str());
        RemovedOnSignal::Disarm();
        throw FileWriteError(path, error);
    }
    fileio::SyncFolder(t.folder.Get());
}

}  // namespace vornik
