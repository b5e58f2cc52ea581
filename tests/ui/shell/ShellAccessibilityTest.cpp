// Keyboard access: the execute keys from every window, Enter in a parameter field, the execute
// button in the tab order, the menus' Alt letters; and the names a screen reader hears.

#include <QDesktopServices>
#include <QMenuBar>
#include <QtTest>

#include "ShellTestSupport.h"
#include "ui/app/Forms.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"
#include "ui/windows/Unit5.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

// A load the solver accepts, and an empty results document with the diagram command off, so
// that a run shows in both.
void PrepareRun() {
    for (QLineEdit* r : {Form3->Edit4, Form3->Edit6, Form3->Edit8}) {
        r->setText(QStringLiteral("10"));
    }
    Form2->RichEdit1->clear();
    Form1->SpeedButton6->setEnabled(false);
}

bool RunHappened() {
    return DocumentLines().size() > 10 && Form1->SpeedButton6->isEnabled();
}

// The window of that name or caption, or the results document for "RichEdit1".
QWidget* WindowNamed(const QString& name) {
    if (name == QLatin1String("RichEdit1")) {
        return Form2->RichEdit1;
    }
    if (auto* field = Form3->findChild<QLineEdit*>(name)) {
        return field;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Form1, Form2, Form3, Form4, Form8}) {
        if (w->objectName() == name || w->windowTitle() == name) {
            return w;
        }
    }
    return nullptr;
}

// The Alt letter of a caption ("Пр&ограмма" gives "о"), or an empty text.
QString Mnemonic(const QString& caption) {
    const qsizetype at = caption.indexOf(u'&');
    return at >= 0 && at + 1 < caption.size() ? caption.mid(at + 1, 1).toLower() : QString();
}

}  // namespace

// Stands in for the desktop's mail client.
class MailCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public Q_SLOTS:
    void Open(const QUrl& url) { urls << url; }
};

class ShellAccessibilityTest : public QObject {
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

    void executeKeysFromAnyWindow_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<bool>("runs");
        QTest::newRow("F9, results window") << "Form2" << QKeySequence(Qt::Key_F9) << true;
        QTest::newRow("F9, precision settings") << "Form4" << QKeySequence(Qt::Key_F9) << true;
        QTest::newRow("F9, assistant") << "Настройка вводимых параметров" << QKeySequence(Qt::Key_F9) << true;
        QTest::newRow("Ctrl+Return, main window")
            << "Form1" << QKeySequence(Qt::CTRL | Qt::Key_Return) << true;
        QTest::newRow("Ctrl+Return, parameter form")
            << "Form3" << QKeySequence(Qt::CTRL | Qt::Key_Return) << true;
        // Inside the document Ctrl+Return is the word processors' break key: a new paragraph,
        // never a run that would replace what is being edited.
        QTest::newRow("Ctrl+Return, in the results document")
            << "RichEdit1" << QKeySequence(Qt::CTRL | Qt::Key_Return) << false;
        QTest::newRow("Ctrl+Enter, in the results document")
            << "RichEdit1" << QKeySequence(Qt::CTRL | Qt::Key_Enter) << false;
        QTest::newRow("F9, in the results document") << "RichEdit1" << QKeySequence(Qt::Key_F9) << true;
    }

    void executeKeysFromAnyWindow() {
        QFETCH(QString, window);
        QFETCH(QKeySequence, keys);
        QFETCH(bool, runs);
        QWidget* w = WindowNamed(window);
        QVERIFY2(w, qPrintable(window));
        w->window()->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        w->setFocus();
        PrepareRun();
        // The user's own notes in the document, caret at their end.
        Form2->RichEdit1->setPlainText(QStringLiteral("заметка студента"));
        Form2->RichEdit1->moveCursor(QTextCursor::End);
        QTest::keySequence(w, keys);
        QCOMPARE(RunHappened(), runs);
        if (!runs) {
            QCOMPARE(DocumentLines(), (QStringList{QStringLiteral("заметка студента"), QString()}));
        }
    }

    void fileKeysFromAnyWindow_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("Ctrl+S, Ra on the parameter form")
            << "Edit4" << QKeySequence(Qt::CTRL | Qt::Key_S) << "Сохранить задачу";
        QTest::newRow("Ctrl+O, results document")
            << "RichEdit1" << QKeySequence(Qt::CTRL | Qt::Key_O) << "Открыть задачу";
        QTest::newRow("Ctrl+S, assistant")
            << "Настройка вводимых параметров" << QKeySequence(Qt::CTRL | Qt::Key_S) << "Сохранить задачу";
        QTest::newRow("Ctrl+O, precision settings")
            << "Form4" << QKeySequence(Qt::CTRL | Qt::Key_O) << "Открыть задачу";
    }

    void fileKeysFromAnyWindow() {
        QFETCH(QString, window);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, dialog);
        QWidget* w = WindowNamed(window);
        QVERIFY2(w, qPrintable(window));
        w->window()->show();
        w->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        w->setFocus();
        QString title;
        const bool seen = DriveModalDialog<QFileDialog>([&] { QTest::keySequence(w, keys); },
                                                        [&](QFileDialog* d) {
                                                            title = d->windowTitle();
                                                            d->reject();
                                                        });
        QVERIFY2(seen, "no file dialog");
        QCOMPARE(title, dialog);
    }

    void enterInParameterFieldRuns_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        for (const char* name : {"ComboBox2", "Edit3", "Edit9", "Edit13"}) {
            QTest::newRow(name) << name << int(Qt::Key_Return) << int(Qt::NoModifier);
        }
        // The Enter key of the number pad.
        QTest::newRow("Edit4, keypad Enter") << "Edit4" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("ComboBox1, keypad Enter")
            << "ComboBox1" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }

    void enterInParameterFieldRuns() {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Form3->show();
        Form3->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form3));
        QLineEdit* edit = Form3->findChild<QLineEdit*>(field);
        if (auto* combo = Form3->findChild<QComboBox*>(field)) {
            edit = combo->lineEdit();
        }
        QVERIFY(edit);
        PrepareRun();
        edit->setFocus();
        QSignalSpy runs(Form1->SpeedButton1, &QToolButton::clicked);
        QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(RunHappened());
        QCOMPARE(runs.size(), 1);
    }

    void executeButtonTakesFocusAfterConnection() {
        Form3->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form3));
        Form3->RadioButton2->setFocus();
        QTest::keyClick(Form3->RadioButton2, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Form3->SpeedButton6);
        PrepareRun();
        QTest::keyClick(Form3->SpeedButton6, Qt::Key_Space);
        QVERIFY(RunHappened());
        Form3->RadioButton1->setChecked(true);
    }

    void menusHaveDistinctAltLetters() {
        QList<QList<QAction*>> levels = {Form1->menuBar()->actions()};
        for (QAction* menu : Form1->menuBar()->actions()) {
            levels << menu->menu()->actions();
        }
        for (const QList<QAction*>& level : levels) {
            QStringList letters;
            for (QAction* a : level) {
                const QString letter = Mnemonic(a->text());
                QVERIFY2(!letter.isEmpty(), qPrintable(a->text()));
                QVERIFY2(!letters.contains(letter), qPrintable(a->text()));
                letters << letter;
            }
        }
    }

    // The About box's addresses take the focus and open with Enter or Space.
    void aboutAddressesByKeyboard() {
        MailCatcher mail;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail, "Open");
        Form1->N12->trigger();
        QVERIFY(QTest::qWaitForWindowActive(Form5));
        // The first address has the focus when the box opens.
        QCOMPARE(QApplication::focusWidget(), Form5->Label8.get());
        QTest::keyClick(Form5->Label8, Qt::Key_Return);
        QTest::keyClick(Form5->Label8, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Form5->Label9.get());
        QTest::keyClick(Form5->Label9, Qt::Key_Space);
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        Form5->hide();
        QCOMPARE(mail.urls, (QList<QUrl>{QUrl(QStringLiteral("mailto:") + TForm5::ContactAddress1()),
                                         QUrl(QStringLiteral("mailto:") + TForm5::ContactAddress2())}));
        QCOMPARE(Form5->Label8->accessibleName(), QStringLiteral("E-mail ") + TForm5::ContactAddress1());
    }

    // The diagram's buttons say which mode they show, and the picture which one it shows.
    void diagramNamesSayWhatIsShown() {
        PrepareRun();
        Form3->CheckBox6->setChecked(true);
        Form1->N5->trigger();
        QVERIFY(RunHappened());
        Form1->SpeedButton6->click();
        QVERIFY(Form7->isVisible());
        QCOMPARE(Form7->RadioButton(11)->accessibleName(),
                 QStringLiteral("Напряжения, Обрыв линейного провода, фаза \"В\""));
        QCOMPARE(Form7->Image1->accessibleDescription(), QStringLiteral("Напряжения, нормальный режим"));
        Form7->RadioButton(12)->click();
        QCOMPARE(Form7->Image1->accessibleName(), QStringLiteral("Векторная диаграмма"));
        QCOMPARE(Form7->Image1->accessibleDescription(),
                 QStringLiteral("Тока, Обрыв линейного провода, фаза \"В\""));
        Form7->hide();
        Form3->CheckBox6->setChecked(false);
    }

    // The names of the rows follow the connection, as their captions do.
    void parameterFieldNamesFollowConnection_data() {
        QTest::addColumn<bool>("star");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("star") << true << QStringList{"Ua", "угол Ua", "Ra", "Xa", "Rc", "Xc", "R0"};
        QTest::newRow("delta") << false << QStringList{"Uab", "угол Uab", "Rab", "Xab", "Rca", "Xca", "R0"};
    }

    void parameterFieldNamesFollowConnection() {
        QFETCH(bool, star);
        QFETCH(QStringList, names);
        (star ? Form3->RadioButton1 : Form3->RadioButton2)->setChecked(true);
        const QList<QWidget*> fields = {Form3->ComboBox1->lineEdit(),
                                        Form3->Edit1,
                                        Form3->Edit4,
                                        Form3->Edit5,
                                        Form3->Edit8,
                                        Form3->Edit9,
                                        Form3->Edit10};
        QStringList heard;
        for (QWidget* f : fields) {
            heard << f->accessibleName();
        }
        QCOMPARE(heard, names);
        Form3->RadioButton1->setChecked(true);
    }
};

QTEST_MAIN(ShellAccessibilityTest)
#include "ShellAccessibilityTest.moc"
