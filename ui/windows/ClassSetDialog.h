#pragma once
// "Варианты для группы…": a class set made from the open task (the parameter and precision
// forms) with variants from a table or drawn at random, into a new folder, with a progress bar;
// the folder opens in the file manager at the end.

#include <QDialog>
#include <functional>

#include "solver/Parameters.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

class ClassSetDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ClassSetDialog(QWidget* parent = nullptr);

    // Makes the set with this task as the base of every variant; returns whether it was made. What went
    // wrong, or what was made, is shown in the dialog.
    bool Create(const vornik::CircuitInput& input, const vornik::PrecisionValues& precision);

    QRadioButton* FromTable = nullptr;
    QRadioButton* Random = nullptr;
    QLineEdit* TablePath = nullptr;
    QSpinBox* Count = nullptr;
    QLineEdit* Seed = nullptr;
    QPlainTextEdit* Ranges = nullptr;  // one NAME=FROM..TO/STEP a line
    QLineEdit* Tolerance = nullptr;
    QLineEdit* OutDir = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Status = nullptr;
    QPushButton* CreateButton = nullptr;

    // Opens the finished folder; the file manager by default (tests look instead).
    std::function<void(const QString& folder)> openFolder;

  private:
    void Browse(QLineEdit* into, bool folder);
    void ShowStatus(const QString& text, bool failed);
};

// Shows the dialog over the main window; its "Создать" reads the open forms.
void ShowClassSetDialog();
