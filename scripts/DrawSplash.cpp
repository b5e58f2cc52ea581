// Draws the splash screen's picture (emblem and captions) and writes it as the picture the program
// ships, ui/data/splash.ppm.
//
//   vornik-draw-splash OUTPUT.ppm
//
// scripts/draw-splash.sh builds and runs it; run that after changing the splash's controls in
// ui/SplashDrawing.cpp or the emblem in ui/Emblem.cpp.

#include <QApplication>
#include <QImage>
#include <cstdio>

#include "ui/SplashDrawing.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ppm\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    if (!DrawSplashPicture().save(QString::fromLocal8Bit(argv[1]), "PPM")) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
