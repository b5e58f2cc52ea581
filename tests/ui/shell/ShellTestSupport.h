#pragma once
// Helpers of the desktop-program tests: the program's windows built by its own start-up code,
// and modal message boxes recorded and closed while a command runs.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "ui/StartUp.h"

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

// Runs action; every modal message box it opens is recorded and closed with OK.
inline QList<SeenBox> CaptureMessageBoxes(const std::function<void()>& action) {
    QList<SeenBox> seen;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.append({box->windowTitle(), box->text(), box->icon()});
            box->done(QMessageBox::Ok);
        }
    });
    timer.start();
    action();
    timer.stop();
    return seen;
}

// Runs action; the first modal dialog of type D it opens is handed to `drive`, which must
// accept or reject it.
template <typename D>
bool DriveModalDialog(const std::function<void()>& action, const std::function<void(D*)>& drive) {
    bool seen = false;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()); dialog && !seen) {
            seen = true;
            drive(dialog);
        }
    });
    timer.start();
    action();
    timer.stop();
    return seen;
}

// The program's application settings and windows, as its start-up makes them.
inline void StartProgramWindows() {
    PrepareApplication(*static_cast<QApplication*>(QCoreApplication::instance()));
    CreateWindows();
}
