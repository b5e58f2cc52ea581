// Main window (placeholder).
#include "ui/Unit1.h"
TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    SpeedButton6 = new QToolButton(this);
    SpeedButton6->setEnabled(false);
}
