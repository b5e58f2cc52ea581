#include "fileio/PathWalk.h"

#include <fcntl.h>
#include <sys/vfs.h>

#include <cerrno>
#include <climits>
#include <deque>

#include "fileio/ReplaceFile.h"

// The proc file system's magic number; the web build's C library has no <linux/magic.h>.
#if __has_include(<linux/magic.h>)
#include <linux/magic.h>
#endif

namespace vornik::fileio {

namespace {

#ifdef PROC_SUPER_MAGIC
constexpr long kProcMagic = PROC_SUPER_MAGIC;
#else
constexpr long kProcMagic = 0x9fa0;
#endif

// Symbolic links followed before giving up, as the kernel does.
constexpr int kMaxLinks = 40;

std::deque<std::string> Components(const std::string& path) {
    std::deque<std::string> parts;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

int OpenRootOrCurrent(const std::string& path) {
    return ::open(path.starts_with('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
}

bool OnProc(int folder) {
    struct statfs fs {};
    return ::fstatfs(folder, &fs) == 0 && fs.f_type == kProcMagic;
}

}  // namespace

bool ForeignInSharedFolder(const struct stat& folder, uid_t owner) {
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return shared && owner != ::geteuid() && owner != folder.st_uid;
}

WriteTarget ResolveTarget(const std::string& path, const std::string& shown, bool followLast) {
    if (path.empty()) {
        throw FileWriteError(shown, ENOENT);
    }
    std::deque<std::string> rest = Components(path);
    WriteTarget t;
    t.folder.Reset(OpenRootOrCurrent(path));
    if (!t.folder.Valid()) {
        throw FileWriteError(shown, errno);
    }
    int links = 0;
    while (!rest.empty()) {
        const std::string part = std::move(rest.front());
        rest.pop_front();
        const bool last = rest.empty();
        if (part == "." || part == "..") {
            if (last) {
                throw FileWriteError(shown, EISDIR);
            }
            if (part == "..") {
                t.folder.Reset(::openat(t.folder.Get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
                if (!t.folder.Valid()) {
                    throw FileWriteError(shown, errno);
                }
            }
            continue;
        }
        Fd item(::openat(t.folder.Get(), part.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!item.Valid()) {
            if (errno == ENOENT && last) {
                t.name = part;
                return t;
            }
            throw FileWriteError(shown, errno);
        }
        struct stat st {};
        if (::fstat(item.Get(), &st) != 0) {
            throw FileWriteError(shown, errno);
        }
        if (S_ISLNK(st.st_mode) && (!last || followLast)) {
            struct stat folder {};
            if (::fstat(t.folder.Get(), &folder) != 0) {
                throw FileWriteError(shown, errno);
            }
            if (ForeignInSharedFolder(folder, st.st_uid)) {
                throw FileWriteError(shown, EACCES);
            }
            if (++links > kMaxLinks) {
                throw FileWriteError(shown, ELOOP);
            }
            if (last && OnProc(t.folder.Get())) {
                const Fd end(::openat(t.folder.Get(), part.c_str(), O_PATH | O_CLOEXEC));
                struct stat endSt {};
                if (end.Valid() && ::fstat(end.Get(), &endSt) == 0 && !S_ISREG(endSt.st_mode) &&
                    !S_ISDIR(endSt.st_mode)) {
                    t.name = part;
                    t.exists = true;
                    t.st = endSt;
                    t.throughKernel = true;
                    return t;
                }
            }
            // The link itself is read through its descriptor: the one whose owner was checked.
            char buffer[PATH_MAX];
            const ssize_t n = ::readlinkat(item.Get(), "", buffer, sizeof buffer);
            if (n < 0) {
                throw FileWriteError(shown, errno);
            }
            if (static_cast<std::size_t>(n) == sizeof buffer) {
                throw FileWriteError(shown, ENAMETOOLONG);
            }
            const std::string link(buffer, static_cast<std::size_t>(n));
            std::deque<std::string> parts = Components(link);
            rest.insert(rest.begin(), parts.begin(), parts.end());
            if (link.starts_with('/')) {
                t.folder.Reset(OpenRootOrCurrent(link));
                if (!t.folder.Valid()) {
                    throw FileWriteError(shown, errno);
                }
            }
            continue;
        }
        if (last) {
            t.name = part;
            t.exists = true;
            t.st = st;
            return t;
        }
        if (!S_ISDIR(st.st_mode)) {
            throw FileWriteError(shown, ENOTDIR);
        }
        t.folder = std::move(item);
    }
    // The path (or the link it ends at) names a folder: "/", "a/", a link to "/".
    throw FileWriteError(shown, EISDIR);
}

void SyncFolder(int folder) {
    const Fd readable(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (readable.Valid()) {
        ::fsync(readable.Get());
    }
}

}  // namespace vornik::fileio
