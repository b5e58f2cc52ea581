#pragma once
// "Проверить себя…": the answer sheet of a task (the open forms' task, a task file, or the task
// of an answers file), one field per key quantity of each computed mode; "Проверить" marks every
// field through the core's marking (verdict words and colour, the mistake's name and why, a hint
// for a text that cannot be read), "Показать шаг N" shows that section of the worked solution in
// the report's own formatting, "Показать решение" shows it all, and both are recorded in the
// answers file ("Сохранить ответы…", "Открыть ответы…").

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "check/AnswersFile.h"
#include "check/Marking.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QVBoxLayout;

class TSelfCheckWindow : public QDialog {
    Q_OBJECT
  public:
    explicit TSelfCheckWindow(QWidget* parent = nullptr);

    // The sheet of `task`, its fields empty and nothing shown or recorded; `source` says on the
    // window where the task came from.
    void SetTask(const vornik::TaskFile& task, const QString& source);
    // The task of the parameter and precision forms as they stand.
    void TakeFormsTask();
    // Whether opening the window takes the forms' task: it has no task yet, or it shows the
    // forms' task as they stood before they were changed (a task from a file stays).
    bool FollowsForms() const;
    // A task file; a bad one leaves the window as it was and shows one error box.
    bool OpenTask(const QString& path);
    // An answers file: its task, student, answers and what was shown, then marked; a bad one
    // leaves the window as it was and shows one error box.
    bool OpenAnswers(const QString& path);
    // The task, the answers as typed and what was shown, replacing the file whole; a failure
    // shows the error box.
    bool SaveAnswers(const QString& path);

    // "Проверить": marks every field.
    void Check();
    // "Показать шаг N": the section of that mode's worked solution below the sheet, recorded.
    void ShowStep(const std::string& mode, const std::string& section);
    // "Показать решение": the whole worked solution, recorded.
    void ShowSolution();

    // The answers as typed, one per non-empty field.
    std::vector<vornik::AnswerEntry> Answers() const;
    const vornik::AnswerSheet& Sheet() const { return sheet_; }
    // What is recorded of the solution shown.
    const std::vector<vornik::RevealedSection>& Revealed() const { return revealed_; }
    bool SolutionRevealed() const { return solutionRevealed_; }

    // The controls of one quantity (null for a quantity not on the sheet).
    QLineEdit* AnswerEdit(const std::string& mode, const std::string& quantity) const;
    QLabel* VerdictLabel(const std::string& mode, const std::string& quantity) const;
    QLabel* HintLabel(const std::string& mode, const std::string& quantity) const;
    QPushButton* StepButton(const std::string& mode, const std::string& quantity) const;

    QLabel* TaskLabel = nullptr;
    QPushButton* FormsButton = nullptr;  // "Задача из окна параметров"
    QPushButton* OpenTaskButton = nullptr;
    QLineEdit* Student = nullptr;
    QLineEdit* Group = nullptr;
    QLabel* Status = nullptr;  // the score, or why the task has no sheet
    QPushButton* CheckButton = nullptr;
    QPushButton* SolutionButton = nullptr;
    QPushButton* SaveAnswersButton = nullptr;
    QPushButton* OpenAnswersButton = nullptr;
    QPushButton* CloseButton = nullptr;
    QLabel* StepHeading = nullptr;
    QTextEdit* StepView = nullptr;  // the shown part of the worked solution

  private:
    // The controls of one quantity of the sheet.
    struct Row {
        std::string mode;
        std::string quantity;
        std::string label;
        std::string unit;
        QLineEdit* edit = nullptr;
        QLabel* verdict = nullptr;
        QLabel* hint = nullptr;
        QPushButton* step = nullptr;
    };
    void BuildControls();
    void BuildSheet();
    QGroupBox* BuildMode(const vornik::SheetMode& mode);
    void SetTabOrder();
    void ClearMark(Row& row);
    void ShowMark(Row& row, const vornik::Mark& mark);
    void ShowScore(const vornik::Marks& marks);
    void ShowLines(const QString& heading, const std::vector<std::string>& lines);
    void Record(const std::string& mode, const std::string& section);
    const Row* Find(const std::string& mode, const std::string& quantity) const;
    void OpenTaskCommand();
    void OpenAnswersCommand();
    void SaveAnswersCommand();

    vornik::TaskFile task_;
    bool hasTask_ = false;
    bool fromForms_ = false;
    vornik::AnswerSheet sheet_;
    std::vector<Row> rows_;
    std::vector<QGroupBox*> modeBoxes_;
    std::vector<vornik::RevealedSection> revealed_;
    // Answers of an opened file that name nothing on the sheet, kept for the next save.
    std::vector<vornik::AnswerEntry> unplaced_;
    bool solutionRevealed_ = false;
    QScrollArea* sheetArea_ = nullptr;
    QWidget* sheetPanel_ = nullptr;
    QVBoxLayout* sheetLayout_ = nullptr;
};

// Shows the window over the main window; opened the first time, or with the forms changed since
// it took their task, it takes the forms' task.
void ShowSelfCheckWindow();
