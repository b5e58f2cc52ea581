// Vector diagram window (placeholder).
#include "ui/Unit7.h"
TForm7::TForm7(QWidget* parent) : QWidget(parent) {}
void TForm7::SpeedButton1Click() {}
void TForm7::SpeedButton3Click() {}
