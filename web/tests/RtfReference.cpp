// The desktop program's RTF for a document of lines, as a command for the web edition's tests:
// reads the lines (UTF-8) from standard input, takes the raised spans as "line,begin,end;..."
// from the first argument and writes the RTF file's bytes to standard output.

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "report/RtfDocument.h"

int main(int argc, char** argv) {
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(std::cin, line)) {
        lines.push_back(line);
    }
    std::vector<vornik::RaisedSpan> raised;
    std::istringstream spans(argc > 1 ? argv[1] : "");
    std::string span;
    while (std::getline(spans, span, ';')) {
        vornik::RaisedSpan r;
        if (std::sscanf(span.c_str(), "%zu,%zu,%zu", &r.line, &r.begin, &r.end) == 3) {
            raised.push_back(r);
        }
    }
    const std::string rtf = vornik::RtfFromLines(lines, raised);
    std::fwrite(rtf.data(), 1, rtf.size(), stdout);
    return 0;
}
