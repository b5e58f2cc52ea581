#include "ui/windows/GradeDialog.h"

#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <memory>
#include <optional>

#include "canvas/GradePdfs.h"
#include "canvas/QtPdfDocument.h"
#include "grade/GradeGroup.h"
#include "ui/app/Forms.h"
#include "ui/widgets/Controls.h"
#include "ui/windows/Unit1.h"

namespace {

using namespace vornik;

// What the worker makes and the window reads once it has ended: the request, the PDF writer and
// the outcome.
struct GradeJob {
    GradeRequest request;
    std::unique_ptr<GroupPdfWriter> pdfs;
    std::optional<GradeOutcome> outcome;  // Outcome has no empty state: none until the worker ends
};

// How the marking ended, as the window shows it.
FolderJobEnd EndOf(const GradeJob& job) {
    const GradeOutcome& outcome = *job.outcome;
    if (!outcome) {
        const FolderWorkFailure& failure = outcome.Error();
        return failure.cancelled
                   ? FolderJobEnd{FolderJobEnd::How::Cancelled,
                                  QStringLiteral("Отменено: ничего не записано."),
                                  {}}
                   : FolderJobEnd{FolderJobEnd::How::Failed, QString::fromStdString(failure.message), {}};
    }
    return {FolderJobEnd::How::Made, QString::fromStdString(outcome->message),
            QString::fromStdString(job.request.outDir)};
}

}  // namespace

GradeDialog::GradeDialog(QWidget* parent)
    : FolderJobDialog(parent, QStringLiteral("Проверить работы группы"), QStringLiteral("&Проверить")) {
    StartButton = startButton_;
    openFile = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

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
    NameControls({
        {SetDir, "Папка набора вариантов"},
        {browseSet, "Выбрать папку набора вариантов"},
        {Answers, "Ответы: таблица CSV или папка файлов ответов"},
        {browseTable, "Выбрать таблицу ответов"},
        {browseFolder, "Выбрать папку файлов ответов"},
        {Scale, "Шкала оценок"},
        {Thresholds, "Пороги оценок 3, 4 и 5, процентов"},
        {OutDir, "Папка результатов"},
        {browseOut, "Выбрать папку результатов"},
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Набор вариантов:"), WithButtons(SetDir, {browseSet}));
    form->addRow(QStringLiteral("Ответы:"), WithButtons(Answers, {browseTable, browseFolder}));
    form->addRow(QStringLiteral("Шкала:"), Scale);
    form->addRow(QStringLiteral("Пороги 3, 4, 5 (%):"), Thresholds);
    form->addRow(QStringLiteral("Папка результатов:"), WithButtons(OutDir, {browseOut}));
    SetForm(QStringLiteral("Ответы учеников проверяются по вариантам набора (NN.vornik), как в самопроверке: "
                           "оценки, разбор для каждого ученика и итоги группы."),
            form);

    connect(browseSet, &QPushButton::clicked, this,
            [this] { BrowseFolder(SetDir, QStringLiteral("Папка набора вариантов")); });
    connect(browseFolder, &QPushButton::clicked, this,
            [this] { BrowseFolder(Answers, QStringLiteral("Папка файлов ответов")); });
    connect(browseOut, &QPushButton::clicked, this,
            [this] { BrowseFolder(OutDir, QStringLiteral("Папка результатов (новая или пустая)")); });
    connect(browseTable, &QPushButton::clicked, this, [this] {
        BrowseFile(Answers, QStringLiteral("Таблица ответов"),
                   QStringLiteral("Таблицы CSV (*.csv);;Все файлы (*)"));
    });
    connect(Scale, &QComboBox::currentIndexChanged, this,
            [this](int index) { Thresholds->setEnabled(index == 0); });
    connect(StartButton, &QPushButton::clicked, this, [this] { Start(); });
}

bool GradeDialog::Start() {
    if (Running()) {
        return false;
    }
    auto job = std::make_shared<GradeJob>();
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

    StartJob(
        QStringLiteral("Проверка…"),
        [job](const StepReport& step) { job->outcome = GradeGroup(job->request, step); },
        [job] { return EndOf(*job); });
    return true;
}

void GradeDialog::OpenMade(const QString& folder) {
    openFolder(folder);
    openFile(QDir(folder).filePath(QStringLiteral("group.pdf")));
}

void ShowGradeDialog() {
    static QPointer<FolderJobDialog> dialog;
    ShowFolderJobDialog(dialog, [] { return new GradeDialog(Form1); });
}
