// A guided tour of the desktop program for screenshots: builds the windows exactly as the
// program does, fills the parameter form, runs a star and a delta calculation with every
// emergency mode and saves a picture of every window (and, when asked, of the whole screen).
//
//   vornik-screenshot-tour OUTPUT_DIR [--root]
//
// --root also captures the whole X screen with ImageMagick's `import -window root` after each
// step. Run it under Xvfb; scripts/screenshots.sh does that.

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "ui/Forms.h"
#include "ui/StartUp.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "ui/Unit7.h"
#include "ui/Unit8.h"

namespace {

QDir g_out;
bool g_root = false;

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
    Form1->SpeedButton6->click();  // the diagram command, as the user gives it
    RootShot(run + "-diagram");
    for (int n = 1; n <= 14; ++n) {
        QRadioButton* button = Form7->RadioButton(n);
        if (button->isEnabled()) {
            button->click();
        }
        Shot(Form7, QStringLiteral("%1-7-diagram-%2").arg(run).arg(n, 2, 10, QLatin1Char('0')));
    }
    Form7->hide();
    Form1->SpeedButton12->click();
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
    RootShot("start");

    Form3->RadioButton1->click();
    if (!Form3->CheckBox1->isChecked()) {
        Form3->CheckBox1->click();  // as the user ticks it, so R0 is enabled too
    }
    FillLoad();
    ShootRun("star");

    Form1->SpeedButton4->click();
    Shot(Form4, "precision");
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

    Form3->RadioButton2->click();
    Form3->RadioButton2->setFocus();
    ShootRun("delta");
    QCoreApplication::quit();
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
    CreateWindows();
    QTimer::singleShot(0, &app, &Tour);
    const int status = QApplication::exec();
    DestroyWindows();
    return status;
}
