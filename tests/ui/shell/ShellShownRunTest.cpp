// What the windows show belongs to the run: the diagram after form changes and new runs, a mode
// the last run did not compute, the document a run replaced brought back by one undo, and
// minimized or maximized windows brought back by the commands that show or place them.

#include <QtTest>

#include "ShellTestSupport.h"
#include "diagram/Diagram.h"
#include "ui/app/Forms.h"
#include "ui/platform/RtfWriter.h"
#include "ui/platform/WindowPlace.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"
#include "ui/windows/Unit5.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

// A click on the round indicator, where a radio button always takes it.
void Choose(QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

QImage Picture() {
    return Form7->Canvas().Image().convertToFormat(QImage::Format_RGB32);
}

bool ShowsNotComputed() {
    for (const vornik::DrawOp& op : Form7->DrawnOps()) {
        if (op.kind == vornik::DrawOp::Kind::Text && op.text == vornik::kModeNotComputedText) {
            return true;
        }
    }
    return false;
}

QCheckBox* Box(int n) {
    QCheckBox* boxes[7] = {Form3->CheckBox1, Form3->CheckBox2, Form3->CheckBox3, Form3->CheckBox4,
                           Form3->CheckBox5, Form3->CheckBox6, Form3->CheckBox7};
    return boxes[n - 1];
}

void SetTicks(const QList<int>& ticks) {
    for (int n = 1; n <= 7; ++n) {
        Box(n)->setChecked(ticks.contains(n));
    }
}

// Ra=10, Xa=5, Rb=8, Rc=12 (the other reactances 0) with only the given boxes (1..7) ticked.
void SetCircuit(bool star, const QList<int>& ticks, const QString& shuntB = QStringLiteral("0,01")) {
    (star ? Form3->RadioButton1 : Form3->RadioButton2)->click();
    const std::pair<QLineEdit*, const char*> texts[] = {{Form3->Edit4, "10"}, {Form3->Edit5, "5"},
                                                        {Form3->Edit6, "8"},  {Form3->Edit7, "0"},
                                                        {Form3->Edit8, "12"}, {Form3->Edit9, "0"}};
    for (auto [edit, text] : texts) {
        edit->setText(QString::fromLatin1(text));
    }
    Form3->Edit12->setText(shuntB);
    SetTicks(ticks);
}

// The execute command; returns the texts of the message boxes it showed.
QStringList Run() {
    QStringList texts;
    for (const SeenBox& box : CaptureMessageBoxes([] { Form1->N5Click(); })) {
        texts << box.text;
    }
    return texts;
}

QWidget* WindowNamed(const QString& name) {
    for (QWidget* w : std::initializer_list<QWidget*>{Form2, Form3, Form4, Form5, Form7, Form8}) {
        if (w->objectName() == name || w->windowTitle() == name) {
            return w;
        }
    }
    return nullptr;
}

}  // namespace

class ShellShownRunTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        StartProgramWindows();
        Form1->show();
        // The parameter form follows the main window's first paint.
        QTRY_VERIFY(Form3->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(Form3));
    }
    void cleanupTestCase() { DestroyWindows(); }
    void cleanup() {
        Form7->hide();
        Form8->hide();
        SetCircuit(true, {});
    }

    void pictureBelongsToTheStoredRun_data() {
        QTest::addColumn<QList<int>>("ticks");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("newResults");
        QTest::newRow("star run, delta chosen, currents clicked again")
            << QList<int>{1, 2} << 2 << "delta" << false;
        QTest::newRow("star run, delta chosen, short circuit A clicked again")
            << QList<int>{1, 2} << 3 << "delta" << false;
        QTest::newRow("run without neutral, neutral ticked, currents clicked again")
            << QList<int>{} << 2 << "neutral" << false;
        QTest::newRow("Xa set by the assistant, F9 with the diagram open")
            << QList<int>{} << 2 << "assistant" << true;
        QTest::newRow("Xa set by the assistant, F9, line wire B break open")
            << QList<int>{6} << 12 << "assistant" << true;
    }
    void pictureBelongsToTheStoredRun() {
        QFETCH(QList<int>, ticks);
        QFETCH(int, button);
        QFETCH(QString, change);
        QFETCH(bool, newResults);
        SetCircuit(true, ticks);
        QCOMPARE(Run(), QStringList{});
        ShowWindow(Form7);
        Choose(Form7->RadioButton(button));
        QVERIFY(Form7->RadioButton(button)->isChecked());
        const QImage before = Picture();
        const int draws = Form7->DrawCount();

        if (change == QLatin1String("delta")) {
            Form3->RadioButton2->click();
        } else if (change == QLatin1String("neutral")) {
            Form3->CheckBox1->setChecked(true);
        } else {
            // L = 300 мГн at 50 Гц makes Xa = 94,25; the diagram stays open behind the assistant.
            ShowWindow(Form8);
            QVERIFY(QTest::qWaitForWindowActive(Form8));
            Form8->Edit3->setText(QStringLiteral("300"));
            Form8->Button3->click();
            QCOMPARE(Form3->Edit5->text(), QStringLiteral("94,25"));
            QTest::keyClick(Form8, Qt::Key_F9);
            QVERIFY(Form7->isVisible());
        }
        if (!newResults) {
            Choose(Form7->RadioButton(button));
        }
        QVERIFY(Form7->DrawCount() > draws);
        if (newResults) {
            QVERIFY(Picture() != before);
            // The same picture as one drawn anew from the stored results.
            const QImage shown = Picture();
            Choose(Form7->RadioButton1);
            Choose(Form7->RadioButton(button));
            QCOMPARE(shown, Picture());
        } else {
            QCOMPARE(Picture(), before);
        }
    }

    void modeNotComputedSaysSo_data() {
        QTest::addColumn<bool>("star");
        QTest::addColumn<QList<int>>("ticksAtRun");
        QTest::addColumn<QString>("shuntB");
        QTest::addColumn<QList<int>>("ticksAtShowing");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("notComputed");
        QTest::newRow("short circuit A ticked after the run")
            << true << QList<int>{} << "0,01" << QList<int>{2} << 3 << true;
        QTest::newRow("short circuit A computed")
            << true << QList<int>{2} << "0,01" << QList<int>{2} << 3 << false;
        // A zero shunt without reactance stops the run at the short circuit of B.
        QTest::newRow("run stopped before short circuit B")
            << true << QList<int>{2, 3} << "0" << QList<int>{2, 3} << 6 << true;
        QTest::newRow("short circuit A computed before the stop")
            << true << QList<int>{2, 3} << "0" << QList<int>{2, 3} << 4 << false;
        QTest::newRow("delta: line wire C ticked after the run")
            << false << QList<int>{5} << "0,01" << QList<int>{5, 7} << 13 << true;
        QTest::newRow("delta: line wire A computed")
            << false << QList<int>{5} << "0,01" << QList<int>{5, 7} << 9 << false;
    }
    void modeNotComputedSaysSo() {
        QFETCH(bool, star);
        QFETCH(QList<int>, ticksAtRun);
        QFETCH(QString, shuntB);
        QFETCH(QList<int>, ticksAtShowing);
        QFETCH(int, button);
        QFETCH(bool, notComputed);
        SetCircuit(star, ticksAtRun, shuntB);
        Run();
        SetTicks(ticksAtShowing);
        ShowWindow(Form7);
        // Only the modes the run computed can be chosen; a selection kept from an earlier run
        // shows the line.
        QCOMPARE(Form7->RadioButton(button)->isEnabled(), !notComputed);
        if (notComputed) {
            Form7->RadioButton(button)->setChecked(true);
        } else {
            Choose(Form7->RadioButton(button));
        }
        QCOMPARE(ShowsNotComputed(), notComputed);
        // The read-outs belong to the picture: empty with the line, the scale with a diagram.
        QCOMPARE(Form7->Label12->text().isEmpty(), notComputed);
        QCOMPARE(Form7->Label11->text().isEmpty(), notComputed);
    }

    // The emergency pairs follow the last run that stored results, not the ticks: a computed
    // mode unticked since keeps its buttons, a mode ticked since has none, and the phases beside
    // the pairs are named in that run's connection. A new run with the window open takes over.
    void buttonsFollowTheStoredRun_data() {
        QTest::addColumn<bool>("star");
        QTest::addColumn<QList<int>>("ticksAtRun");
        QTest::addColumn<QList<int>>("ticksAtShowing");
        QTest::addColumn<bool>("switchConnection");
        QTest::addColumn<QList<int>>("enabledPairs");
        QTest::addColumn<QStringList>("phases");  // beside pairs 1 and 4
        const QStringList starPhases = {"фаза \"A\"", "фаза \"A\""};
        const QStringList deltaPhases = {"фаза \"AB\"", "провод \"A\""};
        QTest::newRow("star: short circuit A and line B unticked")
            << true << QList<int>{2, 6} << QList<int>{} << false << QList<int>{1, 5} << starPhases;
        QTest::newRow("star: short circuit C ticked after the run")
            << true << QList<int>{5} << QList<int>{4, 5} << false << QList<int>{4} << starPhases;
        QTest::newRow("delta run, the form switched to star")
            << false << QList<int>{3, 7} << QList<int>{3, 7} << true << QList<int>{2, 6} << deltaPhases;
        QTest::newRow("star run, the form switched to delta")
            << true << QList<int>{2} << QList<int>{2} << true << QList<int>{1} << starPhases;
    }
    void buttonsFollowTheStoredRun() {
        QFETCH(bool, star);
        QFETCH(QList<int>, ticksAtRun);
        QFETCH(QList<int>, ticksAtShowing);
        QFETCH(bool, switchConnection);
        QFETCH(QList<int>, enabledPairs);
        QFETCH(QStringList, phases);
        SetCircuit(star, ticksAtRun);
        QCOMPARE(Run(), QStringList{});
        SetTicks(ticksAtShowing);
        if (switchConnection) {
            (star ? Form3->RadioButton2 : Form3->RadioButton1)->click();
        }
        ShowWindow(Form7);
        for (int pair = 1; pair <= 6; ++pair) {
            for (int button : {2 * pair + 1, 2 * pair + 2}) {
                QVERIFY2(Form7->RadioButton(button)->isEnabled() == enabledPairs.contains(pair),
                         qPrintable(QStringLiteral("RadioButton%1").arg(button)));
            }
            QLabel* phase = Form7->PhaseLabel(pair);
            QVERIFY(phase->isVisible());
            // Two lines beside the pair ("фаза" over "\"AB\""), each whole.
            const QStringList words = phase->text().split(u' ');
            QVERIFY(phase->height() >= words.size() * phase->fontMetrics().lineSpacing());
            for (const QString& word : words) {
                QVERIFY2(phase->width() >= phase->fontMetrics().horizontalAdvance(word), qPrintable(word));
            }
        }
        QCOMPARE(QStringList({Form7->PhaseLabel(1)->text(), Form7->PhaseLabel(4)->text()}), phases);

        // A run without emergency modes, the window open: only the normal pair is left.
        SetCircuit(!star, {});
        QCOMPARE(Run(), QStringList{});
        for (int button = 3; button <= 14; ++button) {
            QVERIFY(!Form7->RadioButton(button)->isEnabled());
        }
        QCOMPARE(Form7->PhaseLabel(1)->text(), phases[0] == "фаза \"A\"" ? "фаза \"AB\"" : "фаза \"A\"");
    }

    void oneUndoBringsBackTheReplacedDocument_data() {
        QTest::addColumn<QString>("edit");
        QTest::newRow("a note typed at the end") << "typed";
        QTest::newRow("the whole text deleted") << "deleted";
        QTest::newRow("the whole text raised") << "raised";
    }
    void oneUndoBringsBackTheReplacedDocument() {
        QFETCH(QString, edit);
        QTextEdit* doc = Form2->RichEdit1;
        SetCircuit(true, {1});
        QCOMPARE(Run(), QStringList{});
        const QStringList report = DocumentLines();
        const std::string reportRtf = DocumentToRtf(*doc->document());

        ShowWindow(Form2);
        QVERIFY(QTest::qWaitForWindowActive(Form2));
        doc->setFocus();
        if (edit == QLatin1String("typed")) {
            doc->moveCursor(QTextCursor::End);
            QTest::keyClicks(doc, QStringLiteral(" note"));
        } else if (edit == QLatin1String("deleted")) {
            doc->selectAll();
            QTest::keyClick(doc, Qt::Key_Delete);
        } else {
            doc->selectAll();
            Form2->SetSuperscript();
        }
        // The saved form carries the raised text too.
        const std::string edited = DocumentToRtf(*doc->document());
        QVERIFY(edited != reportRtf);

        // The next run replaces the edited document.
        QCOMPARE(Run(), QStringList{});
        QCOMPARE(DocumentLines(), report);
        // Nothing of the edited text is left in what is saved.
        QCOMPARE(DocumentToRtf(*doc->document()), reportRtf);

        doc->setFocus();
        QTest::keyClick(doc, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(DocumentToRtf(*doc->document()), edited);

        // A run over a document nobody edited since the last run keeps nothing to undo: Ctrl+Z
        // leaves its report whole.
        QCOMPARE(Run(), QStringList{});
        QCOMPARE(Run(), QStringList{});
        QTest::keyClick(doc, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(DocumentToRtf(*doc->document()), reportRtf);
    }

    void minimizedWindowComesBack_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::addColumn<Qt::WindowState>("state");
        QTest::addColumn<bool>("hiddenFirst");
        QTest::newRow("Окноно редактирования") << "N15"
                                               << "Form2" << Qt::WindowMinimized << false;
        QTest::newRow("Центрировать окна, results minimized") << "N6"
                                                              << "Form2" << Qt::WindowMinimized << false;
        QTest::newRow("Центрировать окна, results maximized") << "N6"
                                                              << "Form2" << Qt::WindowMaximized << false;
        QTest::newRow("Центрировать окна, parameters") << "N6"
                                                       << "Form3" << Qt::WindowMinimized << false;
        QTest::newRow("Окно ввода параметров") << "N14"
                                               << "Form3" << Qt::WindowMinimized << false;
        QTest::newRow("diagram button") << "SpeedButton6"
                                        << "Векторная диаграмма" << Qt::WindowMinimized << false;
        QTest::newRow("diagram button, closed while minimized")
            << "SpeedButton6"
            << "Векторная диаграмма" << Qt::WindowMinimized << true;
        QTest::newRow("diagram's own centring") << "Form7.SpeedButton1"
                                                << "Векторная диаграмма" << Qt::WindowMinimized << false;
        QTest::newRow("assistant button") << "SpeedButton12"
                                          << "Настройка вводимых параметров" << Qt::WindowMinimized << false;
        QTest::newRow("precision button") << "SpeedButton4"
                                          << "Form4" << Qt::WindowMinimized << false;
        QTest::newRow("О программе!") << "N12"
                                      << "О программе!" << Qt::WindowMinimized << false;
    }
    void minimizedWindowComesBack() {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(Qt::WindowState, state);
        QFETCH(bool, hiddenFirst);
        QWidget* target = WindowNamed(window);
        QVERIFY2(target != nullptr, qPrintable(window));
        Form1->SpeedButton6->setEnabled(true);
        ShowWindow(target);
        target->setWindowState(state);
        QVERIFY(target->windowState() & state);
        if (hiddenFirst) {
            target->hide();
        }
        if (command == QLatin1String("N15")) {
            Form1->N15->trigger();
        } else if (command == QLatin1String("N14")) {
            Form1->N14->trigger();
        } else if (command == QLatin1String("N6")) {
            Form1->N6->trigger();
        } else if (command == QLatin1String("N12")) {
            Form1->N12->trigger();
        } else if (command == QLatin1String("Form7.SpeedButton1")) {
            Form7->SpeedButton1->click();
        } else {
            Form1->findChild<QToolButton*>(command)->click();
        }
        QVERIFY(target->isVisible());
        QVERIFY(!target->isMinimized());
        if (command == QLatin1String("N6") || command.endsWith(QLatin1String("SpeedButton1")) ||
            state == Qt::WindowMaximized) {
            // Placed: at its home place, as a normal window.
            QVERIFY(!target->isMaximized());
            QCOMPARE(target->pos().x(), target == Form3 ? 0 : 218);
            QCOMPARE(target->pos().y(), 103);
        }
        target->hide();
    }
};

QTEST_MAIN(ShellShownRunTest)
#include "ShellShownRunTest.moc"
