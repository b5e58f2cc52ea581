// What a student meets driving the program by hand: the splash painted before the windows are
// built, values written by the input assistant shown from their first character, the mouse wheel
// leaving unfocused combo boxes alone, the diagram keeping the connection of the run it shows,
// and diagram labels kept inside the picture.

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>
#include <algorithm>

#include "ShellTestSupport.h"
#include "canvas/QtDiagramCanvas.h"
#include "diagram/Diagram.h"
#include "diagram/RecordingCanvas.h"
#include "ui/platform/Help.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

void SetLoad(const QStringList& values) {
    QLineEdit* fields[] = {Form3->Edit4, Form3->Edit5, Form3->Edit6,
                           Form3->Edit7, Form3->Edit8, Form3->Edit9};
    for (int k = 0; k < 6; ++k) {
        fields[k]->setText(values[k]);
    }
}

void Untick() {
    for (QCheckBox* box : {Form3->CheckBox2, Form3->CheckBox3, Form3->CheckBox4, Form3->CheckBox5,
                           Form3->CheckBox6, Form3->CheckBox7}) {
        box->setChecked(false);
    }
}

bool RunCompletes() {
    bool completed = false;
    const auto boxes = CaptureMessageBoxes([&] {
        Form1->N5Click();
        completed = Form1->SpeedButton6->isEnabled();
    });
    return completed && boxes.isEmpty();
}

void Wheel(QWidget* target, int notches) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

// The diagram of one button drawn from the mode slots as the window draws it after its showing.
QImage DrawnWith(bool star, int button) {
    vornik::QtDiagramCanvas canvas;
    vornik::DiagramLabels labels;
    for (int b : {1, button}) {
        vornik::DrawSelectedDiagram(canvas, AppState().modeSlots, {star, Form3->CheckBox1->isChecked(), b},
                                    labels);
    }
    return canvas.Image().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class ShellHandsOnTest : public QObject {
    Q_OBJECT

    bool splashSeen_ = false;
    bool builtBeforeSplash_ = false;
    QImage splashOnScreen_;
    QImage splashDrawn_;

  private slots:
    void initTestCase() {
        SetSplashShownHook([this](QWidget* splash) {
            splashSeen_ = true;
            builtBeforeSplash_ = Form1 != nullptr;
            splashOnScreen_ = splash->screen()
                                  ->grabWindow(0, splash->x(), splash->y(), splash->width(), splash->height())
                                  .toImage();
            splashDrawn_ = splash->grab().toImage();
        });
        StartProgramWindows();
        SetSplashShownHook(nullptr);
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }
    void cleanupTestCase() { DestroyWindows(); }
    void init() {
        Form3->RadioButton1->click();
        Untick();
        SetLoad({"10", "5", "20", "-10", "15", "0"});
        for (QComboBox* voltage : {Form3->ComboBox1, Form3->ComboBox2, Form3->ComboBox3}) {
            voltage->setEditText(QStringLiteral("380"));
        }
    }

    void splashPaintedBeforeTheMainWindowIsBuilt() {
        QVERIFY(splashSeen_);
        QVERIFY2(!builtBeforeSplash_, "the main window was built before the splash was on screen");
        QVERIFY2(!splashOnScreen_.isNull(), "nothing of the splash on the screen");
        const QImage screen = splashOnScreen_.convertToFormat(QImage::Format_RGB32);
        const QImage drawn = splashDrawn_.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(screen.size(), drawn.size());
        int same = 0;
        int black = 0;
        for (int y = 0; y < screen.height(); ++y) {
            for (int x = 0; x < screen.width(); ++x) {
                same += screen.pixel(x, y) == drawn.pixel(x, y);
                black += screen.pixel(x, y) == qRgb(0, 0, 0);
            }
        }
        const int area = screen.width() * screen.height();
        QVERIFY2(same > area * 9 / 10,
                 qPrintable(QStringLiteral("%1 of %2 pixels as drawn").arg(same).arg(area)));
        // Its black ground and its coloured name and emblem, not an empty window.
        QVERIFY(black > area / 2 && black < area * 99 / 100);
    }

    // Values the assistant writes into narrow fields show their first character (the minus sign).
    void assistantFieldsShowFirstCharacter_data() {
        QTest::addColumn<int>("phase");
        QTest::addColumn<QString>("inductance");
        QTest::addColumn<QString>("capacitance");
        QTest::addColumn<QString>("written");
        QTest::newRow("Xa = -31,83 (C 100 мкФ)") << 0 << "0"
                                                 << "100"
                                                 << "-31,83";
        QTest::newRow("Xb = 314,16 (L 1000 мГн)") << 1 << "1000"
                                                  << "0"
                                                  << "314,16";
        QTest::newRow("Xc = -318,31 (C 10 мкФ)") << 2 << "0"
                                                 << "10"
                                                 << "-318,31";
    }
    void assistantFieldsShowFirstCharacter() {
        QFETCH(int, phase);
        QFETCH(QString, inductance);
        QFETCH(QString, capacitance);
        QFETCH(QString, written);
        Form8->show();
        QLineEdit* l[] = {Form8->Edit3, Form8->Edit5, Form8->Edit7};
        QLineEdit* c[] = {Form8->Edit4, Form8->Edit6, Form8->Edit8};
        QPushButton* set[] = {Form8->Button3, Form8->Button4, Form8->Button5};
        QLineEdit* target[] = {Form3->Edit5, Form3->Edit7, Form3->Edit9};
        l[phase]->setText(inductance);
        c[phase]->setText(capacitance);
        target[phase]->setText(QStringLiteral("0"));
        QTest::mouseClick(set[phase], Qt::LeftButton);
        QCOMPARE(target[phase]->text(), written);
        QCOMPARE(target[phase]->cursorPosition(), 0);
        // What the field shows is the text from its start.
        const QImage shown = target[phase]->grab().toImage();
        target[phase]->home(false);
        QCOMPARE(target[phase]->grab().toImage(), shown);
        Form8->hide();
    }

    void assistantVoltagesShowFirstCharacter() {
        Form8->show();
        Form8->Edit1->setText(QStringLiteral("-6600"));
        QTest::mouseClick(Form8->Button2, Qt::LeftButton);
        for (QComboBox* voltage : {Form3->ComboBox1, Form3->ComboBox2, Form3->ComboBox3}) {
            QCOMPARE(voltage->currentText(), QStringLiteral("-3811"));
            QCOMPARE(voltage->lineEdit()->cursorPosition(), 0);
        }
        Form8->hide();
    }

    // A wheel notch over a combo box without the focus leaves its value; with the focus it steps.
    void wheelStepsOnlyAFocusedComboBox_data() {
        QTest::addColumn<int>("window");  // 3 parameters, 4 precision, 8 assistant
        QTest::addColumn<int>("box");
        QTest::newRow("Ub of the parameter form") << 3 << 2;
        QTest::newRow("precision box 5") << 4 << 5;
        QTest::newRow("inductance unit of phase A") << 8 << 1;
        QTest::newRow("capacitance unit of phase C") << 8 << 6;
    }
    void wheelStepsOnlyAFocusedComboBox() {
        QFETCH(int, window);
        QFETCH(int, box);
        QWidget* form = window == 3   ? static_cast<QWidget*>(Form3)
                        : window == 4 ? static_cast<QWidget*>(Form4)
                                      : static_cast<QWidget*>(Form8);
        QComboBox* combo = nullptr;
        if (window == 3) {
            combo = std::array{Form3->ComboBox1, Form3->ComboBox2, Form3->ComboBox3}[box - 1];
        } else if (window == 4) {
            combo = Form4->ComboBox(box);
        } else {
            combo = std::array<QComboBox*, 6>{Form8->ComboBox1, Form8->ComboBox2, Form8->ComboBox3,
                                              Form8->ComboBox4, Form8->ComboBox5, Form8->ComboBox6}[box - 1];
        }
        form->show();
        form->activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == form);
        Form1->setFocus();
        combo->clearFocus();
        const QString before = combo->currentText();
        QVERIFY2((combo->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus,
                 "a wheel notch would give the box the focus and step it at once");
        Wheel(combo, -1);
        if (combo->lineEdit() != nullptr) {
            Wheel(combo->lineEdit(), -1);
        }
        QCOMPARE(combo->currentText(), before);

        combo->setFocus();
        QTRY_VERIFY(combo->hasFocus() || (combo->lineEdit() != nullptr && combo->lineEdit()->hasFocus()));
        Wheel(combo, combo->currentIndex() > 0 ? 1 : -1);
        QVERIFY2(combo->currentText() != before, "the focused box takes the wheel");
        combo->setCurrentIndex(combo->findText(before));
        if (window == 4) {
            combo->setEditText(before);
        }
    }

    // After a star run, switching the form to delta without running again must not redraw the
    // star results under the delta names: the diagram keeps the connection of the run.
    void diagramKeepsTheConnectionOfTheRun() {
        QVERIFY(RunCompletes());
        Form3->RadioButton2->click();
        QVERIFY(!Form3->RadioButton1->isChecked());
        Form1->SpeedButton6->click();
        Form7->RadioButton2->click();  // currents of the normal mode
        const QImage shown = Form7->Canvas().Image().convertToFormat(QImage::Format_RGB32);
        const QImage star = DrawnWith(true, 2);
        const QImage delta = DrawnWith(false, 2);
        QVERIFY2(star != delta, "the two connections draw the same picture: no check");
        QVERIFY2(shown == star, "not the star picture of the run");

        // The labels and the legend of the star currents, not "Iab" and the admittances' scale.
        vornik::RecordingCanvas recorded;
        vornik::DiagramLabels labels;
        vornik::DrawSelectedDiagram(recorded, AppState().modeSlots, {true, Form3->CheckBox1->isChecked(), 2},
                                    labels);
        QStringList texts;
        for (const vornik::DrawOp& op : recorded.Ops()) {
            texts << QString::fromStdString(op.text);
        }
        QVERIFY(texts.contains(QStringLiteral("Ia")) && !texts.contains(QStringLiteral("Iab")));
        QVERIFY(texts.contains(QString::fromStdString(labels.legend)));
        QCOMPARE(Form7->Label12->text(), QString::fromStdString(labels.label12));
        Form7->hide();

        // A delta run then draws as delta.
        QVERIFY(RunCompletes());
        Form1->SpeedButton6->click();
        Form7->RadioButton2->click();
        QCOMPARE(Form7->Canvas().Image().convertToFormat(QImage::Format_RGB32), DrawnWith(false, 2));
        Form7->hide();
    }

    // A run that stops on an error after storing its normal mode has put its own connection's
    // numbers in the slots: the diagram draws them under that connection's names.
    void diagramFollowsARunThatStoppedAfterStoring() {
        QVERIFY(RunCompletes());  // star
        Form3->RadioButton2->click();
        // Branches AB and CA cancel: the normal mode solves, the break of line wire A puts them in
        // series and stops on a zero impedance.
        SetLoad({"10", "5", "10", "5", "-10", "-5"});
        Form3->CheckBox5->setChecked(true);
        const auto boxes = CaptureMessageBoxes([] { Form1->N5Click(); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().text, QStringLiteral("Сопротивление не может быть равно нулю!"));
        Form1->SpeedButton6->click();
        const QImage delta = DrawnWith(false, 1);
        QVERIFY2(delta != DrawnWith(true, 1), "the two connections draw the same picture: no check");
        QCOMPARE(Form7->Canvas().Image().convertToFormat(QImage::Format_RGB32), delta);
        Form7->hide();
    }

    // The delta phase-break voltages put "Ubc" past the right edge of the picture; the painter
    // moves it back inside, whole.
    void phaseBreakLabelInsideThePicture() {
        Form3->RadioButton2->click();
        Form3->CheckBox2->setChecked(true);  // break of load phase AB
        QVERIFY(RunCompletes());
        Form1->SpeedButton6->click();
        Form7->RadioButton3->click();

        vornik::RecordingCanvas recorded;
        vornik::DiagramLabels labels;
        vornik::DrawSelectedDiagram(recorded, AppState().modeSlots, {false, false, 3}, labels);
        const auto ubc = std::find_if(recorded.Ops().begin(), recorded.Ops().end(),
                                      [](const vornik::DrawOp& op) { return op.text == "Ubc"; });
        QVERIFY(ubc != recorded.Ops().end());

        // "Ubc" alone, as it looks whole.
        vornik::QtDiagramCanvas alone;
        alone.FillWhite();
        alone.SetFontFace("Time New Roman");
        alone.SetFontSize(12);
        alone.SetFontColor(vornik::kRed);
        alone.TextOut(100, 100, "Ubc");
        const QFontMetrics metrics(alone.Font(), &alone.Image());
        const QSize box(metrics.horizontalAdvance(QStringLiteral("Ubc")), metrics.height());
        QVERIFY2(ubc->x1 + box.width() > vornik::kCanvasSize,
                 qPrintable(QStringLiteral("the label at x = %1 fits anyway: no check").arg(ubc->x1)));

        const QPoint inside(std::clamp(ubc->x1, 0, vornik::kCanvasSize - box.width()),
                            std::clamp(ubc->y1, 0, vornik::kCanvasSize - box.height()));
        const QImage shown = Form7->Canvas().Image().convertToFormat(QImage::Format_RGB32);
        const QImage label = shown.copy(QRect(inside, box));
        QCOMPARE(label,
                 alone.Image().convertToFormat(QImage::Format_RGB32).copy(QRect(QPoint(100, 100), box)));
        int redNearRightEdge = 0;
        for (int y = inside.y(); y < inside.y() + box.height(); ++y) {
            for (int x = inside.x(); x < vornik::kCanvasSize; ++x) {
                redNearRightEdge += qRed(shown.pixel(x, y)) > 200 && qGreen(shown.pixel(x, y)) < 100;
            }
        }
        QVERIFY(redNearRightEdge > 20);
        Form7->hide();
        Form3->CheckBox2->setChecked(false);
    }

    // The help page keeps in step with the main window: it names every menu, menu item and
    // toolbar button as the window shows it.
    void helpPageNamesEveryMenuItemAndButton() {
        QFile file(HelpFileCandidates().constLast());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QString page = QString::fromUtf8(file.readAll());
        page.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
        page = page.simplified();
        QStringList names;
        for (QAction* menu : Form1->menuBar()->actions()) {
            names << menu->text().trimmed();
            for (QAction* item : menu->menu()->actions()) {
                if (!item->isSeparator()) {
                    names << item->text();
                }
            }
        }
        for (QToolButton* button : Form1->CoolBar1->findChildren<QToolButton*>()) {
            names << button->toolTip();
        }
        QVERIFY(names.size() > 20);
        for (QString name : names) {
            // As shown: the marked accelerator letter without its "&".
            name.remove(QRegularExpression(QStringLiteral("&(?=.)")));
            QVERIFY2(page.contains(name.simplified()),
                     qPrintable(QStringLiteral("not in the help page: ") + name));
        }
    }
};

QTEST_MAIN(ShellHandsOnTest)
#include "ShellHandsOnTest.moc"
