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
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

#include "canvas/QtPdfDocument.h"
#include "canvas/SetPdfs.h"
#include "classset/ClassSet.h"
#include "solver/TextToNumber.h"
#include "ui/app/Forms.h"
#include "ui/windows/GuiRunContext.h"
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

// The precision form's twenty texts as they stand.
PrecisionValues FormPrecisionValues() {
    const FormPrecisionTexts texts(*Form4);
    PrecisionValues values;
    for (int k = 0; k < kPrecisionCount; ++k) {
        values.texts[k] = texts.Text(k);
    }
    return values;
}

}  // namespace

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
    buttons->addButton(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
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
    connect(CreateButton, &QPushButton::clicked, this,
            [this] { Create(ReadCircuitInput(*Form3), FormPrecisionValues()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
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

bool ClassSetDialog::Create(const CircuitInput& input, const PrecisionValues& precision) {
    ClassSetRequest request;
    request.base.input = input;
    request.base.precision = precision;
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
            VaryRange range;
            if (!ParseVaryRange(line.trimmed().toStdString(), range).empty()) {
                ShowStatus(
                    QStringLiteral("Диапазон «%1»: пишите ИМЯ=ОТ..ДО/ШАГ, например r1=5..20/0,5").arg(line),
                    true);
                return false;
            }
            request.ranges.push_back(range);
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
    const SetPdfWriter pdfs(&BuildPdfDocument, request.date);
    request.pdfs = &pdfs;

    CreateButton->setEnabled(false);
    Progress->setRange(0, 0);  // busy until the variants are known
    ShowStatus(QStringLiteral("Расчёт вариантов…"), false);
    const ClassSetOutcome outcome = MakeClassSet(request, [this](int done, int total) {
        Progress->setRange(0, total);
        Progress->setValue(done);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    });
    CreateButton->setEnabled(true);
    if (!outcome.ok) {
        Progress->setRange(0, 1);
        Progress->setValue(0);
        ShowStatus(QString::fromStdString(outcome.message), true);
        return false;
    }
    ShowStatus(QStringLiteral("Готово: ") + QString::fromStdString(outcome.message), false);
    openFolder(QString::fromStdString(request.outDir));
    return true;
}

void ShowClassSetDialog() {
    static ClassSetDialog* dialog = nullptr;
    if (dialog == nullptr) {
        dialog = new ClassSetDialog(Form1);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
