#include "fileio/ReadInputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileio/PathWalk.h"
#include "fileio/SystemErrorText.h"

namespace vornik {

namespace {

Failure Unreadable(const std::string& why) {
    return {"файл не читается (" + why + ")", ""};
}

}  // namespace

Outcome<std::string> ReadInputFile(const std::string& path, std::size_t limit) {
    const fileio::Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0) {
        return Unreadable(SystemErrorText(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        return Unreadable("это не обычный файл");
    }
    std::string bytes(limit + 1, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Unreadable(SystemErrorText(errno));
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace vornik
