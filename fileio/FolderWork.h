#pragma once
// A long piece of work that ends in a new folder of files (a class set, a group's marks): the
// steps a progress callback follows and may cancel, the check that the folder is new or empty,
// and the writing of the folder counted in steps. What stops the work is thrown as
// FolderWorkStopped inside the layer that does the work, which returns it as the
// FolderWorkFailure of its outcome.

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "fileio/WriteFolder.h"

namespace vornik {

// Called as the work goes on with the steps done and the steps there are; false cancels.
using WorkProgress = std::function<bool(int done, int total)>;

// Why a work made nothing: one line, or "прервано" when the progress callback stopped it.
struct FolderWorkFailure {
    std::string message;
    bool cancelled = false;
};

// What stops the work: the message for the user.
struct FolderWorkStopped : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The progress callback refused a step.
struct FolderWorkCancelled : FolderWorkStopped {
    FolderWorkCancelled() : FolderWorkStopped("прервано") {}
};

// The steps of the work as the progress callback sees them.
class WorkSteps {
  public:
    explicit WorkSteps(const WorkProgress& progress) : progress_(progress) {}
    void SetTotal(int total) { total_ = total; }
    // Counts a step; false when the callback refuses to go on.
    bool Next();
    // Counts a step; throws FolderWorkCancelled when the callback refuses to go on.
    void Done();
    // The folder is in place: the last step, which can no longer be undone.
    void Finished() const;

  private:
    const WorkProgress& progress_;
    int done_ = 0;
    int total_ = 0;
};

// The folder `given` names, without the slashes at its end ("group/" is the folder group; no
// other shortening: "link/../set" is the folder the kernel finds, beside the link's target). It
// must be new or empty: a work never replaces files a teacher may still need. Otherwise throws
// FolderWorkStopped: "<given>: <noName>" when no folder is named, or what is wrong with it.
std::filesystem::path NewWorkFolder(const std::string& given, const std::string& noName);

// WriteFolder with each file written counted as a step. A step the callback refuses throws
// FolderWorkCancelled and leaves nothing; a folder filled meanwhile throws FolderWorkStopped in
// the words of NewWorkFolder; any other failure throws FileWriteError.
void WriteWorkFolder(const std::filesystem::path& path, const FolderFiles& files, WorkSteps& steps);

// The failure of a work that an exception stopped: cancelled for FolderWorkCancelled, else its
// message.
FolderWorkFailure WorkFailureOf(const std::exception& stopped);

}  // namespace vornik
