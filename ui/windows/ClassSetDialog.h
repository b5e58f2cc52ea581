#pragma once
// "Варианты для группы…": a class set made from the open task (the parameter and precision
// forms, and the title of the task file opened) with variants from a table or drawn at random,
// into a new folder. The set is made in a worker thread while the window stays responsive; the
// bar reaches its end when the folder is in place, "Отмена" (or closing the window, or ending the
// program) stops the work and leaves nothing behind, and the folder opens in the file manager at
// the end.

#include "classset/Variant.h"
#include "ui/windows/FolderJobDialog.h"

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

class ClassSetDialog : public FolderJobDialog {
    Q_OBJECT
  public:
    explicit ClassSetDialog(QWidget* parent = nullptr);

    // Starts the set with this task as the base of every variant; returns whether it started
    // (what is wrong with the dialog's fields is shown in it). Finished tells how it ended.
    bool Create(const vornik::TaskValues& base);

    QRadioButton* FromTable = nullptr;
    QRadioButton* Random = nullptr;
    QLineEdit* TablePath = nullptr;
    QSpinBox* Count = nullptr;
    QLineEdit* Seed = nullptr;
    QPlainTextEdit* Ranges = nullptr;  // one NAME=FROM..TO/STEP a line
    QLineEdit* Tolerance = nullptr;
    QLineEdit* OutDir = nullptr;
    QPushButton* CreateButton = nullptr;
};

// Shows the dialog over the main window; its "Создать" reads the open forms.
void ShowClassSetDialog();
