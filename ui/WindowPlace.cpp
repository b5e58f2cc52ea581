#include "ui/WindowPlace.h"

#include <QWidget>

void ShowWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

QSize FrameExtra(const QWidget* window) {
    return window->frameGeometry().size() - window->geometry().size();
}

void PlaceOuter(QWidget* window, int left, int top, int width, int height) {
    window->move(left, top);
    if (width >= 0 && height >= 0) {
        const QSize extra = FrameExtra(window);
        window->resize(width - extra.width(), height - extra.height());
    }
}
