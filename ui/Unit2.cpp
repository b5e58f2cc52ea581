// Results window (placeholder).
#include "ui/Unit2.h"
TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    RichEdit1 = new QTextEdit(this);
}
