// The JPEG encoder of a build without libjpeg.

#include "pictures/JpegEncoder.h"

namespace vornik {

std::vector<std::uint8_t> EncodeJpeg(const RgbPicture&) {
    throw std::runtime_error("this build writes no JPEG pictures (built without libjpeg)");
}

}  // namespace vornik
