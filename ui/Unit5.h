#pragma once
// About box: a borderless black rounded window with the product name, version and the contact
// addresses; it hides as soon as another window becomes active.

#include <QLabel>
#include <QString>
#include <QWidget>

class TForm5 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm5(QWidget* parent = nullptr);

    // The contact addresses; Label8Click and Label9Click open a new message to them.
    QLabel *Label8 = nullptr, *Label9 = nullptr;
    void Label8Click();
    void Label9Click();

    static QString ContactAddress1();
    static QString ContactAddress2();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
