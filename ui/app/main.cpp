// Start-up of the desktop program.

#include <QApplication>
#include <csignal>
#include <cstdio>

#include "ui/Forms.h"
#include "ui/StartUp.h"
#include "ui/Unit1.h"

int main(int argc, char** argv) {
    // A file-size limit then fails a save with a message instead of killing the program with the
    // user's work in it.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const std::string text = CommandLineText(argc, argv); !text.empty()) {
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    // Without a display Qt would abort with a long platform-plugin message; say it in one line.
    if (const std::string message = NoDisplayMessage(argc, argv); !message.empty()) {
        std::fprintf(stderr, "%s\n", message.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    PrepareApplication(app);
    CreateWindows();
    Form1->show();
    const int status = QApplication::exec();
    DestroyWindows();
    return status;
}
