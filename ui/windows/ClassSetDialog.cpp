#include "ui/windows/ClassSetDialog.h"

#include <QDate>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <memory>

#include "canvas/QtPdfDocument.h"
#include "canvas/SetPdfs.h"
#include "classset/ClassSet.h"
#include "solver/TextToNumber.h"
#include "ui/app/Forms.h"
#include "ui/widgets/Controls.h"
#include "ui/windows/GuiRunContext.h"
#include "ui/windows/TaskCommands.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"

namespace {

using namespace vornik;

// What the worker makes and the window reads once it has ended: the request (read on the window's
// thread before the worker starts), the PDF writer and the outcome.
struct ClassSetJob {
    ClassSetRequest request;
    std::unique_ptr<SetPdfWriter> pdfs;
    ClassSetOutcome outcome = ClassSetFailure{};
};

// How the set's work ended, as the window shows it.
FolderJobEnd EndOf(const ClassSetJob& job) {
    const ClassSetOutcome& outcome = job.outcome;
    if (!outcome) {
        const ClassSetFailure& failure = outcome.Error();
        return failure.cancelled
                   ? FolderJobEnd{FolderJobEnd::How::Cancelled,
                                  QStringLiteral("Отменено: набор не создан, ничего не осталось."),
                                  {}}
                   : FolderJobEnd{FolderJobEnd::How::Failed, QString::fromStdString(failure.message), {}};
    }
    return {FolderJobEnd::How::Made, QString::fromStdString(outcome->message),
            QString::fromStdString(job.request.outDir)};
}

}  // namespace

ClassSetDialog::ClassSetDialog(QWidget* parent)
    : FolderJobDialog(parent, QStringLiteral("Варианты для группы"), QStringLiteral("Со&здать")) {
    CreateButton = startButton_;
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
    NameControls({
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
    });

    auto* form = new QFormLayout;
    form->addRow(FromTable);
    form->addRow(QStringLiteral("Таблица:"), WithButtons(TablePath, {browseTable}));
    form->addRow(Random);
    form->addRow(QStringLiteral("Число вариантов:"), Count);
    form->addRow(QStringLiteral("Зерно:"), Seed);
    form->addRow(QStringLiteral("Диапазоны (r1=5..20/0,5):"), Ranges);
    form->addRow(QStringLiteral("Допуск ответов, %:"), Tolerance);
    form->addRow(QStringLiteral("Папка набора:"), WithButtons(OutDir, {browseOut}));
    SetForm(QStringLiteral("Задача — открытая форма параметров и точности; для каждого "
                           "варианта: ключ ответов, вопросы для Moodle (XML и GIFT)."),
            form);

    connect(browseTable, &QPushButton::clicked, this, [this] {
        if (BrowseFile(TablePath, QStringLiteral("Таблица вариантов"),
                       QStringLiteral("Таблицы CSV (*.csv);;Все файлы (*)"))) {
            FromTable->setChecked(true);
        }
    });
    connect(browseOut, &QPushButton::clicked, this,
            [this] { BrowseFolder(OutDir, QStringLiteral("Папка набора (новая или пустая)")); });
    connect(TablePath, &QLineEdit::textEdited, this, [this] { FromTable->setChecked(true); });
    connect(CreateButton, &QPushButton::clicked, this, [this] {
        Create({OpenTaskTitle().toStdString(), ReadCircuitInput(*Form3), ReadPrecisionValues(*Form4)});
    });
}

bool ClassSetDialog::Create(const TaskValues& base) {
    if (Running()) {
        return false;
    }
    auto job = std::make_shared<ClassSetJob>();
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

    StartJob(
        QStringLiteral("Расчёт вариантов…"),
        [job](const StepReport& step) { job->outcome = MakeClassSet(job->request, step); },
        [job] { return EndOf(*job); });
    return true;
}

void ShowClassSetDialog() {
    static QPointer<FolderJobDialog> dialog;
    ShowFolderJobDialog(dialog, [] { return new ClassSetDialog(Form1); });
}
