#include "ui/windows/ClassSetDialog.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>
#include <atomic>

#include "canvas/QtPdfDocument.h"
#include "canvas/SetPdfs.h"
#include "classset/ClassSet.h"
#include "solver/TextToNumber.h"
#include "ui/app/Forms.h"
#include "ui/windows/GuiRunContext.h"
#include "ui/windows/TaskCommands.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"

namespace {

using namespace vornik;

// A line edit with a "Обзор…" button beside it.
QWidget* WithBrowse(QLineEdit* edit, QPushButton* button) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    layout->addWidget(button);
    return row;
}

}  // namespace

// What the window and the worker share: the request (read on the window's thread before the
// worker starts), the PDF writer, the cancel flag and, once the worker has ended, its outcome.
struct ClassSetDialog::Job {
    ClassSetRequest request;
    std::unique_ptr<SetPdfWriter> pdfs;
    std::atomic<bool> cancel{false};
    ClassSetOutcome outcome = ClassSetFailure{};
};

ClassSetDialog::ClassSetDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Варианты для группы"));
    openFolder = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };

    FromTable = new QRadioButton(QStringLiteral("Из &таблицы вариантов (CSV)"));
    Random = new QRadioButton(QStringLiteral("&Случайные варианты"));
    Random->setChecked(true);
    TablePath = new QLineEdit;
    auto* browseTable = new QPushButton(QStringLiteral("Обзор…"));
    Count = new QSpinBox;
    Count->setRange(1, 10000);
    Count->setValue(30);
    Seed = new QLineEdit(QStringLiteral("1"));
    Ranges = new QPlainTextEdit(QStringLiteral("r1=5..20/0,5\n"));
    Ranges->setTabChangesFocus(true);
    Tolerance = new QLineEdit(QStringLiteral("1"));
    OutDir = new QLineEdit;
    auto* browseOut = new QPushButton(QStringLiteral("Обзор…"));
    Progress = new QProgressBar;
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Status = new QLabel;
    Status->setWordWrap(true);
    Status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const std::pair<QWidget*, const char*> names[] = {
        {FromTable, "Из таблицы вариантов"},
        {Random, "Случайные варианты"},
        {TablePath, "Файл таблицы вариантов"},
        {browseTable, "Выбрать файл таблицы"},
        {Count, "Число вариантов"},
        {Seed, "Зерно случайных чисел"},
        {Ranges, "Диапазоны полей, по одному в строке"},
        {Tolerance, "Допуск ответов, процентов"},
        {OutDir, "Папка набора"},
        {browseOut, "Выбрать папку набора"},
        {Progress, "Ход работы"},
    };
    for (const auto& [widget, name] : names) {
        widget->setAccessibleName(QString::fromUtf8(name));
    }

    auto* form = new QFormLayout;
    form->addRow(FromTable);
    form->addRow(QStringLiteral("Таблица:"), WithBrowse(TablePath, browseTable));
    form->addRow(Random);
    form->addRow(QStringLiteral("Число вариантов:"), Count);
    form->addRow(QStringLiteral("Зерно:"), Seed);
    form->addRow(QStringLiteral("Диапазоны (r1=5..20/0,5):"), Ranges);
    form->addRow(QStringLiteral("Допуск ответов, %:"), Tolerance);
    form->addRow(QStringLiteral("Папка набора:"), WithBrowse(OutDir, browseOut));

    auto* buttons = new QDialogButtonBox;
    CreateButton = buttons->addButton(QStringLiteral("Со&здать"), QDialogButtonBox::AcceptRole);
    CancelButton = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::ActionRole);
    CancelButton->setEnabled(false);
    CloseButton = buttons->addButton(QDialogButtonBox::Close);
    CloseButton->setText(QStringLiteral("Закрыть"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Задача — открытая форма параметров и точности; для каждого "
                                  "варианта: ключ ответов, вопросы для Moodle (XML и GIFT).")));
    layout->addLayout(form);
    layout->addWidget(Progress);
    layout->addWidget(Status);
    layout->addWidget(buttons);

    connect(browseTable, &QPushButton::clicked, this, [this] { Browse(TablePath, false); });
    connect(browseOut, &QPushButton::clicked, this, [this] { Browse(OutDir, true); });
    connect(TablePath, &QLineEdit::textEdited, this, [this] { FromTable->setChecked(true); });
    connect(CreateButton, &QPushButton::clicked, this, [this] {
        Create({OpenTaskTitle().toStdString(), ReadCircuitInput(*Form3), ReadPrecisionValues(*Form4)});
    });
    connect(CancelButton, &QPushButton::clicked, this, &ClassSetDialog::Cancel);
    connect(buttons, &QDialogButtonBox::rejected, this, &ClassSetDialog::reject);

    // Every text here is shown as typed: the status line quotes table cells, ranges and folder
    // names, where "<img src=...>" must not become a picture.
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
}

ClassSetDialog::~ClassSetDialog() {
    CancelAndWait();
}

void ClassSetDialog::Browse(QLineEdit* into, bool folder) {
    const QString chosen =
        folder ? QFileDialog::getExistingDirectory(this, QStringLiteral("Папка набора (новая или пустая)"),
                                                   into->text())
               : QFileDialog::getOpenFileName(this, QStringLiteral("Таблица вариантов"), into->text(),
                                              QStringLiteral("Таблицы CSV (*.csv);;Все файлы (*)"));
    if (!chosen.isEmpty()) {
        into->setText(chosen);
        if (!folder) {
            FromTable->setChecked(true);
        }
    }
}

void ClassSetDialog::ShowStatus(const QString& text, bool failed) {
    Status->setText(text);
    Status->setStyleSheet(failed ? QStringLiteral("color: #b00000") : QString());
}

bool ClassSetDialog::Create(const TaskValues& base) {
    if (Running()) {
        return false;
    }
    auto job = std::make_unique<Job>();
    ClassSetRequest& request = job->request;
    request.base = base;
    request.outDir = OutDir->text().trimmed().toStdString();
    if (request.outDir.empty()) {
        ShowStatus(QStringLiteral("Укажите папку набора."), true);
        return false;
    }
    if (FromTable->isChecked()) {
        request.tablePath = TablePath->text().trimmed().toStdString();
        request.command = "Варианты для группы: таблица " + *request.tablePath;
    } else {
        request.count = Count->value();
        bool ok = false;
        request.seed = Seed->text().trimmed().toULongLong(&ok);
        if (!ok) {
            ShowStatus(QStringLiteral("Зерно — целое число от 0."), true);
            return false;
        }
        for (const QString& line : Ranges->toPlainText().split(u'\n', Qt::SkipEmptyParts)) {
            const Outcome<VaryRange> range = ParseVaryRange(line.trimmed().toStdString());
            if (!range) {
                ShowStatus(
                    QStringLiteral("Диапазон «%1»: пишите ИМЯ=ОТ..ДО/ШАГ, например r1=5..20/0,5").arg(line),
                    true);
                return false;
            }
            request.ranges.push_back(*range);
            request.rangeTexts.push_back(line.trimmed().toStdString());
        }
        request.command = "Варианты для группы: " + std::to_string(request.count) + " вариантов, зерно " +
                          std::to_string(request.seed);
    }
    std::string tolerance = Tolerance->text().trimmed().toStdString();
    std::replace(tolerance.begin(), tolerance.end(), '.', ',');
    if (!TryTextToFloat(tolerance, request.tolerancePercent) || !(request.tolerancePercent > 0) ||
        request.tolerancePercent >= 100) {
        ShowStatus(QStringLiteral("Допуск — процент больше 0 и меньше 100."), true);
        return false;
    }

    // The PDFs through Qt's PDF writer directly, as "Сохранить в PDF…" makes them.
    request.date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
    job->pdfs = std::make_unique<SetPdfWriter>(&BuildPdfDocument, request.date);
    request.pdfs = job->pdfs.get();

    CreateButton->setEnabled(false);
    CancelButton->setEnabled(true);
    Progress->setRange(0, 0);  // busy until the variants are known
    ShowStatus(QStringLiteral("Расчёт вариантов…"), false);
    job_ = std::move(job);
    Job* shared = job_.get();
    worker_ = QThread::create([this, shared] {
        shared->outcome = MakeClassSet(shared->request, [this, shared](int done, int total) {
            // Queued: the window shows it when its thread is free; a closed window drops it.
            QMetaObject::invokeMethod(
                this, [this, done, total] { ShowProgress(done, total); }, Qt::QueuedConnection);
            return !shared->cancel.load();
        });
    });
    connect(worker_, &QThread::finished, this, &ClassSetDialog::WorkEnded);
    worker_->start();
    return true;
}

void ClassSetDialog::ShowProgress(int done, int total) {
    if (Running() && !job_->cancel) {
        Progress->setRange(0, total);
        Progress->setValue(done);
    }
}

void ClassSetDialog::Cancel() {
    if (Running() && !job_->cancel.exchange(true)) {
        CancelButton->setEnabled(false);
        ShowStatus(QStringLiteral("Отмена…"), false);
    }
}

void ClassSetDialog::CancelAndWait() {
    if (Running()) {
        job_->cancel = true;
        worker_->wait();
        WorkEnded();
    }
}

void ClassSetDialog::reject() {
    Cancel();
    QDialog::reject();
}

void ClassSetDialog::WorkEnded() {
    if (!Running()) {
        return;  // ended already by CancelAndWait, before the thread's signal came
    }
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    const std::unique_ptr<Job> job = std::move(job_);
    const ClassSetOutcome& outcome = job->outcome;
    CreateButton->setEnabled(true);
    CancelButton->setEnabled(false);
    if (!outcome) {
        const ClassSetFailure& failure = outcome.Error();
        Progress->setRange(0, 1);
        Progress->setValue(0);
        ShowStatus(failure.cancelled ? QStringLiteral("Отменено: набор не создан, ничего не осталось.")
                                     : QString::fromStdString(failure.message),
                   !failure.cancelled);
        emit Finished(false);
        return;
    }
    ShowStatus(QStringLiteral("Готово: ") + QString::fromStdString(outcome->message), false);
    openFolder(QString::fromStdString(job->request.outDir));
    emit Finished(true);
}

void ShowClassSetDialog() {
    static QPointer<ClassSetDialog> dialog;
    if (dialog == nullptr) {
        dialog = new ClassSetDialog(Form1);
        // Ending the program stops a set being made at once; its partial folder goes with it.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, dialog, &ClassSetDialog::CancelAndWait);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
