#pragma once
// Precision settings form "Настройка точности рассчёта": the number of decimals (0 to 5) the
// worked solution shows for each of twenty kinds of number. Hidden at start; its controls are
// built when it is first shown or one of them is first reached.

#include <QComboBox>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "ui/widgets/OnDemand.h"

class QFrame;

class TForm4 : public OnDemandWindow {
    Q_OBJECT
  public:
    explicit TForm4(QWidget* parent = nullptr);

    // ComboBox1 .. ComboBox20 at indices 0 .. 19, in the order of the precision settings.
    OnDemandArray<QComboBox, 20> ComboBoxes{this};
    QComboBox* ComboBox(int number) const { return ComboBoxes.at(number - 1); }
    // The text of the combo box at index 0 .. 19; its initial text while the form was never
    // built, so a calculation run does not build it.
    QString PrecisionText(int index) const;

    OnDemand<QFrame> Bevel1{this};
    OnDemand<QLabel> Label1{this};
    // Row headings and formula labels, voltage to power.
    OnDemandArray<QLabel, 5> Headings{this};
    OnDemandArray<QLabel, 5> Formulas{this};

    // The first showing centres the window's frame on the desktop.
    void setVisible(bool visible) override;

  protected:
    void BuildControls() override;

  private:
    bool centred_ = false;
};
