// Start-up probe for bench/startup_benchmark.sh: starts either the desktop program's real
// start-up sequence or a bare Qt main window (four menus and a line of Cyrillic text), and prints the
// wall-clock time (microseconds since the epoch) at which the main window first paints, then quits.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "ui/app/Forms.h"
#include "ui/app/StartUp.h"
#include "ui/windows/Unit1.h"

namespace {

long long NowMicroseconds() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            std::printf("%lld\n", NowMicroseconds());
            std::fflush(stdout);
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

  private:
    bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    FirstPaint probe;
    if (bare) {
        QApplication app(argc, argv);
        // The least a main window of this kind shows: a menu bar of four menus and one line of
        // Cyrillic text, so both starts pay for the fonts.
        QMainWindow window;
        window.setWindowTitle(QStringLiteral("bare"));
        for (const char* menu : {"Файл", "Правка", "Программа", "Справка"}) {
            window.menuBar()->addMenu(QString::fromUtf8(menu));
        }
        window.setCentralWidget(new QLabel(QStringLiteral("Параметры расчёта трёхфазной цепи")));
        window.resize(795, 80);
        window.installEventFilter(&probe);
        window.show();
        return QApplication::exec();
    }
    if (!NoDisplayMessage(argc, argv).empty()) {
        return 1;
    }
    QApplication app(argc, argv);
    PrepareApplication(app);
    CreateWindows();
    Form1->installEventFilter(&probe);
    Form1->show();
    const int status = QApplication::exec();
    DestroyWindows();
    return status;
}
