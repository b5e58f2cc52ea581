#include "ui/app/StartUp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWindow>
#include <cstdlib>
#include <cstring>

#include "solver/Version.h"
#include "ui/app/Accessibility.h"
#include "ui/app/Forms.h"
#include "ui/widgets/FieldBehaviour.h"
#include "ui/widgets/Glyphs.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"
#include "ui/windows/Unit5.h"
#include "ui/windows/Unit6.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

bool Set(const char* value) {
    return value != nullptr && *value != '\0';
}

bool StartsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// How long start-up waits at most for the window system to put the splash on screen. A display
// that never exposes it (or a window manager that keeps it unmapped) must not hold start-up.
constexpr int kSplashWaitMs = 1500;

std::function<void(QWidget*)> g_splashShownHook;

// Sees the splash's paint events, so start-up knows when it has been drawn on screen.
class PaintSeen : public QObject {
  public:
    using QObject::QObject;
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Shows the splash and returns once the window system has exposed it and it has painted itself
// (or after kSplashWaitMs). Repainting before the window is exposed draws nothing: with a window
// manager the window is mapped only after a round trip, so the events are processed until then.
void ShowSplashPainted(QWidget* splash) {
    PaintSeen seen;
    splash->installEventFilter(&seen);
    splash->show();
    QElapsedTimer waited;
    waited.start();
    const QWindow* window = splash->windowHandle();
    while (!(seen.painted && window != nullptr && window->isExposed()) && waited.elapsed() < kSplashWaitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!seen.painted && window != nullptr && window->isExposed()) {
            splash->repaint();
        }
    }
    splash->removeEventFilter(&seen);
    // The drawing requests reach the display server before the slow work starts.
    QGuiApplication::sync();
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
    return "vornik: нет графического дисплея (DISPLAY не задан); "
           "для расчёта из командной строки есть vornik-cli";
}

std::string CommandLineText(int argc, char** argv) {
    bool help = false;
    bool version = false;
    for (int k = 1; k < argc; ++k) {
        help = help || std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0;
        version = version || std::strcmp(argv[k], "--version") == 0;
    }
    if (help) {
        std::string text =
            "Использование: vornik [--help | --version | ключи Qt, например -platform ИМЯ] [ФАЙЛ.vornik]\n"
            "\n"
            "Vornik (Three phase chains) ";
        text += vornik::kVersion;
        text +=
            ": решения с выкладками и векторные диаграммы трёхфазных\n"
            "цепей переменного тока (нагрузка звездой или треугольником, аварийные режимы) для\n"
            "обучения. Окна программы открываются на графическом дисплее; тот же расчёт из\n"
            "командной строки выполняет vornik-cli (vornik-cli --help).\n"
            "\n"
            "Ключи:\n"
            "  --help      эта справка\n"
            "  --version   название и версия программы\n"
            "  ФАЙЛ.vornik открыть файл задачи (как Файл > Открыть задачу…)\n";
        return text;
    }
    if (version) {
        std::string text = "vornik ";
        text += vornik::kVersion;
        text += '\n';
        return text;
    }
    return std::string();
}

QString TaskFileArgument(const QStringList& arguments) {
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        if (!arguments[k].startsWith(u'-')) {
            return arguments[k];
        }
    }
    return QString();
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
    InstallFieldBehaviour();
}

void CreateWindows() {
    auto* splash = new TForm6;
    ShowSplashPainted(splash);
    if (g_splashShownHook) {
        g_splashShownHook(splash);
    }

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

void SetSplashShownHook(std::function<void(QWidget*)> hook) {
    g_splashShownHook = std::move(hook);
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
