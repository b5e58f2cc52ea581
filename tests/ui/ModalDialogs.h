#pragma once
// Answers the modal dialogs a command opens while a window test runs: message boxes are recorded
// and closed with OK, file dialogs are handed to a callback that fills them in.

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

class ModalWatcher : public QObject {
  public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        Qt::TextFormat format;
    };

    ModalWatcher() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start();
    }

    // Called with each file dialog that opens; it must accept or reject the dialog.
    std::function<void(QFileDialog*)> onFileDialog;
    QList<Box> boxes;
    int fileDialogs = 0;

    QStringList Texts() const {
        QStringList texts;
        for (const Box& b : boxes) {
            texts << b.text;
        }
        return texts;
    }

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.append({box->windowTitle(), box->text(), box->icon(), box->textFormat()});
            box->done(QMessageBox::Ok);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            ++fileDialogs;
            if (onFileDialog) {
                onFileDialog(dialog);
            } else {
                dialog->reject();
            }
        }
    }

    QTimer timer_;
};

using SeenBox = ModalWatcher::Box;

// Runs action; every modal message box it opens is recorded and closed with OK.
inline QList<SeenBox> CaptureMessageBoxes(const std::function<void()>& action) {
    ModalWatcher watcher;
    action();
    return watcher.boxes;
}

// Runs action; the first modal dialog of type D it opens is handed to `drive`, which must
// accept or reject it.
template <typename D>
bool DriveModalDialog(const std::function<void()>& action, const std::function<void(D*)>& drive) {
    bool seen = false;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()); dialog && !seen) {
            seen = true;
            drive(dialog);
        }
    });
    timer.start();
    action();
    timer.stop();
    return seen;
}
