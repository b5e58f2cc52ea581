#include "fileio/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "fileio/PathWalk.h"
#include "fileio/SaveCleanup.h"
#include "fileio/SystemErrorText.h"

namespace vornik {

using fileio::Fd;
using fileio::RemovedOnSignal;
using fileio::SignalsHeld;
using fileio::WriteTarget;

namespace {

constexpr int kTempAttempts = 100;
// The temporary name is ".<start of the target's name>.<kRandomLength letters>".
constexpr std::size_t kRandomLength = 8;
constexpr std::size_t kTempExtraLength = 2 + kRandomLength;

// A device or a pipe has no contents to keep: it gets the bytes directly. Opening never waits:
// a pipe nobody reads fails at once (ENXIO) instead of blocking the program for good; once open,
// the writes wait for the reader as usual. What is opened must be what was checked (EAGAIN when
// the name changed meanwhile).
void WriteInPlace(const std::string& path, const WriteTarget& t, std::string_view bytes) {
    const int follow = t.throughKernel ? 0 : O_NOFOLLOW;
    Fd fd(::openat(t.folder.Get(), t.name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | follow));
    if (!fd.Valid()) {
        throw FileWriteError(path, errno);
    }
    struct stat opened {};
    if (::fstat(fd.Get(), &opened) != 0) {
        throw FileWriteError(path, errno);
    }
    if (opened.st_dev != t.st.st_dev || opened.st_ino != t.st.st_ino) {
        throw FileWriteError(path, EAGAIN);
    }
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    int error = flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ? errno : 0;
    if (error == 0) {
        error = fileio::WriteAll(fd.Get(), bytes);
    }
    if (::close(fd.Release()) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        throw FileWriteError(path, error);
    }
}

// A new hidden file beside the target, created exclusively so that no existing file is touched.
// Its name never passes the folder's name limit, however long the target's name is. The file is
// removed by an ending signal from its creation on.
int CreateTempBeside(const WriteTarget& t, int mode, std::string& tempName) {
    const std::string stem = fileio::CutName(t.name, fileio::NameMax(t.folder.Get()) - kTempExtraLength);
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        tempName = "." + stem + "." + fileio::RandomLetters(kRandomLength);
        const SignalsHeld held;
        const int fd = ::openat(t.folder.Get(), tempName.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            RemovedOnSignal::ArmFile(t.folder.Get(), tempName);
        }
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Checks an existing regular file by opening it for writing, as writing into it would (a file
// its owner made read-only is refused even where the folder would allow a rename); returns what
// was opened, which must be what was checked.
struct stat CheckWritable(const std::string& path, const WriteTarget& t) {
    const Fd fd(
        ::openat(t.folder.Get(), t.name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (!fd.Valid() || ::fstat(fd.Get(), &opened) != 0) {
        throw FileWriteError(path, errno);
    }
    if (opened.st_dev != t.st.st_dev || opened.st_ino != t.st.st_ino) {
        throw FileWriteError(path, EAGAIN);
    }
    return opened;
}

}  // namespace

namespace fileio {

std::size_t NameMax(int folder) {
    // A limit too short for any hidden name is not believed.
    constexpr long kShortest = 64;
    const long limit = ::fpathconf(folder, _PC_NAME_MAX);
    return limit >= kShortest ? static_cast<std::size_t>(limit) : kDefaultNameMax;
}

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

std::string RandomLetters(std::size_t count) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937_64 generator{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string letters;
    for (std::size_t k = 0; k < count; ++k) {
        letters += kLetters[pick(generator)];
    }
    return letters;
}

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

}  // namespace fileio

FileWriteError::FileWriteError(const std::string& path, int code)
    : std::runtime_error(path + ": " + SystemErrorText(code)), path_(path), code_(code) {}

void ReplaceFile(const std::string& path, std::string_view bytes) {
    if (path.ends_with('/')) {
        throw FileWriteError(path, EISDIR);
    }
    const WriteTarget t = fileio::ResolveTarget(path, path, true);
    struct stat folder {};
    if (::fstat(t.folder.Get(), &folder) != 0) {
        throw FileWriteError(path, errno);
    }
    struct stat old = t.st;
    if (t.exists && S_ISDIR(old.st_mode)) {
        throw FileWriteError(path, EISDIR);
    }
    if (t.exists && fileio::ForeignInSharedFolder(folder, old.st_uid)) {
        throw FileWriteError(path, EACCES);
    }
    if (t.exists && !S_ISREG(old.st_mode)) {
        WriteInPlace(path, t, bytes);
        return;
    }
    if (t.exists) {
        old = CheckWritable(path, t);
    }
    // The user's own file is replaced by one with its mode (and group); a new file, or one that
    // belongs to someone else, gets the usual 0666 less the umask, never wider than the old one.
    const bool own = t.exists && old.st_uid == ::geteuid();
    const RemovedOnSignal cleanup;
    std::string tempName;
    const int fd = CreateTempBeside(t, own ? 0600 : 0666, tempName);
    if (fd < 0) {
        throw FileWriteError(path, errno);
    }
    int error = 0;
    if (own) {
        if (old.st_gid != ::getegid()) {
            // A group the user is not in stays the user's own.
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            error = errno;
        }
    } else if (t.exists) {
        struct stat created {};
        if (::fstat(fd, &created) != 0 || ::fchmod(fd, created.st_mode & old.st_mode & 0666) != 0) {
            error = errno;
        }
    }
    if (error == 0) {
        error = fileio::WriteAll(fd, bytes);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0) {
        const SignalsHeld held;
        if (::renameat(t.folder.Get(), tempName.c_str(), t.folder.Get(), t.name.c_str()) == 0) {
            RemovedOnSignal::Disarm();
        } else {
            error = errno;
        }
    }
    if (error != 0) {
        const SignalsHeld held;
        ::unlinkat(t.folder.Get(), tempName.c_str(), 0);
        RemovedOnSignal::Disarm();
        throw FileWriteError(path, error);
    }
    fileio::SyncFolder(t.folder.Get());
}

}  // namespace vornik
