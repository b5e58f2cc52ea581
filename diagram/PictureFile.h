#pragma once
// Writing the diagram picture to a file. The format is the caller's choice, never the file
// name's. The file is replaced by ReplaceFile, so a failed write leaves an existing file intact.

#include <cstdint>
#include <string>
#include <vector>

namespace vornik {

enum class PictureFormat { Jpeg, Bmp };

// A picture as 24-bit RGB rows, top row first, no padding.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// Throws FileWriteError (a std::runtime_error) with the system's error when the file cannot be
// written, std::runtime_error when the picture cannot be encoded.
void SavePicture(const RgbPicture& picture, PictureFormat format, const std::string& path);

}  // namespace vornik
