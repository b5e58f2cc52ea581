// Draws the pictures the program ships drawn beforehand and writes them into a folder (normally
// ui/data): splash.ppm, the splash screen's emblem and captions, and glyphs.pam, the toolbar
// glyphs at the buttons' sizes.
//
//   vornik-draw-pictures OUTPUT_DIR
//
// scripts/draw-pictures.sh builds and runs it; run that after changing the splash's controls
// (ui/widgets/SplashDrawing.cpp), the emblem (ui/widgets/Emblem.cpp) or a glyph
// (ui/widgets/Glyphs.cpp).

#include <QApplication>
#include <QDir>
#include <cstdio>

#include "ui/widgets/Glyphs.h"
#include "ui/widgets/RawPicture.h"
#include "ui/widgets/SplashDrawing.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    // Drawn with the font files of the packages named, whatever else the machine has installed.
    if (!UsePictureFonts()) {
        std::fprintf(stderr, "could not write the font configuration\n");
        return 1;
    }
    QApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    int status = 0;
    for (const auto& [name, picture] : {std::pair{QStringLiteral("splash.ppm"), DrawSplashPicture()},
                                        std::pair{QStringLiteral("glyphs.pam"), DrawGlyphSheet()}}) {
        if (!WriteRawPicture(picture, out.filePath(name))) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(out.filePath(name)));
            status = 1;
        }
    }
    return status;
}
