#pragma once
// The diagram as a picture in memory, what the picture encoders take.

#include <cstdint>
#include <vector>

namespace vornik {

// A picture as 24-bit RGB rows, top row first, no padding.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

}  // namespace vornik
