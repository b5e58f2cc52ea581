// The task file in the desktop program: a bad file shows one error box and changes nothing, a
// good one fills the forms without running, and a saved task gives vornik-cli the same report.
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

#include "ShellTestSupport.h"
#include "solver/Parameters.h"
#include "ui/app/Forms.h"
#include "ui/windows/ClassSetDialog.h"
#include "ui/windows/GuiRunContext.h"
#include "ui/windows/TaskCommands.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"

namespace {

// What the forms hold: the circuit, the precision texts and the main window's caption.
struct FormState {
    vornik::CircuitInput input;
    QStringList precision;
    QString caption;
    bool operator==(const FormState& o) const {
        return input.star == o.input.star && input.texts == o.input.texts && input.ticks == o.input.ticks &&
               precision == o.precision && caption == o.caption;
    }
};

FormState Snapshot() {
    FormState s{ReadCircuitInput(*Form3), {}, Form1->windowTitle()};
    for (int n = 1; n <= vornik::kPrecisionCount; ++n) {
        s.precision << Form4->ComboBox(n)->currentText();
    }
    return s;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

const QByteArray kHead = R"({"format":"vornik-task","version":1,)";

}  // namespace

class ShellTaskTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        StartProgramWindows();
    }
    void cleanupTestCase() { DestroyWindows(); }

    void badFileShowsOneBoxAndChangesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not JSON") << QByteArray("Вариант 7: R=10") << "не текст JSON";
        QTest::newRow("truncated UTF-8") << kHead + "\"title\":\"\xd0\"}"
                                         << "не в кодировке UTF-8";
        QTest::newRow("not a task") << QByteArray(R"({"fields":{"Edit4":"5"}})") << "не файл задачи";
        QTest::newRow("member of the wrong type") << kHead + R"("ticks":{"CheckBox2":1}})"
                                                  << "«ticks.CheckBox2»";
        QTest::newRow("field longer than its limit") << kHead + R"("fields":{"Edit4":"5","Edit11":"0,0001"}})"
                                                     << "«fields.Edit11» длиннее 5";
        QTest::newRow("decimals text longer than the box") << kHead + R"("decimals":{"U.mag":"10"}})"
                                                           << "«decimals.U.mag» длиннее 1";
        QTest::newRow("2 MiB") << kHead + "\"note\":\"" + QByteArray(2 << 20, 'x') + "\"}"
                               << "больше 1 МиБ";
        QTest::newRow("nested garbage") << QByteArray(100000, '{') << "вложенность";
    }

    void badFileShowsOneBoxAndChangesNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = dir_.filePath(QStringLiteral("плохая.vornik"));
        WriteFile(path, bytes);
        Form3->FieldEdit(vornik::Param::Edit4)->setText(QStringLiteral("17"));
        const FormState before = Snapshot();
        bool opened = true;
        const auto boxes = CaptureMessageBoxes([&] { opened = OpenTaskFile(path); });
        QVERIFY(!opened);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QVERIFY2(boxes[0].text.contains(QStringLiteral("\"плохая.vornik\"")), qPrintable(boxes[0].text));
        QVERIFY2(boxes[0].text.contains(reason), qPrintable(boxes[0].text));
        QVERIFY(Snapshot() == before);
    }

    // Opening fills every form as the student would, names the task in the caption and runs
    // nothing.
    void openFillsTheFormsWithoutRunning() {
        const QString path = dir_.filePath(QStringLiteral("v7.vornik"));
        WriteFile(path,
                  kHead +
                      R"("title":"Вариант 7","connection":"delta","fields":{"Edit4":"12","Edit13":"0,5"},)"
                      R"("ticks":{"CheckBox1":true,"CheckBox3":true},"decimals":{"I.mag":4,"S.im":"5"}})");
        Form2->RichEdit1->setPlainText(QStringLiteral("прежний текст"));
        const auto boxes = CaptureMessageBoxes([&] { QVERIFY(OpenTaskFile(path)); });
        QCOMPARE(boxes.size(), 0);
        QVERIFY(Form3->RadioButton2->isChecked());
        QCOMPARE(Form3->Label9->text(), QStringLiteral("Обрыв фазы нагрузки"));
        QCOMPARE(Form3->Edit4->text(), QStringLiteral("12"));
        QCOMPARE(Form3->Edit13->text(), QStringLiteral("0,5"));
        QCOMPARE(Form3->ComboBox1->currentText(), QStringLiteral("380"));
        QVERIFY(Form3->CheckBox1->isChecked() && Form3->CheckBox3->isChecked() &&
                !Form3->CheckBox2->isChecked());
        // The neutral wire belongs to the star connection: its field stays disabled in delta.
        QVERIFY(!Form3->Edit10->isEnabled());
        QCOMPARE(Form4->ComboBox(13)->currentText(), QStringLiteral("4"));
        QCOMPARE(Form4->ComboBox(20)->currentText(), QStringLiteral("5"));
        QCOMPARE(Form4->ComboBox(1)->currentText(), QStringLiteral("0"));
        QVERIFY2(Form1->windowTitle().endsWith(QStringLiteral(" - v7.vornik (Вариант 7)")),
                 qPrintable(Form1->windowTitle()));
        QCOMPARE(Form2->RichEdit1->toPlainText(), QStringLiteral("прежний текст"));

        // Back to star: the neutral wire's field follows its tick again.
        WriteFile(path, kHead + R"("connection":"star","ticks":{"CheckBox1":true}})");
        QVERIFY(OpenTaskFile(path));
        QVERIFY(Form3->RadioButton1->isChecked());
        QVERIFY(Form3->Edit10->isEnabled());
        QCOMPARE(Form3->Label9->text(), QStringLiteral("КЗ фазы"));
    }

    // "Варианты для группы…" takes the open task whole: its title heads every variant of the set.
    void aClassSetTakesTheOpenTasksTitle() {
        const QString path = dir_.filePath(QStringLiteral("titled.vornik"));
        WriteFile(path, kHead + R"("title":"Контрольная работа 3","connection":"star",)"
                                R"("fields":{"Edit6":"10","Edit8":"10"}})");
        QVERIFY(OpenTaskFile(path));
        ClassSetDialog dialog;
        dialog.openFolder = [](const QString&) {};
        dialog.Random->setChecked(true);
        dialog.Count->setValue(2);
        dialog.Ranges->setPlainText(QStringLiteral("r1=5..20/1"));
        const QString out = dir_.filePath(QStringLiteral("set"));
        dialog.OutDir->setText(out);
        QSignalSpy finished(&dialog, &ClassSetDialog::Finished);
        dialog.CreateButton->click();
        QVERIFY(finished.wait(600000));
        const QStringList tasks = QDir(out).entryList({QStringLiteral("*.vornik")});
        QCOMPARE(tasks.size(), 2);
        for (const QString& name : tasks) {
            QFile task(out + u'/' + name);
            QVERIFY(task.open(QIODevice::ReadOnly));
            QVERIFY2(task.readAll().contains(R"("title": "Контрольная работа 3")"), qPrintable(name));
        }
    }

    void laterVersionOpensAfterAMessage() {
        const QString path = dir_.filePath(QStringLiteral("new.vornik"));
        WriteFile(path, R"({"format":"vornik-task","version":2,"fields":{"Edit6":"33"},"colour":"red"})");
        bool opened = false;
        const auto boxes = CaptureMessageBoxes([&] { opened = OpenTaskFile(path); });
        QVERIFY(opened);
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].text.contains(QStringLiteral("\"new.vornik\"")));
        QCOMPARE(Form3->Edit6->text(), QStringLiteral("33"));
    }

    // Seeded random circuits typed into the forms, saved as a task: vornik-cli --task writes the
    // report the window shows.
    void savedTaskGivesTheCommandLineTheSameReport() {
        std::mt19937 random(20261207);
        const char* texts[] = {"10", "-5", " 7", "+3", "2,5", "1e1", "0,5", "15", "-0,3", "4E0"};
        const char* angles[] = {"0", "-120", "120", "30", "-90", "1e2"};
        for (int n = 0; n < 8; ++n) {
            const bool star = n % 2 == 0;
            (star ? Form3->RadioButton1 : Form3->RadioButton2)->setChecked(true);
            for (int k = 0; k < 3; ++k) {
                Form3->FieldEdit(static_cast<vornik::Param>(k))
                    ->setText(k == 0 || random() % 2 ? "380" : "220");
                Form3->FieldEdit(static_cast<vornik::Param>(3 + k))
                    ->setText(angles[random() % std::size(angles)]);
            }
            for (int k = 6; k < 12; ++k) {
                Form3->FieldEdit(static_cast<vornik::Param>(k))->setText(texts[random() % std::size(texts)]);
            }
            Form3->Edit10->setText(QStringLiteral("0,5"));
            for (QLineEdit* e : {Form3->Edit11, Form3->Edit12, Form3->Edit13}) {
                e->setText(random() % 2 ? QStringLiteral("0,01") : QStringLiteral(" 1e-1"));
            }
            for (const vornik::TickSpec& t : vornik::kTicks) {
                Form3->Box(t.tick)->setChecked(random() % 3 == 0);
            }
            for (int b = 1; b <= vornik::kPrecisionCount; ++b) {
                Form4->ComboBox(b)->setEditText(QString::number(random() % 6));
            }
            const QString path = dir_.filePath(QStringLiteral("круг %1.vornik").arg(n));
            QVERIFY(SaveTaskFile(path));
            QVERIFY(Form1->windowTitle().endsWith(QStringLiteral("круг %1.vornik").arg(n)));
            CaptureMessageBoxes([] { Form1->N5->trigger(); });
            const QStringList expected = CliReport({QStringLiteral("--task"), path});
            QVERIFY2(expected.size() > 10, qPrintable(expected.join(u'\n')));
            QCOMPARE(DocumentLines(), expected);
        }
    }

    void taskFileArgument_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("task");
        QTest::newRow("none") << QStringList{"vornik"} << "";
        QTest::newRow("file") << QStringList{"vornik", "/home/u/Вариант 7.vornik"}
                              << "/home/u/Вариант 7.vornik";
        QTest::newRow("after an option") << QStringList{"vornik", "--reverse", "a.vornik"} << "a.vornik";
        QTest::newRow("program name only looks like a file") << QStringList{"b.vornik"} << "";
    }

    void taskFileArgument() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, task);
        QCOMPARE(TaskFileArgument(arguments), task);
    }

    // The printed pages belong to the solution on show: opening another task and changing the
    // form after the run leave their title block as the run read it. One row per kind of pages.
    void printedTitleBlockIsTheStoredRuns_data() {
        QTest::addColumn<bool>("printer");
        QTest::newRow("Сохранить в PDF") << false;
        QTest::newRow("Печать and the preview, on a PDF printer") << true;
    }
    void printedTitleBlockIsTheStoredRuns() {
        QFETCH(bool, printer);
        const QString run = dir_.filePath(QStringLiteral("run.vornik"));
        const QString other = dir_.filePath(QStringLiteral("other.vornik"));
        WriteFile(run, kHead + R"("title":"Вариант 1","connection":"star",)"
                               R"("fields":{"Edit4":"10","Edit6":"8","Edit8":"12"}})");
        WriteFile(other,
                  kHead + R"("title":"Вариант 2","connection":"delta",)"
                          R"("fields":{"Edit4":"5","Edit6":"8","Edit8":"12"},"ticks":{"CheckBox2":true}})");
        QVERIFY(OpenTaskFile(run));
        QCOMPARE(CaptureMessageBoxes([] { Form1->N5Click(); }).size(), 0);
        QVERIFY(OpenTaskFile(other));
        Form3->Edit6->setText(QStringLiteral("9"));
        const QString path = dir_.filePath(QStringLiteral("pages.pdf"));
        if (printer) {
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setOutputFileName(path);
            QVERIFY(Form2->PrintPages(pdf));
        } else {
            QVERIFY(Form2->SavePdfTo(path));
        }
        const QString text = PdfTextWithoutSpaces(path);
        for (const char* line :
             {"Вариант1", "Соединениенагрузки:ЗВЕЗДА", "Ra=10Ом", "Rb=8Ом", "Аварийныережимы:нет", "Za=10"}) {
            QVERIFY2(text.contains(QString::fromUtf8(line)), line);
        }
        for (const char* line : {"Вариант2", "ТРЕУГОЛЬНИК", "Rab=5", "Rb=9"}) {
            QVERIFY2(!text.contains(QString::fromUtf8(line)), line);
        }
        QVERIFY(QRegularExpression(QStringLiteral("1/([1-9])")).match(text).hasMatch());
    }

    void menuCommandsTakeFreeKeys() {
        QCOMPARE(Form1->N18->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(Form1->N19->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        const QList<QAction*> file = Form1->N1->actions();
        QVERIFY(file.indexOf(Form1->N19) == file.indexOf(Form1->N18) + 1);
        QCOMPARE(file.last(), Form1->N11);
    }
};

QTEST_MAIN(ShellTaskTest)
#include "ShellTaskTest.moc"
