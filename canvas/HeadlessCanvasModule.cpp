// The loadable module behind MakeHeadlessCanvas: the painter canvas with a QGuiApplication on
// the offscreen platform.

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "canvas/PictureCanvas.h"
#include "canvas/QtDiagramCanvas.h"
#include "canvas/QtPdfDocument.h"

namespace vornik {

namespace {

// Qt's own warnings (a missing runtime directory and the like) mean nothing to a user who asked
// for a picture file.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

// Text needs a QGuiApplication. The one made here is kept for the rest of the process:
// destroying it after main() returns would run Qt's shutdown after Qt's own globals are gone.
void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    static char arg0[] = "vornik";
    static char arg1[] = "-platform";
    static char arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    static int argc = 3;
    qInstallMessageHandler(QuietQtMessages);
    new QGuiApplication(argc, argv);
}

class ModuleCanvas : public PictureCanvas {
  public:
    void FillWhite() override { canvas_.FillWhite(); }
    void SetPen(Rgb color, PenStyle style, int width) override { canvas_.SetPen(color, style, width); }
    void SetPenColor(Rgb color) override { canvas_.SetPenColor(color); }
    void SetPenStyle(PenStyle style) override { canvas_.SetPenStyle(style); }
    void SetPenWidth(int width) override { canvas_.SetPenWidth(width); }
    void MoveTo(int x, int y) override { canvas_.MoveTo(x, y); }
    void LineTo(int x, int y) override { canvas_.LineTo(x, y); }
    void SetFontFace(const std::string& face) override { canvas_.SetFontFace(face); }
    void SetFontSize(int points) override { canvas_.SetFontSize(points); }
    void SetFontColor(Rgb color) override { canvas_.SetFontColor(color); }
    void TextOut(int x, int y, const std::string& text) override { canvas_.TextOut(x, y, text); }

    RgbPicture Picture() const override { return canvas_.Picture(); }
    TextExtent Measure(const std::optional<std::string>& face, int points,
                       const std::string& text) const override {
        return canvas_.Measure(face, points, text);
    }

    // Only encodes: the file is written by the program's own ReplaceFile.
    std::string PngBytes() const override {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) || !canvas_.Image().save(&buffer, "PNG")) {
            return std::string();
        }
        return bytes.toStdString();
    }

  private:
    QtDiagramCanvas canvas_;
};

}  // namespace

}  // namespace vornik

extern "C" __attribute__((visibility("default"))) vornik::PictureCanvas* VornikMakeHeadlessCanvas() {
    vornik::EnsureGuiApplication();
    return new vornik::ModuleCanvas();
}

// Exceptions pass to the caller: the module and the program share the C++ runtime.
extern "C" __attribute__((visibility("default"))) void VornikBuildPdf(const vornik::PdfContent& content,
                                                                      std::string& out) {
    vornik::EnsureGuiApplication();
    out = vornik::BuildPdfDocument(content);
}
