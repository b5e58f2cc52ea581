// The JPEG encoder of a build without libjpeg.

#include "pictures/JpegEncoder.h"

namespace vornik {

std::vector<std::uint8_t> EncodeJpeg(const RgbPicture&) {
    throw std::runtime_error("эта сборка без libjpeg не пишет JPEG");
}

}  // namespace vornik
