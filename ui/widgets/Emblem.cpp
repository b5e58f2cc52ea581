#include "ui/widgets/Emblem.h"

#include <QLineF>
#include <QPainter>

#include "ui/widgets/Controls.h"

namespace {

void DrawArrow(QPainter& p, QPointF from, QPointF to, qreal head) {
    p.drawLine(from, to);
    const QLineF shaft(to, from);
    for (qreal turn : {25.0, -25.0}) {
        QLineF barb(to, from);
        barb.setLength(head);
        barb.setAngle(shaft.angle() + turn);
        p.drawLine(barb);
    }
}

}  // namespace

QPixmap PhasorEmblem(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::black);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0);
    const qreal radius = size * 0.42;
    p.setPen(QPen(QColor(0, 110, 0), 1, Qt::DotLine));
    p.drawEllipse(centre, radius, radius);
    p.drawLine(QPointF(centre.x(), size * 0.04), QPointF(centre.x(), size * 0.96));
    p.drawLine(QPointF(size * 0.04, centre.y()), QPointF(size * 0.96, centre.y()));
    const QColor colours[] = {QColor(255, 255, 0), QColor(0, 255, 0), QColor(0, 200, 255)};
    const QString names[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    QFont font = PixelFont(QStringLiteral("Arial"), qMax(8, size / 9), true);
    p.setFont(font);
    for (int i = 0; i < 3; ++i) {
        QLineF phasor(centre, centre + QPointF(0, -radius));
        phasor.setAngle(90 - 120 * i);
        p.setPen(QPen(colours[i], qMax(1.5, size / 60.0)));
        DrawArrow(p, centre, phasor.p2(), size / 12.0);
        QLineF labelLine(centre, phasor.p2());
        labelLine.setLength(radius * 0.62);
        labelLine.setAngle(phasor.angle() - 18);
        p.drawText(QRectF(labelLine.p2() - QPointF(size / 14.0, size / 14.0), QSizeF(size / 7.0, size / 7.0)),
                   Qt::AlignCenter, names[i]);
    }
    return pixmap;
}
