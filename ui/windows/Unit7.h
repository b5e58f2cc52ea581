#pragma once
// Vector diagram window "Векторная диаграмма": fourteen radio buttons choose the mode and the
// quantity, the diagram core draws it onto Image1, the cursor position is read out below the
// picture and the picture can be saved as JPEG or BMP. Hidden at start; its controls are built
// when it is first shown, saves its picture or one of them is first reached.

#include <QLabel>
#include <QRadioButton>
#include <QString>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <vector>

#include "canvas/QtDiagramCanvas.h"
#include "diagram/Diagram.h"
#include "pictures/PictureFile.h"
#include "ui/widgets/DiagramView.h"
#include "ui/widgets/OnDemand.h"

class QButtonGroup;

class TForm7 : public OnDemandWindow {
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
    // Writes the drawing shown as an SVG document; on failure shows the error and returns false.
    bool SaveSvgTo(const QString& path);

    // A calculation run has stored results: an open window redraws its selected mode from them,
    // so the picture on screen always belongs to the last run that stored results.
    void RunStored();

    // The label beside emergency pair 1..6 naming the mode's phase ("фаза \"A\"").
    QLabel* PhaseLabel(int pair) const {
        EnsureBuilt();
        return phaseLabels_.at(pair - 1);
    }
    static constexpr int kPhaseLabelCount = 6;

    // The radio button RadioButtonN, n = 1..14.
    QRadioButton* RadioButton(int n) const { return radioButtons_.at(n - 1); }
    // What the picture shows: the drawing operations since it was last cleared.
    const std::vector<vornik::DrawOp>& DrawnOps() const {
        EnsureBuilt();
        return drawing_.Ops();
    }
    // How many diagrams were drawn since the window was built.
    int DrawCount() const { return drawCount_; }
    // The picture of Image1; the empty plane with its axes before the first diagram.
    const vornik::QtDiagramCanvas& Canvas() const;

    OnDemand<QToolButton> SpeedButton1{this}, SpeedButton2{this}, SpeedButton3{this}, SpeedButton4{this};
    OnDemand<QRadioButton> RadioButton1{this}, RadioButton2{this}, RadioButton3{this}, RadioButton4{this},
        RadioButton5{this}, RadioButton6{this}, RadioButton7{this}, RadioButton8{this}, RadioButton9{this},
        RadioButton10{this}, RadioButton11{this}, RadioButton12{this}, RadioButton13{this},
        RadioButton14{this};
    OnDemand<QLabel> Image1{this};
    OnDemand<QLabel> Label5{this}, Label6{this}, Label7{this}, Label8{this}, Label9{this}, Label10{this},
        Label11{this}, Label12{this}, Label13{this};

  protected:
    void BuildControls() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    void PlaceWindow();
    void BuildToolButtons();
    void BuildModeChoice();
    void BuildPictureAndReadOut();
    int SelectedButton() const;
    // Enables the emergency pairs the last run that stored results computed and names their
    // phases in that run's connection.
    void ShowStoredRunModes();
    void ShowPicture();

    OnDemandArray<QRadioButton, 14> radioButtons_{this};
    QButtonGroup* modeGroup_ = nullptr;
    std::array<QLabel*, kPhaseLabelCount> phaseLabels_{};
    vornik::QtDiagramCanvas canvas_;
    // Draws on canvas_ and remembers the drawing for a scaled screen.
    DiagramRecorder drawing_{canvas_};
    vornik::DiagramLabels labels_;
    int drawCount_ = 0;
    // Whether the button being clicked was already selected when it was pressed: such a click
    // changes no selection, so it redraws by itself.
    bool pressedSelected_ = false;

    // The save dialog's memory between runs: filter of the format saved last and its folder.
    int saveFilterIndex_ = 0;
    QString saveFolder_;
};
