#pragma once
// About box: a borderless black rounded window with the product name, version and the contact
// addresses; it hides as soon as another window becomes active. Its controls are built when it
// is first shown or an address label is first reached.

#include <QLabel>
#include <QString>
#include <QWidget>

#include "ui/widgets/OnDemand.h"

class TForm5 : public OnDemandWindow {
    Q_OBJECT
  public:
    explicit TForm5(QWidget* parent = nullptr);

    // The contact addresses; Label8Click and Label9Click open a new message to them.
    OnDemand<QLabel> Label8{this}, Label9{this};
    void Label8Click();
    void Label9Click();

    static QString ContactAddress1();
    static QString ContactAddress2();

  protected:
    void BuildControls() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
