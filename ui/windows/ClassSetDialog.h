#pragma once
// "Варианты для группы…": a class set made from the open task (the parameter and precision
// forms, and the title of the task file opened) with variants from a table or drawn at random,
// into a new folder. The set is made in a worker thread while the window stays responsive; the
// bar reaches its end when the folder is in place, "Отмена" (or closing the window, or ending the
// program) stops the work and leaves nothing behind, and the folder opens in the file manager at
// the end.

#include <QDialog>
#include <functional>
#include <memory>

#include "classset/Variant.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QThread;

class ClassSetDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ClassSetDialog(QWidget* parent = nullptr);
    // Stops a set still being made and waits for its thread: nothing of it is left.
    ~ClassSetDialog() override;

    // Starts the set with this task as the base of every variant; returns whether it started
    // (what is wrong with the dialog's fields is shown in it). Finished tells how it ended.
    bool Create(const vornik::TaskValues& base);
    bool Running() const { return worker_ != nullptr; }
    // Asks the set being made to stop; its partial folder is removed and Finished(false) follows.
    void Cancel();
    // Cancel and wait until the worker has ended (when the program ends).
    void CancelAndWait();

    QRadioButton* FromTable = nullptr;
    QRadioButton* Random = nullptr;
    QLineEdit* TablePath = nullptr;
    QSpinBox* Count = nullptr;
    QLineEdit* Seed = nullptr;
    QPlainTextEdit* Ranges = nullptr;  // one NAME=FROM..TO/STEP a line
    QLineEdit* Tolerance = nullptr;
    QLineEdit* OutDir = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Status = nullptr;
    QPushButton* CreateButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* CloseButton = nullptr;

    // Opens the finished folder; the file manager by default (tests look instead).
    std::function<void(const QString& folder)> openFolder;

  signals:
    // The set's work has ended: made, or failed or cancelled (the status line says which).
    void Finished(bool made);

  public slots:
    // "Закрыть" and the title bar's button: a set still being made is cancelled.
    void reject() override;

  private:
    struct Job;
    void Browse(QLineEdit* into, bool folder);
    void ShowStatus(const QString& text, bool failed);
    void ShowProgress(int done, int total);
    void WorkEnded();
    // The worker and what it shares with the window; both set only while a set is being made.
    std::unique_ptr<Job> job_;
    QThread* worker_ = nullptr;
};

// Shows the dialog over the main window; its "Создать" reads the open forms.
void ShowClassSetDialog();
