#include "ui/windows/FolderJobDialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>
#include <atomic>

// What the window and the worker share: the work, the reading of its outcome (both hold what the
// work was asked and what it gave) and the cancel flag.
struct FolderJobDialog::Job {
    std::function<void(const StepReport&)> work;
    std::function<FolderJobEnd()> ended;
    std::atomic<bool> cancel{false};
};

FolderJobDialog::FolderJobDialog(QWidget* parent, const QString& title, const QString& startCaption)
    : QDialog(parent) {
    setWindowTitle(title);
    openFolder = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
    Progress = new QProgressBar;
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Progress->setAccessibleName(QStringLiteral("Ход работы"));
    Status = new QLabel;
    Status->setWordWrap(true);
    Status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    buttons_ = new QDialogButtonBox;
    startButton_ = buttons_->addButton(startCaption, QDialogButtonBox::AcceptRole);
    CancelButton = buttons_->addButton(QStringLiteral("Отмена"), QDialogButtonBox::ActionRole);
    CancelButton->setEnabled(false);
    CloseButton = buttons_->addButton(QDialogButtonBox::Close);
    CloseButton->setText(QStringLiteral("Закрыть"));
    connect(CancelButton, &QPushButton::clicked, this, &FolderJobDialog::Cancel);
    connect(buttons_, &QDialogButtonBox::rejected, this, &FolderJobDialog::reject);
}

FolderJobDialog::~FolderJobDialog() {
    // The window is going: the work is stopped and its thread waited for, nothing is shown.
    if (Running()) {
        job_->cancel = true;
        worker_->wait();
        delete worker_;
        worker_ = nullptr;
    }
}

void FolderJobDialog::SetForm(const QString& intro, QFormLayout* form) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(intro));
    layout->addLayout(form);
    layout->addWidget(Progress);
    layout->addWidget(Status);
    layout->addWidget(buttons_);
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
}

QWidget* FolderJobDialog::WithButtons(QLineEdit* edit, std::initializer_list<QPushButton*> buttons) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    for (QPushButton* button : buttons) {
        layout->addWidget(button);
    }
    return row;
}

void FolderJobDialog::BrowseFolder(QLineEdit* into, const QString& title) {
    const QString chosen = QFileDialog::getExistingDirectory(this, title, into->text());
    if (!chosen.isEmpty()) {
        into->setText(chosen);
    }
}

bool FolderJobDialog::BrowseFile(QLineEdit* into, const QString& title, const QString& filter) {
    const QString chosen = QFileDialog::getOpenFileName(this, title, into->text(), filter);
    if (chosen.isEmpty()) {
        return false;
    }
    into->setText(chosen);
    return true;
}

void FolderJobDialog::ShowStatus(const QString& text, bool failed) {
    Status->setText(text);
    Status->setStyleSheet(failed ? QStringLiteral("color: #b00000") : QString());
}

void FolderJobDialog::StartJob(const QString& busyText, std::function<void(const StepReport&)> work,
                               std::function<FolderJobEnd()> ended) {
    startButton_->setEnabled(false);
    CancelButton->setEnabled(true);
    Progress->setRange(0, 0);  // busy until the work knows its steps
    ShowStatus(busyText, false);
    job_ = std::make_unique<Job>();
    job_->work = std::move(work);
    job_->ended = std::move(ended);
    Job* shared = job_.get();
    worker_ = QThread::create([this, shared] {
        shared->work([this, shared](int done, int total) {
            // Queued: the window shows it when its thread is free; a closed window drops it.
            QMetaObject::invokeMethod(
                this, [this, done, total] { ShowProgress(done, total); }, Qt::QueuedConnection);
            return !shared->cancel.load();
        });
    });
    connect(worker_, &QThread::finished, this, &FolderJobDialog::WorkEnded);
    worker_->start();
}

void FolderJobDialog::ShowProgress(int done, int total) {
    if (Running() && !job_->cancel) {
        Progress->setRange(0, total);
        Progress->setValue(done);
    }
}

void FolderJobDialog::Cancel() {
    if (Running() && !job_->cancel.exchange(true)) {
        CancelButton->setEnabled(false);
        ShowStatus(QStringLiteral("Отмена…"), false);
    }
}

void FolderJobDialog::CancelAndWait() {
    if (Running()) {
        job_->cancel = true;
        worker_->wait();
        WorkEnded();
    }
}

void FolderJobDialog::reject() {
    Cancel();
    QDialog::reject();
}

void FolderJobDialog::OpenMade(const QString& folder) {
    openFolder(folder);
}

void FolderJobDialog::WorkEnded() {
    if (!Running()) {
        return;  // ended already by CancelAndWait, before the thread's signal came
    }
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    const std::unique_ptr<Job> job = std::move(job_);
    const FolderJobEnd end = job->ended();
    startButton_->setEnabled(true);
    CancelButton->setEnabled(false);
    if (end.how != FolderJobEnd::How::Made) {
        Progress->setRange(0, 1);
        Progress->setValue(0);
        ShowStatus(end.text, end.how == FolderJobEnd::How::Failed);
        emit Finished(false);
        return;
    }
    ShowStatus(QStringLiteral("Готово: ") + end.text, false);
    OpenMade(end.folder);
    emit Finished(true);
}

void ShowFolderJobDialog(QPointer<FolderJobDialog>& dialog, const std::function<FolderJobDialog*()>& make) {
    if (dialog == nullptr) {
        dialog = make();
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, dialog, &FolderJobDialog::CancelAndWait);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
