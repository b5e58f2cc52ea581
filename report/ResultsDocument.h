#pragma once
// The results document as the report writers see it: an ordered list of paragraphs.

#include <string>
#include <vector>

namespace vornik {

class ResultsDocument {
  public:
    virtual ~ResultsDocument() = default;
    virtual void Clear() = 0;
    // One paragraph; the empty text adds an empty paragraph.
    virtual void AppendLine(const std::string& text) = 0;
};

// An in-memory document, for the command line and tests.
class LinesDocument : public ResultsDocument {
  public:
    void Clear() override { lines.clear(); }
    void AppendLine(const std::string& text) override { lines.push_back(text); }

    std::vector<std::string> lines;
};

}  // namespace vornik
