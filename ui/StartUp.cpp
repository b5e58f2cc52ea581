#include "ui/StartUp.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdlib>
#include <cstring>

#include "ui/Accessibility.h"
#include "ui/Forms.h"
#include "ui/Glyphs.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "ui/Unit7.h"
#include "ui/Unit8.h"

namespace {

bool Set(const char* value) {
    return value != nullptr && *value != '\0';
}

bool StartsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

std::string NoDisplayMessage(const char* platform, const char* display, const char* wayland) {
    bool needsDisplay = false;
    if (!Set(platform)) {
        needsDisplay = !Set(display) && !Set(wayland);
    } else if (StartsWith(platform, "xcb")) {
        needsDisplay = !Set(display);
    } else if (StartsWith(platform, "wayland")) {
        needsDisplay = !Set(wayland);
    }
    if (!needsDisplay) {
        return std::string();
    }
    return "vornik: no graphical display available (DISPLAY is not set); "
           "use vornik-cli for the calculation from the command line";
}

std::string CommandLineText(int argc, char** argv) {
    bool help = false;
    bool version = false;
    for (int k = 1; k < argc; ++k) {
        help = help || std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0;
        version = version || std::strcmp(argv[k], "--version") == 0;
    }
    if (help) {
        return "Usage: vornik [--help | --version | Qt options such as -platform NAME]\n"
               "\n"
               "Vornik (Three phase chains) " VORNIK_VERSION
               ": worked solutions and phasor diagrams of three-phase\n"
               "AC circuits (star or delta load, emergency modes), for teaching. It opens its windows\n"
               "on a graphical display; vornik-cli runs the same calculation from the command line\n"
               "(vornik-cli --help).\n"
               "\n"
               "Options:\n"
               "  --help      this text\n"
               "  --version   the program's name and version\n";
    }
    if (version) {
        return "vornik " VORNIK_VERSION "\n";
    }
    return std::string();
}

std::string NoDisplayMessage(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    for (int k = 1; k + 1 < argc; ++k) {
        if (std::strcmp(argv[k], "-platform") == 0 || std::strcmp(argv[k], "--platform") == 0) {
            platform = argv[k + 1];
        }
    }
    return NoDisplayMessage(platform, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
}

void PrepareApplication(QApplication& app) {
    // The windows name the fonts of the original desktop; map them to metric-compatible ones.
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Time New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));

    // Qt's own dialogs, buttons and context menus in Russian, like the rest of the program.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }

    app.setWindowIcon(GlyphIcon(Glyph::Program, 64));
    // Closing a secondary window only hides it; the main window ends the program itself.
    app.setQuitOnLastWindowClosed(false);
}

void CreateWindows() {
    auto* splash = new TForm6;
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    Form1 = new TForm1;
    Form2 = new TForm2;
    Form3 = new TForm3;
    Form4 = new TForm4;
    Form5 = new TForm5;
    Form7 = new TForm7;
    Form8 = new TForm8;

    splash->hide();
    delete splash;
    InstallAccessibility();
}

void DestroyWindows() {
    delete Form8;
    delete Form7;
    delete Form5;
    delete Form4;
    delete Form3;
    delete Form2;
    delete Form1;
    Form8 = nullptr;
    Form7 = nullptr;
    Form5 = nullptr;
    Form4 = nullptr;
    Form3 = nullptr;
    Form2 = nullptr;
    Form1 = nullptr;
}
