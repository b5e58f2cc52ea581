// "Варианты для группы…": the set made from the open forms, the progress bar, the folder opened
// at the end, and faults shown in the dialog with no folder made.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

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
        dialog.CreateButton->click();

        QCOMPARE(opened, QStringList{out});
        QCOMPARE(dialog.Progress->maximum(), 4);
        QCOMPARE(dialog.Progress->value(), 4);
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
        dialog.CreateButton->click();
        QVERIFY2(dialog.Status->text().contains(says), qPrintable(dialog.Status->text()));
        QVERIFY(!opened);
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 table ? 1 : 0);
    }
};

QTEST_MAIN(ClassSetDialogTest)
#include "ClassSetDialogTest.moc"
