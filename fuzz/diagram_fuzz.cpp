// Fuzzes the phasor diagram over arbitrary mode records (NaN, infinities, huge and tiny values)
// and every button: drawing never crashes, and every coordinate that reaches the canvas lies
// near the picture, so no value that is not finite or not scaled gets through.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "diagram/Diagram.h"

namespace {

// Scaled phasors end within 200 pixels of the centre; labels and barbs add a few more.
constexpr int kLowest = -vornik::kCanvasSize;
constexpr int kHighest = 2 * vornik::kCanvasSize;

void Check(int x, int y) {
    if (x < kLowest || x > kHighest || y < kLowest || y > kHighest) {
        std::abort();
    }
}

class CheckingCanvas : public vornik::DiagramCanvas {
  public:
    void FillWhite() override {}
    void SetPen(vornik::Rgb, vornik::PenStyle, int) override {}
    void SetPenColor(vornik::Rgb) override {}
    void SetPenStyle(vornik::PenStyle) override {}
    void SetPenWidth(int) override {}
    void MoveTo(int x, int y) override { Check(x, y); }
    void LineTo(int x, int y) override { Check(x, y); }
    void SetFontFace(const std::string&) override {}
    void SetFontSize(int) override {}
    void SetFontColor(vornik::Rgb) override {}
    void TextOut(int x, int y, const std::string&) override { Check(x, y); }
};

}  // namespace

// Input: one byte of selection (bit 0 star, bit 1 neutral, the rest the button), then doubles
// filling the mode slots field by field, slot after slot; fields past the input stay zero.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const vornik::DiagramSelection selection{(data[0] & 1) == 0, (data[0] & 2) != 0, 1 + (data[0] >> 2) % 14};
    std::array<vornik::SolutionRecord, vornik::kModeSlotCount> slots{};
    std::size_t at = 1;
    for (auto& slot : slots) {
        for (int field = 0; field < vornik::kFieldCount && at + sizeof(double) <= size; ++field) {
            double value = 0;
            std::memcpy(&value, data + at, sizeof value);
            slot[field] = value;
            at += sizeof value;
        }
    }
    CheckingCanvas canvas;
    vornik::DiagramLabels labels;
    vornik::DrawSelectedDiagram(canvas, slots, selection, labels);
    return 0;
}
