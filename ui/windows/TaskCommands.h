#pragma once
// The task file in the desktop program: "Открыть задачу…" fills the parameter form, its ticks and
// connection and the precision form from a .vornik file; "Сохранить задачу…" writes them to one.
// The main window's caption then names the file (and the task's title).

#include <QString>

class QWidget;

// Opens the task at `path` into the forms; a file that cannot be used leaves every form as it
// was and shows one error box naming the file and what is wrong. A task of a later version opens
// after a message that its new parts are ignored. Returns whether the task was opened.
bool OpenTaskFile(const QString& path);

// Writes the forms as a task to `path` (the file is replaced whole or kept); a failure shows the
// error box. Returns whether the file was written.
bool SaveTaskFile(const QString& path);

// The title of the task last opened or saved; empty before any.
QString OpenTaskTitle();

// The menu commands: the file dialogs with the *.vornik filter, then the two above.
void OpenTaskCommand(QWidget* parent);
void SaveTaskCommand(QWidget* parent);

// The title of the task last opened or saved; empty before any.
QString CurrentTaskTitle();
