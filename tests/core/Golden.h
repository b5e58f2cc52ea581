#pragma once
// Golden worked solutions kept as files a reviewer can read (tests/core/data).

#include <fstream>
#include <string>
#include <vector>

namespace vornik::test {

// The lines of a golden worked solution kept in tests/core/data.
inline std::vector<std::string> ReadGolden(const std::string& name) {
    std::ifstream in(std::string(VORNIK_TEST_DATA) + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace vornik::test
