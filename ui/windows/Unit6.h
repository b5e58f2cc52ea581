#pragma once
// Splash screen: shown while the program builds its windows, then destroyed.

#include <QPixmap>
#include <QWidget>

class TForm6 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm6(QWidget* parent = nullptr);
};

// The splash screen's picture, as DrawSplashPicture draws it, from the copy shipped with the
// program.
QPixmap SplashPicture();
