#pragma once
// Golden worked solutions kept as files a reviewer can read (tests/core/data).

#include <gtest/gtest.h>

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

// Compares a document line by line with a golden file, naming the first lines that differ.
inline void ExpectGolden(const std::vector<std::string>& lines, const std::string& name) {
    const std::vector<std::string> expected = ReadGolden(name);
    ASSERT_FALSE(expected.empty()) << name << " is missing or empty";
    ASSERT_EQ(lines.size(), expected.size()) << name;
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(lines[k], expected[k]) << name << " line " << k + 1;
    }
}

}  // namespace vornik::test
