#pragma once
// Input-parameter assistant "Настройка вводимых параметров": phase voltage from line voltage and
// the reactance of each load phase from L, C and the frequency, written into the parameter form.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

class TForm8 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm8(QWidget* parent = nullptr);

    // Line-voltage section; the parameter form enables it in star and disables it in delta.
    QLineEdit* Edit1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr;

    QLabel* Label5 = nullptr;   // frequency unit
    QLabel* Label12 = nullptr;  // the note about the delta connection
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;
    QLineEdit* Edit2 = nullptr;  // frequency
    // Phase A, B, C: inductance Edit3/5/7 with unit ComboBox1/2/3, capacitance Edit4/6/8 with
    // unit ComboBox4/5/6, "Задать" Button3/4/5.
    QLineEdit *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr,
              *Edit8 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr, *ComboBox4 = nullptr,
              *ComboBox5 = nullptr, *ComboBox6 = nullptr;
    QPushButton *Button3 = nullptr, *Button4 = nullptr, *Button5 = nullptr;
    QToolButton* SpeedButton1 = nullptr;

    // The last phase voltage computed by Button1 or Button2.
    int PhaseVoltage = 0;

    void PlaceWindow();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void SpeedButton1Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    // Converts Edit1 into PhaseVoltage; false (after the error box) when that fails.
    bool ComputePhaseVoltage();
    // The reactance of one phase into the parameter form's field `target`.
    void SetPhaseReactance(QLineEdit* inductance, QComboBox* inductanceUnit, QLineEdit* capacitance,
                           QComboBox* capacitanceUnit, QLineEdit* target);
    void BuildLineVoltageSection();
    void BuildReactanceSection();
};
