// "Проверить себя…" end to end: opened from the main menu on the parameter form's task, answers
// typed (one right, one typical mistake, one unreadable) and checked with Enter, the marks on
// screen the core's marks of the same answers, steps and the whole solution shown and recorded;
// the answers saved and opened again, a bad answers file and a failed save refused with one box,
// a task file opened, and the forms' task followed when the window is opened again.

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <cerrno>

#include "check/Marking.h"
#include "task/TaskFile.h"
#include "tests/ui/ModalDialogs.h"
#include "ui/app/Forms.h"
#include "ui/platform/FileErrorText.h"
#include "ui/windows/SelfCheckWindow.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"

namespace {

using vornik::Param;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The verdict as the window words it, without its sign: "типичная ошибка: …".
QString CoreWords(const vornik::Mark& mark) {
    QString words = QString::fromUtf8(vornik::VerdictName(mark.verdict));
    if (mark.verdict == vornik::Verdict::Mistake) {
        words += QStringLiteral(": ") + QString::fromUtf8(vornik::MistakeOf(mark.mistake).name);
    }
    return words;
}

// Types `text` into `edit` key by key, also letters outside ASCII.
void Type(QLineEdit* edit, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The lines as the text control gives them back: one paragraph each.
QString Joined(const std::vector<std::string>& lines) {
    QStringList all;
    for (const std::string& line : lines) {
        all << Q(line);
    }
    return all.join(u'\n');
}

const vornik::SheetQuantity& Quantity(const vornik::AnswerSheet& sheet, const std::string& name) {
    for (const vornik::SheetQuantity& q : sheet.Mode("normal")->quantities) {
        if (q.quantity == name) {
            return q;
        }
    }
    qFatal("no quantity %s on the sheet", name.c_str());
}

// One right answer, one with the angle's sign flipped, one unreadable.
std::vector<vornik::AnswerEntry> Typed(const vornik::AnswerSheet& sheet) {
    const std::string ib = Quantity(sheet, "IbArg").key.shown;
    return {
        {"normal", "IaMod", Quantity(sheet, "IaMod").key.shown},
        {"normal", "IbArg", ib.starts_with('-') ? ib.substr(1) : "-" + ib},
        {"normal", "IcMod", "двадцать"},
    };
}

}  // namespace

class SelfCheckWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        Form1 = new TForm1;
        Form3 = new TForm3;
        Form4 = new TForm4;
        // A star without its neutral wire: unequal phases, so U0 is asked too.
        const std::pair<Param, const char*> texts[] = {{Param::Edit4, "10"}, {Param::Edit5, "5"},
                                                       {Param::Edit6, "8"},  {Param::Edit7, "-6"},
                                                       {Param::Edit8, "12"}, {Param::Edit9, "0"}};
        for (const auto& [field, text] : texts) {
            Form3->FieldEdit(field)->setText(QString::fromLatin1(text));
        }
        Form3->CheckBox1->setChecked(false);
    }
    void cleanupTestCase() {
        delete Form1;
        delete Form4;
        delete Form3;
        Form1 = nullptr;
        Form4 = nullptr;
        Form3 = nullptr;
    }

    void checksAndShowsSteps() {
        Form1->SelfCheck1->trigger();
        auto* window = Form1->findChild<TSelfCheckWindow*>();
        QVERIFY(window != nullptr && window->isVisible());
        const vornik::AnswerSheet& sheet = window->Sheet();
        QVERIFY2(sheet.completed, sheet.message.c_str());
        QCOMPARE(sheet.task.input.Text(Param::Edit6), std::string("8"));
        for (QWidget* control : std::initializer_list<QWidget*>{
                 window->TaskLabel, window->FormsButton, window->OpenTaskButton, window->Student,
                 window->Group, window->StepHeading, window->StepView, window->Status, window->CheckButton,
                 window->SolutionButton, window->SaveAnswersButton, window->OpenAnswersButton,
                 window->CloseButton}) {
            QVERIFY2(control->isVisibleTo(window), qPrintable(control->accessibleName()));
        }

        // One right, one with the angle's sign flipped, one unreadable; typed as a student types.
        const vornik::SheetQuantity& ib = Quantity(sheet, "IbArg");
        QVERIFY2(std::abs(ib.key.answer) > 5 && std::abs(ib.key.answer) < 175, ib.key.shown.c_str());
        for (const vornik::AnswerEntry& answer : Typed(sheet)) {
            QLineEdit* edit = window->AnswerEdit(answer.mode, answer.quantity);
            QVERIFY(edit != nullptr);
            Type(edit, Q(answer.text));
        }
        QTest::keyClick(window->AnswerEdit("normal", "IcMod"), Qt::Key_Return);

        // Every field shows the core's verdict of the same answers.
        const vornik::Marks core = vornik::MarkAnswers(sheet, Typed(sheet));
        size_t quantities = 0;
        for (const vornik::SheetMode& mode : sheet.modes) {
            quantities += mode.quantities.size();
        }
        QCOMPARE(core.answers.size(), quantities);
        for (const vornik::Mark& mark : core.answers) {
            QVERIFY(window->VerdictLabel(mark.mode, mark.quantity)->isVisibleTo(window));
            const QString shown = window->VerdictLabel(mark.mode, mark.quantity)->text();
            QVERIFY2(shown.endsWith(QStringLiteral(" ") + CoreWords(mark)) &&
                         shown.size() == CoreWords(mark).size() + 2,
                     qPrintable(Q(mark.mode + " " + mark.quantity + ": ") + shown));
        }
        auto markOf = [&core](const char* quantity) {
            return *std::find_if(core.answers.begin(), core.answers.end(), [quantity](const vornik::Mark& m) {
                return m.mode == "normal" && m.quantity == quantity;
            });
        };
        QCOMPARE(markOf("IaMod").verdict, vornik::Verdict::Right);
        QCOMPARE(markOf("IbArg").verdict, vornik::Verdict::Mistake);
        QCOMPARE(markOf("IbArg").mistake, vornik::Mistake::AngleSign);
        QCOMPARE(markOf("IcMod").verdict, vornik::Verdict::Missing);
        QVERIFY(!markOf("IcMod").hint.empty());
        QCOMPARE(window->HintLabel("normal", "IcMod")->text(), Q(markOf("IcMod").hint));
        const QString why = QString::fromUtf8(vornik::MistakeOf(vornik::Mistake::AngleSign).explanation);
        QCOMPARE(window->HintLabel("normal", "IbArg")->text(), why);
        QVERIFY(window->HintLabel("normal", "IcMod")->isVisibleTo(window));
        QVERIFY(!window->HintLabel("normal", "IaMod")->isVisibleTo(window));
        QCOMPARE(window->AnswerEdit("normal", "IbArg")->accessibleDescription(),
                 QStringLiteral("градусов; ") + CoreWords(markOf("IbArg")) + QStringLiteral(". ") + why);
        const vornik::ModeScore& normal = core.modes.front();
        QCOMPARE(window->findChild<QGroupBox*>()->title(),
                 QStringLiteral("Нормальный режим — засчитано %1 из %2")
                     .arg(normal.right + normal.carried)
                     .arg(normal.total));
        QVERIFY(window->Status->text().startsWith(
            QStringLiteral("Засчитано %1 из %2").arg(core.right + core.carried).arg(core.total)));

        // Tab goes from each answer to its step, then to the next answer.
        const std::string second = sheet.modes.front().quantities[1].quantity;
        QCOMPARE(window->AnswerEdit("normal", "IaMod")->nextInFocusChain(),
                 window->StepButton("normal", "IaMod"));
        QCOMPARE(window->StepButton("normal", "IaMod")->nextInFocusChain(),
                 window->AnswerEdit("normal", second));

        // "Показать шаг N" beside the mistake (none beside the right answer) shows that section,
        // once recorded however often it is shown.
        QPushButton* step = window->StepButton("normal", "IbArg");
        QVERIFY(step->isVisibleTo(window));
        QVERIFY(!window->StepButton("normal", "IaMod")->isVisibleTo(window));
        QCOMPARE(step->text(), QStringLiteral("Показать шаг ") + Q(ib.section));
        window->StepButton("normal", "U0Mod")->click();
        step->click();
        step->click();
        QCOMPARE(window->StepView->toPlainText(), Joined(vornik::SectionLines(sheet, "normal", ib.section)));
        QCOMPARE(window->StepView->document()->defaultFont(), TForm2::DocumentFont());
        QCOMPARE(window->Revealed().size(), size_t{2});
        QCOMPARE(window->Revealed().back().section, ib.section);
        QVERIFY(window->Revealed().front().section != ib.section);

        // "Показать решение" replaces the step with the whole solution, and the score says so.
        QVERIFY(!window->SolutionRevealed());
        window->SolutionButton->click();
        QCOMPARE(window->StepView->toPlainText(), Joined(sheet.report));
        QVERIFY(window->SolutionRevealed());
        window->CheckButton->click();
        QVERIFY(window->Status->text().contains(QStringLiteral("Решение было показано.")));

        // A changed answer loses the verdict of the text it replaced until checked again.
        Type(window->AnswerEdit("normal", "IbArg"), QStringLiteral("5"));
        QVERIFY(window->VerdictLabel("normal", "IbArg")->text().isEmpty());
        QVERIFY(!window->StepButton("normal", "IbArg")->isVisibleTo(window));
        window->AnswerEdit("normal", "IbArg")->setText(Q(Typed(sheet)[1].text));
        window->CheckButton->click();
    }

    void keepsAnswersAndTasksInFiles() {
        auto* window = Form1->findChild<TSelfCheckWindow*>();
        QVERIFY(window != nullptr);
        const vornik::AnswerSheet& sheet = window->Sheet();

        // Saved and opened again in a second window: the same task, texts, student and marks.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ответы.vornik-answers"));
        window->Student->setText(QStringLiteral("Иванов Пётр"));
        window->Group->setText(QStringLiteral("ЭЛ-21"));
        QVERIFY(window->SaveAnswers(path));
        TSelfCheckWindow again;
        QVERIFY(again.OpenAnswers(path));
        QCOMPARE(again.Sheet().report, sheet.report);
        QCOMPARE(again.Student->text(), QStringLiteral("Иванов Пётр"));
        QCOMPARE(again.Group->text(), QStringLiteral("ЭЛ-21"));
        QCOMPARE(again.Revealed().size(), window->Revealed().size());
        QCOMPARE(again.Revealed().back().section, window->Revealed().back().section);
        QVERIFY(again.SolutionRevealed());
        for (const vornik::SheetQuantity& q : sheet.Mode("normal")->quantities) {
            QCOMPARE(again.AnswerEdit("normal", q.quantity)->text(),
                     window->AnswerEdit("normal", q.quantity)->text());
            QCOMPARE(again.VerdictLabel("normal", q.quantity)->text(),
                     window->VerdictLabel("normal", q.quantity)->text());
        }

        // A bad answers file, a save that cannot be made: one error box each, the window as it was.
        const QString bad = dir.filePath(QStringLiteral("плохой.vornik-answers"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"format\": \"vornik-task\"}");
        file.close();
        const QString nowhere = dir.filePath(QStringLiteral("нет/ответы.vornik-answers"));
        ModalWatcher watcher;
        QVERIFY(!again.OpenAnswers(bad));
        QVERIFY(!again.SaveAnswers(nowhere));
        const std::string reason = vornik::ReadAnswers("{\"format\": \"vornik-task\"}").Error().message;
        QVERIFY(!reason.empty());
        QCOMPARE(watcher.Texts(),
                 (QStringList{Q(vornik::AnswersErrorMessage("плохой.vornik-answers", reason)),
                              FileSaveErrorText(nowhere, ENOENT)}));
        QCOMPARE(again.AnswerEdit("normal", "IaMod")->text(), Q(Typed(sheet)[0].text));
        QVERIFY(!QFile::exists(nowhere));

        // Opened again from the menu, the window keeps its answers while the forms are unchanged,
        // takes their task once they change, and keeps a task opened from a file.
        Form1->SelfCheck1->trigger();
        QCOMPARE(window->AnswerEdit("normal", "IaMod")->text(), Q(Typed(sheet)[0].text));
        Form3->FieldEdit(Param::Edit6)->setText(QStringLiteral("9"));
        Form1->SelfCheck1->trigger();
        QCOMPARE(window->Sheet().task.input.Text(Param::Edit6), std::string("9"));
        QVERIFY(window->AnswerEdit("normal", "IaMod")->text().isEmpty());
        QVERIFY(window->Revealed().empty() && !window->SolutionRevealed());
        vornik::TaskFile task;
        task.title = "Вариант 7";
        task.input = window->Sheet().task.input;
        task.input[Param::Edit8] = "15";
        task.input.SetChecked(vornik::kLineBreakTicks[0], true);
        const QString taskPath = dir.filePath(QStringLiteral("07.vornik"));
        vornik::SaveTask(taskPath.toStdString(), task);
        QVERIFY(window->OpenTask(taskPath));
        QCOMPARE(window->Sheet().task.input.Text(Param::Edit8), std::string("15"));
        QCOMPARE(window->TaskLabel->text(), QStringLiteral("Задача: файл «07.vornik» (Вариант 7)"));
        // Its modes top to bottom in the order of the worked solution.
        QCOMPARE(window->Sheet().modes.size(), size_t{2});
        QApplication::processEvents();
        QVERIFY(window->AnswerEdit("normal", "IaMod")->mapTo(window, QPoint()).y() <
                window
                    ->AnswerEdit(window->Sheet().modes[1].mode.name,
                                 window->Sheet().modes[1].quantities.front().quantity)
                    ->mapTo(window, QPoint())
                    .y());
        Form3->FieldEdit(Param::Edit6)->setText(QStringLiteral("10"));
        Form1->SelfCheck1->trigger();
        QCOMPARE(window->Sheet().task.input.Text(Param::Edit8), std::string("15"));
    }
};

QTEST_MAIN(SelfCheckWindowTest)
#include "SelfCheckWindowTest.moc"
