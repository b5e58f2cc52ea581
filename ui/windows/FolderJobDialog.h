#pragma once
// The frame of a window that makes a folder of files in a worker thread ("Варианты для группы…",
// "Проверить работы группы…"): a form, a progress bar, a status line and the buttons to start,
// "Отмена" and "Закрыть". The window stays responsive while the work runs; the bar follows its
// steps; "Отмена" (or closing the window, or ending the program) asks the work to stop, which then
// leaves nothing behind; the folder made is opened at the end.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>

class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;

// How a job ended, as the window shows it: read from the work's own outcome once the worker has
// ended, on the window's thread.
struct FolderJobEnd {
    enum class How { Made, Failed, Cancelled };
    How how = How::Failed;
    // Made: the work's summary, shown after "Готово: "; failed: its message; cancelled: the
    // whole status line.
    QString text;
    // Made: the folder to open.
    QString folder;
};

class FolderJobDialog : public QDialog {
    Q_OBJECT
  public:
    // Stops a job still running and waits for its thread: nothing of it is left.
    ~FolderJobDialog() override;

    bool Running() const { return worker_ != nullptr; }
    // Asks the running job to stop; its partial folder is removed and Finished(false) follows.
    void Cancel();
    // Cancel and wait until the worker has ended (when the program ends).
    void CancelAndWait();

    QProgressBar* Progress = nullptr;
    QLabel* Status = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* CloseButton = nullptr;

    // Opens the finished folder; the file manager by default (tests look instead).
    std::function<void(const QString& folder)> openFolder;

  signals:
    // The job has ended: its folder made, or failed or cancelled (the status line says which).
    void Finished(bool made);

  public slots:
    // "Закрыть" and the title bar's button: a job still running is cancelled.
    void reject() override;

  protected:
    // A step of the work: `done` of `total` steps; returns false once the work is to stop.
    using StepReport = std::function<bool(int done, int total)>;

    // The window titled `title`; its start button reads `startCaption` and starts the job.
    FolderJobDialog(QWidget* parent, const QString& title, const QString& startCaption);
    // Lays the window out: `intro` above the form, the bar, the status line and the buttons below.
    // Every label shows its text as typed: the status line quotes names of files, folders and
    // students, where "<img src=...>" must not become a picture.
    void SetForm(const QString& intro, QFormLayout* form);
    void ShowStatus(const QString& text, bool failed);
    // Runs `work` in a worker thread, the bar busy and `busyText` in the status line until the
    // first step; `ended` then reads its outcome. Only while no job runs.
    void StartJob(const QString& busyText, std::function<void(const StepReport&)> work,
                  std::function<FolderJobEnd()> ended);
    // Opens what a job has made: its folder.
    virtual void OpenMade(const QString& folder);

    // A line edit with its buttons ("Обзор…") beside it.
    static QWidget* WithButtons(QLineEdit* edit, std::initializer_list<QPushButton*> buttons);
    // Asks for a folder, starting at the edit's text, into the edit.
    void BrowseFolder(QLineEdit* into, const QString& title);
    // Asks for a file to open, starting at the edit's text, into the edit; returns whether one was
    // chosen.
    bool BrowseFile(QLineEdit* into, const QString& title, const QString& filter);

    QPushButton* startButton_ = nullptr;

  private:
    struct Job;
    void ShowProgress(int done, int total);
    void WorkEnded();
    QDialogButtonBox* buttons_ = nullptr;
    // The worker and what it shares with the window; both set only while a job runs.
    std::unique_ptr<Job> job_;
    QThread* worker_ = nullptr;
};

// Shows `dialog` over the main window, made by `make` at the first showing; ending the program
// stops its job at once, its partial folder going with it.
void ShowFolderJobDialog(QPointer<FolderJobDialog>& dialog, const std::function<FolderJobDialog*()>& make);
