#pragma once
// "Проверить работы группы…": a group's answers (a CSV table or a folder of answers files)
// marked against a class set's folder into a new folder: grades.csv, group.csv, summary.txt, a
// feedback PDF per student and group.pdf. The marking runs in a worker thread while the window
// stays responsive; "Отмена" (or closing the window, or ending the program) stops it and leaves
// nothing behind; at the end the folder and group.pdf are opened.

#include "ui/windows/FolderJobDialog.h"

class QComboBox;
class QLineEdit;

class GradeDialog : public FolderJobDialog {
    Q_OBJECT
  public:
    explicit GradeDialog(QWidget* parent = nullptr);

    // Starts the marking; returns whether it started (what is wrong with the fields is shown).
    bool Start();

    QLineEdit* SetDir = nullptr;
    QLineEdit* Answers = nullptr;
    QComboBox* Scale = nullptr;
    QLineEdit* Thresholds = nullptr;
    QLineEdit* OutDir = nullptr;
    QPushButton* StartButton = nullptr;

    // Opens group.pdf at the end; the desktop's program by default (tests look instead).
    std::function<void(const QString& path)> openFile;

  protected:
    // The folder, then group.pdf in it.
    void OpenMade(const QString& folder) override;
};

// Shows the dialog over the main window.
void ShowGradeDialog();
