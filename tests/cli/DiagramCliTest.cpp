#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "RunCli.h"
#include "cli/CliDiagram.h"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

using Result = vornik::test::CliResult;
using vornik::test::RunCli;

constexpr const char* kBalanced = "--r1 10 --r2 10 --r3 10";

TEST(CliDiagram, SelectionByButtonOrModeAndKind) {
    struct Case {
        const char* sel;
        bool star;
        int button;  // 0: a usage error
    };
    const Case cases[] = {
        {"1", true, 1},           {"14", false, 14},       {"0", true, 0},         {"15", true, 0},
        {"99999999999", true, 0}, {"", true, 0},           {"normal:U", true, 1},  {"normal:I", false, 2},
        {"short-A:U", true, 3},   {"short-B:I", true, 6},  {"short-C:U", true, 7}, {"open-AB:U", false, 3},
        {"open-BC:I", false, 6},  {"open-CA:I", false, 8}, {"break-A:U", true, 9}, {"break-B:I", false, 12},
        {"break-C:I", true, 14},  {"short-A:U", false, 0}, {"open-CA:U", true, 0}, {"normal:X", true, 0},
        {"normal", true, 0},      {"break-D:U", true, 0},  {"normal:u", true, 0},
    };
    for (const Case& c : cases) {
        const vornik::Outcome<int> button = vornik::ParseDiagramSelection(c.sel, c.star);
        if (c.button == 0) {
            ASSERT_FALSE(button.Ok()) << c.sel;
            EXPECT_EQ(button.Error().message.find('\n'), std::string::npos)
                << "one line: " << button.Error().message;
        } else {
            ASSERT_TRUE(button.Ok()) << c.sel << ": " << button.Error().message;
            EXPECT_EQ(*button, c.button) << c.sel << (c.star ? " star" : " delta");
        }
    }
}

TEST(CliDiagram, JsonHasLabelsLegendAndOps) {
    const Result r = RunCli(std::string(kBalanced) + " --json --diagram normal:U");
    ASSERT_EQ(r.status, 0) << r.out;
    const json d = json::parse(r.out).at("diagram");
    EXPECT_EQ(d.at("label11"), " - 2");
    EXPECT_EQ(d.at("label12"), "380");
    EXPECT_EQ(d.at("legend"), "1см - 56,7 B");
    const json& ops = d.at("ops");
    ASSERT_GT(ops.size(), 6u);
    EXPECT_EQ(ops[0], json::parse(R"({"op":"fill","x1":0,"y1":0,"x2":400,"y2":400,"color":[255,255,255]})"));
    EXPECT_EQ(
        ops[1],
        json::parse(R"({"op":"text","x":205,"y":2,"text":" + ","color":[0,0,0],"font":"default","size":8})"));
    EXPECT_EQ(
        ops[4],
        json::parse(
            R"({"op":"line","x1":200,"y1":0,"x2":200,"y2":400,"color":[0,0,0],"style":"dot","width":1})"));
    bool sawUa = false;
    for (const json& op : ops) {
        if (op.at("op") == "text" && op.at("text") == "Ua") {
            sawUa = true;
            EXPECT_EQ(
                op,
                json::parse(
                    R"({"op":"text","x":205,"y":15,"text":"Ua","color":[255,0,0],"font":"Time New Roman","size":12})"));
        }
    }
    EXPECT_TRUE(sawUa);
}

TEST(CliDiagram, ANeverComputedModeGivesTheAxesOnly) {
    const Result r = RunCli(std::string(kBalanced) + " --json --diagram break-B:I");
    ASSERT_EQ(r.status, 0) << r.out;
    const json d = json::parse(r.out).at("diagram");
    EXPECT_TRUE(d.at("label11").is_null());
    EXPECT_EQ(d.at("label12"), "0");
    EXPECT_EQ(d.at("legend"), "");
    EXPECT_EQ(d.at("ops").size(), 6u);
}

class CliPictureTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "vornik-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(CliPictureTest, OutWritesTheFormatOfItsExtension) {
    struct Case {
        const char* name;
        std::string magic;
    };
    const Case cases[] = {
        {"d.jpg", "\xFF\xD8\xFF"},
        {"d.JPEG", "\xFF\xD8\xFF"},
        {"d.bmp", "BM"},
        {"d.png", "\x89PNG"},
        {"d.svg", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "},
    };
    for (const Case& c : cases) {
        const fs::path path = dir_ / c.name;
        const Result r = RunCli(std::string(kBalanced) + " --diagram 2 --out " + path.string());
        EXPECT_EQ(r.status, 0) << c.name << ": " << r.out;
        std::ifstream in(path, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(bytes.substr(0, c.magic.size()), c.magic) << c.name;
        EXPECT_GT(bytes.size(), 1000u) << c.name;
    }
}

TEST_F(CliPictureTest, UsageErrorsAndWriteFailures) {
    const std::string existing = (dir_ / "keep.gif").string();
    std::ofstream(existing) << "old";
    struct Case {
        const char* name;
        std::string args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"unknown extension", " --diagram 1 --out " + existing, 2, ".jpg, .jpeg, .bmp, .png или .svg"},
        {"--out without --diagram", " --out " + (dir_ / "d.jpg").string(), 2, "--diagram"},
        {"star mode in a delta run", " --delta --diagram short-A:U", 2, "open-AB"},
        {"delta mode in a star run", " --diagram open-AB:U", 2, "--delta"},
        {"missing folder", " --diagram 1 --out " + (dir_ / "no" / "d.bmp").string(), 1,
         "нет такого файла или папки"},
        {"missing folder for the SVG", " --diagram 1 --out " + (dir_ / "no" / "d.svg").string(), 1,
         "нет такого файла или папки"},
        {"missing folder for the PDF", " --pdf " + (dir_ / "no" / "d.pdf").string(), 1,
         "нет такого файла или папки"},
        {"a folder as the PDF", " --pdf " + dir_.string(), 1, dir_.string() + ": "},
        {"--pdf without a name", " --pdf", 2, "--pdf: нужно имя файла"},
        {"--pdf-diagrams without --pdf", " --pdf-diagrams", 2, "--pdf-diagrams — только вместе с --pdf"},
    };
    for (const Case& c : cases) {
        const Result r = RunCli(kBalanced + c.args);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.name << ": " << r.out;
    }
    std::ifstream in(existing);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
}

TEST_F(CliPictureTest, AFileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
    // Below every picture's size; the program itself must turn the limit into an error message
    // instead of being killed by SIGXFSZ.
    for (const char* name : {"keep.png", "keep.jpg", "keep.bmp", "keep.svg", "keep.pdf"}) {
        SCOPED_TRACE(name);
        const fs::path path = dir_ / name;
        std::ofstream(path) << "old";
        const std::string option = path.extension() == ".pdf" ? "--pdf '" : "--diagram 1 --out '";
        const Result r = RunCli(option + path.string() + "' " + kBalanced, true, "ulimit -f 2; ");
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_EQ(r.out, "vornik-cli: " + path.string() + ": файл слишком велик\n");
        std::ifstream in(path);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
        fs::remove(path);
    }
}

// Runs vornik-cli with the save-call shim preloaded and the given extra environment; returns
// the wait status.
int RunWithShim(const std::vector<std::string>& args, const std::vector<std::string>& env,
                bool ignoreHangup = false) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (ignoreHangup) {
            ::signal(SIGHUP, SIG_IGN);
        }
        ::setenv("LD_PRELOAD", VORNIK_SAVE_SHIM, 1);
        // A sanitizer build wants its runtime first; the shim only wraps three calls.
        const char* asan = ::getenv("ASAN_OPTIONS");
        ::setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":verify_asan_link_order=0").c_str(), 1);
        for (const std::string& e : env) {
            ::putenv(const_cast<char*>(e.c_str()));
        }
        std::vector<char*> argv{const_cast<char*>(VORNIK_CLI)};
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        if (::freopen("/dev/null", "w", stdout) == nullptr) {
            ::_exit(126);
        }
        ::execv(VORNIK_CLI, argv.data());
        ::_exit(127);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child ? status : -1;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(CliPictureTest, TheNewFileIsOnTheDiskBeforeItTakesTheOldName) {
    const fs::path out = dir_ / "keep.bmp";
    std::ofstream(out) << "old";
    const fs::path log = dir_ / "calls.log";
    const int status = RunWithShim({"--r1", "10", "--r2", "10", "--r3", "10", "--diagram", "1", "--out", out},
                                   {"VORNIK_SHIM_LOG=" + log.string()});
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadFile(out).substr(0, 2), "BM");
    EXPECT_EQ(ReadFile(log), "fsync-file\nrename\nfsync-folder\n");
}

TEST_F(CliPictureTest, ASignalDuringTheSaveRemovesTheTemporaryFileAndEndsTheProgram) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(::strsignal(signal));
        const fs::path out = dir_ / "keep.bmp";
        std::ofstream(out) << "old";
        const int status =
            RunWithShim({"--diagram", "2", "--out", out, "--r1", "10", "--r2", "10", "--r3", "10"},
                        {"VORNIK_SHIM_SIGNAL=" + std::to_string(signal)});
        EXPECT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WIFSIGNALED(status) ? WTERMSIG(status) : 0, signal);
        EXPECT_EQ(ReadFile(out), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    }
    // A hangup the calling program ignores stays ignored: the save completes.
    const fs::path out = dir_ / "keep.bmp";
    const int status = RunWithShim({"--diagram", "2", "--out", out, "--r1", "10", "--r2", "10", "--r3", "10"},
                                   {"VORNIK_SHIM_SIGNAL=" + std::to_string(SIGHUP)}, true);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadFile(out).substr(0, 2), "BM");
}

// A pipe whose reader opens at once but reads only a second later gets the whole picture: the
// writes wait for the reader once the pipe is open.
TEST_F(CliPictureTest, APipeReadLateGetsTheWholePicture) {
    const fs::path pipe = dir_ / "late.bmp";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(VORNIK_CLI, VORNIK_CLI, "--diagram", "2", "--out", pipe.c_str(), "--r1", "10", "--r2", "10",
                "--r3", "10", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::sleep(1);
    ::fcntl(reader, F_SETFL, 0);
    std::string got;
    char buffer[65536];
    int status = 0;
    bool ended = false;
    for (;;) {
        const ssize_t n = ::read(reader, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, static_cast<std::size_t>(n));
        } else if (n < 0 || !got.empty() || (ended = ::waitpid(child, &status, WNOHANG) == child)) {
            break;
        } else {
            ::usleep(10000);  // no writer yet: the program is still starting
        }
    }
    ::close(reader);
    ASSERT_TRUE(ended || ::waitpid(child, &status, 0) == child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ASSERT_GE(got.size(), 6u);
    EXPECT_EQ(got.substr(0, 2), "BM");
    std::uint32_t size = 0;
    std::memcpy(&size, got.data() + 2, 4);
    EXPECT_EQ(got.size(), size) << "the BMP's own size";
    EXPECT_GT(got.size(), 65536u) << "more than a pipe holds";
}

}  // namespace
