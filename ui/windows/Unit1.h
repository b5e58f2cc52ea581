#pragma once
// Main window "Vornik (Three phase chains) ver. 2.2": the main menu and toolbar from which every
// other window and the calculation run are reached.

#include <QMainWindow>
#include <QToolButton>

class QAction;
class QFrame;
class QMenu;

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);

    // Toolbar CoolBar1.
    QFrame* CoolBar1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;  // "ВЫПОЛНИТЬ"
    QToolButton* SpeedButton6 = nullptr;  // "ВЕКТОРНАЯ ДИАГРАММА", enabled by the first completed run
    QToolButton* SpeedButton12 = nullptr;  // input assistant
    QToolButton* SpeedButton4 = nullptr;   // precision settings
    QToolButton* SpeedButton3 = nullptr;   // help
    QToolButton* SpeedButton7 = nullptr;   // windows to their home places

    // Main menu MainMenu1.
    QMenu *N1 = nullptr, *N2 = nullptr, *N3 = nullptr, *N4 = nullptr;
    QAction *Word1 = nullptr, *N17 = nullptr, *N16 = nullptr, *N11 = nullptr;
    QAction* N18 = nullptr;        // "Открыть задачу…"
    QAction* N19 = nullptr;        // "Сохранить задачу…"
    QAction* N20 = nullptr;        // "Сохранить в PDF…"
    QAction* N21 = nullptr;        // "Предварительный просмотр…"
    QAction* ClassSet1 = nullptr;  // "Варианты для группы…"
    QAction* Grade1 = nullptr;     // "Проверить работы группы…"
    QAction *N7 = nullptr, *N8 = nullptr, *N9 = nullptr, *N10 = nullptr, *N14 = nullptr, *N15 = nullptr;
    QAction *N5 = nullptr, *N6 = nullptr, *N12 = nullptr, *N13 = nullptr;
    QAction* SelfCheck1 = nullptr;  // "Проверить себя…"

    // The calculation run on the parameter and precision forms into the results document.
    void N5Click();
    // Main, results, parameter and diagram windows to their home places.
    void N6Click();
    // Edit commands on the results document.
    void N7Click();
    void N8Click();
    void N9Click();
    void N10Click();
    // The help page.
    void SpeedButton3Click();
    void PlaceWindow();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildToolbar();
    void BuildMenu();
    void FormShow();
};
