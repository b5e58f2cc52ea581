#pragma once
// In-memory encoders of the diagram picture; SavePicture puts their bytes into a file.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "diagram/PictureFile.h"

namespace vornik {

inline constexpr int kJpegQuality = 90;

// 24-bit BMP: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up BGR rows padded to 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const RgbPicture& picture);

// Baseline JPEG by libjpeg: library defaults, floating-point DCT, quality 90 with baseline
// tables, three RGB components. Throws std::runtime_error with libjpeg's message on failure.
std::vector<std::uint8_t> EncodeJpeg(const RgbPicture& picture);

// Throws std::invalid_argument when the pixel buffer does not match the size.
void CheckPicture(const RgbPicture& picture);

}  // namespace vornik
