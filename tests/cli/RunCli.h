#pragma once
// Runs the vornik-cli binary of this build and collects its exit status and output.

#include <stdio.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
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

// What a shell command prints on standard output (pdftotext, pdfinfo).
inline std::string CommandOutput(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    pclose(pipe);
    return out;
}

// A text without white space and form feeds, so lines wrapped differently still compare.
inline std::string WithoutSpaces(const std::string& text) {
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [](unsigned char c) { return !std::isspace(c) && c != '\f'; });
    return out;
}

}  // namespace vornik::test
