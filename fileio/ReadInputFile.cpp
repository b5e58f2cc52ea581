#include "fileio/ReadInputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileio/PathWalk.h"
#include "fileio/SystemErrorText.h"

namespace vornik {

InputFile ReadInputFile(const std::string& path, std::size_t limit) {
    InputFile file;
    const fileio::Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0) {
        file.error = errno;
        return file;
    }
    if (!S_ISREG(st.st_mode)) {
        file.notRegular = true;
        return file;
    }
    file.bytes.resize(limit + 1);
    std::size_t done = 0;
    while (done < file.bytes.size()) {
        const ssize_t n = ::read(fd.Get(), file.bytes.data() + done, file.bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            file.error = errno;
            file.bytes.clear();
            return file;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    file.bytes.resize(done);
    return file;
}

std::string InputFileProblem(const InputFile& file) {
    return std::string("файл не читается (") +
           (file.notRegular ? "это не обычный файл" : SystemErrorText(file.error)) + ")";
}

}  // namespace vornik
