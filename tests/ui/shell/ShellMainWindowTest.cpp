// Start-up and the main window: the display check, fonts and translation, menu and toolbar,
// the windows shown and placed, closing.

#include <QFile>
#include <QFontInfo>
#include <QMenuBar>
#include <QProcess>
#include <QtTest>
#include <csignal>

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

// Records the order in which watched windows are shown.
class ShowRecorder : public QObject {
  public:
    QStringList shown;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            shown << watched->objectName();
        }
        return false;
    }
};

// Whether process pid ignores signal sig, from the SigIgn mask of /proc/<pid>/status.
bool SignalIgnored(qint64 pid, int sig) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigIgn:")) {
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (sig - 1)) & 1;
        }
    }
    return false;
}

}  // namespace

class ShellMainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { StartProgramWindows(); }
    void cleanupTestCase() { DestroyWindows(); }

    void displayCheck_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("wayland");
        QTest::addColumn<bool>("refused");
        QTest::newRow("nothing set") << ""
                                     << ""
                                     << "" << true;
        QTest::newRow("X display") << ""
                                   << ":0"
                                   << "" << false;
        QTest::newRow("Wayland display") << ""
                                         << ""
                                         << "wayland-0" << false;
        QTest::newRow("xcb without display") << "xcb"
                                             << ""
                                             << "wayland-0" << true;
        QTest::newRow("xcb with display") << "xcb"
                                          << ":1"
                                          << "" << false;
        QTest::newRow("wayland without socket") << "wayland"
                                                << ":0"
                                                << "" << true;
        QTest::newRow("offscreen") << "offscreen"
                                   << ""
                                   << "" << false;
        QTest::newRow("vnc") << "vnc"
                             << ""
                             << "" << false;
    }

    void displayCheck() {
        QFETCH(QString, platform);
        QFETCH(QString, display);
        QFETCH(QString, wayland);
        QFETCH(bool, refused);
        auto arg = [](const QString& s) { return s.isEmpty() ? std::string() : s.toStdString(); };
        const std::string p = arg(platform), d = arg(display), w = arg(wayland);
        const std::string message = NoDisplayMessage(platform.isEmpty() ? nullptr : p.c_str(),
                                                     display.isEmpty() ? nullptr : d.c_str(),
                                                     wayland.isEmpty() ? nullptr : w.c_str());
        QCOMPARE(!message.empty(), refused);
        if (refused) {
            QVERIFY(message.find("vornik-cli") != std::string::npos);
            QVERIFY(message.find('\n') == std::string::npos);
        }
    }

    void programWithoutDisplayExitsWithOneLine() {
        QProcess vornik;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        vornik.setProcessEnvironment(env);
        vornik.start(QStringLiteral(VORNIK_GUI_PATH), {});
        QVERIFY(vornik.waitForFinished(20000));
        QCOMPARE(vornik.exitStatus(), QProcess::NormalExit);
        QCOMPARE(vornik.exitCode(), 1);
        const QStringList lines =
            QString::fromUtf8(vornik.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines[0].startsWith(QStringLiteral("vornik: нет графического дисплея")));
    }

    void programIgnoresTheFileSizeSignal() {
        // Under a file-size limit a save must fail with a message, not kill the program and the
        // user's work with it. The program is started with the signal at its default.
        const auto before = std::signal(SIGXFSZ, SIG_DFL);
        QProcess vornik;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        vornik.setProcessEnvironment(env);
        vornik.start(QStringLiteral(VORNIK_GUI_PATH), {});
        std::signal(SIGXFSZ, before);
        QVERIFY(vornik.waitForStarted(20000));
        QTRY_VERIFY_WITH_TIMEOUT(SignalIgnored(vornik.processId(), SIGXFSZ), 20000);
        vornik.kill();
        vornik.waitForFinished(20000);
    }

    void helpAndVersionWithoutDisplay() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const QList<std::pair<QString, QString>> cases = {
            {QStringLiteral("--version"), QStringLiteral("vornik ")},
            {QStringLiteral("--help"), QStringLiteral("Использование: vornik ")},
        };
        for (const auto& [option, start] : cases) {
            QProcess vornik;
            vornik.setProcessEnvironment(env);
            vornik.start(QStringLiteral(VORNIK_GUI_PATH), {option});
            QVERIFY(vornik.waitForFinished(20000));
            QCOMPARE(vornik.exitStatus(), QProcess::NormalExit);
            QCOMPARE(vornik.exitCode(), 0);
            QVERIFY2(QString::fromUtf8(vornik.readAllStandardOutput()).startsWith(start), qPrintable(option));
            QCOMPARE(vornik.readAllStandardError(), QByteArray());
        }
    }

    void fontsAndRussianTexts() {
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Times New Roman"))).family(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Time New Roman"))).family(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
    }

    void menu_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        // The shortcuts, and captions whose odd spelling is the program's own.
        const QList<std::tuple<const char*, const char*, QKeySequence>> rows = {
            {"N8", "Копировать в буфер", QKeySequence(Qt::CTRL | Qt::Key_C)},
            {"N9", "Вырезать в буфер", QKeySequence(Qt::CTRL | Qt::Key_X)},
            {"N10", "Вставить из буфера", QKeySequence(Qt::CTRL | Qt::Key_V)},
            {"N15", "Окноно редактирования", {}},
            {"N12", "О программе!", {}},
        };
        for (const auto& [name, caption, shortcut] : rows) {
            QTest::newRow(name) << name << QString::fromUtf8(caption) << shortcut;
        }
    }

    void menu() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        auto* action = Form1->findChild<QAction*>(name);
        QVERIFY2(action, qPrintable(name));
        // The caption as shown, its Alt letter marked with "&".
        QCOMPARE(QString(action->text()).remove(u'&'), caption);
        QCOMPARE(action->shortcut(), shortcut);
    }

    void menuBarAndToolbar() {
        QStringList menus;
        for (QAction* a : Form1->menuBar()->actions()) {
            menus << QString(a->text()).remove(u'&');
        }
        QCOMPARE(menus, QStringList({"Файл", "Правка ", "Программа", "Справка"}));
        QCOMPARE(Form1->windowTitle(), QStringLiteral("Vornik (Three phase chains) ver. 2.2"));
        QCOMPARE(Form1->width(), 795);
        QCOMPARE(Form1->pos(), QPoint(0, 0));
        const QList<QPair<QToolButton*, QString>> hints = {
            {Form1->SpeedButton1, "ВЫПОЛНИТЬ"},
            {Form1->SpeedButton6, "ВЕКТОРНАЯ ДИАГРАММА"},
            {Form1->SpeedButton12, "Настройка вводимых параметров"},
            {Form1->SpeedButton4, "Настройка точности рассчёта"},
            {Form1->SpeedButton3, "ПОМОЩЬ"},
            {Form1->SpeedButton7, "Центрировать окна"},
        };
        int left = -1;
        for (const auto& [button, hint] : hints) {
            QCOMPARE(button->toolTip(), hint);
            QCOMPARE(button->size(), QSize(55, 55));
            QVERIFY(button->x() > left);
            left = button->x();
        }
        // No run has completed: the diagram command is off and opens nothing.
        QVERIFY(!Form1->SpeedButton6->isEnabled());
        QTest::mouseClick(Form1->SpeedButton6, Qt::LeftButton);
        QVERIFY(!Form7->isVisible());
    }

    void showingMainWindowShowsParameterThenResults() {
        ShowRecorder recorder;
        for (QWidget* w : std::initializer_list<QWidget*>{Form1, Form2, Form3}) {
            w->installEventFilter(&recorder);
        }
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        QCOMPARE(recorder.shown, QStringList({"Form1", "Form3", "Form2"}));
        QCOMPARE(Form3->pos(), QPoint(0, 103));
        QCOMPARE(Form2->frameGeometry(), QRect(218, 103, 582, 468));
        QVERIFY(!Form4->isVisible());
    }

    void showCommands() {
        const QList<QPair<std::function<void()>, QWidget*>> commands = {
            {[] { Form1->SpeedButton4->click(); }, Form4},
            {[] { Form1->SpeedButton12->click(); }, Form8},
            {[] { Form1->N12->trigger(); }, Form5},
        };
        for (const auto& [command, window] : commands) {
            window->hide();
            command();
            QVERIFY2(window->isVisible(), qPrintable(window->metaObject()->className()));
        }
    }

    void centreWindowsRestoresHomePlaces() {
        Form1->move(100, 100);
        Form3->move(300, 300);
        Form2->setGeometry(10, 500, 300, 200);
        Form2->hide();
        Form1->SpeedButton7->click();
        QCOMPARE(Form1->pos(), QPoint(0, 0));
        QCOMPARE(Form3->pos(), QPoint(0, 103));
        QCOMPARE(Form2->pos(), QPoint(218, 103));
        QVERIFY(!Form2->isVisible());
        Form1->N15->trigger();
        QCOMPARE(Form2->frameGeometry(), QRect(218, 103, 582, 468));
    }

    void closingSecondaryWindowHidesIt() {
        Form3->close();
        Form2->close();
        QVERIFY(Form3->isHidden() && Form2->isHidden());
        QVERIFY(Form1->isVisible());
        QVERIFY(Form3->Edit1 != nullptr);
        Form1->N14->trigger();
        QVERIFY(Form3->isVisible());
    }

    // Last: closing the main window ends the event loop.
    void closingMainWindowEndsProgram() {
        QTimer::singleShot(0, Form1, [] { Form1->N11->trigger(); });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        guard.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(ShellMainWindowTest)
#include "ShellMainWindowTest.moc"
