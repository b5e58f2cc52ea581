#pragma once
// Precision settings form "Настройка точности рассчёта" (placeholder).
#include <QWidget>
class TForm4 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm4(QWidget* parent = nullptr);
};
