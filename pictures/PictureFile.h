#pragma once
// Writing the diagram picture to a file. The format is the caller's choice, never the file
// name's. The file is replaced by ReplaceFile, so a failed write leaves an existing file intact.

#include <string>

#include "diagram/RgbPicture.h"

namespace vornik {

enum class PictureFormat { Jpeg, Bmp };

// Throws FileWriteError (a std::runtime_error) with the system's error when the file cannot be
// written, std::runtime_error when the picture cannot be encoded.
void SavePicture(const RgbPicture& picture, PictureFormat format, const std::string& path);

}  // namespace vornik
