#pragma once
// "Проверить работы группы…": a group's answers (a CSV table or a folder of answers files)
// marked against a class set's folder into a new folder: grades.csv, group.csv, summary.txt, a
// feedback PDF per student and group.pdf. The marking runs in a worker thread while the window
// stays responsive; "Отмена" (or closing the window, or ending the program) stops it and leaves
// nothing behind; at the end the folder and group.pdf are opened.

#include <QDialog>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;

class GradeDialog : public QDialog {
    Q_OBJECT
  public:
    explicit GradeDialog(QWidget* parent = nullptr);
    // Stops a marking still running and waits for its thread: nothing of it is left.
    ~GradeDialog() override;

    // Starts the marking; returns whether it started (what is wrong with the fields is shown).
    bool Start();
    bool Running() const { return worker_ != nullptr; }
    void Cancel();
    void CancelAndWait();

    QLineEdit* SetDir = nullptr;
    QLineEdit* Answers = nullptr;
    QComboBox* Scale = nullptr;
    QLineEdit* Thresholds = nullptr;
    QLineEdit* OutDir = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Status = nullptr;
    QPushButton* StartButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* CloseButton = nullptr;

    // Open the finished folder and group.pdf; the desktop's programs by default (tests look instead).
    std::function<void(const QString& path)> openFolder;
    std::function<void(const QString& path)> openFile;

  signals:
    void Finished(bool made);

  public slots:
    void reject() override;

  private:
    struct Job;
    void ShowStatus(const QString& text, bool failed);
    void ShowProgress(int done, int total);
    void WorkEnded();
    std::unique_ptr<Job> job_;
    QThread* worker_ = nullptr;
};

// Shows the dialog over the main window.
void ShowGradeDialog();
