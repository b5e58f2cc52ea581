#pragma once
// Input-parameter assistant "Настройка вводимых параметров": phase voltage from line voltage and
// the reactance of each load phase from L, C and the frequency, written into the parameter form.
// Hidden at start; its controls are built when it is first shown or one of them is first reached.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

#include "ui/widgets/OnDemand.h"

namespace vornik {
struct AssistantAnswer;
}

class TForm8 : public OnDemandWindow {
    Q_OBJECT
  public:
    explicit TForm8(QWidget* parent = nullptr);

    // Line-voltage section; the parameter form enables it in star and disables it in delta.
    OnDemand<QLineEdit> Edit1{this};
    OnDemand<QLabel> Label1{this};
    OnDemand<QPushButton> Button1{this}, Button2{this};

    OnDemand<QLabel> Label5{this};   // frequency unit
    OnDemand<QLabel> Label12{this};  // the note about the delta connection
    OnDemand<QRadioButton> RadioButton1{this}, RadioButton2{this};
    OnDemand<QLineEdit> Edit2{this};  // frequency
    // Phase A, B, C: inductance Edit3/5/7 with unit ComboBox1/2/3, capacitance Edit4/6/8 with
    // unit ComboBox4/5/6, "Задать" Button3/4/5.
    OnDemand<QLineEdit> Edit3{this}, Edit4{this}, Edit5{this}, Edit6{this}, Edit7{this}, Edit8{this};
    OnDemand<QComboBox> ComboBox1{this}, ComboBox2{this}, ComboBox3{this}, ComboBox4{this}, ComboBox5{this},
        ComboBox6{this};
    OnDemand<QPushButton> Button3{this}, Button4{this}, Button5{this};
    OnDemand<QToolButton> SpeedButton1{this};

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
    // Enables or disables Edit1, Label1, Button1 and Button2 (the parameter form's connection
    // switch). Before the controls exist there is nothing to do: they are built in the state of
    // the parameter form's connection.
    void EnableLineVoltageSection(bool enabled);

  protected:
    void BuildControls() override;
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    // Converts Edit1 into PhaseVoltage; false (after the error box) when that fails.
    bool ComputePhaseVoltage();
    // The reactance of phase 0..2 into the parameter form's X field of that phase.
    void SetPhaseReactance(QLineEdit* inductance, QComboBox* inductanceUnit, QLineEdit* capacitance,
                           QComboBox* capacitanceUnit, int phase);
    void BuildLineVoltageSection();
    void BuildReactanceSection();
    // Shows the answer's message; after an error box the cursor goes to the field whose text was
    // not a number, its text selected, as the parameter form does after a run.
    void ShowMessageAtField(const vornik::AssistantAnswer& answer, QLineEdit* inductance = nullptr,
                            QLineEdit* capacitance = nullptr);
};
