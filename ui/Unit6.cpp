// Splash screen (placeholder).
#include "ui/Unit6.h"
TForm6::TForm6(QWidget* parent) : QWidget(parent) {}
