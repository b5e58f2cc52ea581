#pragma once
// Pictures the program ships drawn beforehand (the splash, the toolbar glyphs), kept as raw
// netpbm files: PPM ("P6") for opaque pictures, PAM ("P7", RGB_ALPHA) for pictures with
// transparency. Their pixels are taken as they stand, several times quicker than decoding a
// compressed format; inside the program they are stored uncompressed and used in place.

#include <QByteArray>
#include <QImage>
#include <QString>

// The picture in a PPM or PAM file's bytes, as QImage writes PPM and WriteRawPicture writes PAM;
// any other picture is given to Qt's decoders.
QImage ReadRawPicture(const QByteArray& bytes);

// Writes the picture as PAM if it has transparency, else as PPM. False if the file cannot be
// written.
bool WriteRawPicture(const QImage& picture, const QString& path);

// A picture shipped in the program's resources (ui/data/pictures.qrc), by file name.
QImage ShippedPicture(const QString& name);

// The folders of the fonts the shipped pictures are drawn with: Liberation 1 from the package
// fonts-liberation and DejaVu from fonts-dejavu-core, which scripts/install-deps.sh installs.
inline constexpr const char* kPictureFontFolders[] = {"/usr/share/fonts/truetype/liberation",
                                                      "/usr/share/fonts/truetype/dejavu"};

// Makes the font files of those folders the only ones this process draws with: a fontconfig
// file naming them (and the system's usual aliases and rendering rules) is written and set in
// FONTCONFIG_FILE. A word processor brings fonts-liberation2, which fontconfig would otherwise
// prefer for "Liberation Serif", "Times New Roman" and "Arial", and the pictures would come out
// in other letters. Call it before the QApplication is made: the program that draws the shipped
// pictures and the test that compares them with a live drawing do. False if the file could not
// be written.
bool UsePictureFonts();
