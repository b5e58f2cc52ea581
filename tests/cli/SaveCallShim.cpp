// Preloaded into vornik-cli by the save tests: records the calls that make a save durable
// (fsync of the new file, the rename, fsync of the folder) in the file named by
// VORNIK_SHIM_LOG, and raises the signal numbered in VORNIK_SHIM_SIGNAL when the new file is
// flushed, as Ctrl-C during a slow flush would.

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Record(const char* call) {
    const char* log = getenv("VORNIK_SHIM_LOG");
    if (log == nullptr) {
        return;
    }
    const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0) {
        [[maybe_unused]] const ssize_t a = write(fd, call, strlen(call));
        [[maybe_unused]] const ssize_t b = write(fd, "\n", 1);
        close(fd);
    }
}

template <typename F>
F Real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

int Flushed(int fd, const char* name) {
    struct stat st {};
    const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    Record(regular ? "fsync-file" : S_ISDIR(st.st_mode) ? "fsync-folder" : "fsync-other");
    if (const char* signal = getenv("VORNIK_SHIM_SIGNAL"); signal != nullptr && regular) {
        raise(atoi(signal));
    }
    return Real<int (*)(int)>(name)(fd);
}

}  // namespace

extern "C" {

int fsync(int fd) {
    return Flushed(fd, "fsync");
}

int fdatasync(int fd) {
    return Flushed(fd, "fdatasync");
}

int rename(const char* from, const char* to) {
    Record("rename");
    return Real<int (*)(const char*, const char*)>("rename")(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    Record("rename");
    return Real<int (*)(int, const char*, int, const char*)>("renameat")(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    Record("rename");
    return Real<int (*)(int, const char*, int, const char*, unsigned)>("renameat2")(fromDir, from, toDir, to,
                                                                                    flags);
}
}
