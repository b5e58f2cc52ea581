#pragma once
// Vector diagram window "Векторная диаграмма": fourteen radio buttons choose the mode and the
// quantity, the diagram core draws it onto Image1, the cursor position is read out below the
// picture and the picture can be saved as JPEG or BMP.

#include <QLabel>
#include <QRadioButton>
#include <QString>
#include <QToolButton>
#include <QWidget>
#include <array>

#include "canvas/QtDiagramCanvas.h"
#include "diagram/Diagram.h"
#include "diagram/PictureFile.h"

class QButtonGroup;

class TForm7 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm7(QWidget* parent = nullptr);

    // Home placement; the main window's "Центрировать окна" runs it too.
    void SpeedButton1Click();
    // The save command; the main window's "Сохранить рисунок" runs it, also while this window
    // is hidden. Before the first diagram the blank canvas with its axes is saved.
    void SpeedButton3Click();

    // Draws the diagram of the selected radio button (the click handler of all fourteen).
    void RadioButton1Click();
    // Cursor read-out in pixels of Image1: X, Y, and A = 200 - Y, J = 200 - X from the centre.
    void ShowCursorPosition(int X, int Y);
    // Writes the current picture in the given format; an error is shown in the error box.
    // Returns whether the file was written.
    bool SavePictureTo(const QString& path, vornik::PictureFormat format);

    // The radio button RadioButtonN, n = 1..14.
    QRadioButton* RadioButton(int n) const { return radioButtons_.at(n - 1); }
    // How many diagrams were drawn since the window was built.
    int DrawCount() const { return drawCount_; }
    const vornik::QtDiagramCanvas& Canvas() const { return canvas_; }

    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr,
                *SpeedButton4 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr, *RadioButton3 = nullptr,
                 *RadioButton4 = nullptr, *RadioButton5 = nullptr, *RadioButton6 = nullptr,
                 *RadioButton7 = nullptr, *RadioButton8 = nullptr, *RadioButton9 = nullptr,
                 *RadioButton10 = nullptr, *RadioButton11 = nullptr, *RadioButton12 = nullptr,
                 *RadioButton13 = nullptr, *RadioButton14 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr,
           *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    void PlaceWindow();
    void BuildToolButtons();
    void BuildModeChoice();
    void BuildPictureAndReadOut();
    int SelectedButton() const;
    void ShowPicture();

    std::array<QRadioButton*, 14> radioButtons_{};
    QButtonGroup* modeGroup_ = nullptr;
    vornik::QtDiagramCanvas canvas_;
    vornik::DiagramLabels labels_;
    int drawCount_ = 0;

    // The save dialog's memory between runs: filter of the format saved last and its folder.
    int saveFilterIndex_ = 0;
    QString saveFolder_;
};
