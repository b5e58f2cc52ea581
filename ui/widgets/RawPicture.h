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
