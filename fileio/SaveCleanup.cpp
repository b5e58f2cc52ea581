#include "fileio/SaveCleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace vornik::fileio {

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
// Passes over a folder being emptied: unlinking while reading may skip names, so it is read again
// until a pass finds nothing (a set has a few hundred files).
constexpr int kEmptyingPasses = 64;

enum Armed : int { kNothing, kFile, kFolder };

// What the handler removes: fixed storage, as a handler may neither allocate nor lock.
char gName[NAME_MAX + 1];
volatile int gFolder = -1;
volatile std::sig_atomic_t gArmed = kNothing;

void Arm(int folder, const std::string& name, Armed what) {
    if (name.size() < sizeof gName) {
        std::memcpy(gName, name.c_str(), name.size() + 1);
        gFolder = folder;
        gArmed = what;
    }
}

// Ctrl-C, a closed terminal or a shutdown during a save: what the save made so far goes, the old
// file is untouched, and the program ends as the signal asks.
extern "C" void RemoveAndEnd(int signal) {
    if (gArmed == kFile) {
        ::unlinkat(gFolder, gName, 0);
    } else if (gArmed == kFolder) {
        RemoveFolderAt(gFolder, gName);
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

}  // namespace

void RemoveFolderAt(int folder, const char* name) {
    const int fd = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        alignas(8) char buffer[8192];
        bool removed = true;
        for (int pass = 0; pass < kEmptyingPasses && removed; ++pass) {
            removed = false;
            ::lseek(fd, 0, SEEK_SET);
            ssize_t n;
            // A typed pointer: glibc takes any buffer, the web build's C library a dirent pointer.
            while ((n = ::getdents64(fd, reinterpret_cast<dirent64*>(buffer), sizeof buffer)) > 0) {
                for (ssize_t at = 0; at < n;) {
                    const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
                    const char* entryName = entry->d_name;
                    const bool dots = entryName[0] == '.' &&
                                      (entryName[1] == 0 || (entryName[1] == '.' && entryName[2] == 0));
                    if (!dots && ::unlinkat(fd, entryName, 0) == 0) {
                        removed = true;
                    }
                    at += entry->d_reclen;
                }
            }
        }
        ::close(fd);
    }
    ::unlinkat(folder, name, AT_REMOVEDIR);
}

SignalsHeld::SignalsHeld() {
    sigset_t ending;
    ::sigemptyset(&ending);
    for (const int signal : kEndingSignals) {
        ::sigaddset(&ending, signal);
    }
    ::pthread_sigmask(SIG_BLOCK, &ending, &before_);
}

SignalsHeld::~SignalsHeld() {
    ::pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}

RemovedOnSignal::RemovedOnSignal() {
    for (std::size_t k = 0; k < kSignals; ++k) {
        struct sigaction current {};
        if (::sigaction(kEndingSignals[k], nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
            current.sa_handler != SIG_DFL) {
            continue;
        }
        struct sigaction ours {};
        ours.sa_handler = RemoveAndEnd;
        ::sigemptyset(&ours.sa_mask);
        for (const int signal : kEndingSignals) {
            ::sigaddset(&ours.sa_mask, signal);
        }
        installed_[k] = ::sigaction(kEndingSignals[k], &ours, &previous_[k]) == 0;
    }
}

RemovedOnSignal::~RemovedOnSignal() {
    {
        const SignalsHeld held;
        Disarm();
    }
    for (std::size_t k = 0; k < kSignals; ++k) {
        if (installed_[k]) {
            ::sigaction(kEndingSignals[k], &previous_[k], nullptr);
        }
    }
}

void RemovedOnSignal::ArmFile(int folder, const std::string& name) {
    Arm(folder, name, kFile);
}

void RemovedOnSignal::ArmFolder(int folder, const std::string& name) {
    Arm(folder, name, kFolder);
}

void RemovedOnSignal::Disarm() {
    gArmed = kNothing;
}

}  // namespace vornik::fileio
