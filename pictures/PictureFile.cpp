#include "pictures/PictureFile.h"

#include <stdexcept>
#include <string_view>

#include "fileio/ReplaceFile.h"
#include "pictures/JpegEncoder.h"

namespace vornik {

void SavePicture(const RgbPicture& picture, PictureFormat format, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = format == PictureFormat::Jpeg ? EncodeJpeg(picture) : EncodeBmp(picture);
    } catch (const std::exception& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
    ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace vornik
