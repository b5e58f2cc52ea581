#include <cstddef>
#include <limits>

#include "diagram/PictureEncoders.h"

namespace vornik {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

}  // namespace

void CheckPicture(const RgbPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() !=
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3) {
        throw std::invalid_argument("the picture has no pixels or its pixel data does not match its size");
    }
}

std::vector<std::uint8_t> EncodeBmp(const RgbPicture& picture) {
    CheckPicture(picture);
    const std::size_t width = static_cast<std::size_t>(picture.width);
    const std::size_t height = static_cast<std::size_t>(picture.height);
    const std::size_t rowBytes = (width * 3 + 3) / 4 * 4;
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
    const std::size_t fileSize = offset + rowBytes * height;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) {
        throw std::invalid_argument("the picture is too large for a BMP file");
    }
    std::vector<std::uint8_t> out(fileSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(fileSize));
    Put32(out, 10, static_cast<std::uint32_t>(offset));
    Put32(out, 14, kInfoHeaderSize);
    Put32(out, 18, static_cast<std::uint32_t>(width));
    Put32(out, 22, static_cast<std::uint32_t>(height));  // positive: rows run bottom-up
    Put16(out, 26, 1);                                   // planes
    Put16(out, 28, 24);                                  // bits per pixel
    Put32(out, 30, 0);                                   // BI_RGB, no compression
    Put32(out, 34, static_cast<std::uint32_t>(rowBytes * height));
    Put32(out, 38, kPixelsPerMetre);
    Put32(out, 42, kPixelsPerMetre);
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* src = picture.rgb.data() + (height - 1 - row) * width * 3;
        std::uint8_t* dst = out.data() + offset + row * rowBytes;
        for (std::size_t x = 0; x < width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    return out;
}

}  // namespace vornik
