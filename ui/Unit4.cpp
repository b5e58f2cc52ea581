// Precision settings form (placeholder).
#include "ui/Unit4.h"
TForm4::TForm4(QWidget* parent) : QWidget(parent) {}
