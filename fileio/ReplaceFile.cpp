#include "fileio/ReplaceFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
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

// Whether the kernel would follow the link `linkPath` (owned by `linkOwner`) for this user: in a
// sticky folder that everyone may write to (/tmp) only a link of the user's own or of the
// folder's owner is followed, so that nobody can plant a link there that makes another user's
// save land in a file of the planter's choosing. We follow links ourselves, so the kernel cannot
// apply that rule for us.
bool MayFollowLink(const std::string& linkPath, uid_t linkOwner) {
    struct stat folder {};
    if (::stat(FolderOf(linkPath).c_str(), &folder) != 0) {
        return false;
    }
    const bool stickyAndOpen = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !stickyAndOpen || linkOwner == ::geteuid() || linkOwner == folder.st_uid;
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
        if (!MayFollowLink(current, st.st_uid)) {
            throw FileWriteError(path, EACCES);
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

// The temporary file of the save under way, for the signal handler below: a fixed buffer, as
// a handler may neither allocate nor lock.
char gTempPath[PATH_MAX];
volatile std::sig_atomic_t gTempArmed = 0;
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Ctrl-C, a closed terminal or a shutdown during a save: the half-written temporary file goes,
// the old file is untouched, and the program ends as the signal asks.
extern "C" void RemoveTempAndEnd(int signal) {
    if (gTempArmed != 0) {
        ::unlink(gTempPath);
    }
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigemptyset(&byDefault.sa_mask);
    ::sigaction(signal, &byDefault, nullptr);
    sigset_t only;
    ::sigemptyset(&only);
    ::sigaddset(&only, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);
}

// Holds the three ending signals back while the temporary file's name is set or cleared, so
// the handler never sees half a name nor removes a file that is not ours.
class SignalsHeld {
  public:
    SignalsHeld() {
        sigset_t ending;
        ::sigemptyset(&ending);
        for (const int signal : kEndingSignals) {
            ::sigaddset(&ending, signal);
        }
        ::pthread_sigmask(SIG_BLOCK, &ending, &before_);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t before_{};
};

// Installs the handler for the time of one save where a signal would end the program anyway
// (its default action); a signal the program ignores or handles itself is left as it is.
class TempRemovedOnSignal {
  public:
    TempRemovedOnSignal() {
        for (std::size_t k = 0; k < std::size(kEndingSignals); ++k) {
            struct sigaction current {};
            if (::sigaction(kEndingSignals[k], nullptr, &current) != 0 ||
                (current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) {
                continue;
            }
            struct sigaction ours {};
            ours.sa_handler = RemoveTempAndEnd;
            ::sigemptyset(&ours.sa_mask);
            for (const int signal : kEndingSignals) {
                ::sigaddset(&ours.sa_mask, signal);
            }
            installed_[k] = ::sigaction(kEndingSignals[k], &ours, &previous_[k]) == 0;
        }
    }
    ~TempRemovedOnSignal() {
        Disarm();
        for (std::size_t k = 0; k < std::size(kEndingSignals); ++k) {
            if (installed_[k]) {
                ::sigaction(kEndingSignals[k], &previous_[k], nullptr);
            }
        }
    }
    TempRemovedOnSignal(const TempRemovedOnSignal&) = delete;
    TempRemovedOnSignal& operator=(const TempRemovedOnSignal&) = delete;

    // The signals must be held (SignalsHeld) around both.
    static void Arm(const std::string& tempPath) {
        if (tempPath.size() < sizeof gTempPath) {
            std::memcpy(gTempPath, tempPath.c_str(), tempPath.size() + 1);
            gTempArmed = 1;
        }
    }
    static void Disarm() { gTempArmed = 0; }

  private:
    struct sigaction previous_[std::size(kEndingSignals)]{};
    bool installed_[std::size(kEndingSignals)] = {};
};

// A new hidden file beside `target`, created exclusively so that no existing file is touched.
// Its name never passes the folder's name limit, however long the target's name is. The file is
// removed by an ending signal from its creation on.
int CreateTempBeside(const std::string& target, int mode, std::string& tempPath) {
    long nameMax = ::pathconf(FolderOf(target).c_str(), _PC_NAME_MAX);
    if (nameMax <= static_cast<long>(kTempExtraLength)) {
        nameMax = kDefaultNameMax;
    }
    const std::string stem = CutName(NameOf(target), static_cast<std::size_t>(nameMax) - kTempExtraLength);
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        tempPath = FolderPrefix(target) + "." + stem + "." + RandomLetters();
        const SignalsHeld held;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            TempRemovedOnSignal::Arm(tempPath);
        }
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

// A device or a pipe has no contents to keep: it gets the bytes directly. Opening never waits:
// a pipe nobody reads fails at once (ENXIO) instead of blocking the program for good; once open,
// the writes wait for the reader as usual.
void WriteInPlace(const std::string& path, const std::string& target, std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        throw FileWriteError(path, errno);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    int error = flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ? errno : 0;
    if (error == 0) {
        error = WriteAll(fd, bytes);
    }
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
    const TempRemovedOnSignal cleanup;
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
    if (error == 0) {
        const SignalsHeld held;
        if (::rename(tempPath.c_str(), target.c_str()) == 0) {
            TempRemovedOnSignal::Disarm();
        } else {
            error = errno;
        }
    }
    if (error != 0) {
        const SignalsHeld held;
        ::unlink(tempPath.c_str());
        TempRemovedOnSignal::Disarm();
        throw FileWriteError(path, error);
    }
    SyncFolder(target);
}

}  // namespace vornik
