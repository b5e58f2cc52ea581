#pragma once
// Main window "Vornik (Three phase chains) ver. 2.2" (placeholder).
#include <QMainWindow>
#include <QToolButton>
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
    QToolButton* SpeedButton6 = nullptr;  // "ВЕКТОРНАЯ ДИАГРАММА"
};
