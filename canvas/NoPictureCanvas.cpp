// The canvas loader of a build without Qt: vornik-cli computes and prints, but draws no picture
// files.

#include <stdexcept>

#include "canvas/PdfDocument.h"
#include "canvas/PictureCanvas.h"

namespace vornik {

std::unique_ptr<PictureCanvas> MakeHeadlessCanvas() {
    throw std::runtime_error("эта сборка vornik-cli без Qt не пишет рисунков");
}

std::string BuildPdf(const PdfContent&) {
    throw std::runtime_error("эта сборка vornik-cli без Qt не пишет PDF");
}

}  // namespace vornik
