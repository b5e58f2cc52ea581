#pragma once
// The in-memory JPEG encoder of the diagram picture; SavePicture puts its bytes, or the BMP
// encoder's, into a file.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "diagram/PictureEncoders.h"

namespace vornik {

inline constexpr int kJpegQuality = 90;

// Baseline JPEG by libjpeg: library defaults, floating-point DCT, quality 90 with baseline
// tables, three RGB components. Throws std::runtime_error with libjpeg's message on failure.
std::vector<std::uint8_t> EncodeJpeg(const RgbPicture& picture);

}  // namespace vornik
