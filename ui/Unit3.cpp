// Calculation-parameter form (placeholder).
#include "ui/Unit3.h"
TForm3::TForm3(QWidget* parent) : QWidget(parent) {
    ComboBox1 = new QComboBox(this);
    ComboBox2 = new QComboBox(this);
    ComboBox3 = new QComboBox(this);
    for (QComboBox* c : {ComboBox1, ComboBox2, ComboBox3}) {
        c->setEditable(true);
        c->setEditText("380");
    }
    QLineEdit** edits[] = {&Edit1, &Edit2, &Edit3,  &Edit4,  &Edit5,  &Edit6, &Edit7,
                           &Edit8, &Edit9, &Edit10, &Edit11, &Edit12, &Edit13};
    for (QLineEdit** e : edits) *e = new QLineEdit(this);
    QCheckBox** boxes[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4,
                           &CheckBox5, &CheckBox6, &CheckBox7};
    for (QCheckBox** b : boxes) *b = new QCheckBox(this);
    RadioButton1 = new QRadioButton(this);
    RadioButton2 = new QRadioButton(this);
    RadioButton1->setChecked(true);
}
