// Start-up of the desktop program.

#include <QApplication>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "ui/app/Forms.h"
#include "ui/app/StartUp.h"
#include "ui/windows/TaskCommands.h"
#include "ui/windows/Unit1.h"

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
    // "vornik FILE.vornik" (a double click in a file manager) opens the task once the windows
    // are up, so that a message about a bad file shows over them.
    if (const QString task = TaskFileArgument(QApplication::arguments()); !task.isEmpty()) {
        QTimer::singleShot(0, Form1, [task] { OpenTaskFile(task); });
    }
    const int status = QApplication::exec();
    DestroyWindows();
    return status;
}
