#pragma once
// Finding where a save goes, one path component at a time relative to each folder's descriptor,
// so that what is checked is what is written: no name is looked up twice. Internal to fileio.

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace vornik::fileio {

// An owned file descriptor, closed when it goes.
class Fd {
  public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.Release()) {}
    Fd& operator=(Fd&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Reset(-1); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void Reset(int fd) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }

  private:
    int fd_ = -1;
};

// The folder that holds the name a save writes, and what is under that name now.
struct WriteTarget {
    Fd folder;         // an O_PATH descriptor of the folder
    std::string name;  // one component, never "." or ".."
    bool exists = false;
    struct stat st {};  // what the name holds (a link not followed), when it exists
    // The name is a link of /proc (/dev/stdout, /proc/self/fd/1) to a pipe, terminal or socket,
    // which has no path to follow: it is opened through the kernel and written in place.
    bool throughKernel = false;
};

// Walks `path` as the kernel would: ".." after the links before it, every link checked by the
// rule of ForeignInSharedFolder (EACCES) and at most 40 of them (ELOOP). A link as the last
// component is followed too when `followLast`; a dangling one then names the file to create.
// Throws FileWriteError naming `shown`.
WriteTarget ResolveTarget(const std::string& path, const std::string& shown, bool followLast);

// Whether something owned by `owner` sits in a sticky folder everyone may write to (such as /tmp)
// and belongs neither to the user nor to the folder's owner. The kernel follows no such link and
// opens no such file or pipe with O_CREAT when its protections are on; we apply the same rule
// whether they are on or not, so that nobody can squat a name there for another user's save.
bool ForeignInSharedFolder(const struct stat& folder, uid_t owner);

// Flushes the folder's entries (a rename into it) to the disk; a folder that cannot be opened
// for reading is left as it is, the rename having been done.
void SyncFolder(int folder);

// The longest file name the folder takes (255 where it cannot tell).
constexpr std::size_t kDefaultNameMax = 255;
std::size_t NameMax(int folder);

// At most `limit` bytes of `name`, not cutting a UTF-8 character in two.
std::string CutName(const std::string& name, std::size_t limit);

// `count` letters and digits drawn at random, for the hidden names of a save.
std::string RandomLetters(std::size_t count);

// Writes all of `bytes`; returns 0 or the errno of the failed write.
int WriteAll(int fd, std::string_view bytes);

}  // namespace vornik::fileio
