#pragma once
// Fields placed over the runs of spaces of a caption, so a row reads like a written formula
// ("Ra=  [field]  Xa=  [field]  (Om)").

#include <QLabel>
#include <QRect>
#include <QVector>

class QFontMetrics;

// Horizontal extents (x, width) of every run of at least minRun spaces in text, as drawn with
// the given metrics from x = 0.
QVector<QPair<int, int>> SpaceRuns(const QFontMetrics& metrics, const QString& text, int minRun = 3);

// Puts field into gap number `gap` (0-based) of a caption drawn from x = textLeft with the
// given metrics, vertically centred on centreY, with a small margin on both sides.
void PlaceInGap(QWidget* field, const QFontMetrics& metrics, const QString& caption, int gap, int textLeft,
                int centreY, int height);

// The same for a field that stays put while its caption switches between several texts: the
// part of gap `gap` that is a gap in every one of them, so no caption is ever covered.
void PlaceInCommonGap(QWidget* field, const QFontMetrics& metrics, const QStringList& captions, int gap,
                      int textLeft, int centreY, int height);

// The same for the caption of a label, which starts at the label's left edge.
void PlaceInGap(QWidget* field, const QLabel* label, int gap, int height);

// A narrow label that shows one word per row at a fixed row pitch ("ej  ej  ej" beside three
// voltage rows); its text stays exactly as given.
class StackedLabel : public QLabel {
  public:
    StackedLabel(const QString& text, int rowPitch, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int rowPitch_;
};
