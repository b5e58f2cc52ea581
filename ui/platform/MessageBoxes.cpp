#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

QString ProgramCaption() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QFileInfo(QCoreApplication::applicationFilePath()).baseName() : name;
}

namespace {

void Show(QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, ProgramCaption(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace

void ShowPlainMessage(const QString& text) {
    Show(QMessageBox::NoIcon, text);
}

void ShowErrorBox(const QString& text) {
    Show(QMessageBox::Critical, text);
}
