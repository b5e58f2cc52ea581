#pragma once
// The in-memory BMP encoder of the diagram picture (the JPEG encoder is in pictures/).

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "diagram/RgbPicture.h"

namespace vornik {

// 24-bit BMP: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up BGR rows padded to 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const RgbPicture& picture);

// Throws std::invalid_argument when the pixel buffer does not match the size.
void CheckPicture(const RgbPicture& picture);

}  // namespace vornik
