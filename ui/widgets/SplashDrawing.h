#pragma once
// The splash screen's picture: the emblem and the captions on black. The program shows it from
// ui/data/splash.ppm, drawn from these controls by scripts/draw-pictures.sh, so that the splash
// appears at once without loading the fonts of its four captions.

#include <QImage>

class QWidget;

inline constexpr int kSplashWidth = 456;
inline constexpr int kSplashHeight = 212;

// Puts the picture's controls on splash, a black area of kSplashWidth × kSplashHeight: the
// emblem Image1 and the captions Label1 .. Label5.
void BuildSplashControls(QWidget* splash);

// The picture as those controls draw it.
QImage DrawSplashPicture();
