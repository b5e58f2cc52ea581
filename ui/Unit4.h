#pragma once
// Precision settings form "Настройка точности рассчёта": the number of decimals (0 to 5) the
// worked solution shows for each of twenty kinds of number.

#include <QComboBox>
#include <QLabel>
#include <QWidget>
#include <array>

class QFrame;

class TForm4 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm4(QWidget* parent = nullptr);

    // ComboBox1 .. ComboBox20 at indices 0 .. 19, in the order of the precision settings.
    std::array<QComboBox*, 20> ComboBoxes{};
    QComboBox* ComboBox(int number) const { return ComboBoxes.at(number - 1); }

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    // Row headings and formula labels, voltage to power.
    std::array<QLabel*, 5> Headings{};
    std::array<QLabel*, 5> Formulas{};
};
