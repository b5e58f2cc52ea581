#include "diagram/PictureFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "diagram/PictureEncoders.h"

namespace vornik {

namespace {

constexpr int kTempAttempts = 100;

[[noreturn]] void ThrowSystemError(const std::string& path, int error) {
    throw std::runtime_error(path + ": " + std::strerror(error));
}

// A new file beside `path`, created exclusively so no existing file is ever touched. Mode 0666
// less the umask, as the target itself would get.
int CreateTempBeside(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        tempPath = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Returns 0 or the errno of the failed write.
int WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Writes the bytes to a temporary file in the same folder and renames it over `path`, so that
// a failure at any point leaves whatever was at `path` as it was.
void ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::string tempPath;
    const int fd = CreateTempBeside(path, tempPath);
    if (fd < 0) {
        ThrowSystemError(path, errno);
    }
    int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(tempPath.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(tempPath.c_str());
        ThrowSystemError(path, error);
    }
}

}  // namespace

void SavePicture(const RgbPicture& picture, PictureFormat format, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = format == PictureFormat::Jpeg ? EncodeJpeg(picture) : EncodeBmp(picture);
    } catch (const std::exception& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
    ReplaceFile(path, bytes);
}

}  // namespace vornik
