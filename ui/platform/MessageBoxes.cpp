#include "ui/platform/MessageBoxes.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

QString ProgramCaption() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QFileInfo(QCoreApplication::applicationFilePath()).baseName() : name;
}

namespace {

// The text is plain text whatever it holds: a message may quote a field, a file name or a
// folder, and "<img src=...>" there must show as typed, not load a picture.
void Show(QMessageBox::Icon icon, const QString& text, QWidget* parent) {
    QMessageBox box(icon, ProgramCaption(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

void ShowPlainMessage(const QString& text) {
    Show(QMessageBox::NoIcon, text, QApplication::activeWindow());
}

void ShowErrorBox(const QString& text) {
    Show(QMessageBox::Critical, text, QApplication::activeWindow());
}

void ShowWarningBox(QWidget* parent, const QString& text) {
    Show(QMessageBox::Warning, text, parent);
}
