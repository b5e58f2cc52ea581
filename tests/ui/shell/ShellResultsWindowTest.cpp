// The results window: the document interface of the report writers, superscript, RTF saving
// (read back by the test's own reader), clipboard, placement, printing and the word processor.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QClipboard>
#include <QFileDialog>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <csignal>
#include <functional>

#include "RtfTestReader.h"
#include "ShellTestSupport.h"
#include "ui/app/Forms.h"
#include "ui/platform/RtfWriter.h"
#include "ui/platform/WindowPlace.h"
#include "ui/platform/WordProcessor.h"
#include "ui/windows/GuiRunContext.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"

namespace {

QTextEdit* Doc() {
    return Form2->RichEdit1;
}

void Write(const QStringList& lines) {
    RichEditDocument doc(*Doc());
    doc.Clear();
    for (const QString& line : lines) {
        doc.AppendLine(line.toStdString());
    }
}

void Select(int from, int to) {
    QTextCursor c(Doc()->document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    Doc()->setTextCursor(c);
}

// The raise (twips) of the character at position pos.
int RaiseAt(int pos) {
    QTextCursor c(Doc()->document());
    c.setPosition(pos + 1);
    return c.charFormat().intProperty(kRaiseTwipsProperty);
}

std::string ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return std::string();
    }
    return f.readAll().toStdString();
}

const QStringList kLines = {QStringLiteral("1. Напряжение фазы А: Ua = 380 ej 0 (В)"), QString(),
                            QStringLiteral("Ток I = 38 A, мощность S = 14440 {В*А} \\ 2"),
                            QStringLiteral("Ёмкость «С» — 100 мкФ")};

// Makes a fake word processor in dir that records its arguments and the file it was given.
QString FakeWordProcessor(const QString& dir) {
    const QString script = dir + "/soffice";
    QFile f(script);
    if (!f.open(QIODevice::WriteOnly)) {
        return QString();
    }
    // Only shell built-ins and absolute paths: the test runs it with PATH set to dir alone.
    const QByteArray d = dir.toUtf8();
    f.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + d + "/args'\nfor last; do :; done\n/bin/cp \"$last\" '" +
            d + "/received'\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return script;
}

}  // namespace

class ShellResultsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        StartProgramWindows();
        Form2->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form2));
    }
    void cleanupTestCase() { DestroyWindows(); }

    void documentInterface() {
        Write({QString(), QStringLiteral("а"), QString(), QStringLiteral("б")});
        QCOMPARE(Doc()->document()->blockCount(), 4);
        QCOMPARE(Doc()->toPlainText(), QStringLiteral("\nа\n\nб"));
        Write({QStringLiteral("one")});
        QCOMPARE(Doc()->toPlainText(), QStringLiteral("one"));
        QCOMPARE(Form2->DocumentText(), QStringLiteral("one"));
        Write(kLines);
        QCOMPARE(Form2->DocumentText(), kLines.join(QStringLiteral("\r\n")));
        // Lines written after the user formatted the end take none of that formatting.
        QTextCursor end(Doc()->document());
        end.movePosition(QTextCursor::End);
        end.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        end.mergeCharFormat(bold);
        RichEditDocument more(*Doc());
        more.AppendLine("x");
        more.Flush();
        QVERIFY(Doc()->document()->lastBlock().begin().fragment().charFormat().fontWeight() != QFont::Bold);
    }

    void superscriptRaisesSelectionOnce() {
        Write(kLines);
        const int start = 5;
        const int end = Doc()->document()->findBlockByNumber(2).position() + 3;  // across three lines
        Select(start, end);
        Form2->SpeedButton6->click();
        QTextCursor probe(Doc()->document());
        probe.setPosition(start + 1);
        const qreal offsetOnce = probe.charFormat().baselineOffset();
        QVERIFY(offsetOnce > 0);
        Select(start, end);
        Form2->SetSuperscript();
        probe.setPosition(start + 1);
        QCOMPARE(probe.charFormat().baselineOffset(), offsetOnce);
        for (int pos = 0; pos < Doc()->document()->characterCount() - 1; ++pos) {
            const bool inside =
                pos >= start && pos < end && Doc()->document()->characterAt(pos) != QChar(0x2029);
            if (inside) {
                QCOMPARE(RaiseAt(pos), 70);
            } else if (Doc()->document()->characterAt(pos) != QChar(0x2029)) {
                QCOMPARE(RaiseAt(pos), 0);
            }
        }
        // Size and font stay as they were.
        probe.setPosition(start + 1);
        QCOMPARE(probe.charFormat().font().resolve(Doc()->document()->defaultFont()).pointSize(), 12);
    }

    void rtfKeepsTextParagraphsFontAndSuperscript() {
        Write(kLines);
        Select(3, 13);  // "Напряжение" raised
        Form2->SetSuperscript();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("результаты.rtf"));
        QVERIFY(Form2->SaveToFile(path));
        const std::string rtf = ReadFile(path);
        for (const unsigned char c : rtf) {
            QVERIFY2(c < 128, "RTF must be 7-bit");
        }
        QVERIFY(rtf.find("\\ansicpg1251") != std::string::npos);
        QVERIFY(rtf.find("\\u1053\\'cd") != std::string::npos);  // Н with its Windows-1251 byte
        const RtfDocument read = ReadRtf(rtf);
        QVERIFY(read.ok);
        QCOMPARE(read.Texts(), kLines);
        QStringList raised;
        for (const auto& para : read.paragraphs) {
            for (const auto& run : para) {
                QCOMPARE(read.fonts.value(run.font), QStringLiteral("Times New Roman"));
                QCOMPARE(run.halfPoints, 24);
                if (run.up) {
                    QCOMPARE(run.up, 7);
                    raised << run.text;
                }
            }
        }
        QCOMPARE(raised, QStringList{QStringLiteral("Напряжение")});
    }

    // What the results window saves equals the core's RTF of the same lines and raised spans, the
    // entry a front end without the text control uses.
    void rtfOfPlainLinesEqualsTheWindowsRtf() {
        std::vector<std::string> lines;
        for (const QString& line : kLines) {
            lines.push_back(line.toStdString());
        }
        Write(kLines);
        QCOMPARE(DocumentToRtf(*Doc()->document()), vornik::RtfFromLines(lines));
        Select(3, 13);  // "Напряжение"
        Form2->SetSuperscript();
        const int line3 = static_cast<int>(kLines[0].size() + kLines[1].size() + kLines[2].size()) + 3;
        Select(line3 + 1, line3 + 7);  // "мкость" of the last line
        Form2->SetSuperscript();
        QCOMPARE(DocumentToRtf(*Doc()->document()), vornik::RtfFromLines(lines, {{0, 3, 13}, {3, 1, 7}}));
        Write({});
        QCOMPARE(DocumentToRtf(*Doc()->document()), vornik::RtfFromLines({}));
    }

    // The bytes of a document with every character property the writer knows, against the file
    // kept beside this test.
    void rtfBytesOfARichDocument() {
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
        QTextCursor c(&doc);
        auto put = [&c](const QString& text, const std::function<void(QTextCharFormat&)>& set) {
            QTextCharFormat f;
            set(f);
            c.insertText(text, f);
        };
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        c.setBlockFormat(centred);
        put(QStringLiteral("Заголовок {1}\\"), [](QTextCharFormat& f) {
            f.setFontWeight(QFont::Bold);
            f.setForeground(QColor(255, 0, 0));
        });
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        c.insertBlock(right);
        put(QStringLiteral("Arial\tкурсив"), [](QTextCharFormat& f) {
            f.setFontFamilies({QStringLiteral("Arial")});
            f.setFontPointSize(10);
            f.setFontItalic(true);
            f.setFontUnderline(true);
        });
        put(QStringLiteral(" зачёркнуто №5 ±"), [](QTextCharFormat& f) {
            f.setFontStrikeOut(true);
            f.setForeground(QColor(0, 0, 255));
        });
        c.insertBlock(QTextBlockFormat());
        QTextBlockFormat justified;
        justified.setAlignment(Qt::AlignJustify);
        c.insertBlock(justified);
        put(QStringLiteral("x"), [](QTextCharFormat&) {});
        put(QStringLiteral("2"),
            [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
        put(QStringLiteral("i"), [](QTextCharFormat& f) {
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
            f.setForeground(QColor(255, 0, 0));
        });
        put(QString::fromUtf8("U0\u00a0\u2028\u00ab\u00bb \xF0\x9F\x98\x80 \u4e2d"),
            [&doc](QTextCharFormat& f) { f.merge(RaisedFormat(f, doc.defaultFont(), 70)); });
        put(QStringLiteral("Georgia"),
            [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("Georgia")}); });
        const std::string rtf = DocumentToRtf(doc);
        QFile kept(QStringLiteral(VORNIK_SHELL_TEST_DATA "/rich_document.rtf"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(QByteArray::fromStdString(rtf), kept.readAll());
    }

    void saveDialogAddsExtension() {
        Write({QStringLiteral("текст")});
        QTemporaryDir dir;
        QStringList filters;
        const bool seen =
            DriveModalDialog<QFileDialog>([] { Form1->N17->trigger(); },
                                          [&](QFileDialog* d) {
                                              filters = d->nameFilters();
                                              QCOMPARE(d->defaultSuffix(), QStringLiteral("rtf"));
                                              d->setDirectory(dir.path());
                                              d->selectFile(dir.filePath(QStringLiteral("отчёт")));
                                              static_cast<QDialog*>(d)->accept();
                                          });
        QVERIFY(seen);
        QCOMPARE(filters, QStringList{QStringLiteral("Текстовый (*.rtf)")});
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("отчёт.rtf"))));
        QCOMPARE(ReadRtf(ReadFile(dir.filePath(QStringLiteral("отчёт.rtf")))).Texts(), QStringList{"текст"});

        // Cancelling writes nothing.
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);
        DriveModalDialog<QFileDialog>([] { Form2->SpeedButton4->click(); },
                                      [](QFileDialog* d) { d->reject(); });
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);
    }

    void failedSaveKeepsExistingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.rtf"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("keep me");
        }
        // A small document: all of it fits in any write buffer, so only a checked write and
        // flush of the file itself can notice that the disk is full.
        Write(kLines);
        // A file-size limit makes the write fail like a full disk, also for root.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        bool saved = true;
        const auto boxes = CaptureMessageBoxes([&] { saved = Form2->SaveToFile(path); });
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!saved);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes[0].text,
                 QStringLiteral("Не удалось сохранить файл \"%1\": файл слишком велик.").arg(path));
        QCOMPARE(ReadFile(path), std::string("keep me"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.rtf"});

        // A folder that does not exist: an error, nothing created.
        const auto missing =
            CaptureMessageBoxes([&] { saved = Form2->SaveToFile(dir.filePath("no/such.rtf")); });
        QVERIFY(!saved);
        QCOMPARE(missing.size(), 1);
        QVERIFY(missing[0].text.contains(QStringLiteral("no/such.rtf")));
    }

    void clipboardCarriesRaisedText() {
        Write(kLines);
        Select(3, 13);
        Form2->SetSuperscript();
        Form1->N7Click();
        Form1->N8Click();
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime->hasText());
        QCOMPARE(mime->text().split(u'\n'), kLines);
        QVERIFY(QByteArray(mime->data(QStringLiteral("text/rtf"))).contains("\\up7"));
        Write({QStringLiteral("x")});
        Form1->N7Click();
        Form1->N10Click();
        QCOMPARE(Doc()->toPlainText().split(u'\n'), kLines);
        QCOMPARE(RaiseAt(5), 70);
        QCOMPARE(RaiseAt(20), 0);
        // Cut empties the selection into the clipboard.
        Form1->N7Click();
        Form1->N9Click();
        QCOMPARE(Doc()->toPlainText(), QString());
        QCOMPARE(QGuiApplication::clipboard()->text().split(u'\n'), kLines);
    }

    void documentFillsWindowAndReturnsHome() {
        Form2->resize(QSize(700, 600) - FrameExtra(Form2));  // outer size 700 × 600
        QCOMPARE(Doc()->size(), QSize(689, 514));
        QCOMPARE(Doc()->pos(), QPoint(0, 36));
        Form2->move(500, 400);
        Form2->close();
        QVERIFY(Form2->isHidden());
        Form1->N15->trigger();
        QVERIFY(Form2->isVisible());
        QCOMPARE(Form2->frameGeometry(), QRect(218, 103, 582, 468));
        QCOMPARE(Doc()->size(), QSize(571, 382));
        Form2->move(10, 10);
        Form2->SpeedButton5->click();
        QCOMPARE(Form2->pos(), QPoint(218, 103));
    }

    void printWithoutPrinterSaysSo() {
        if (!QPrinterInfo::defaultPrinter().isNull()) {
            QSKIP("a default printer exists here");
        }
        Write(kLines);
        const auto boxes = CaptureMessageBoxes([] { Form2->SpeedButton9->click(); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QVERIFY(boxes[0].text.contains(QStringLiteral("Принтер")));
        QCOMPARE(Doc()->toPlainText().split(u'\n'), kLines);
    }

    // "Сохранить в PDF…": the title block from the parameter form, then the document as text a
    // reader can search, whatever the form holds.
    void pdfOfTheDocument_data() {
        QTest::addColumn<bool>("star");
        QTest::addColumn<QString>("resistance");
        QTest::addColumn<bool>("shortB");
        QTest::addColumn<QStringList>("title");
        QTest::newRow("star, short circuit of B")
            << true << "12,5" << true
            << QStringList{"Соединение нагрузки: ЗВЕЗДА", "Ra = 12,5 Ом", "Аварийные режимы: КЗ фазы B"};
        QTest::newRow("delta, no faults")
            << false << "7" << false
            << QStringList{"Соединение нагрузки: ТРЕУГОЛЬНИК", "Rab = 7 Ом", "Аварийные режимы: нет"};
    }
    void pdfOfTheDocument() {
        QFETCH(bool, star);
        QFETCH(QString, resistance);
        QFETCH(bool, shortB);
        QFETCH(QStringList, title);
        (star ? Form3->RadioButton1 : Form3->RadioButton2)->setChecked(true);
        const QString oldText = Form3->Edit4->text();
        Form3->Edit4->setText(resistance);
        Form3->CheckBox3->setChecked(shortB);
        Write(kLines);
        Select(3, 13);
        Form2->SetSuperscript();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("solution.pdf"));
        const auto boxes = CaptureMessageBoxes([&] { QVERIFY(Form2->SavePdfTo(path)); });
        Form3->Edit4->setText(oldText);
        Form3->CheckBox3->setChecked(false);
        Form3->RadioButton1->setChecked(true);
        QCOMPARE(boxes.size(), 0);
        QCOMPARE(QByteArray::fromStdString(ReadFile(path).substr(0, 5)), QByteArray("%PDF-"));
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
        QVERIFY2(text.waitForFinished(20000), "pdftotext (poppler-utils) is needed");
        QString got = QString::fromUtf8(text.readAllStandardOutput());
        got.remove(QRegularExpression(QStringLiteral("\\s")));
        auto has = [&got](QString line) {
            return got.contains(line.remove(QRegularExpression(QStringLiteral("\\s"))));
        };
        for (const QString& line : title + kLines) {
            QVERIFY2(has(line), qPrintable(line));
        }
        QVERIFY(has(QStringLiteral("Дата: ") + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))));
        QVERIFY(has(QStringLiteral("1 / 1")));

        // A file that cannot be written: one message, the old file kept.
        const QString blocked = dir.filePath(QStringLiteral("missing/solution.pdf"));
        const auto failed = CaptureMessageBoxes([&] { QVERIFY(!Form2->SavePdfTo(blocked)); });
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed[0].text.contains(QStringLiteral("solution.pdf")));
    }

    // "Предварительный просмотр…" shows the pages of the document in Qt's preview.
    void printPreview() {
        Write(kLines);
        int pages = 0;
        QString docName;
        const bool shown =
            DriveModalDialog<QPrintPreviewDialog>([] { Form1->N21->trigger(); },
                                                  [&](QPrintPreviewDialog* dialog) {
                                                      auto* view = dialog->findChild<QPrintPreviewWidget*>();
                                                      pages = view ? view->pageCount() : -1;
                                                      docName = dialog->printer()->docName();
                                                      dialog->reject();
                                                  });
        QVERIFY(shown);
        QCOMPARE(pages, 1);
        QCOMPARE(docName, QStringLiteral("Результаты рассчёта Vornik"));
    }

    void handOffFolderGoesWithTheProgram() {
        // A copy of this process hands a text over and ends as the program does; the folder
        // holding the file must go with it.
        QTemporaryDir dir;
        QVERIFY(!FakeWordProcessor(dir.path()).isEmpty());
        const QString received = dir.filePath("received");
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", dir.path().toLocal8Bit());
        const pid_t child = fork();
        if (child == 0) {
            const bool sent = SendToWordProcessor(QStringLiteral("текст")).isEmpty();
            // The word processor has opened the file once its copy exists.
            for (int k = 0; k < 1000 && !QFile::exists(received); ++k) {
                usleep(10000);
            }
            std::exit(sent ? 0 : 1);
        }
        qputenv("PATH", oldPath);
        QVERIFY(child > 0);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(QString::fromUtf8(ReadFile(received)), QStringLiteral("текст"));
        const QStringList args =
            QString::fromUtf8(ReadFile(dir.filePath("args"))).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(!args.isEmpty());
        const QString folder = QFileInfo(args.back()).absolutePath();
        QVERIFY2(folder.startsWith(QDir::tempPath() + QStringLiteral("/vornik-")), qPrintable(folder));
        QVERIFY2(!QFileInfo::exists(folder), qPrintable(folder + QStringLiteral(" is left behind")));
    }

    void wordProcessorGetsTheSavedRtf() {
        QTemporaryDir dir;
        QVERIFY(!FakeWordProcessor(dir.path()).isEmpty());
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", dir.path().toLocal8Bit());
        Write(kLines);
        Select(3, 13);
        Form2->SetSuperscript();
        const auto boxes = CaptureMessageBoxes([] { Form2->SpeedButton7->click(); });
        QCOMPARE(boxes.size(), 0);
        // Exactly the file "Сохранить" writes: RTF with the raised text.
        const QString saved = dir.filePath("saved.rtf");
        QVERIFY(Form2->SaveToFile(saved));
        const std::string rtf = ReadFile(saved);
        QVERIFY(rtf.starts_with("{\\rtf1"));
        QVERIFY(rtf.find("\\up7") != std::string::npos);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("received")), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(ReadFile(dir.filePath("received")), rtf, 10000);
        const QStringList args =
            QString::fromUtf8(ReadFile(dir.filePath("args"))).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(args, QStringList({"--writer", "-n", args.back()}));
        QVERIFY(args.back().endsWith(QStringLiteral(".rtf")));
        // Not loose in the temporary folder: in this run's own folder there.
        QCOMPARE(QFileInfo(QFileInfo(args.back()).absolutePath()).absolutePath(), QDir::tempPath());

        // Nothing to hand the text to: one message, the document unchanged.
        qputenv("PATH", QByteArray("/nonexistent"));
        const auto none = CaptureMessageBoxes([] { Form1->Word1->trigger(); });
        qputenv("PATH", oldPath);
        QCOMPARE(none.size(), 1);
        QVERIFY(none[0].text.contains(QStringLiteral("LibreOffice")));
        QCOMPARE(Doc()->toPlainText().split(u'\n'), kLines);
    }
};

QTEST_MAIN(ShellResultsWindowTest)
#include "ShellResultsWindowTest.moc"
