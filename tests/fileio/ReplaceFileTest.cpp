// Replacing a file: complete or untouched, whatever goes wrong, with the name, mode and link of
// the file replaced. Failures are made without root: a file-size limit, a read-only folder
// (entered under an unprivileged identity when the tests run as root), a missing folder.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "fileio/ReadInputFile.h"
#include "fileio/ReplaceFile.h"
#include "fileio/WriteFolder.h"

namespace {

using vornik::FileWriteError;
using vornik::ReplaceFile;
using vornik::WriteFolder;
namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;
const std::string kOld = "old contents";
// Larger than the file-size limit below.
const std::string kNew(1000, 'n');

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

enum class Limit { None, FileSize, Unprivileged };

// Saves in a child process, so that a limit or a dropped identity stays there. Returns the errno
// of the FileWriteError thrown, 0 when the save succeeded, 255 for any other outcome.
int SaveInChild(const fs::path& path, const std::string& bytes, Limit limit) {
    const pid_t child = ::fork();
    if (child == 0) {
        // A save that blocks (a pipe without reader) ends here instead of hanging the test.
        ::alarm(10);
        if (limit == Limit::FileSize) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{64, 64};
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        if (limit == Limit::Unprivileged && ::geteuid() == 0 &&
            (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(255);
        }
        try {
            ReplaceFile(path.string(), bytes);
            ::_exit(0);
        } catch (const FileWriteError& e) {
            ::_exit(e.Code() > 0 && e.Code() < 255 ? e.Code() : 255);
        } catch (...) {
            ::_exit(255);
        }
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return 255;
    }
    return WEXITSTATUS(status);
}

class ReplaceFileTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "vornik-replace-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        // Open to everyone, so that an unprivileged child can reach the folders inside.
        fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    }
    void TearDown() override {
        for (const auto& e : fs::recursive_directory_iterator(dir_)) {
            if (e.is_directory() && !e.is_symlink()) {
                fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
            }
        }
        fs::remove_all(dir_);
    }

    // Every name under the folder, sorted, folders with a trailing slash.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(dir_)) {
            names.push_back(e.path().lexically_relative(dir_).string() + (e.is_directory() ? "/" : ""));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

// Whether a child can give up root for an unprivileged identity (not in every container).
bool CanBecomeNobody() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

class RefusedSaveTest : public ReplaceFileTest {
  protected:
    void SetUp() override {
        ReplaceFileTest::SetUp();
        WriteText(dir_ / "old.rtf", kOld);
        fs::create_directory(dir_ / "locked");
        WriteText(dir_ / "locked" / "old.rtf", kOld);
        fs::permissions(dir_ / "locked",
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        // A read-only file in a folder anyone may write to.
        fs::create_directory(dir_ / "open");
        fs::permissions(dir_ / "open", fs::perms::all);
        WriteText(dir_ / "open" / "old.rtf", kOld);
        fs::permissions(dir_ / "open" / "old.rtf",
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }

    struct Case {
        const char* name;
        fs::path file;
        Limit limit;
        int error;
    };

    // The save fails with the error, every old file is as it was and no file was added.
    void ExpectRefused(const Case& c) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> before = Entries();
        EXPECT_EQ(SaveInChild(c.file, kNew, c.limit), c.error);
        for (const fs::path& old :
             {dir_ / "old.rtf", dir_ / "locked" / "old.rtf", dir_ / "open" / "old.rtf"}) {
            EXPECT_EQ(ReadAll(old), kOld) << old;
        }
        EXPECT_EQ(Entries(), before);
    }
};

TEST_F(RefusedSaveTest, AFailureLeavesTheOldFileAndNoTemporaryFile) {
    const Case cases[] = {
        {"file-size limit (a full disk alike)", dir_ / "old.rtf", Limit::FileSize, EFBIG},
        {"missing folder", dir_ / "missing" / "new.rtf", Limit::None, ENOENT},
        {"the target is a folder", dir_ / "locked", Limit::None, EISDIR},
        {"a name past the limit", dir_ / (std::string(256, 'a') + ".rtf"), Limit::None, ENAMETOOLONG},
    };
    for (const Case& c : cases) {
        ExpectRefused(c);
    }
    // The message names the file and gives the system's reason.
    try {
        ReplaceFile((dir_ / "missing" / "new.rtf").string(), kNew);
        ADD_FAILURE() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(std::string(e.what()),
                  (dir_ / "missing" / "new.rtf").string() + ": нет такого файла или папки");
    }
}

TEST_F(RefusedSaveTest, AReadOnlyFolderOrFileIsRefused) {
    // Root passes every permission check; the save then runs as uid 65534.
    if (::geteuid() == 0 && !CanBecomeNobody()) {
        GTEST_SKIP() << "running as root without the right to become uid " << kNobody
                     << ", so permissions cannot be checked";
    }
    const Case cases[] = {
        {"read-only folder", dir_ / "locked" / "old.rtf", Limit::Unprivileged, EACCES},
        {"read-only file", dir_ / "open" / "old.rtf", Limit::Unprivileged, EACCES},
    };
    for (const Case& c : cases) {
        ExpectRefused(c);
    }
}

TEST_F(ReplaceFileTest, TheReplacementKeepsNameModeAndLink) {
    // 251 bytes: a valid name, too long for "<name>.tmp-<pid>-<n>".
    const std::string longName = std::string(247, 'a') + ".jpg";
    for (const bool existing : {false, true}) {
        SCOPED_TRACE(existing ? "long name over an existing file" : "long name, new file");
        EXPECT_EQ(SaveInChild(dir_ / longName, kNew + (existing ? "2" : ""), Limit::None), 0);
        EXPECT_EQ(ReadAll(dir_ / longName), kNew + (existing ? "2" : ""));
        EXPECT_EQ(Entries(), std::vector<std::string>{longName});
    }
    fs::remove(dir_ / longName);

    // A private file stays private.
    WriteText(dir_ / "private.rtf", kOld);
    fs::permissions(dir_ / "private.rtf", fs::perms::owner_read | fs::perms::owner_write);
    ReplaceFile((dir_ / "private.rtf").string(), kNew);
    EXPECT_EQ(ReadAll(dir_ / "private.rtf"), kNew);
    EXPECT_EQ(fs::status(dir_ / "private.rtf").permissions(), fs::perms::owner_read | fs::perms::owner_write);

    // A link stays a link; the file it points to (relative, in another folder) gets the bytes.
    fs::create_directory(dir_ / "real");
    WriteText(dir_ / "real" / "target.bmp", kOld);
    fs::create_symlink("real/target.bmp", dir_ / "link.bmp");
    fs::create_symlink("real/later.bmp", dir_ / "dangling.bmp");
    ReplaceFile((dir_ / "link.bmp").string(), kNew);
    ReplaceFile((dir_ / "dangling.bmp").string(), kNew);
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.bmp"));
    EXPECT_EQ(fs::read_symlink(dir_ / "link.bmp"), "real/target.bmp");
    EXPECT_EQ(ReadAll(dir_ / "real" / "target.bmp"), kNew);
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.bmp"));
    EXPECT_EQ(ReadAll(dir_ / "real" / "later.bmp"), kNew);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"dangling.bmp", "link.bmp", "private.rtf", "real/",
                                                   "real/later.bmp", "real/target.bmp"}));

    // Forty links in a row are followed, as the kernel does; one more is a loop.
    fs::create_directory(dir_ / "chain");
    fs::path next = dir_ / "chain" / "end.bmp";
    for (int k = 40; k >= 0; --k) {
        const fs::path link = dir_ / "chain" / ("l" + std::to_string(k));
        fs::create_symlink(next, link);
        next = link;
    }
    EXPECT_EQ(SaveInChild(dir_ / "chain" / "l1", kNew, Limit::None), 0);
    EXPECT_EQ(ReadAll(dir_ / "chain" / "end.bmp"), kNew);
    EXPECT_EQ(SaveInChild(dir_ / "chain" / "l0", kNew, Limit::None), ELOOP);
    fs::remove_all(dir_ / "chain");
}

TEST_F(ReplaceFileTest, TheModeIsTheOldFilesOrTheUsualOneOfANewFile) {
    struct Case {
        const char* name;
        bool existing;
        fs::perms oldMode;
        mode_t umask;
        fs::perms expected;
    };
    using P = fs::perms;
    const Case cases[] = {
        {"0644 kept", true, P(0644), 077, P(0644)},
        {"0640 kept", true, P(0640), 022, P(0640)},
        {"0600 kept", true, P(0600), 022, P(0600)},
        {"new file, umask 022", false, P::none, 022, P(0644)},
        {"new file, umask 027", false, P::none, 027, P(0640)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir_ / "mode.rtf";
        fs::remove(file);
        if (c.existing) {
            WriteText(file, kOld);
            fs::permissions(file, c.oldMode);
        }
        const mode_t before = ::umask(c.umask);
        EXPECT_EQ(SaveInChild(file, kNew, Limit::None), 0);
        ::umask(before);
        EXPECT_EQ(ReadAll(file), kNew);
        EXPECT_EQ(fs::status(file).permissions(), c.expected);
    }
}

TEST_F(ReplaceFileTest, APipeIsWrittenInPlaceAndNeverWaitedFor) {
    const fs::path pipe = dir_ / "pipe.png";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Without a reader the save fails at once (and does not hang until the alarm).
    EXPECT_EQ(SaveInChild(pipe, kNew, Limit::None), ENXIO);
    EXPECT_TRUE(fs::is_fifo(pipe));
    // With a reader the bytes go through the pipe, which stays a pipe.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(SaveInChild(pipe, kNew, Limit::None), 0);
    std::string got(kNew.size() + 1, '\0');
    const ssize_t n = ::read(reader, got.data(), got.size());
    ::close(reader);
    EXPECT_EQ(got.substr(0, n < 0 ? 0 : static_cast<std::size_t>(n)), kNew);
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(Entries(), std::vector<std::string>{"pipe.png"});
}

TEST_F(ReplaceFileTest, ADeviceIsWrittenInPlaceNeverReplaced) {
    // Renaming over /dev/null would put a plain file in its place for every program.
    ReplaceFile("/dev/null", kNew);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    try {
        ReplaceFile("/dev/full", kNew);
        ADD_FAILURE() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(e.Code(), ENOSPC);
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    // /dev/stdout on a pipe: a link of /proc to no path, written in place.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(ends[1], STDOUT_FILENO);
        ::_exit(SaveInChild("/dev/stdout", kNew, Limit::None));
    }
    ::close(ends[1]);
    std::string got(kNew.size() + 1, '\0');
    std::size_t n = 0;
    for (ssize_t k; n < got.size() && (k = ::read(ends[0], got.data() + n, got.size() - n)) > 0;) {
        n += static_cast<std::size_t>(k);
    }
    ::close(ends[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(got.substr(0, n), kNew);
}

// Links planted in a shared sticky folder (as in /tmp) by another user are not followed; the
// user's own links, and links anywhere else, are.
TEST_F(ReplaceFileTest, ALinkPlantedByAnotherUserInASharedFolderIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to plant links as uid " << kNobody;
    }
    if (!CanBecomeNobody()) {
        GTEST_SKIP() << "running as root without the right to become uid " << kNobody;
    }
    fs::create_directory(dir_ / "private");
    fs::permissions(dir_ / "private", fs::perms::owner_all);
    WriteText(dir_ / "private" / "app.conf", kOld);
    for (const char* name : {"shared", "nobodys", "plain"}) {
        fs::create_directory(dir_ / name);
    }
    fs::permissions(dir_ / "shared", fs::perms::all | fs::perms::sticky_bit);
    // A sticky, world-writable folder that belongs to the link's owner.
    fs::permissions(dir_ / "nobodys", fs::perms::all | fs::perms::sticky_bit);
    ASSERT_EQ(::chown((dir_ / "nobodys").c_str(), kNobody, kNobody), 0);
    // Not sticky: links there are followed whoever made them.
    fs::permissions(dir_ / "plain", fs::perms::all);

    struct Case {
        const char* name;
        fs::path link;
        fs::path target;
        bool byNobody;
        int error;
    };
    const Case cases[] = {
        {"another user's link to an existing file", dir_ / "shared" / "d.png", dir_ / "private" / "app.conf",
         true, EACCES},
        {"another user's dangling link", dir_ / "shared" / "e.png", dir_ / "private" / "new.conf", true,
         EACCES},
        {"another user's link, second in a chain", dir_ / "plain" / "hop.png", dir_ / "shared" / "d.png",
         true, EACCES},
        {"the user's own link", dir_ / "shared" / "mine.png", dir_ / "private" / "own.png", false, 0},
        {"a link of the folder's owner", dir_ / "nobodys" / "f.png", dir_ / "private" / "owner.png", true, 0},
        {"a link in a folder that is not sticky", dir_ / "plain" / "g.png", dir_ / "private" / "plain.png",
         true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const pid_t child = ::fork();
        if (child == 0) {
            const bool dropped = !c.byNobody || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
            ::_exit(dropped && ::symlink(c.target.c_str(), c.link.c_str()) == 0 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the link was not made";
        const std::vector<std::string> before = Entries();
        EXPECT_EQ(SaveInChild(c.link, kNew, Limit::None), c.error);
        EXPECT_EQ(ReadAll(dir_ / "private" / "app.conf"), kOld);
        if (c.error != 0) {
            EXPECT_EQ(Entries(), before);
        } else {
            EXPECT_EQ(ReadAll(c.target), kNew);
        }
    }
}

// Runs `plant` in a child as uid 65534; whether it succeeded.
bool AsNobody(const std::function<bool()>& plant) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && plant() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// What the folder holds: the sorted names and what each file holds.
std::string Snapshot(const fs::path& dir) {
    std::vector<std::string> lines;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        const std::string contents = e.is_regular_file() && !e.is_symlink() ? ReadAll(e.path()) : "";
        lines.push_back(e.path().lexically_relative(dir).string() + "=" + contents);
    }
    std::sort(lines.begin(), lines.end());
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\n";
    }
    return all;
}

// Root saving where another user (65534) prepared names in a sticky folder everyone may write to,
// with the kernel's own protections not counted on: nothing is written through that user's links,
// into that user's file, pipe or folder; the user's own links still work as the kernel's do.
TEST_F(ReplaceFileTest, HostileTargetsPreparedByAnotherUserAreRefused) {
    if (::geteuid() != 0 || !CanBecomeNobody()) {
        GTEST_SKIP() << "needs root and the right to become uid " << kNobody
                     << " to plant another user's names";
    }
    const fs::path shared = dir_ / "shared";
    const fs::path secret = dir_ / "secret";
    fs::create_directories(secret / "inner");
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    WriteText(secret / "keep.txt", kOld);
    ASSERT_EQ(::mkfifo((secret / "root.fifo").c_str(), 0600), 0);
    fs::create_symlink(secret / "inner", shared / "mine");

    enum class Save { File, Folder };
    struct Case {
        const char* name;
        std::function<bool()> plant;  // run as the other user
        Save save;
        fs::path target;
        int error;
        fs::path written;  // where the bytes (or the folder's key.csv) land when the save is allowed
    };
    const auto squat = [&](const char* name) {
        return [=] {
            const int fd = ::open((shared / name).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
            return fd >= 0 && ::fchmod(fd, 0666) == 0 && ::write(fd, "squat", 5) == 5 && ::close(fd) == 0;
        };
    };
    const auto link = [&](fs::path to, const char* name) {
        return [=] { return ::symlink(to.c_str(), (shared / name).c_str()) == 0; };
    };
    const Case cases[] = {
        {"a file squatted before the save", squat("x.vornik"), Save::File, shared / "x.vornik", EACCES, {}},
        {"a pipe squatted before the save",
         [&] {
             return ::mkfifo((shared / "p.bmp").c_str(), 0666) == 0 &&
                    ::chmod((shared / "p.bmp").c_str(), 0666) == 0;
         },
         Save::File,
         shared / "p.bmp",
         EACCES,
         {}},
        {"another user's link in the middle",
         link(secret / "inner", "d"),
         Save::File,
         shared / "d" / "f.vornik",
         EACCES,
         {}},
        {"another user's link, then ..",
         link(secret / "inner", "up"),
         Save::File,
         shared / "up" / ".." / "g.vornik",
         EACCES,
         {}},
        {"another user's link to a root-only pipe",
         link(secret / "root.fifo", "q.bmp"),
         Save::File,
         shared / "q.bmp",
         EACCES,
         {}},
        {"another user's empty folder as the set",
         [&] { return ::mkdir((shared / "set").c_str(), 0777) == 0; },
         Save::Folder,
         shared / "set",
         EACCES,
         {}},
        {"the user's own link, then .. is beside the link's target", [] { return true; }, Save::File,
         shared / "mine" / ".." / "h.vornik", 0, secret / "h.vornik"},
        {"the user's own link in the middle", [] { return true; }, Save::File, shared / "mine" / "i.vornik",
         0, secret / "inner" / "i.vornik"},
    };
    // Whatever reaches the root-only pipe is read here.
    const int reader = ::open((secret / "root.fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(AsNobody(c.plant)) << "could not plant";
        const int squattedPipe = fs::is_fifo(c.target) ? ::open(c.target.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        const std::string before = Snapshot(dir_);
        int error = 0;
        try {
            if (c.save == Save::File) {
                ReplaceFile(c.target.string(), kNew);
            } else {
                WriteFolder(c.target.string(), {{"key.csv", kNew}});
            }
        } catch (const FileWriteError& e) {
            error = e.Code();
            EXPECT_EQ(e.Path(), c.target.string());
        }
        EXPECT_EQ(error, c.error);
        if (c.error != 0) {
            EXPECT_EQ(Snapshot(dir_), before);
        } else {
            EXPECT_EQ(ReadAll(c.written), kNew);
        }
        char byte;
        EXPECT_LE(::read(reader, &byte, 1), 0) << "the root-only pipe got bytes";
        if (squattedPipe >= 0) {
            EXPECT_LE(::read(squattedPipe, &byte, 1), 0) << "the squatted pipe got bytes";
            ::close(squattedPipe);
        }
    }
    ::close(reader);
}

// A folder given for a set keeps its mode, group and setgid bit, and the files in it are not
// open wider than it; a new folder has the umask's mode. Names that leave no room for the
// hidden staging name still work up to the folder's limit.
TEST_F(ReplaceFileTest, ASetFolderKeepsTheGivenFoldersModeAndGroup) {
    struct Case {
        const char* name;
        std::string folder;
        int givenMode;  // -1: no folder given
        gid_t group;
        mode_t umask;
        int folderMode;
        int fileMode;
    };
    const Case cases[] = {
        {"a private folder", "k", 0700, ::getegid(), 022, 0700, 0600},
        {"a group folder with setgid", "g", 02750, kNobody, 022, 02750, 0640},
        {"a new folder, umask 022", "n", -1, ::getegid(), 022, 0755, 0644},
        {"a new folder, umask 077", "p", -1, ::getegid(), 077, 0700, 0600},
        {"a 255-byte name", std::string(255, 'z'), -1, ::getegid(), 022, 0755, 0644},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = dir_ / c.folder;
        if (c.givenMode >= 0) {
            fs::create_directory(folder);
            if (c.group != ::getegid() && ::chown(folder.c_str(), static_cast<uid_t>(-1), c.group) != 0) {
                continue;  // not root: no other group to give
            }
            ASSERT_EQ(::chmod(folder.c_str(), static_cast<mode_t>(c.givenMode)), 0);
        }
        const mode_t before = ::umask(c.umask);
        EXPECT_NO_THROW(WriteFolder(folder.string() + "/", {{"key.csv", kNew}, {"gift.txt", kOld}}));
        ::umask(before);
        struct stat st {};
        ASSERT_EQ(::stat(folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, static_cast<mode_t>(c.folderMode));
        EXPECT_EQ(st.st_gid, c.group);
        ASSERT_EQ(::stat((folder / "key.csv").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, static_cast<mode_t>(c.fileMode));
        EXPECT_EQ(st.st_gid, c.group);
        EXPECT_EQ(ReadAll(folder / "key.csv"), kNew);
        EXPECT_EQ(ReadAll(folder / "gift.txt"), kOld);
        fs::remove_all(folder);
        EXPECT_EQ(Entries(), std::vector<std::string>{}) << "no staging folder left";
    }
    // A name past the limit is refused under its own name, not the staging folder's.
    const fs::path tooLong = dir_ / std::string(256, 'z');
    try {
        WriteFolder(tooLong.string(), {{"key.csv", kNew}});
        ADD_FAILURE() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(std::string(e.what()), tooLong.string() + ": слишком длинное имя файла");
    }
    EXPECT_EQ(Entries(), std::vector<std::string>{});
}

// Another user swaps a link to a root-only pipe and a file of theirs under the name while root
// saves to it: bounded by the number of tries, never by time.
TEST_F(ReplaceFileTest, ALinkSwappedDuringTheSaveIsNeverWrittenThrough) {
    if (::geteuid() != 0 || !CanBecomeNobody()) {
        GTEST_SKIP() << "needs root and the right to become uid " << kNobody
                     << " to swap another user's names";
    }
    constexpr int kTries = 1000;
    const fs::path shared = dir_ / "shared";
    fs::create_directories(dir_ / "secret");
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    const fs::path fifo = dir_ / "secret" / "root.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const fs::path name = shared / "x.bmp";
    const pid_t swapper = ::fork();
    if (swapper == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            ::_exit(1);
        }
        const std::string link = (shared / "l").string();
        const std::string file = (shared / "f").string();
        for (;;) {
            ::symlink(fifo.c_str(), link.c_str());
            ::rename(link.c_str(), name.c_str());
            ::close(::open(file.c_str(), O_WRONLY | O_CREAT, 0666));
            ::rename(file.c_str(), name.c_str());
        }
    }
    ASSERT_GT(swapper, 0);
    // The name is the other user's from the first try on.
    for (struct stat st{}; ::lstat(name.c_str(), &st) != 0;) {
        ::usleep(1000);
    }
    int saved = 0;
    for (int k = 0; k < kTries; ++k) {
        try {
            ReplaceFile(name.string(), kNew);
            ++saved;
        } catch (const FileWriteError&) {
        }
    }
    ::kill(swapper, SIGKILL);
    ::waitpid(swapper, nullptr, 0);
    char byte;
    EXPECT_LE(::read(reader, &byte, 1), 0) << "the root-only pipe got bytes";
    ::close(reader);
    EXPECT_EQ(saved, 0) << "every save met the other user's link or file";
}

// A pipe, a device or a folder named as input is refused at once, not waited for.
TEST_F(ReplaceFileTest, AnInputThatIsNotARegularFileIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo((dir_ / "in.fifo").c_str(), 0600), 0);
    WriteText(dir_ / "in.csv", kNew);
    const std::string notRegular = "файл не читается (это не обычный файл)";
    struct Case {
        std::string path;
        std::string problem;  // empty: read
        std::string bytes;
    };
    const Case cases[] = {
        {(dir_ / "in.fifo").string(), notRegular, ""},
        {"/dev/zero", notRegular, ""},
        {dir_.string(), notRegular, ""},
        {(dir_ / "none.csv").string(), "файл не читается (нет такого файла или папки)", ""},
        {(dir_ / "in.csv").string(), "", kNew.substr(0, 101)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const vornik::Outcome<std::string> file = vornik::ReadInputFile(c.path, 100);
        EXPECT_EQ(file ? "" : file.Error().message, c.problem);
        EXPECT_EQ(file ? *file : "", c.bytes);
    }
}

}  // namespace
