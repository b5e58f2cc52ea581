// TSelfCheckWindow: "Проверить себя…", the answer sheet of a task marked by the core.
#include "ui/windows/SelfCheckWindow.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>

#include "fileio/ReplaceFile.h"
#include "ui/app/Forms.h"
#include "ui/platform/FileErrorText.h"
#include "ui/platform/MessageBoxes.h"
#include "ui/widgets/Controls.h"
#include "ui/windows/GuiRunContext.h"
#include "ui/windows/TaskCommands.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"

namespace {

using namespace vornik;

const QString kTaskFilter = QStringLiteral("Задачи Vornik (*.vornik)");
const QString kAnswersFilter = QStringLiteral("Ответы Vornik (*.vornik-answers)");

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A caption starts with a capital: "нормальный режим" heads its group as "Нормальный режим".
QString Heading(const std::string& caption) {
    QString heading = Text(caption);
    if (!heading.isEmpty()) {
        heading[0] = heading[0].toUpper();
    }
    return heading;
}

// What a screen reader says for a unit: the degree sign alone is not read out.
QString SpokenUnit(const std::string& unit) {
    return unit == "°" ? QStringLiteral("градусов") : Text(unit);
}

// How each verdict looks: a sign and a colour beside its words, so that neither colour nor sign
// alone carries it.
struct VerdictLook {
    Verdict verdict;
    const char* sign;
    const char* colour;
};
constexpr VerdictLook kLooks[] = {
    {Verdict::Right, "✔", "#1b6e20"}, {Verdict::Carried, "✔", "#00695c"}, {Verdict::Mistake, "⚠", "#a34d00"},
    {Verdict::Wrong, "✘", "#b00000"}, {Verdict::Missing, "—", "#555555"},
};

const VerdictLook& LookOf(Verdict verdict) {
    return *std::find_if(std::begin(kLooks), std::end(kLooks),
                         [verdict](const VerdictLook& look) { return look.verdict == verdict; });
}

// The verdict's words: for a typical mistake with its name.
QString VerdictWords(const Mark& mark) {
    QString words = QString::fromUtf8(VerdictName(mark.verdict));
    if (mark.verdict == Verdict::Mistake) {
        words += QStringLiteral(": ") + QString::fromUtf8(MistakeOf(mark.mistake).name);
    }
    return words;
}

// The line under the field: why a typical mistake is one, or what an unreadable text should be.
QString VerdictHint(const Mark& mark) {
    if (mark.verdict == Verdict::Mistake) {
        return QString::fromUtf8(MistakeOf(mark.mistake).explanation);
    }
    return Text(mark.hint);
}

// A step is offered where the answer was not accepted.
bool OffersStep(Verdict verdict) {
    return verdict != Verdict::Right && verdict != Verdict::Carried;
}

TaskFile FormsTask() {
    TaskFile task;
    task.title = OpenTaskTitle().toStdString();
    task.input = ReadCircuitInput(*Form3);
    task.precision = ReadPrecisionValues(*Form4);
    return task;
}

TaskValues ValuesOf(const TaskFile& task) {
    return {task.title, task.input, task.precision};
}

// "файл «17.vornik» (Вариант 17)": a file and the title of its task.
QString FileSource(const QString& what, const QString& path, const std::string& title) {
    QString source = what + QStringLiteral(" «") + QFileInfo(path).fileName() + QStringLiteral("»");
    if (!title.empty()) {
        source += QStringLiteral(" (") + Text(title) + QStringLiteral(")");
    }
    return source;
}

}  // namespace

TSelfCheckWindow::TSelfCheckWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SelfCheckWindow"));
    setWindowTitle(QStringLiteral("Проверить себя"));
    setWindowFlags(Qt::Window);
    BuildControls();
    resize(980, 640);
}

void TSelfCheckWindow::BuildControls() {
    TaskLabel = new QLabel;
    TaskLabel->setWordWrap(true);
    FormsButton = new QPushButton(QStringLiteral("Задача из окна &параметров"));
    OpenTaskButton = new QPushButton(QStringLiteral("Открыть &задачу…"));
    Student = new QLineEdit;
    Group = new QLineEdit;

    sheetPanel_ = new QWidget;
    sheetLayout_ = new QVBoxLayout(sheetPanel_);
    sheetLayout_->addStretch();
    sheetArea_ = new QScrollArea;
    sheetArea_->setWidgetResizable(true);
    sheetArea_->setWidget(sheetPanel_);

    StepHeading = new QLabel;
    StepHeading->setWordWrap(true);
    StepView = new QTextEdit;
    StepView->setObjectName(QStringLiteral("StepView"));
    StepView->setReadOnly(true);
    StepView->setFont(TForm2::DocumentFont());
    StepView->document()->setDefaultFont(TForm2::DocumentFont());
    StepView->setLineWrapMode(QTextEdit::WidgetWidth);
    auto* stepPanel = new QWidget;
    auto* stepLayout = new QVBoxLayout(stepPanel);
    stepLayout->setContentsMargins(0, 0, 0, 0);
    stepLayout->addWidget(StepHeading);
    stepLayout->addWidget(StepView);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(sheetArea_);
    splitter->addWidget(stepPanel);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({560, 400});

    Status = new QLabel;
    Status->setWordWrap(true);
    CheckButton = new QPushButton(QStringLiteral("Про&верить"));
    CheckButton->setDefault(true);
    SolutionButton = new QPushButton(QStringLiteral("Показать &решение"));
    SaveAnswersButton = new QPushButton(QStringLiteral("&Сохранить ответы…"));
    OpenAnswersButton = new QPushButton(QStringLiteral("&Открыть ответы…"));
    CloseButton = new QPushButton(QStringLiteral("Закрыть"));

    auto* taskRow = new QHBoxLayout;
    taskRow->addWidget(TaskLabel, 1);
    taskRow->addWidget(FormsButton);
    taskRow->addWidget(OpenTaskButton);
    auto* who = new QFormLayout;
    who->addRow(QStringLiteral("&Ученик:"), Student);
    who->addRow(QStringLiteral("&Группа:"), Group);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {CheckButton, SolutionButton, SaveAnswersButton, OpenAnswersButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(taskRow);
    layout->addLayout(who);
    layout->addWidget(splitter, 1);
    layout->addWidget(Status);
    layout->addLayout(buttons);

    NameControls({
        {FormsButton, "Задача из окна параметров"},
        {OpenTaskButton, "Открыть задачу"},
        {Student, "Ученик"},
        {Group, "Группа"},
        {StepView, "Показанная часть решения"},
        {CheckButton, "Проверить"},
        {SolutionButton, "Показать решение"},
        {SaveAnswersButton, "Сохранить ответы"},
        {OpenAnswersButton, "Открыть ответы"},
        {CloseButton, "Закрыть"},
    });
    SolutionButton->setAccessibleDescription(QStringLiteral("Всё решение; это записывается в файл ответов"));
    // Every text here is shown as typed: titles and file names come from files.
    for (QLabel* label : {TaskLabel, Status, StepHeading}) {
        label->setTextFormat(Qt::PlainText);
    }

    connect(FormsButton, &QPushButton::clicked, this, &TSelfCheckWindow::TakeFormsTask);
    connect(OpenTaskButton, &QPushButton::clicked, this, &TSelfCheckWindow::OpenTaskCommand);
    connect(CheckButton, &QPushButton::clicked, this, &TSelfCheckWindow::Check);
    connect(SolutionButton, &QPushButton::clicked, this, &TSelfCheckWindow::ShowSolution);
    connect(SaveAnswersButton, &QPushButton::clicked, this, &TSelfCheckWindow::SaveAnswersCommand);
    connect(OpenAnswersButton, &QPushButton::clicked, this, &TSelfCheckWindow::OpenAnswersCommand);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TSelfCheckWindow::SetTask(const TaskFile& task, const QString& source) {
    task_ = task;
    hasTask_ = true;
    fromForms_ = false;
    sheet_ = MakeAnswerSheet(ValuesOf(task));
    revealed_.clear();
    solutionRevealed_ = false;
    unplaced_.clear();
    TaskLabel->setText(QStringLiteral("Задача: ") + source);
    BuildSheet();
    StepHeading->clear();
    StepView->clear();
    CheckButton->setEnabled(sheet_.completed);
    SolutionButton->setEnabled(sheet_.completed);
    if (sheet_.completed) {
        Status->setStyleSheet(QString());
        Status->setText(QStringLiteral("Решите задачу, впишите ответы и нажмите «Проверить» (Enter)."));
    } else {
        Status->setStyleSheet(QStringLiteral("color: #b00000"));
        Status->setText(QStringLiteral("Задачу нельзя решить: ") + Text(sheet_.message));
    }
}

void TSelfCheckWindow::TakeFormsTask() {
    const TaskFile task = FormsTask();
    SetTask(task, task.title.empty()
                      ? QStringLiteral("окно параметров")
                      : QStringLiteral("окно параметров (") + Text(task.title) + QStringLiteral(")"));
    fromForms_ = true;
}

bool TSelfCheckWindow::FollowsForms() const {
    return !hasTask_ || (fromForms_ && !SameExercise(ValuesOf(task_), ValuesOf(FormsTask())));
}

void TSelfCheckWindow::BuildSheet() {
    for (QGroupBox* box : modeBoxes_) {
        delete box;
    }
    modeBoxes_.clear();
    rows_.clear();
    for (const SheetMode& mode : sheet_.modes) {
        QGroupBox* box = BuildMode(mode);
        sheetLayout_->insertWidget(sheetLayout_->count() - 1, box);
        modeBoxes_.push_back(box);
    }
    SetTabOrder();
    // The fields, units and verdicts side by side without scrolling sideways.
    sheetArea_->setMinimumWidth(sheetPanel_->sizeHint().width() +
                                sheetArea_->verticalScrollBar()->sizeHint().width() +
                                2 * sheetArea_->frameWidth());
    if (!rows_.empty()) {
        rows_.front().edit->setFocus();
    }
}

QGroupBox* TSelfCheckWindow::BuildMode(const SheetMode& mode) {
    auto* box = new QGroupBox(Heading(mode.mode.caption));
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(3, 1);
    int line = 0;
    for (const SheetQuantity& quantity : mode.quantities) {
        Row row{mode.mode.name, quantity.quantity, quantity.key.label, quantity.key.unit};
        auto* label = new QLabel(Text(quantity.key.label) + QStringLiteral(" ="));
        row.edit = new QLineEdit;
        row.edit->setMinimumWidth(140);
        label->setBuddy(row.edit);
        auto* unit = new QLabel(Text(quantity.key.unit));
        row.verdict = new QLabel;
        row.hint = new QLabel;
        row.hint->setWordWrap(true);
        row.hint->hide();
        row.step = new QPushButton(QStringLiteral("Показать шаг ") + Text(quantity.section));
        row.step->hide();
        for (QLabel* text : {label, unit, row.verdict, row.hint}) {
            text->setTextFormat(Qt::PlainText);
        }
        row.edit->setAccessibleName(Text(quantity.key.label) + QStringLiteral(", ") +
                                    Text(mode.mode.caption));
        row.edit->setAccessibleDescription(SpokenUnit(quantity.key.unit));
        row.step->setAccessibleName(row.step->text() + QStringLiteral(", ") + Text(quantity.key.label));
        row.step->setAccessibleDescription(QStringLiteral("Часть решения, где вычисляется ") +
                                           Text(quantity.key.label));
        const std::string modeName = mode.mode.name;
        const std::string section = quantity.section;
        connect(row.step, &QPushButton::clicked, this,
                [this, modeName, section] { ShowStep(modeName, section); });
        // A changed answer loses the verdict of the text it replaces.
        const size_t index = rows_.size();
        connect(row.edit, &QLineEdit::textEdited, this, [this, index] { ClearMark(rows_[index]); });

        grid->addWidget(label, line, 0);
        grid->addWidget(row.edit, line, 1);
        grid->addWidget(unit, line, 2);
        grid->addWidget(row.verdict, line, 3);
        grid->addWidget(row.step, line, 4);
        grid->addWidget(row.hint, line + 1, 1, 1, 4);
        line += 2;
        rows_.push_back(row);
    }
    return box;
}

void TSelfCheckWindow::SetTabOrder() {
    // Top to bottom as on screen: the task, the student, each answer followed by its step (when
    // offered), the shown solution, then the buttons.
    std::vector<QWidget*> order = {FormsButton, OpenTaskButton, Student, Group};
    for (const Row& row : rows_) {
        order.push_back(row.edit);
        order.push_back(row.step);
    }
    order.insert(order.end(),
                 {StepView, CheckButton, SolutionButton, SaveAnswersButton, OpenAnswersButton, CloseButton});
    for (size_t k = 1; k < order.size(); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }
}

const TSelfCheckWindow::Row* TSelfCheckWindow::Find(const std::string& mode,
                                                    const std::string& quantity) const {
    for (const Row& row : rows_) {
        if (row.mode == mode && (row.quantity == quantity || row.label == quantity)) {
            return &row;
        }
    }
    return nullptr;
}

QLineEdit* TSelfCheckWindow::AnswerEdit(const std::string& mode, const std::string& quantity) const {
    const Row* row = Find(mode, quantity);
    return row != nullptr ? row->edit : nullptr;
}

QLabel* TSelfCheckWindow::VerdictLabel(const std::string& mode, const std::string& quantity) const {
    const Row* row = Find(mode, quantity);
    return row != nullptr ? row->verdict : nullptr;
}

QLabel* TSelfCheckWindow::HintLabel(const std::string& mode, const std::string& quantity) const {
    const Row* row = Find(mode, quantity);
    return row != nullptr ? row->hint : nullptr;
}

QPushButton* TSelfCheckWindow::StepButton(const std::string& mode, const std::string& quantity) const {
    const Row* row = Find(mode, quantity);
    return row != nullptr ? row->step : nullptr;
}

std::vector<AnswerEntry> TSelfCheckWindow::Answers() const {
    std::vector<AnswerEntry> answers;
    for (const Row& row : rows_) {
        const QString text = row.edit->text();
        if (!text.trimmed().isEmpty()) {
            answers.push_back({row.mode, row.quantity, text.toStdString()});
        }
    }
    // Answers of a file that name nothing on this sheet are kept, so that saving again loses none.
    answers.insert(answers.end(), unplaced_.begin(), unplaced_.end());
    return answers;
}

void TSelfCheckWindow::Check() {
    if (!sheet_.completed) {
        return;
    }
    const Marks marks = MarkAnswers(sheet_, Answers());
    for (const Mark& mark : marks.answers) {
        for (Row& row : rows_) {
            if (row.mode == mark.mode && row.quantity == mark.quantity) {
                ShowMark(row, mark);
            }
        }
    }
    // One box a mode of the sheet, in its order.
    for (size_t k = 0; k < modeBoxes_.size(); ++k) {
        const SheetMode& mode = sheet_.modes[k];
        QString title = Heading(mode.mode.caption);
        for (const ModeScore& score : marks.modes) {
            if (score.mode == mode.mode.name) {
                title +=
                    QStringLiteral(" — засчитано %1 из %2").arg(score.right + score.carried).arg(score.total);
            }
        }
        modeBoxes_[k]->setTitle(title);
    }
    ShowScore(marks);
}

void TSelfCheckWindow::ShowMark(Row& row, const Mark& mark) {
    const VerdictLook& look = LookOf(mark.verdict);
    const QString words = VerdictWords(mark);
    const QString hint = VerdictHint(mark);
    row.verdict->setText(QString::fromUtf8(look.sign) + QStringLiteral(" ") + words);
    row.verdict->setStyleSheet(QStringLiteral("color: ") + QString::fromLatin1(look.colour));
    row.verdict->setAccessibleName(words);
    row.hint->setText(hint);
    row.hint->setVisible(!hint.isEmpty());
    row.step->setVisible(OffersStep(mark.verdict) && !mark.section.empty());
    // The field itself tells a screen reader its verdict when it takes the focus again.
    QString description = SpokenUnit(mark.unit) + QStringLiteral("; ") + words;
    if (!hint.isEmpty()) {
        description += QStringLiteral(". ") + hint;
    }
    row.edit->setAccessibleDescription(description);
}

void TSelfCheckWindow::ClearMark(Row& row) {
    row.verdict->clear();
    row.verdict->setAccessibleName(QString());
    row.hint->clear();
    row.hint->hide();
    row.step->hide();
    row.edit->setAccessibleDescription(SpokenUnit(row.unit));
}

void TSelfCheckWindow::ShowScore(const Marks& marks) {
    QString text = QStringLiteral("Засчитано %1 из %2: верно %3, верно с учётом ошибки выше %4.")
                       .arg(marks.right + marks.carried)
                       .arg(marks.total)
                       .arg(marks.right)
                       .arg(marks.carried);
    if (solutionRevealed_) {
        text += QStringLiteral(" Решение было показано.");
    }
    if (!marks.unknown.empty()) {
        QStringList unknown;
        for (const std::string& name : marks.unknown) {
            unknown << Text(name);
        }
        text += QStringLiteral(" Ответы не к этой задаче: ") + unknown.join(QStringLiteral("; ")) +
                QStringLiteral(".");
    }
    Status->setStyleSheet(QString());
    Status->setText(text);
}

void TSelfCheckWindow::ShowLines(const QString& heading, const std::vector<std::string>& lines) {
    StepHeading->setText(heading);
    // The lines go in as the results window takes them from a run: one paragraph each, in the
    // document's face.
    RichEditDocument document(*StepView);
    document.Clear();
    for (const std::string& line : lines) {
        document.AppendLine(line);
    }
    document.Flush();
    StepView->moveCursor(QTextCursor::Start);
}

void TSelfCheckWindow::Record(const std::string& mode, const std::string& section) {
    const bool known = std::any_of(revealed_.begin(), revealed_.end(), [&](const RevealedSection& r) {
        return r.mode == mode && r.section == section;
    });
    if (!known) {
        revealed_.push_back({mode, section});
    }
}

void TSelfCheckWindow::ShowStep(const std::string& mode, const std::string& section) {
    const SheetMode* shown = sheet_.Mode(mode);
    if (shown == nullptr) {
        return;
    }
    ShowLines(QStringLiteral("Шаг ") + Text(section) + QStringLiteral(" — ") + Text(shown->mode.caption),
              SectionLines(sheet_, mode, section));
    Record(mode, section);
}

void TSelfCheckWindow::ShowSolution() {
    if (!sheet_.completed) {
        return;
    }
    ShowLines(QStringLiteral("Решение"), sheet_.report);
    solutionRevealed_ = true;
}

bool TSelfCheckWindow::OpenTask(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const TaskReadResult read = LoadTask(path.toStdString(), FieldLimits::Form);
    if (!read) {
        ShowErrorBox(Text(TaskErrorMessage(name.toStdString(), read.Error().message)));
        return false;
    }
    if (read->newer) {
        ShowPlainMessage(Text(TaskNewerMessage(name.toStdString())));
    }
    SetTask(read->task, FileSource(QStringLiteral("файл"), path, read->task.title));
    return true;
}

bool TSelfCheckWindow::OpenAnswers(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    // The task is read as a task file opened here would be.
    const AnswersReadResult read = LoadAnswers(path.toStdString(), FieldLimits::Form);
    if (!read) {
        ShowErrorBox(Text(AnswersErrorMessage(name.toStdString(), read.Error().message)));
        return false;
    }
    const AnswersFile& file = *read;
    SetTask(file.task, FileSource(QStringLiteral("из ответов"), path, file.task.title));
    Student->setText(Text(file.student));
    Group->setText(Text(file.group));
    for (const AnswerEntry& answer : file.answers) {
        const Row* row = Find(answer.mode, answer.quantity);
        if (row != nullptr && row->edit->text().isEmpty()) {
            row->edit->setText(Text(answer.text));
        } else {
            unplaced_.push_back(answer);
        }
    }
    revealed_ = file.revealed;
    solutionRevealed_ = file.solutionRevealed;
    Check();
    return true;
}

bool TSelfCheckWindow::SaveAnswers(const QString& path) {
    AnswersFile file;
    file.task = task_;
    file.student = Student->text().trimmed().toStdString();
    file.group = Group->text().trimmed().toStdString();
    file.answers = Answers();
    file.revealed = revealed_;
    file.solutionRevealed = solutionRevealed_;
    file.saved = SavedTimeText(std::time(nullptr));
    try {
        vornik::SaveAnswers(path.toStdString(), file);
    } catch (const FileWriteError& e) {
        ShowErrorBox(FileSaveErrorText(path, e.Code()));
        return false;
    }
    return true;
}

void TSelfCheckWindow::OpenTaskCommand() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Открыть задачу"), QString(), kTaskFilter);
    if (!path.isEmpty()) {
        OpenTask(path);
    }
}

void TSelfCheckWindow::OpenAnswersCommand() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Открыть ответы"), QString(), kAnswersFilter);
    if (!path.isEmpty()) {
        OpenAnswers(path);
    }
}

void TSelfCheckWindow::SaveAnswersCommand() {
    QFileDialog dialog(this, QStringLiteral("Сохранить ответы"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(kAnswersFilter);
    dialog.setDefaultSuffix(QStringLiteral("vornik-answers"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SaveAnswers(dialog.selectedFiles().front());
    }
}

void ShowSelfCheckWindow() {
    static QPointer<TSelfCheckWindow> window;
    if (window == nullptr) {
        window = new TSelfCheckWindow(Form1);
    }
    if (window->FollowsForms()) {
        window->TakeFormsTask();
    }
    window->show();
    window->raise();
    window->activateWindow();
}
