// Input-parameter assistant (placeholder).
#include "ui/Unit8.h"
TForm8::TForm8(QWidget* parent) : QWidget(parent) {
    Edit1 = new QLineEdit(this);
    Label1 = new QLabel(this);
    Button1 = new QPushButton(this);
    Button2 = new QPushButton(this);
}
