// The canvas loader of a build without Qt: vornik-cli computes and prints, but draws no picture
// files.

#include <stdexcept>

#include "canvas/PdfDocument.h"
#include "canvas/PictureCanvas.h"

namespace vornik {

std::unique_ptr<PictureCanvas> MakeHeadlessCanvas() {
    throw std::runtime_error("this build of vornik-cli writes no pictures (built without Qt)");
}

std::string BuildPdf(const PdfContent&) {
    throw std::runtime_error("this build of vornik-cli writes no PDF (built without Qt)");
}

}  // namespace vornik
