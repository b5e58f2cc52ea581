#pragma once
// A painter canvas for programs without windows (the command line). The Qt implementation
// lives in a module that is loaded on first use, so that a program that never draws a picture
// does not load Qt at all. This header includes nothing of Qt.

#include <memory>
#include <string>

#include "diagram/DiagramCanvas.h"
#include "diagram/SvgWriter.h"
#include "pictures/PictureFile.h"

namespace vornik {

// Also the font system's measure of texts, for the SVG of a drawing.
class PictureCanvas : public DiagramCanvas, public TextMeasure {
  public:
    // The picture as 24-bit RGB rows for SavePicture.
    virtual RgbPicture Picture() const = 0;
    // The picture as the bytes of a PNG file; empty when it cannot be encoded.
    virtual std::string PngBytes() const = 0;
};

// Loads the canvas module once (starting a headless QGuiApplication if there is none) and
// makes a new canvas. Throws std::runtime_error when the module cannot be loaded.
std::unique_ptr<PictureCanvas> MakeHeadlessCanvas();

// The module's entry point, looked up by name.
inline constexpr const char* kHeadlessCanvasEntry = "VornikMakeHeadlessCanvas";
using MakeHeadlessCanvasFn = PictureCanvas* (*)();

}  // namespace vornik
