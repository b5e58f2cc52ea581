// The diagram window: emergency pairs enabled from the ticks at showing time, redrawing on every
// click of a button, the selected one too, the cursor read-out and saving in the chosen format.

#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/ui/ModalDialogs.h"
#include "ui/app/Forms.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit7.h"

namespace {

vornik::SolutionRecord& Slot(int index) {
    return AppState().modeSlots.at(index);
}

// A balanced star of 380 V phases and 10 A currents in the normal mode.
void FillNormalMode(double volts, double amperes) {
    vornik::SolutionRecord& s = Slot(0);
    s.fill(0);
    const double h = 0.8660254037844386;
    s[vornik::UaRe] = volts;
    s[vornik::UbRe] = -volts / 2;
    s[vornik::UbIm] = -volts * h;
    s[vornik::UcRe] = -volts / 2;
    s[vornik::UcIm] = volts * h;
    s[vornik::UaLoadRe] = s[vornik::UaRe];
    s[vornik::UbLoadRe] = s[vornik::UbRe];
    s[vornik::UbLoadIm] = s[vornik::UbIm];
    s[vornik::UcLoadRe] = s[vornik::UcRe];
    s[vornik::UcLoadIm] = s[vornik::UcIm];
    s[vornik::IaRe] = amperes;
    s[vornik::IbRe] = -amperes / 2;
    s[vornik::IbIm] = -amperes * h;
    s[vornik::IcRe] = -amperes / 2;
    s[vornik::IcIm] = amperes * h;
}

QByteArray FileStart(const QString& path, qint64 bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(bytes);
}

// A click on the round indicator, where a radio button always takes it.
void Choose(QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

// The user picks a filter in the dialog's type list with the arrow keys.
void ChooseFilter(QFileDialog* dialog, const QString& filter) {
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types != nullptr);
    const int wanted = types->findText(filter);
    QVERIFY(wanted >= 0);
    while (types->currentIndex() != wanted) {
        QTest::keyClick(types, types->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
    }
}

const QByteArray kBmpMagic("BM");
const QByteArray kJpegMagic("\xFF\xD8\xFF", 3);
const QString kJpegFilter = QStringLiteral("JPEG Image File (*.jpg *.jpeg)");
const QString kBmpFilter = QStringLiteral("Bitmaps (*.bmp)");
const QString kSvgFilter = QStringLiteral("SVG (*.svg)");
const QByteArray kSvgMagic("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ");

// How many operations of a kind ("line", "text") the diagram window's drawing has.
int Form7Ops(const char* kind) {
    const auto wanted = QByteArray(kind) == "line" ? vornik::DrawOp::Kind::Line : vornik::DrawOp::Kind::Text;
    int n = 0;
    for (const vornik::DrawOp& op : Form7->DrawnOps()) {
        n += op.kind == wanted ? 1 : 0;
    }
    return n;
}

QList<bool> EnabledButtons(const TForm7* form) {
    QList<bool> enabled;
    for (int n = 1; n <= 14; ++n) {
        enabled << form->RadioButton(n)->isEnabled();
    }
    return enabled;
}

}  // namespace

class DiagramWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() {
        Form3 = new TForm3;
        Form7 = new TForm7;
        Form3->RadioButton1->setChecked(true);
    }
    void cleanupTestCase() {
        delete Form7;
        delete Form3;
        Form7 = nullptr;
        Form3 = nullptr;
    }
    void init() { FillNormalMode(380, 10); }
    void cleanup() { Form7->hide(); }

    void enabledPairsFollowTicksAtShowing_data() {
        QTest::addColumn<QList<int>>("ticked");  // CheckBox2..CheckBox7 that are set
        QTest::newRow("none") << QList<int>{};
        QTest::newRow("short circuit of B (CheckBox3)") << QList<int>{3};
        QTest::newRow("A and line C") << QList<int>{2, 7};
        QTest::newRow("all") << QList<int>{2, 3, 4, 5, 6, 7};
    }
    void enabledPairsFollowTicksAtShowing() {
        QFETCH(QList<int>, ticked);
        const std::array boxes{Form3->CheckBox2, Form3->CheckBox3, Form3->CheckBox4,
                               Form3->CheckBox5, Form3->CheckBox6, Form3->CheckBox7};
        QList<bool> expected{true, true};
        for (int box = 2; box <= 7; ++box) {
            boxes[box - 2]->setChecked(ticked.contains(box));
            expected << ticked.contains(box) << ticked.contains(box);
        }
        Form7->show();
        QCOMPARE(EnabledButtons(Form7), expected);
        QVERIFY(Form7->RadioButton1->isChecked());

        // A tick changed while the window is open takes effect at the next showing only.
        for (QCheckBox* box : boxes) {
            box->setChecked(!box->isChecked());
        }
        QCOMPARE(EnabledButtons(Form7), expected);
        Form7->hide();
        Form7->show();
        for (int i = 2; i < 14; ++i) {
            expected[i] = !expected[i];
        }
        QCOMPARE(EnabledButtons(Form7), expected);
        for (QCheckBox* box : boxes) {
            box->setChecked(false);
        }
    }

    // The axis captions take the face the last drawing left: a new window's first picture is
    // the same as the one drawn again after another.
    void firstPictureLikeEveryLater() {
        TForm7 fresh;
        fresh.show();
        const QImage first = fresh.Canvas().Image().copy();
        Choose(fresh.RadioButton2);
        Choose(fresh.RadioButton1);
        QCOMPARE(fresh.Canvas().Image(), first);
    }

    void buttonsFormOneExclusiveGroup() {
        Form3->CheckBox5->setChecked(true);
        Form7->show();
        Choose(Form7->RadioButton(10));
        int selected = 0;
        for (int n = 1; n <= 14; ++n) {
            selected += Form7->RadioButton(n)->isChecked() ? 1 : 0;
        }
        QCOMPARE(selected, 1);
        QVERIFY(Form7->RadioButton10->isChecked());
        Form3->CheckBox5->setChecked(false);
    }

    void choosingAButtonRedrawsOncePerClick() {
        Form7->show();
        QVERIFY(Form7->RadioButton1->isChecked());
        QCOMPARE(Form7->Label12->text(), QStringLiteral("380"));
        QCOMPARE(Form7->Label11->text(), QStringLiteral(" - 2"));
        int draws = Form7->DrawCount();

        Choose(Form7->RadioButton2);
        QCOMPARE(Form7->DrawCount(), draws + 1);
        QCOMPARE(Form7->Label12->text(), QStringLiteral("10"));
        // The picture on the window is the one just drawn.
        QCOMPARE(Form7->Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 Form7->Canvas().Image().convertToFormat(QImage::Format_RGB32));

        // The results change; clicking the selected button again draws them.
        FillNormalMode(660, 20);
        Choose(Form7->RadioButton2);
        QCOMPARE(Form7->DrawCount(), draws + 2);
        QCOMPARE(Form7->Label12->text(), QStringLiteral("20"));

        // Another button and back draws the first one anew, once per click.
        Choose(Form7->RadioButton1);
        QCOMPARE(Form7->Label12->text(), QStringLiteral("660"));
        QCOMPARE(Form7->Label11->text(), QStringLiteral(" - 3,4"));
        Choose(Form7->RadioButton2);
        QCOMPARE(Form7->DrawCount(), draws + 4);
        QCOMPARE(Form7->Label12->text(), QStringLiteral("20"));
        // The selected button's space key is a click too.
        FillNormalMode(127, 5);
        Form7->RadioButton2->setFocus();
        QTest::keyClick(Form7->RadioButton2, Qt::Key_Space);
        QCOMPARE(Form7->DrawCount(), draws + 5);
        QCOMPARE(Form7->Label12->text(), QStringLiteral("5"));
    }

    void showingDrawsTheNormalVoltages() {
        Form7->show();
        Choose(Form7->RadioButton2);
        QCOMPARE(Form7->Label12->text(), QStringLiteral("10"));
        Form7->hide();
        FillNormalMode(220, 10);
        Form7->show();
        QVERIFY(Form7->RadioButton1->isChecked());
        QCOMPARE(Form7->Label12->text(), QStringLiteral("220"));
        // Already selected at showing: the picture still follows the newest results.
        Form7->hide();
        FillNormalMode(127, 10);
        const int draws = Form7->DrawCount();
        Form7->show();
        QCOMPARE(Form7->DrawCount(), draws + 1);
        QCOMPARE(Form7->Label12->text(), QStringLiteral("127"));
    }

    void cursorReadOut_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QStringList>("shown");  // X, Y, A, J
        QTest::newRow("top left") << QPoint(0, 0) << QStringList{"0", "0", "200", "200"};
        QTest::newRow("centre") << QPoint(200, 200) << QStringList{"200", "200", "0", "0"};
        QTest::newRow("bottom right") << QPoint(399, 399) << QStringList{"399", "399", "-199", "-199"};
        QTest::newRow("150, 60") << QPoint(150, 60) << QStringList{"150", "60", "140", "50"};
    }
    void cursorReadOut() {
        QFETCH(QPoint, at);
        QFETCH(QStringList, shown);
        Form7->show();
        QMouseEvent move(QEvent::MouseMove, QPointF(at), Form7->Image1->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Form7->Image1, &move);
        QCOMPARE((QStringList{Form7->Label6->text(), Form7->Label7->text(), Form7->Label9->text(),
                              Form7->Label10->text()}),
                 shown);
    }

    void homePlacement() {
        Form7->show();
        Form7->move(500, 400);
        Form7->SpeedButton1->click();
        QCOMPARE(Form7->pos(), QPoint(218, 103));
    }

    void savedFormatFollowsTheNameOrTheFilter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("magic");
        // A picture extension typed in the name decides the format, whatever filter is chosen.
        QTest::newRow("BMP chosen, .jpg name") << kBmpFilter << "a.jpg"
                                               << "a.jpg" << kJpegMagic;
        QTest::newRow("JPEG chosen, .bmp name") << kJpegFilter << "b.bmp"
                                                << "b.bmp" << kBmpMagic;
        QTest::newRow("BMP chosen, .jpeg name") << kBmpFilter << "e.jpeg"
                                                << "e.jpeg" << kJpegMagic;
        QTest::newRow("JPEG chosen, .BMP name") << kJpegFilter << "f.BMP"
                                                << "f.BMP" << kBmpMagic;
        QTest::newRow("JPEG chosen, .jpg name") << kJpegFilter << "g.jpg"
                                                << "g.jpg" << kJpegMagic;
        // No extension: the chosen filter's.
        QTest::newRow("JPEG chosen, no extension") << kJpegFilter << "c"
                                                   << "c.jpg" << kJpegMagic;
        QTest::newRow("BMP chosen, no extension") << kBmpFilter << "d"
                                                  << "d.bmp" << kBmpMagic;
        // Another extension is no picture extension: the chosen filter's format under that name.
        QTest::newRow("BMP chosen, .png name") << kBmpFilter << "h.png"
                                               << "h.png" << kBmpMagic;
        // The SVG filter, and the .svg extension under any filter: the drawing as vectors.
        QTest::newRow("SVG chosen, no extension") << kSvgFilter << "i"
                                                  << "i.svg" << kSvgMagic;
        QTest::newRow("BMP chosen, .svg name") << kBmpFilter << "j.svg"
                                               << "j.svg" << kSvgMagic;
        QTest::newRow("SVG chosen, .bmp name") << kSvgFilter << "k.bmp"
                                               << "k.bmp" << kBmpMagic;
    }
    void savedFormatFollowsTheNameOrTheFilter() {
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QByteArray, magic);
        QTemporaryDir dir;
        Form7->show();
        ModalWatcher watcher;
        watcher.onFileDialog = [&](QFileDialog* dialog) {
            ChooseFilter(dialog, filter);
            dialog->selectFile(dir.filePath(typed));
            static_cast<QDialog*>(dialog)->accept();
        };
        Form7->SpeedButton3Click();
        QCOMPARE(watcher.fileDialogs, 1);
        QCOMPARE(watcher.Texts(), QStringList{});
        QCOMPARE(FileStart(dir.filePath(written), magic.size()), magic);
        if (magic == kSvgMagic) {
            // The drawing shown, as vectors: the axes and the captions of the blank plane at least.
            QFile file(dir.filePath(written));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray svg = file.readAll();
            QVERIFY(svg.contains("width=\"400\" height=\"400\""));
            QCOMPARE(svg.count("<line "), Form7Ops("line"));
            QCOMPARE(svg.count("<text "), Form7Ops("text"));
            QVERIFY(Form7Ops("line") >= 2);
            return;
        }
        const QImage saved(dir.filePath(written));
        QCOMPARE(saved.size(), QSize(400, 400));
    }

    void jpegFilterListsBothExtensions() {
        QTemporaryDir dir;
        for (const char* name : {"one.jpg", "two.jpeg", "three.bmp"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList listed;
        ModalWatcher watcher;
        watcher.onFileDialog = [&](QFileDialog* dialog) {
            ChooseFilter(dialog, kJpegFilter);
            // The names the chosen filter's patterns ("Name (*.a *.b)") let through in a folder.
            const QString filter = dialog->selectedNameFilter();
            const QStringList patterns =
                filter.section(u'(', 1).section(u')', 0, 0).split(u' ', Qt::SkipEmptyParts);
            listed = QDir(dir.path()).entryList(patterns, QDir::Files, QDir::Name);
            static_cast<QDialog*>(dialog)->reject();
        };
        Form7->SpeedButton3Click();
        QCOMPARE(watcher.fileDialogs, 1);
        QCOMPARE(listed, (QStringList{"one.jpg", "two.jpeg"}));
    }

    void nextDialogStartsWithTheFormatSavedLast() {
        QTemporaryDir dir;
        Form7->show();
        QString offeredFilter;
        QString offeredSuffix;
        ModalWatcher watcher;
        auto saveAs = [&](const QString& filter, const QString& name) {
            watcher.onFileDialog = [&, filter, name](QFileDialog* dialog) {
                offeredFilter = dialog->selectedNameFilter();
                offeredSuffix = dialog->defaultSuffix();
                ChooseFilter(dialog, filter);
                dialog->selectFile(dir.filePath(name));
                static_cast<QDialog*>(dialog)->accept();
            };
            Form7->SpeedButton3Click();
        };
        saveAs(kBmpFilter, QStringLiteral("one"));
        saveAs(kJpegFilter, QStringLiteral("two"));
        QCOMPARE(offeredFilter, kBmpFilter);
        QCOMPARE(offeredSuffix, QStringLiteral("bmp"));
        saveAs(kJpegFilter, QStringLiteral("three"));
        QCOMPARE(offeredFilter, kJpegFilter);
        QCOMPARE(offeredSuffix, QStringLiteral("jpg"));
    }

    void savingWhileHiddenBeforeAnyDrawing() {
        TForm7 fresh;
        QVERIFY(!fresh.isVisible());
        QTemporaryDir dir;
        ModalWatcher watcher;
        watcher.onFileDialog = [&](QFileDialog* dialog) {
            dialog->selectFile(dir.filePath(QStringLiteral("blank")));
            static_cast<QDialog*>(dialog)->accept();
        };
        fresh.SpeedButton3Click();
        QCOMPARE(watcher.Texts(), QStringList{});
        const QString path = dir.filePath(QStringLiteral("blank.jpg"));
        QCOMPARE(FileStart(path, 3), kJpegMagic);
        // The blank canvas carries its dotted axes through the centre.
        const QImage saved(path);
        QCOMPARE(saved.size(), QSize(400, 400));
        int dark = 0;
        for (int y = 50; y < 350; ++y) {
            dark += qGray(saved.pixel(200, y)) < 128 ? 1 : 0;
        }
        QVERIFY2(dark > 50, qPrintable(QStringLiteral("%1 dark pixels on the real axis").arg(dark)));
        QCOMPARE(fresh.DrawCount(), 0);
    }

    void writeErrorGoesToTheErrorBox() {
        QTemporaryDir dir;
        // A folder name that looks like markup is shown as it is.
        const QString path = dir.filePath(QStringLiteral("<h1>x<img src=\"/file.png\">/folder/x.bmp"));
        ModalWatcher watcher;
        QVERIFY(!Form7->SavePictureTo(path, vornik::PictureFormat::Bmp));
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes.front().icon, QMessageBox::Critical);
        QCOMPARE(watcher.boxes.front().format, Qt::PlainText);
        // The system's reason, in the same language as the rest of the message.
        QCOMPARE(watcher.boxes.front().text,
                 QStringLiteral("Не удалось сохранить файл \"%1\": нет такого файла или папки.").arg(path));
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(DiagramWindowTest)
#include "DiagramWindowTest.moc"
