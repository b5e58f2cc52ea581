#include "ui/widgets/RoundedWindow.h"

#include <QGuiApplication>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QWidget>

void ApplyRoundedShape(QWidget* window) {
    QPainterPath path;
    const qreal radius = kRoundCornerEllipse / 2.0;
    path.addRoundedRect(QRectF(0, 0, window->width(), window->height()), radius, radius);
    window->setMask(QRegion(path.toFillPolygon().toPolygon()));
    window->update();
}

void MakeRoundedBlackWindow(QWidget* window, int width, int height) {
    window->setFixedSize(width, height);
    QPalette black = window->palette();
    black.setColor(QPalette::Window, Qt::black);
    window->setPalette(black);
    window->setAutoFillBackground(true);
    ApplyRoundedShape(window);
}

void CentreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect area = screen->availableGeometry();
    QRect frame(QPoint(0, 0), window->size());
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}
