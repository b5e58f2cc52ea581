#pragma once
// Runs the vornik-cli binary of this build and collects its exit status and output.

#include <stdio.h>
#include <sys/wait.h>

#include <array>
#include <string>

namespace vornik::test {

struct CliResult {
    int status = -1;
    std::string out;
};

// `args` are shell-quoted; stderr is folded into the output when asked, else dropped. `before`
// is shell text run first in the same shell (a ulimit).
inline CliResult RunCli(const std::string& args, bool withStderr = true, const std::string& before = "") {
    const std::string cmd =
        before + std::string(VORNIK_CLI) + " " + args + (withStderr ? " 2>&1" : " 2>/dev/null");
    CliResult r;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) {
        r.out.append(buf.data(), n);
    }
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

}  // namespace vornik::test
