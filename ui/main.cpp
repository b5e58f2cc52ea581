// Start-up of the desktop program (placeholder).
#include <QApplication>

#include "ui/Unit1.h"
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TForm1 w;
    w.show();
    return app.exec();
}
