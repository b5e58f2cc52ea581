#pragma once
// Splash screen: shown while the program builds its windows, then destroyed.

#include <QWidget>

class TForm6 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm6(QWidget* parent = nullptr);
};
