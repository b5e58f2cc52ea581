// A guided tour of the desktop program for screenshots: builds the windows exactly as the
// program does, fills the parameter form, runs a star and a delta calculation with every
// emergency mode and saves a picture of every window (and, when asked, of the whole screen).
//
//   vornik-screenshot-tour OUTPUT_DIR [--root]
//
// --root also captures the whole X screen with ImageMagick's `import -window root` after each
// step. Run it under Xvfb with a window manager; scripts/screenshots.sh does that.
//
// On the way it checks with the window system (xwininfo and the frame extents the window manager
// sets) that every window's frame, not only its client area, is at its home place on its first
// showing (from the moment it is first mapped: no window jumps into place), after reopening and
// after "Центрировать окна"; that minimized and maximized windows come back with the commands that
// show or place them; and that the splash screen is painted on the screen before the main window
// is built. Each check prints one line; the exit status is the number of failed checks.

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>

#include "ui/app/Forms.h"
#include "ui/app/StartUp.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"
#include "ui/windows/Unit5.h"
#include "ui/windows/Unit6.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

QDir g_out;
bool g_root = false;
int g_failures = 0;

void Check(bool ok, const QString& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", qPrintable(what));
    std::fflush(stdout);
    g_failures += ok ? 0 : 1;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The outer rectangle of a top-level window as the window system has it: the client area from
// xwininfo, widened by the frame extents the window manager announces (none without one).
// Whether a window manager runs on the display: then a window counts as placed only once the
// manager has framed it (announced its frame extents).
bool WindowManagerRuns() {
    return Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
        .contains(QStringLiteral("window id"));
}
bool g_windowManager = false;

std::optional<QRect> FrameOnScreen(const QWidget* window) {
    const QString id = QString::number(window->winId());
    const QString info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    auto field = [&info](const char* name) {
        const QRegularExpression re(QString::fromLatin1(name) + QStringLiteral(":\\s*(-?\\d+)"));
        const QRegularExpressionMatch m = re.match(info);
        return m.hasMatch() ? std::optional<int>(m.captured(1).toInt()) : std::nullopt;
    };
    const auto x = field("Absolute upper-left X"), y = field("Absolute upper-left Y");
    const auto w = field("Width"), h = field("Height");
    if (!x || !y || !w || !h) {
        return std::nullopt;
    }
    QRect frame(*x, *y, *w, *h);
    const QString extents =
        Run(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)")).match(extents);
    if (!m.hasMatch() && g_windowManager) {
        return std::nullopt;  // not framed yet
    }
    if (m.hasMatch()) {
        frame.adjust(-m.captured(1).toInt(), -m.captured(3).toInt(), m.captured(2).toInt(),
                     m.captured(4).toInt());
    }
    return frame;
}

// Waits (a few seconds at most) for the window manager to put the window's frame at `home`
// (its top-left corner, and its size when `home` has one), then reports where it is.
void CheckHome(QWidget* window, const QRect& home, const QString& when) {
    QElapsedTimer waited;
    waited.start();
    std::optional<QRect> frame;
    auto placed = [&] {
        return frame && frame->topLeft() == home.topLeft() &&
               (home.isEmpty() || frame->size() == home.size());
    };
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        frame = FrameOnScreen(window);
    } while (!placed() && waited.elapsed() < 3000);
    const QString seen = frame ? QStringLiteral("%1,%2 %3x%4")
                                     .arg(frame->x())
                                     .arg(frame->y())
                                     .arg(frame->width())
                                     .arg(frame->height())
                               : QStringLiteral("unknown");
    const QRect qt = window->frameGeometry();
    Check(placed(),
          QStringLiteral("%1 %2: frame at %3, home %4,%5%6 (Qt: %7,%8)")
              .arg(window->windowTitle(), when, seen)
              .arg(home.x())
              .arg(home.y())
              .arg(home.isEmpty() ? QString() : QStringLiteral(" %1x%2").arg(home.width()).arg(home.height()))
              .arg(qt.x())
              .arg(qt.y()));
}

void Settle();

// Where each window's frame was when the window system first mapped it: a window placed only after
// it appeared jumps in sight. An X MapNotify event, as the protocol lays it out.
struct MapNotifyEvent {
    std::uint8_t responseType;
    std::uint8_t pad;
    std::uint16_t sequence;
    std::uint32_t event;
    std::uint32_t window;
};
constexpr std::uint8_t kMapNotify = 19;

class FirstMapWatch : public QAbstractNativeEventFilter {
  public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const MapNotifyEvent*>(message);
        if ((event->responseType & 0x7f) != kMapNotify) {
            return false;
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->internalWinId() == event->window && !frames.contains(w)) {
                // Asked before the program sees any later event, so before it could move the window.
                frames.insert(w, FrameOnScreen(w));
            }
        }
        return false;
    }
    QHash<QWidget*, std::optional<QRect>> frames;
};
FirstMapWatch g_firstMaps;

// The frame at the window's first mapping: at `expected` (top-left, and size when given).
void CheckFirstMap(QWidget* window, const QRect& expected, const QString& what) {
    const std::optional<QRect> frame = g_firstMaps.frames.value(window);
    const bool ok = frame && frame->topLeft() == expected.topLeft() &&
                    (expected.isEmpty() || frame->size() == expected.size());
    Check(ok, QStringLiteral("%1 first mapped with its frame at %2 (%3 %4,%5)")
                  .arg(window->windowTitle(),
                       frame ? QStringLiteral("%1,%2 %3x%4")
                                   .arg(frame->x())
                                   .arg(frame->y())
                                   .arg(frame->width())
                                   .arg(frame->height())
                             : QStringLiteral("unknown"),
                       what)
                  .arg(expected.x())
                  .arg(expected.y()));
}

// Waits (a few seconds at most) until the window system shows the window (mapped, not iconified)
// or, with `shown` false, no longer shows it; reports whether it does.
bool ViewableOnScreen(QWidget* window, bool shown) {
    QElapsedTimer waited;
    waited.start();
    bool viewable = false;
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        const QString info =
            Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window->winId())});
        viewable = info.contains(QStringLiteral("IsViewable"));
    } while (viewable != shown && waited.elapsed() < 3000);
    return viewable;
}

// The window is minimized (or maximized) by the window manager; the command must bring it back:
// on screen, and at its home place where the command places it.
void CheckBroughtBack(QWidget* window, Qt::WindowState state, const std::function<void()>& command,
                      const QString& what, const std::optional<QRect>& home) {
    // The window manager has finished with the previous command before the user minimizes.
    ViewableOnScreen(window, true);
    Settle();
    if (state == Qt::WindowMinimized) {
        window->showMinimized();
        if (ViewableOnScreen(window, false)) {
            // A request that came while the window manager was still busy with the window is
            // dropped; the user would click the button again.
            window->showNormal();
            ViewableOnScreen(window, true);
            Settle();
            window->showMinimized();
        }
        if (ViewableOnScreen(window, false)) {
            Check(false,
                  QStringLiteral("%1 could not be minimized for \"%2\"").arg(window->windowTitle(), what));
            return;
        }
    } else {
        window->showMaximized();
        QElapsedTimer waited;
        waited.start();
        while (!window->isMaximized() && waited.elapsed() < 3000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        Settle();
    }
    command();
    Check(ViewableOnScreen(window, true) && !window->isMinimized(),
          QStringLiteral("%1 on screen again after %2").arg(window->windowTitle(), what));
    if (home) {
        CheckHome(window, *home, QStringLiteral("after ") + what);
    }
}

// Home places of the windows (outer geometry; sizes only where the window has a home size).
const QRect kMainHome(0, 0, 0, 0);
const QRect kParametersHome(0, 103, 0, 0);
const QRect kResultsHome(218, 103, 582, 468);
const QRect kDiagramHome(218, 103, 0, 0);
const QRect kAssistantHome(218, 103, 0, 0);

// The pointer rests on a button of a window that is not the active one: its hint shows while the
// program is active (Qt by itself shows hints over the active window only).
void CheckHintOverInactiveWindow(QWidget* active, QWidget* button) {
    active->raise();
    active->activateWindow();
    QElapsedTimer waited;
    waited.start();
    while (!active->isActiveWindow() && waited.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    const QPoint centre = button->mapToGlobal(button->rect().center());
    QCursor::setPos(centre + QPoint(3, 3));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCursor::setPos(centre);
    waited.restart();
    while (!(QToolTip::isVisible() && QToolTip::text() == button->toolTip()) && waited.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    Check(active->isActiveWindow() && QToolTip::isVisible() && QToolTip::text() == button->toolTip(),
          QStringLiteral("hint \"%1\" over %2 while %3 is active (active: %4, hint shown: \"%5\")")
              .arg(button->toolTip(), button->window()->windowTitle(), active->windowTitle(),
                   active->isActiveWindow() ? QStringLiteral("yes") : QStringLiteral("no"),
                   QToolTip::isVisible() ? QToolTip::text() : QString()));
    QToolTip::hideText();
    QCursor::setPos(QPoint(1200, 1000));
}

// What the screen shows where the splash will be, before it is shown.
QImage g_splashBackground;
QRect g_splashArea;
QElapsedTimer g_sinceStart;

QImage GrabScreen(const QRect& area) {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The splash, checked on the screen at the moment start-up begins to build the main window: the
// screen shows the splash's own picture there (the rounded corners aside), not the background.
void CheckSplashOnScreen(QWidget* splash) {
    std::printf("splash shown and painted %lld ms after start-up began\n",
                static_cast<long long>(g_sinceStart.elapsed()));
    const QImage now = GrabScreen(g_splashArea);
    const QImage drawn = splash->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int same = 0;
    int differ = 0;
    for (int y = 0; y < now.height() && y < drawn.height(); ++y) {
        for (int x = 0; x < now.width() && x < drawn.width(); ++x) {
            same += now.pixel(x, y) == drawn.pixel(x, y);
            differ += now.pixel(x, y) != g_splashBackground.pixel(x, y);
        }
    }
    const int area = g_splashArea.width() * g_splashArea.height();
    now.save(g_out.filePath(QStringLiteral("0-splash-on-screen.png")));
    Check(Form1 == nullptr && same > area * 9 / 10 && differ > area / 50,
          QStringLiteral("splash painted on screen before the main window is built (%1 of %2 pixels as "
                         "the splash draws them, %3 differ from the background)")
              .arg(same)
              .arg(area)
              .arg(differ));
}

void Settle() {
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void Shot(QWidget* window, const QString& name) {
    Settle();
    const QString path = g_out.filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    }
}

void RootShot(const QString& name) {
    if (!g_root) {
        return;
    }
    Settle();
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 g_out.filePath(QStringLiteral("screen-") + name + ".png")});
}

void FillLoad() {
    const QString values[] = {QStringLiteral("10"),  QStringLiteral("5"),  QStringLiteral("20"),
                              QStringLiteral("-10"), QStringLiteral("15"), QStringLiteral("0")};
    QLineEdit* fields[] = {Form3->Edit4, Form3->Edit5, Form3->Edit6,
                           Form3->Edit7, Form3->Edit8, Form3->Edit9};
    for (int i = 0; i < 6; ++i) {
        fields[i]->setText(values[i]);
    }
    for (QCheckBox* box : {Form3->CheckBox2, Form3->CheckBox3, Form3->CheckBox4, Form3->CheckBox5,
                           Form3->CheckBox6, Form3->CheckBox7}) {
        box->setChecked(true);
    }
}

// Every window after a run, then the diagram of every mode button.
void ShootRun(const QString& run) {
    Form1->N5Click();
    Settle();
    Shot(Form1, run + "-1-main");
    Form2->show();
    Shot(Form2, run + "-2-results");
    Form3->show();
    Shot(Form3, run + "-3-parameters");
    RootShot(run + "-after-run");
    const bool diagramShownBefore = Form7->IsBuilt();
    Form1->SpeedButton6->click();  // the diagram command, as the user gives it
    CheckHome(Form7, kDiagramHome,
              diagramShownBefore ? QStringLiteral("reopened") : QStringLiteral("first showing"));
    RootShot(run + "-diagram");
    for (int n = 1; n <= 14; ++n) {
        QRadioButton* button = Form7->RadioButton(n);
        if (button->isEnabled()) {
            button->click();
        }
        Shot(Form7, QStringLiteral("%1-7-diagram-%2").arg(run).arg(n, 2, 10, QLatin1Char('0')));
    }
    Form7->hide();
    const bool assistantShownBefore = Form8->IsBuilt();
    Form1->SpeedButton12->click();
    CheckHome(Form8, kAssistantHome,
              assistantShownBefore ? QStringLiteral("reopened") : QStringLiteral("first showing"));
    Shot(Form8, run + "-8-assistant");
    RootShot(run + "-assistant");
    Form8->hide();
}

void Tour() {
    // The splash as main() shows it.
    {
        TForm6 splash;
        splash.show();
        Shot(&splash, "0-splash");
        RootShot("splash");
    }
    Form1->show();
    CheckHome(Form1, kMainHome, QStringLiteral("first showing"));
    CheckHome(Form3, kParametersHome, QStringLiteral("first showing"));
    CheckHome(Form2, kResultsHome, QStringLiteral("first showing"));
    CheckFirstMap(Form1, kMainHome, QStringLiteral("home"));
    CheckFirstMap(Form3, kParametersHome, QStringLiteral("home"));
    // The size is fixed once the frame is known; the place must be right from the start.
    CheckFirstMap(Form2, QRect(kResultsHome.topLeft(), QSize()), QStringLiteral("home"));
    RootShot("start");
    CheckHintOverInactiveWindow(Form1, Form2->SpeedButton2);
    CheckHintOverInactiveWindow(Form1, Form3->SpeedButton6);

    Form3->RadioButton1->click();
    if (!Form3->CheckBox1->isChecked()) {
        Form3->CheckBox1->click();  // as the user ticks it, so R0 is enabled too
    }
    FillLoad();
    ShootRun("star");

    Form1->SpeedButton4->click();
    Shot(Form4, "precision");
    {
        // Centred by its frame on the desktop, from its first mapping on.
        QElapsedTimer waited;
        waited.start();
        while (!g_firstMaps.frames.contains(Form4) && waited.elapsed() < 3000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        const std::optional<QRect> frame = g_firstMaps.frames.value(Form4);
        const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect centred =
            frame ? QRect(desk.x() + (desk.width() - frame->width()) / 2,
                          desk.y() + (desk.height() - frame->height()) / 2, frame->width(), frame->height())
                  : QRect();
        CheckFirstMap(Form4, centred, QStringLiteral("centred on the desktop"));
        CheckHome(Form4, centred, QStringLiteral("first showing"));
    }
    Form4->hide();
    Form1->N12->trigger();
    Shot(Form5, "about");
    RootShot("about");
    // Clicking another window hides the About box; on a real display this goes through the
    // window system's activation.
    Form3->activateWindow();
    Settle();
    std::printf("About box hidden after another window was activated: %s\n",
                Form5->isVisible() ? "no" : "yes");
    Form5->hide();

    // The user drags the windows about; "Центрировать окна" brings them home.
    // (The About box handed the activation to the parameter form, which closes the diagram
    // window when the window manager activates it: wait for that before opening the diagram.)
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    Form1->SpeedButton6->click();
    CheckHome(Form7, kDiagramHome, QStringLiteral("reopened"));
    for (QWidget* window : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form2),
                            static_cast<QWidget*>(Form3), static_cast<QWidget*>(Form7)}) {
        window->move(window->pos() + QPoint(140, 90));
    }
    Form2->resize(500, 300);
    // A hand needs a moment between dragging and clicking; let the window manager finish.
    settling.restart();
    while (settling.elapsed() < 300) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    Form1->SpeedButton7->click();
    CheckHome(Form1, kMainHome, QStringLiteral("after \"Центрировать окна\""));
    CheckHome(Form2, kResultsHome, QStringLiteral("after \"Центрировать окна\""));
    CheckHome(Form3, kParametersHome, QStringLiteral("after \"Центрировать окна\""));
    CheckHome(Form7, kDiagramHome, QStringLiteral("after \"Центрировать окна\""));
    // Minimized or maximized windows come back with the commands that show or place them.
    CheckBroughtBack(
        Form2, Qt::WindowMinimized, [] { Form1->N15->trigger(); },
        QStringLiteral("minimized, \"Окноно редактирования\""), std::nullopt);
    CheckBroughtBack(
        Form2, Qt::WindowMinimized, [] { Form1->SpeedButton7->click(); },
        QStringLiteral("minimized, \"Центрировать окна\""), kResultsHome);
    CheckBroughtBack(
        Form2, Qt::WindowMaximized, [] { Form1->SpeedButton7->click(); },
        QStringLiteral("maximized, \"Центрировать окна\""), kResultsHome);
    CheckBroughtBack(
        Form7, Qt::WindowMinimized, [] { Form1->SpeedButton6->click(); },
        QStringLiteral("minimized, the diagram button"), std::nullopt);
    Form7->hide();

    Form3->RadioButton2->click();
    Form3->RadioButton2->setFocus();
    ShootRun("delta");
    QCoreApplication::exit(g_failures);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [--root]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    PrepareApplication(app);
    g_out = QDir(QString::fromLocal8Bit(argv[1]));
    g_out.mkpath(QStringLiteral("."));
    g_root = argc > 2 && QString::fromLocal8Bit(argv[2]) == QLatin1String("--root");
    {
        TForm6 probe;  // where the splash will appear
        g_splashArea = probe.geometry();
    }
    g_splashBackground = GrabScreen(g_splashArea);
    g_windowManager = WindowManagerRuns();
    std::printf("window manager: %s\n", g_windowManager ? "yes" : "none");
    SetSplashShownHook(&CheckSplashOnScreen);
    app.installNativeEventFilter(&g_firstMaps);
    g_sinceStart.start();
    CreateWindows();
    SetSplashShownHook(nullptr);
    QTimer::singleShot(0, &app, &Tour);
    const int status = QApplication::exec();
    DestroyWindows();
    std::printf("%s\n", status == 0 ? "all checks passed" : "some checks FAILED");
    return status;
}
