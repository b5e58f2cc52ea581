#pragma once
// What a save leaves while it runs (a temporary file, a staging folder) removed when SIGINT,
// SIGTERM or SIGHUP end the program in the middle of it. Internal to fileio.

#include <signal.h>

#include <cstddef>
#include <string>

namespace vornik::fileio {

// Holds the three ending signals back, so that the handler never sees half a name nor removes
// something that is not ours.
class SignalsHeld {
  public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t before_{};
};

// Installs the handler for the time of one save where a signal would end the program anyway
// (its default action); a signal the program ignores or handles itself is left as it is.
class RemovedOnSignal {
  public:
    RemovedOnSignal();
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

    // The name in `folder` (a descriptor that stays open meanwhile) that a signal removes: a
    // file, or a folder with the files in it. The signals must be held around Arm and Disarm.
    static void ArmFile(int folder, const std::string& name);
    static void ArmFolder(int folder, const std::string& name);
    static void Disarm();

  private:
    static constexpr std::size_t kSignals = 3;
    struct sigaction previous_[kSignals] {};
    bool installed_[kSignals] = {};
};

// Removes the folder `name` in `folder` and the files in it (not deeper). Safe in a signal handler.
void RemoveFolderAt(int folder, const char* name);

}  // namespace vornik::fileio
