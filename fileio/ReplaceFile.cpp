#include "fileio/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>

namespace vornik {

namespace {

// Symbolic links followed before giving up, as the kernel does.
constexpr int kMaxLinks = 40;
constexpr int kTempAttempts = 100;
// The temporary name is ".<start of the target's name>.<kRandomLength letters>".
constexpr std::size_t kRandomLength = 8;
constexpr std::size_t kTempExtraLength = 2 + kRandomLength;
constexpr long kDefaultNameMax = 255;

// The folder part of a path with its final slash ("" for a bare name).
std::string FolderPrefix(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FolderOf(const std::string& path) {
    const std::string prefix = FolderPrefix(path);
    return prefix.empty() ? std::string(".") : prefix;
}

std::string NameOf(const std::string& path) {
    return path.substr(FolderPrefix(path).size());
}

// The file a chain of symbolic links ends at; the path itself when it is no link. A link to a
// file that does not exist yet ends at that file, which is then created.
std::string FinalTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current;
        }
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (n < 0) {
            throw FileWriteError(path, errno);
        }
        if (static_cast<std::size_t>(n) == sizeof buffer) {
            throw FileWriteError(path, ENAMETOOLONG);
        }
        const std::string link(buffer, static_cast<std::size_t>(n));
        current = link.starts_with('/') ? link : FolderPrefix(current) + link;
    }
    throw FileWriteError(path, ELOOP);
}

// At most `limit` bytes of `name`, not cutting a UTF-8 character in two.
std::string CutName(const std::string& name, std::size_t limit) {
    if (name.size() <= limit) {
        return name;
    }
    std::size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) {
        --n;
    }
    return name.substr(0, n);
}

std::string RandomLetters() {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937_64 generator{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string letters;
    for (std::size_t k = 0; k < kRandomLength; ++k) {
        letters += kLetters[pick(generator)];
    }
    return letters;
}

// A new hidden file beside `target`, created exclusively so that no existing file is touched.
// Its name never passes the folder's name limit, however long the target's name is.
int CreateTempBeside(const std::string& target, int mode, std::string& tempPath) {
    long nameMax = ::pathconf(FolderOf(target).c_str(), _PC_NAME_MAX);
    if (nameMax <= static_cast<long>(kTempExtraLength)) {
        nameMax = kDefaultNameMax;
    }
    const std::string stem = CutName(NameOf(target), static_cast<std::size_t>(nameMax) - kTempExtraLength);
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        tempPath = FolderPrefix(target) + "." + stem + "." + RandomLetters();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Returns 0 or the errno of the failed write.
int WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            return EIO;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// A device or a pipe has no contents to keep: it gets the bytes directly.
void WriteInPlace(const std::string& path, const std::string& target, std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        throw FileWriteError(path, errno);
    }
    int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        throw FileWriteError(path, error);
    }
}

// Makes the rename itself survive a power cut; the file is already in place if this fails.
void SyncFolder(const std::string& target) {
    const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

FileWriteError::FileWriteError(const std::string& path, int code)
    : std::runtime_error(path + ": " + std::strerror(code)), path_(path), code_(code) {}

void ReplaceFile(const std::string& path, std::string_view bytes) {
    const std::string target = FinalTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        throw FileWriteError(path, EISDIR);
    }
    if (exists && !S_ISREG(old.st_mode)) {
        WriteInPlace(path, target, bytes);
        return;
    }
    // A file its owner made read-only stays as it is, even where the folder would allow a rename.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        throw FileWriteError(path, errno);
    }
    // A new file gets the usual 0666 less the umask; a replacement starts private and takes the
    // old file's bits before any byte is written.
    std::string tempPath;
    const int fd = CreateTempBeside(target, exists ? 0600 : 0666, tempPath);
    if (fd < 0) {
        throw FileWriteError(path, errno);
    }
    int error = 0;
    if (exists) {
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            // Giving the file back to its owner needs root; otherwise it belongs to whoever saved it.
            [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            error = errno;
        }
    }
    if (error == 0) {
        error = WriteAll(fd, bytes);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(tempPath.c_str());
        throw FileWriteError(path, error);
    }
    SyncFolder(target);
}

}  // namespace vornik
