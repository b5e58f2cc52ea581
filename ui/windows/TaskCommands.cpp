#include "ui/windows/TaskCommands.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>

#include "fileio/ReplaceFile.h"
#include "task/TaskFile.h"
#include "ui/app/Forms.h"
#include "ui/platform/FileErrorText.h"
#include "ui/platform/MessageBoxes.h"
#include "ui/windows/GuiRunContext.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"

namespace {

// The title and note of the task last opened or saved, written again with it.
QString gTitle;
QString gNote;

const QString kFilter = QStringLiteral("Задачи Vornik (*.vornik)");

// The main window's caption as it was before any task was opened or saved.
QString BaseCaption() {
    static const QString base = Form1->windowTitle();
    return base;
}

void ShowTaskInCaption(const QString& path) {
    QString caption = BaseCaption() + QStringLiteral(" - ") + QFileInfo(path).fileName();
    if (!gTitle.isEmpty()) {
        caption += QStringLiteral(" (") + gTitle + QStringLiteral(")");
    }
    Form1->setWindowTitle(caption);
}

void FillForms(const vornik::TaskFile& task) {
    for (const vornik::FieldSpec& entry : vornik::kFields) {
        Form3->FieldEdit(entry.field)->setText(QString::fromStdString(task.input.Text(entry.field)));
    }
    for (const vornik::TickSpec& entry : vornik::kTicks) {
        Form3->Box(entry.tick)->setChecked(task.input.Checked(entry.tick));
    }
    // The captions, the neutral wire's field and the assistant follow the connection as when the
    // student picks it.
    if (task.input.star) {
        Form3->RadioButton1Enter();
        Form3->RadioButton1Click();
    } else {
        Form3->RadioButton2Enter();
        Form3->RadioButton2Click();
    }
    for (int k = 0; k < vornik::kPrecisionCount; ++k) {
        Form4->ComboBox(k + 1)->setEditText(QString::fromStdString(task.precision.texts[k]));
    }
}

}  // namespace

QString CurrentTaskTitle() {
    return gTitle;
}

bool OpenTaskFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const vornik::TaskReadResult read = vornik::LoadTask(path.toStdString(), vornik::FieldLimits::Form);
    if (!read) {
        ShowErrorBox(
            QString::fromStdString(vornik::TaskErrorMessage(name.toStdString(), read.Error().message)));
        return false;
    }
    if (read->newer) {
        ShowPlainMessage(QString::fromStdString(vornik::TaskNewerMessage(name.toStdString())));
    }
    FillForms(read->task);
    gTitle = QString::fromStdString(read->task.title);
    gNote = QString::fromStdString(read->task.note);
    ShowTaskInCaption(path);
    return true;
}

bool SaveTaskFile(const QString& path) {
    vornik::TaskFile task = vornik::TakeTask(ReadCircuitInput(*Form3), FormPrecisionTexts(*Form4));
    task.title = gTitle.toStdString();
    task.note = gNote.toStdString();
    try {
        vornik::SaveTask(path.toStdString(), task);
    } catch (const vornik::FileWriteError& e) {
        ShowErrorBox(FileSaveErrorText(path, e.Code()));
        return false;
    }
    ShowTaskInCaption(path);
    return true;
}

QString OpenTaskTitle() {
    return gTitle;
}

void OpenTaskCommand(QWidget* parent) {
    const QString path =
        QFileDialog::getOpenFileName(parent, QStringLiteral("Открыть задачу"), QString(), kFilter);
    if (!path.isEmpty()) {
        OpenTaskFile(path);
    }
}

void SaveTaskCommand(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Сохранить задачу"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(kFilter);
    dialog.setDefaultSuffix(QStringLiteral("vornik"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SaveTaskFile(dialog.selectedFiles().front());
    }
}
