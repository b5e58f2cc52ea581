#include "ui/windows/GradeDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>
#include <atomic>
#include <optional>

#include "canvas/GradePdfs.h"
#include "canvas/QtPdfDocument.h"
#include "grade/GradeGroup.h"
#include "ui/app/Forms.h"
#include "ui/windows/Unit1.h"

namespace {

using namespace vornik;

QWidget* Row(QLineEdit* edit, std::initializer_list<QPushButton*> buttons) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    for (QPushButton* b : buttons) {
        layout->addWidget(b);
    }
    return row;
}

}  // namespace

// What the window and the worker share: the request, the PDF writer, the cancel flag and, once
// the worker has ended, its outcome.
struct GradeDialog::Job {
    GradeRequest request;
    std::unique_ptr<GroupPdfWriter> pdfs;
    std::atomic<bool> cancel{false};
    std::optional<GradeOutcome> outcome;
};

GradeDialog::GradeDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Проверить работы группы"));
    openFolder = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    openFile = openFolder;

    SetDir = new QLineEdit;
    auto* browseSet = new QPushButton(QStringLiteral("Обзор…"));
    Answers = new QLineEdit;
    auto* browseTable = new QPushButton(QStringLiteral("Таблица…"));
    auto* browseFolder = new QPushButton(QStringLiteral("Папка…"));
    Scale = new QComboBox;
    Scale->addItems({QStringLiteral("5 (оценки 2–5)"), QStringLiteral("100 (процент)")});
    Thresholds = new QLineEdit(QStringLiteral("50,70,85"));
    OutDir = new QLineEdit;
    auto* browseOut = new QPushButton(QStringLiteral("Обзор…"));
    Progress = new QProgressBar;
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Status = new QLabel;
    Status->setWordWrap(true);
    Status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const std::pair<QWidget*, const char*> names[] = {
        {SetDir, "Папка набора вариантов"},
        {browseSet, "Выбрать папку набора вариантов"},
        {Answers, "Ответы: таблица CSV или папка файлов ответов"},
        {browseTable, "Выбрать таблицу ответов"},
        {browseFolder, "Выбрать папку файлов ответов"},
        {Scale, "Шкала оценок"},
        {Thresholds, "Пороги оценок 3, 4 и 5, процентов"},
        {OutDir, "Папка результатов"},
        {browseOut, "Выбрать папку результатов"},
        {Progress, "Ход работы"},
    };
    for (const auto& [widget, name] : names) {
        widget->setAccessibleName(QString::fromUtf8(name));
    }

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Набор вариантов:"), Row(SetDir, {browseSet}));
    form->addRow(QStringLiteral("Ответы:"), Row(Answers, {browseTable, browseFolder}));
    form->addRow(QStringLiteral("Шкала:"), Scale);
    form->addRow(QStringLiteral("Пороги 3, 4, 5 (%):"), Thresholds);
    form->addRow(QStringLiteral("Папка результатов:"), Row(OutDir, {browseOut}));

    auto* buttons = new QDialogButtonBox;
    StartButton = buttons->addButton(QStringLiteral("&Проверить"), QDialogButtonBox::AcceptRole);
    CancelButton = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::ActionRole);
    CancelButton->setEnabled(false);
    CloseButton = buttons->addButton(QDialogButtonBox::Close);
    CloseButton->setText(QStringLiteral("Закрыть"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral(
        "Ответы учеников проверяются по вариантам набора (NN.vornik), как в самопроверке: оценки, разбор "
        "для каждого ученика и итоги группы.")));
    layout->addLayout(form);
    layout->addWidget(Progress);
    layout->addWidget(Status);
    layout->addWidget(buttons);

    auto folder = [this](QLineEdit* into, const QString& title) {
        const QString chosen = QFileDialog::getExistingDirectory(this, title, into->text());
        if (!chosen.isEmpty()) {
            into->setText(chosen);
        }
    };
    connect(browseSet, &QPushButton::clicked, this,
            [this, folder] { folder(SetDir, QStringLiteral("Папка набора вариантов")); });
    connect(browseFolder, &QPushButton::clicked, this,
            [this, folder] { folder(Answers, QStringLiteral("Папка файлов ответов")); });
    connect(browseOut, &QPushButton::clicked, this,
            [this, folder] { folder(OutDir, QStringLiteral("Папка результатов (новая или пустая)")); });
    connect(browseTable, &QPushButton::clicked, this, [this] {
        const QString chosen =
            QFileDialog::getOpenFileName(this, QStringLiteral("Таблица ответов"), Answers->text(),
                                         QStringLiteral("Таблицы CSV (*.csv);;Все файлы (*)"));
        if (!chosen.isEmpty()) {
            Answers->setText(chosen);
        }
    });
    connect(Scale, &QComboBox::currentIndexChanged, this,
            [this](int index) { Thresholds->setEnabled(index == 0); });
    connect(StartButton, &QPushButton::clicked, this, [this] { Start(); });
    connect(CancelButton, &QPushButton::clicked, this, &GradeDialog::Cancel);
    connect(buttons, &QDialogButtonBox::rejected, this, &GradeDialog::reject);

    // Names of students and folders come back in the status line as typed.
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
}

GradeDialog::~GradeDialog() {
    CancelAndWait();
}

void GradeDialog::ShowStatus(const QString& text, bool failed) {
    Status->setText(text);
    Status->setStyleSheet(failed ? QStringLiteral("color: #b00000") : QString());
}

bool GradeDialog::Start() {
    if (Running()) {
        return false;
    }
    auto job = std::make_unique<Job>();
    GradeRequest& request = job->request;
    request.setDir = SetDir->text().trimmed().toStdString();
    request.answersPath = Answers->text().trimmed().toStdString();
    request.outDir = OutDir->text().trimmed().toStdString();
    if (request.setDir.empty() || request.answersPath.empty() || request.outDir.empty()) {
        ShowStatus(QStringLiteral("Укажите папку набора, ответы и папку результатов."), true);
        return false;
    }
    request.scale.scale = Scale->currentIndex() == 0 ? 5 : 100;
    if (request.scale.scale == 5 &&
        !ParseThresholds(Thresholds->text().trimmed().toStdString(), request.scale.thresholds)) {
        ShowStatus(
            QStringLiteral("Пороги — три целых процента по возрастанию от 1 до 100, например 50,70,85."),
            true);
        return false;
    }
    request.command = "Проверить работы группы: " + request.answersPath;
    request.date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
    job->pdfs = std::make_unique<GroupPdfWriter>(&BuildPdfDocument);
    request.pdfs = job->pdfs.get();

    StartButton->setEnabled(false);
    CancelButton->setEnabled(true);
    Progress->setRange(0, 0);
    ShowStatus(QStringLiteral("Проверка…"), false);
    job_ = std::move(job);
    Job* shared = job_.get();
    worker_ = QThread::create([this, shared] {
        shared->outcome = GradeGroup(shared->request, [this, shared](int done, int total) {
            QMetaObject::invokeMethod(
                this, [this, done, total] { ShowProgress(done, total); }, Qt::QueuedConnection);
            return !shared->cancel.load();
        });
    });
    connect(worker_, &QThread::finished, this, &GradeDialog::WorkEnded);
    worker_->start();
    return true;
}

void GradeDialog::ShowProgress(int done, int total) {
    if (Running() && !job_->cancel) {
        Progress->setRange(0, total);
        Progress->setValue(done);
    }
}

void GradeDialog::Cancel() {
    if (Running() && !job_->cancel.exchange(true)) {
        CancelButton->setEnabled(false);
        ShowStatus(QStringLiteral("Отмена…"), false);
    }
}

void GradeDialog::CancelAndWait() {
    if (Running()) {
        job_->cancel = true;
        worker_->wait();
        WorkEnded();
    }
}

void GradeDialog::reject() {
    Cancel();
    QDialog::reject();
}

void GradeDialog::WorkEnded() {
    if (!Running()) {
        return;
    }
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    const std::unique_ptr<Job> job = std::move(job_);
    const GradeOutcome& outcome = *job->outcome;
    StartButton->setEnabled(true);
    CancelButton->setEnabled(false);
    if (!outcome) {
        const FolderWorkFailure& failure = outcome.Error();
        Progress->setRange(0, 1);
        Progress->setValue(0);
        ShowStatus(failure.cancelled ? QStringLiteral("Отменено: ничего не записано.")
                                     : QString::fromStdString(failure.message),
                   !failure.cancelled);
        emit Finished(false);
        return;
    }
    ShowStatus(QStringLiteral("Готово: ") + QString::fromStdString(outcome->message), false);
    const QString out = QString::fromStdString(job->request.outDir);
    openFolder(out);
    openFile(QDir(out).filePath(QStringLiteral("group.pdf")));
    emit Finished(true);
}

void ShowGradeDialog() {
    static QPointer<GradeDialog> dialog;
    if (dialog == nullptr) {
        dialog = new GradeDialog(Form1);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, dialog, &GradeDialog::CancelAndWait);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
