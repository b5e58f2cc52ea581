#pragma once
// Start-up of the desktop program: checks before Qt starts, application settings, and the
// windows in their order of creation.

#include <functional>
#include <string>

class QApplication;
class QWidget;

// The text that --help or --version asks for (help wins), or empty when neither is given. These
// are answered before Qt starts, so they work without a display.
std::string CommandLineText(int argc, char** argv);

// The one-line message for a start where no graphical display can be opened, or empty. The
// platform is the -platform argument if given, else QT_QPA_PLATFORM; display and wayland are
// the DISPLAY and WAYLAND_DISPLAY variables (null when unset).
std::string NoDisplayMessage(const char* platform, const char* display, const char* wayland);

// The same, read from the arguments and the environment of this process.
std::string NoDisplayMessage(int argc, char** argv);

// Fonts the windows ask for mapped to installed ones, Qt's own Russian texts, and the main
// window alone ending the program.
void PrepareApplication(QApplication& app);

// Shows the splash screen while the windows are created in their fixed order (main window,
// results, parameters, precision, About box, diagram, assistant), then removes it. The splash is
// on screen, painted, before the first window is built (waiting at most a moment for the window
// system to expose it).
void CreateWindows();

// Called by CreateWindows with the splash once it is painted, before the main window is built:
// lets a check look at the screen at that moment. An empty function removes the hook.
void SetSplashShownHook(std::function<void(QWidget*)> hook);

// Destroys the windows again, in reverse order.
void DestroyWindows();
