#include "ui/widgets/RawPicture.h"

#include <QDir>
#include <QFile>
#include <QResource>
#include <QTemporaryFile>

namespace {

// The netpbm header: the magic line, then "key value" tokens up to the end of the header. For
// PPM the tokens are width, height and maximum value, and one whitespace character ends the
// header; PAM names them and ends with ENDHDR and a newline.
struct Header {
    QByteArray magic;
    int width = 0;
    int height = 0;
    int depth = 0;
    int maxValue = 0;
    QByteArray tupleType;
    qsizetype dataStart = -1;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// The next whitespace-separated token from pos on; empty at the end of the bytes.
QByteArray Token(const QByteArray& bytes, qsizetype& pos) {
    while (pos < bytes.size() && IsSpace(bytes[pos])) {
        ++pos;
    }
    const qsizetype start = pos;
    while (pos < bytes.size() && !IsSpace(bytes[pos])) {
        ++pos;
    }
    return bytes.mid(start, pos - start);
}

Header ReadHeader(const QByteArray& bytes) {
    Header h;
    qsizetype pos = 0;
    h.magic = Token(bytes, pos);
    if (h.magic == "P6") {
        h.width = Token(bytes, pos).toInt();
        h.height = Token(bytes, pos).toInt();
        h.maxValue = Token(bytes, pos).toInt();
        h.depth = 3;
        h.dataStart = pos + 1;
    } else if (h.magic == "P7") {
        for (QByteArray key = Token(bytes, pos); !key.isEmpty(); key = Token(bytes, pos)) {
            if (key == "ENDHDR") {
                h.dataStart = pos + 1;
                break;
            }
            const QByteArray value = Token(bytes, pos);
            if (key == "WIDTH") {
                h.width = value.toInt();
            } else if (key == "HEIGHT") {
                h.height = value.toInt();
            } else if (key == "DEPTH") {
                h.depth = value.toInt();
            } else if (key == "MAXVAL") {
                h.maxValue = value.toInt();
            } else if (key == "TUPLTYPE") {
                h.tupleType = value;
            }
        }
    }
    return h;
}

// The picture over the file's bytes, not copied; null if they are not a raw PPM or PAM.
QImage WrapRawPicture(const QByteArray& bytes) {
    const Header h = ReadHeader(bytes);
    const bool rgb = h.magic == "P6" && h.depth == 3;
    const bool rgba = h.magic == "P7" && h.depth == 4 && h.tupleType == "RGB_ALPHA";
    if ((!rgb && !rgba) || h.maxValue != 255 || h.width <= 0 || h.height <= 0 || h.dataStart < 0 ||
        bytes.size() - h.dataStart != qsizetype(h.width) * h.height * h.depth) {
        return QImage();
    }
    return QImage(reinterpret_cast<const uchar*>(bytes.constData() + h.dataStart), h.width, h.height,
                  h.width * h.depth, rgb ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
}

}  // namespace

QImage ReadRawPicture(const QByteArray& bytes) {
    const QImage wrapped = WrapRawPicture(bytes);
    // The copy owns its pixels; the bytes stay the caller's.
    return wrapped.isNull() ? QImage::fromData(bytes) : wrapped.copy();
}

bool WriteRawPicture(const QImage& picture, const QString& path) {
    const bool alpha = picture.hasAlphaChannel();
    const QImage pixels = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    QByteArray bytes = alpha ? QByteArrayLiteral(
                                   "P7\nWIDTH %1\nHEIGHT %2\nDEPTH 4\nMAXVAL 255\n"
                                   "TUPLTYPE RGB_ALPHA\nENDHDR\n")
                             : QByteArrayLiteral("P6\n%1 %2\n255\n");
    bytes.replace("%1", QByteArray::number(pixels.width()))
        .replace("%2", QByteArray::number(pixels.height()));
    const qsizetype row = qsizetype(pixels.width()) * (alpha ? 4 : 3);
    for (int y = 0; y < pixels.height(); ++y) {
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), row);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QImage ShippedPicture(const QString& name) {
    // The pictures are compiled into the program's library; registering them here keeps the
    // linker from dropping them.
    Q_INIT_RESOURCE(pictures);
    const QResource resource(QStringLiteral(":/vornik/") + name);
    if (resource.compressionAlgorithm() == QResource::NoCompression) {
        // Stored as they are: the pixels are used in place, where they stay while the program runs.
        const QImage wrapped = WrapRawPicture(
            QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size()));
        if (!wrapped.isNull()) {
            return wrapped;
        }
    }
    return ReadRawPicture(resource.uncompressedData());
}

bool UsePictureFonts() {
    // Kept for the life of the process: fontconfig reads it when the fonts are first needed.
    static QTemporaryFile config(QDir::tempPath() + QStringLiteral("/vornik-picture-fonts-XXXXXX.conf"));
    if (!config.open()) {
        return false;
    }
    QByteArray text =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
        "<fontconfig>\n";
    for (const char* folder : kPictureFontFolders) {
        text += "  <dir>" + QByteArray(folder) + "</dir>\n";
    }
    text +=
        "  <cachedir>/var/cache/fontconfig</cachedir>\n"
        "  <cachedir prefix=\"xdg\">fontconfig</cachedir>\n"
        "  <include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n"
        "</fontconfig>\n";
    if (config.write(text) != text.size() || !config.flush()) {
        return false;
    }
    return qputenv("FONTCONFIG_FILE", QFile::encodeName(config.fileName()));
}
