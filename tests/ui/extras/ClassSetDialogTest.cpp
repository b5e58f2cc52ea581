// "Варианты для группы…": the set made from the open forms, the progress bar, the folder opened
// at the end, faults shown in the dialog with no folder made, a set stopped while it is made
// leaving nothing, and markup from a table, a range or a folder name shown as typed.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/ui/FolderJobStops.h"
#include "ui/app/Forms.h"
#include "ui/windows/ClassSetDialog.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"

namespace {

// The cells of one line of a comma-separated file with quoted cells.
QStringList Cells(const QString& line) {
    QStringList cells(QString{});
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"' && quoted && i + 1 < line.size() && line[i + 1] == u'"') {
            cells.back() += c;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            cells << QString();
        } else {
            cells.back() += c;
        }
    }
    return cells;
}

// The rows of variants.csv by column name.
QList<QMap<QString, QString>> VariantRows(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QStringList lines =
        QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QList<QMap<QString, QString>> rows;
    const QStringList header = Cells(lines.value(0));
    for (int k = 1; k < lines.size(); ++k) {
        const QStringList cells = Cells(lines[k]);
        QMap<QString, QString> row;
        for (int c = 0; c < header.size() && c < cells.size(); ++c) {
            row[header[c]] = cells[c];
        }
        rows << row;
    }
    return rows;
}

// Clicks "Создать" and, when the set started, waits in the event loop until its work ends.
void CreateAndWait(ClassSetDialog& dialog) {
    QSignalSpy finished(&dialog, &ClassSetDialog::Finished);
    dialog.CreateButton->click();
    if (dialog.Running()) {
        QVERIFY(finished.wait(600000));
    }
}

// Whether the label shows its text as typed: it takes the room the same text takes as plain text
// (as rich text "<b>x</b>" is one bold letter and "<img …>" a picture).
bool ShownAsText(const QLabel* label) {
    QLabel plain;
    plain.setTextFormat(Qt::PlainText);
    plain.setWordWrap(label->wordWrap());
    plain.setStyleSheet(label->styleSheet());
    plain.setTextInteractionFlags(label->textInteractionFlags());
    plain.setText(label->text());
    return plain.sizeHint() == label->sizeHint();
}

}  // namespace

class ClassSetDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        Form3 = new TForm3;
        Form4 = new TForm4;
    }
    void cleanupTestCase() {
        delete Form4;
        delete Form3;
        Form4 = nullptr;
        Form3 = nullptr;
    }

    void makesTheSetFromTheOpenForms() {
        Form3->Edit6->setText(QStringLiteral("7"));
        Form3->Edit8->setText(QStringLiteral("9"));
        Form3->CheckBox5->setChecked(true);
        Form4->ComboBox(13)->setCurrentText(QStringLiteral("3"));  // I.mag
        QTemporaryDir tmp;
        ClassSetDialog dialog;
        QStringList opened;
        dialog.openFolder = [&](const QString& folder) { opened << folder; };
        dialog.Random->setChecked(true);
        dialog.Count->setValue(4);
        dialog.Seed->setText(QStringLiteral("5"));
        dialog.Ranges->setPlainText(QStringLiteral("r1=2..12/0,5\nx1=-3..3/1\n"));
        const QString out = tmp.filePath(QStringLiteral("group"));
        dialog.OutDir->setText(out);
        QSignalSpy finished(&dialog, &ClassSetDialog::Finished);
        CreateAndWait(dialog);

        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.front().front().toBool(), true);
        QCOMPARE(opened, QStringList{out});
        QVERIFY(dialog.Progress->maximum() > 4);
        QCOMPARE(dialog.Progress->value(), dialog.Progress->maximum());
        const auto rows = VariantRows(out + QStringLiteral("/variants.csv"));
        QCOMPARE(rows.size(), 4);
        for (const auto& row : rows) {
            QCOMPARE(row.value(QStringLiteral("Edit6")), QStringLiteral("7"));
            QCOMPARE(row.value(QStringLiteral("Edit8")), QStringLiteral("9"));
            QCOMPARE(row.value(QStringLiteral("CheckBox5")), QStringLiteral("1"));
            QCOMPARE(row.value(QStringLiteral("I.mag")), QStringLiteral("3"));
            const double r1 = row.value(QStringLiteral("Edit4")).replace(u',', u'.').toDouble();
            QVERIFY2(r1 >= 2 && r1 <= 12, qPrintable(row.value(QStringLiteral("Edit4"))));
        }
        QFile key(out + QStringLiteral("/key.csv"));
        QVERIFY(key.open(QIODevice::ReadOnly));
        QVERIFY(key.readAll().contains("break-A"));
        QVERIFY(QFile::exists(out + QStringLiteral("/moodle.xml")));
        // The PDFs of every variant and the key, made through Qt's writer; a PDF starts so.
        for (const char* name :
             {"/01-task.pdf", "/04-task.pdf", "/01-solution.pdf", "/04-solution.pdf", "/key.pdf"}) {
            QFile pdf(out + QString::fromLatin1(name));
            QVERIFY2(pdf.open(QIODevice::ReadOnly), name);
            QVERIFY2(pdf.read(5) == "%PDF-", name);
        }
    }

    void faultsAreShownAndMakeNoFolder_data() {
        QTest::addColumn<bool>("table");
        QTest::addColumn<QString>("tableText");
        QTest::addColumn<QString>("ranges");
        QTest::addColumn<QString>("says");
        QTest::newRow("a range without its step") << false << QString() << QStringLiteral("r1=5") << "r1=5";
        QTest::newRow("a bad table") << true << QStringLiteral("variant,r1\n1,abc\n") << QString()
                                     << QStringLiteral("строка 2, столбец 2 (r1)");
        QTest::newRow("too few different variants")
            << false << QString() << QStringLiteral("r1=1..2/1") << QStringLiteral("только 2");
    }
    void faultsAreShownAndMakeNoFolder() {
        QFETCH(bool, table);
        QFETCH(QString, tableText);
        QFETCH(QString, ranges);
        QFETCH(QString, says);
        QTemporaryDir tmp;
        ClassSetDialog dialog;
        bool opened = false;
        dialog.openFolder = [&](const QString&) { opened = true; };
        if (table) {
            QFile file(tmp.filePath(QStringLiteral("t.csv")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(tableText.toUtf8());
            file.close();
            dialog.FromTable->setChecked(true);
            dialog.TablePath->setText(file.fileName());
        } else {
            dialog.Random->setChecked(true);
            dialog.Count->setValue(5);
            dialog.Ranges->setPlainText(ranges);
        }
        const QString out = tmp.filePath(QStringLiteral("group"));
        dialog.OutDir->setText(out);
        CreateAndWait(dialog);
        QVERIFY2(dialog.Status->text().contains(says), qPrintable(dialog.Status->text()));
        QVERIFY(!opened);
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 table ? 1 : 0);
    }

    // Stopping a set while its PDFs are made, as a teacher can: nothing is left, neither the set's
    // folder nor the hidden one beside it.
    void aSetStoppedWhileMadeLeavesNothing_data() { AddStopRows(); }
    void aSetStoppedWhileMadeLeavesNothing() {
        QFETCH(QString, how);
        QTemporaryDir tmp;
        auto dialog = std::make_unique<ClassSetDialog>();
        bool opened = false;
        dialog->openFolder = [&](const QString&) { opened = true; };
        dialog->Random->setChecked(true);
        dialog->Count->setValue(300);
        dialog->Ranges->setPlainText(QStringLiteral("r1=1..60/0,5\nx1=-30..30/0,5\n"));
        dialog->OutDir->setText(tmp.filePath(QStringLiteral("group")));
        dialog->show();
        QPushButton* start = dialog->CreateButton;
        start->click();
        QVERIFY(dialog->Running());
        QVERIFY(!dialog->Create({}));  // one set at a time
        StopRunningJob(std::move(dialog), start, how);
        if (QTest::currentTestFailed()) {
            return;
        }
        QVERIFY(!opened);
        QCOMPARE(Entries(tmp.path()), QStringList{});
    }

    // Text from a table, a range or a folder name comes back in the status line as typed.
    void markupIsShownAsTyped_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("ranges");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("markup");
        QTest::newRow("a table cell") << QStringLiteral("variant,r1\n1,<img src=pic.png>\n") << QString()
                                      << QStringLiteral("group") << QStringLiteral("<img src=pic.png>");
        QTest::newRow("a range") << QString() << QStringLiteral("<b>x</b>=5") << QStringLiteral("group")
                                 << QStringLiteral("<b>x</b>=5");
        QTest::newRow("the folder made")
            << QString() << QStringLiteral("r1=5..20/1") << QStringLiteral("<img src=pic.png>")
            << QStringLiteral("<img src=pic.png>");
        QTest::newRow("a folder in use")
            << QString() << QStringLiteral("r1=5..20/1") << QStringLiteral("<img src=\"pic.png\">")
            << QStringLiteral("<img src=\"pic.png\">");
    }
    void markupIsShownAsTyped() {
        QFETCH(QString, table);
        QFETCH(QString, ranges);
        QFETCH(QString, folder);
        QFETCH(QString, markup);
        Form3->Edit6->setText(QStringLiteral("7"));
        Form3->Edit8->setText(QStringLiteral("9"));
        QTemporaryDir tmp;
        ClassSetDialog dialog;
        dialog.openFolder = [](const QString&) {};
        if (!table.isEmpty()) {
            QFile file(tmp.filePath(QStringLiteral("t.csv")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(table.toUtf8());
            file.close();
            dialog.FromTable->setChecked(true);
            dialog.TablePath->setText(file.fileName());
        } else {
            dialog.Random->setChecked(true);
            dialog.Count->setValue(1);
            dialog.Ranges->setPlainText(ranges);
        }
        if (QTest::currentDataTag() == QByteArray("a folder in use")) {
            QVERIFY(QDir(tmp.path()).mkpath(folder + QStringLiteral("/old")));
        }
        dialog.OutDir->setText(tmp.filePath(folder));
        dialog.show();
        CreateAndWait(dialog);
        QVERIFY2(dialog.Status->text().contains(markup), qPrintable(dialog.Status->text()));
        QVERIFY2(ShownAsText(dialog.Status), qPrintable(dialog.Status->text()));
    }
};

QTEST_MAIN(ClassSetDialogTest)
#include "ClassSetDialogTest.moc"
