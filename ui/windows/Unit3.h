#pragma once
// Calculation-parameter form "Параметры  расчёта": connection, supply voltages, load phases,
// neutral wire and emergency modes, all held as text in the controls until a run reads them.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

#include "solver/Parameters.h"

class TForm3 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm3(QWidget* parent = nullptr);

    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr,
              *Edit11 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr;
    QCheckBox *CheckBox1 = nullptr, *CheckBox2 = nullptr, *CheckBox3 = nullptr, *CheckBox4 = nullptr,
              *CheckBox5 = nullptr, *CheckBox6 = nullptr, *CheckBox7 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr;
    QToolButton* SpeedButton1 = nullptr;  // "Центрировать окно"
    QToolButton* SpeedButton6 = nullptr;  // "ВЫПОЛНИТЬ"

    // The line edit that holds the text of a field (a combo box's own line edit for the voltages).
    QLineEdit* FieldEdit(vornik::Param field) const;
    QCheckBox* Box(vornik::Tick box) const;

    // What the other windows read and write of this form: the connection chosen, the neutral
    // wire's tick, and the assistant's answers written as the student's own edits (one undo
    // takes each back): the phase voltage into the three voltage fields, a reactance into the
    // X field of phase 0..2 (Edit5, Edit7, Edit9).
    bool StarChosen() const { return RadioButton1->isChecked(); }
    bool NeutralTicked() const { return CheckBox1->isChecked(); }
    void SetVoltages(const QString& text);
    void SetReactance(int phase, const QString& text);

    // Star wording and enabled states (the focus entering "ЗВЕЗДА").
    void RadioButton1Enter();
    // Delta wording and enabled states (the focus entering "ТРЕУГОЛЬНИК").
    void RadioButton2Enter();
    // Star selected: the assistant's line-voltage section is enabled.
    void RadioButton1Click();
    // Delta selected: the assistant's line-voltage section is disabled.
    void RadioButton2Click();
    // The neutral wire: flips Edit10 and Label7 together.
    void CheckBox1Click();
    // Runs the main window's execute button.
    void SpeedButton6Click();
    void SpeedButton1Click() { FormShow(); }
    void FormShow() { PlaceWindow(); }
    // This form active: the diagram window closes, so it is reopened on the new inputs.
    void FormActivate();
    void PlaceWindow();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    void BuildVoltageRows();
    void BuildLoadRows();
    void BuildEmergencyRows();
    void AttachInputFilters();
    void SetTabOrder();
    void ConnectControls();
    void PlaceFields();
    // The captions and enabled states of the star (true) or delta connection.
    void ShowConnection(bool star);
};
