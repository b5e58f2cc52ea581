#pragma once
// Whether xmllint finds a document well formed: the check every XML and SVG the program writes
// passes in the tests.

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace vornik::test {

inline bool XmlLintAccepts(const std::string& document) {
    char path[] = "/tmp/vornik-xml-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        return false;
    }
    const bool written = write(fd, document.data(), document.size()) == static_cast<ssize_t>(document.size());
    close(fd);
    const int status = std::system(("xmllint --noout '" + std::string(path) + "' 2>/dev/null").c_str());
    unlink(path);
    return written && status == 0;
}

}  // namespace vornik::test
