#include "fileio/FolderWork.h"

#include <cerrno>

#include "fileio/ReplaceFile.h"
#include "fileio/SystemErrorText.h"

namespace vornik {

namespace fs = std::filesystem;

namespace {

std::string NotEmpty(const fs::path& dir) {
    return dir.string() + ": папка уже есть и не пуста; выберите новую";
}

}  // namespace

bool WorkSteps::Next() {
    ++done_;
    return !progress_ || progress_(done_, total_);
}

void WorkSteps::Done() {
    if (!Next()) {
        throw FolderWorkCancelled();
    }
}

void WorkSteps::Finished() const {
    if (progress_) {
        progress_(total_, total_);
    }
}

fs::path NewWorkFolder(const std::string& given, const std::string& noName) {
    std::string text = given;
    while (text.size() > 1 && text.ends_with('/')) {
        text.pop_back();
    }
    const fs::path dir = text;
    if (dir.filename().empty() || dir.filename() == "." || dir.filename() == "..") {
        throw FolderWorkStopped(given + ": " + noName);
    }
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(dir, ec);
    if (status.type() == fs::file_type::not_found) {
        return dir;
    }
    if (ec) {
        // A folder above that cannot be searched: the system's reason, not a guess.
        throw FolderWorkStopped(dir.string() + ": " + SystemErrorText(ec.value()));
    }
    if (status.type() != fs::file_type::directory) {
        throw FolderWorkStopped(dir.string() + ": уже есть и это не папка");
    }
    if (!fs::is_empty(dir, ec) || ec) {
        throw FolderWorkStopped(NotEmpty(dir));
    }
    return dir;
}

void WriteWorkFolder(const fs::path& path, const FolderFiles& files, WorkSteps& steps) {
    try {
        WriteFolder(path.string(), files, [&steps] { return steps.Next(); });
    } catch (const FileWriteError& e) {
        if (e.Code() == ECANCELED) {
            throw FolderWorkCancelled();
        }
        // Filled meanwhile: the same words as the check before the work.
        if (e.Code() == ENOTEMPTY || e.Code() == EEXIST) {
            throw FolderWorkStopped(NotEmpty(path));
        }
        throw;
    }
}

FolderWorkFailure WorkFailureOf(const std::exception& stopped) {
    return {stopped.what(), dynamic_cast<const FolderWorkCancelled*>(&stopped) != nullptr};
}

}  // namespace vornik
