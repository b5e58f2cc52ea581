#pragma once
// Vector diagram window "Векторная диаграмма" (placeholder with the public commands).
#include <QWidget>
class TForm7 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm7(QWidget* parent = nullptr);
    void SpeedButton1Click();  // home placement
    void SpeedButton3Click();  // save the picture
};
