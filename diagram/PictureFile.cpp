#include "diagram/PictureFile.h"

#include <stdexcept>

// Placeholder until the picture encoders land.
namespace vornik {
void SavePicture(const RgbPicture&, PictureFormat, const std::string&) {
    throw std::runtime_error("picture files are not available yet");
}
}  // namespace vornik
