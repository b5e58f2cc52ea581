#include "ui/widgets/GapLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <limits>

QVector<QPair<int, int>> SpaceRuns(const QFontMetrics& metrics, const QString& text, int minRun) {
    QVector<QPair<int, int>> runs;
    qsizetype k = 0;
    while (k < text.size()) {
        if (text[k] != u' ') {
            ++k;
            continue;
        }
        qsizetype end = k;
        while (end < text.size() && text[end] == u' ') {
            ++end;
        }
        if (end - k >= minRun) {
            const int x = metrics.horizontalAdvance(text.left(k));
            runs.append({x, metrics.horizontalAdvance(text.left(end)) - x});
        }
        k = end;
    }
    return runs;
}

void PlaceInGap(QWidget* field, const QFontMetrics& metrics, const QString& caption, int gap, int textLeft,
                int centreY, int height) {
    constexpr int kMargin = 2;
    const auto runs = SpaceRuns(metrics, caption);
    if (gap >= runs.size()) {
        return;
    }
    field->setGeometry(textLeft + runs[gap].first + kMargin, centreY - height / 2,
                       runs[gap].second - 2 * kMargin, height);
}

void PlaceInCommonGap(QWidget* field, const QFontMetrics& metrics, const QStringList& captions, int gap,
                      int textLeft, int centreY, int height) {
    constexpr int kMargin = 2;
    int left = std::numeric_limits<int>::min();
    int right = std::numeric_limits<int>::max();
    for (const QString& caption : captions) {
        const auto runs = SpaceRuns(metrics, caption);
        if (gap >= runs.size()) {
            return;
        }
        left = std::max(left, runs[gap].first);
        right = std::min(right, runs[gap].first + runs[gap].second);
    }
    if (!captions.isEmpty() && right - left > 2 * kMargin) {
        field->setGeometry(textLeft + left + kMargin, centreY - height / 2, right - left - 2 * kMargin,
                           height);
    }
}

void PlaceInGap(QWidget* field, const QLabel* label, int gap, int height) {
    PlaceInGap(field, label->fontMetrics(), label->text(), gap, label->x(), label->y() + label->height() / 2,
               height);
}

StackedLabel::StackedLabel(const QString& text, int rowPitch, QWidget* parent)
    : QLabel(text, parent), rowPitch_(rowPitch) {}

void StackedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QStringList words = text().split(u' ', Qt::SkipEmptyParts);
    for (int row = 0; row < words.size(); ++row) {
        painter.drawText(QRect(0, row * rowPitch_, width(), rowPitch_), Qt::AlignLeft | Qt::AlignVCenter,
                         words[row]);
    }
}
