// TForm1: the main window "Vornik (Three phase chains) ver. 2.2" with the menu and the toolbar.
#include "ui/windows/Unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>
#include <QTimer>

#include "solver/Version.h"
#include "ui/app/Forms.h"
#include "ui/platform/Help.h"
#include "ui/platform/WindowPlace.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/Glyphs.h"
#include "ui/windows/ClassSetDialog.h"
#include "ui/windows/GradeDialog.h"
#include "ui/windows/GuiRunContext.h"
#include "ui/windows/SelfCheckWindow.h"
#include "ui/windows/TaskCommands.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"
#include "ui/windows/Unit5.h"
#include "ui/windows/Unit7.h"
#include "ui/windows/Unit8.h"

namespace {

constexpr int kClientWidth = 795;
constexpr int kClientHeight = 59;
constexpr int kStripHeight = 58;
constexpr int kButtonSize = 55;
constexpr int kIconSize = 40;

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vornik (Three phase chains) ver. ") + QLatin1String(vornik::kVersion));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildToolbar();
    BuildMenu();
    setFixedSize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
    PlaceWindow();
}

void TForm1::BuildToolbar() {
    CoolBar1 = new QFrame(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->setFrameShape(QFrame::StyledPanel);
    CoolBar1->setFixedHeight(kStripHeight);
    setCentralWidget(CoolBar1);

    ButtonStrip strip(CoolBar1, kButtonSize, kIconSize, 1);
    auto separator = [&strip] { strip.AddSeparator(4, kButtonSize - 6); };
    SpeedButton1 = strip.AddButton("SpeedButton1", QStringLiteral("ВЫПОЛНИТЬ"), Glyph::Execute);
    SpeedButton6 = strip.AddButton("SpeedButton6", QStringLiteral("ВЕКТОРНАЯ ДИАГРАММА"), Glyph::Diagram);
    separator();
    SpeedButton12 =
        strip.AddButton("SpeedButton12", QStringLiteral("Настройка вводимых параметров"), Glyph::Assistant);
    SpeedButton4 =
        strip.AddButton("SpeedButton4", QStringLiteral("Настройка точности рассчёта"), Glyph::Precision);
    separator();
    SpeedButton3 = strip.AddButton("SpeedButton3", QStringLiteral("ПОМОЩЬ"), Glyph::Help);
    separator();
    SpeedButton7 = strip.AddButton("SpeedButton7", QStringLiteral("Центрировать окна"), Glyph::Centre);
    separator();
    SpeedButton6->setEnabled(false);

    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::N5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, [] { ShowWindow(Form7); });
    connect(SpeedButton12, &QToolButton::clicked, this, [] { ShowWindow(Form8); });
    connect(SpeedButton4, &QToolButton::clicked, this, [] { ShowWindow(Form4); });
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::N6Click);
}

void TForm1::BuildMenu() {
    // Each caption marks the letter that opens it with Alt (or picks it in an open menu).
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    N1 = bar->addMenu(QStringLiteral("&Файл"));
    Word1 = item(N1, "Word1", QStringLiteral("&Править в Word"));
    N17 = item(N1, "N17", QStringLiteral("Сохранить &текст"));
    N16 = item(N1, "N16", QStringLiteral("Сохранить &рисунок"));
    // The task file's commands, on keys no other command of the program takes.
    N18 = item(N1, "N18", QStringLiteral("&Открыть задачу…"));
    N19 = item(N1, "N19", QStringLiteral("Сохранить &задачу…"));
    N18->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    N19->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // Like the calculation's keys, they work from every window of the program.
    N18->setShortcutContext(Qt::ApplicationShortcut);
    N19->setShortcutContext(Qt::ApplicationShortcut);
    N20 = item(N1, "N20", QStringLiteral("Сохранить в &PDF…"));
    N21 = item(N1, "N21", QStringLiteral("Предварительный прос&мотр…"));
    ClassSet1 = item(N1, "ClassSet1", QStringLiteral("Варианты для &группы…"));
    Grade1 = item(N1, "Grade1", QStringLiteral("Проверить работы гр&уппы…"));
    N11 = item(N1, "N11", QStringLiteral("&Выход"));

    N2 = bar->addMenu(QStringLiteral("П&равка "));
    N7 = item(N2, "N7", QStringLiteral("&Выделить всё"));
    N8 = item(N2, "N8", QStringLiteral("&Копировать в буфер"));
    N9 = item(N2, "N9", QStringLiteral("Выре&зать в буфер"));
    N10 = item(N2, "N10", QStringLiteral("Вст&авить из буфера"));
    N14 = item(N2, "N14", QStringLiteral("Окно ввода &параметров"));
    N15 = item(N2, "N15", QStringLiteral("Окноно &редактирования"));
    N8->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    N9->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    N10->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));

    N3 = bar->addMenu(QStringLiteral("Пр&ограмма"));
    N5 = item(N3, "N5", QStringLiteral("&ВЫПОЛНИТЬ"));
    N6 = item(N3, "N6", QStringLiteral("&Центрировать окна"));
    SelfCheck1 = item(N3, "SelfCheck1", QStringLiteral("&Проверить себя…"));
    // The calculation is one key away from every window of the program.
    N5->setShortcuts({QKeySequence(Qt::Key_F9), QKeySequence(Qt::CTRL | Qt::Key_Return)});
    N5->setShortcutContext(Qt::ApplicationShortcut);

    N4 = bar->addMenu(QStringLiteral("&Справка"));
    N12 = item(N4, "N12", QStringLiteral("&О программе!"));
    N13 = item(N4, "N13", QStringLiteral("По&мощь"));

    for (auto [menu, name] : {std::pair{N1, "N1"}, {N2, "N2"}, {N3, "N3"}, {N4, "N4"}}) {
        menu->setObjectName(QString::fromLatin1(name));
    }

    // "Править в Word" hands the text over like the results window's "Отправить в Word".
    connect(Word1, &QAction::triggered, this, [] { Form2->SpeedButton7Click(); });
    connect(N17, &QAction::triggered, this, [] { Form2->SpeedButton4Click(); });
    connect(N16, &QAction::triggered, this, [] { Form7->SpeedButton3Click(); });
    connect(N18, &QAction::triggered, this, [this] { OpenTaskCommand(this); });
    connect(N19, &QAction::triggered, this, [this] { SaveTaskCommand(this); });
    connect(N20, &QAction::triggered, this, [] { Form2->SavePdf(); });
    connect(N21, &QAction::triggered, this, [] { Form2->PrintPreview(); });
    connect(ClassSet1, &QAction::triggered, this, [] { ShowClassSetDialog(); });
    connect(Grade1, &QAction::triggered, this, [] { ShowGradeDialog(); });
    connect(N11, &QAction::triggered, this, &QWidget::close);
    connect(N7, &QAction::triggered, this, &TForm1::N7Click);
    connect(N8, &QAction::triggered, this, &TForm1::N8Click);
    connect(N9, &QAction::triggered, this, &TForm1::N9Click);
    connect(N10, &QAction::triggered, this, &TForm1::N10Click);
    connect(N14, &QAction::triggered, this, [] { ShowWindow(Form3); });
    connect(N15, &QAction::triggered, this, [] { ShowWindow(Form2); });
    connect(N5, &QAction::triggered, this, &TForm1::N5Click);
    connect(N6, &QAction::triggered, this, &TForm1::N6Click);
    connect(SelfCheck1, &QAction::triggered, this, [] { ShowSelfCheckWindow(); });
    connect(N12, &QAction::triggered, this, [] { ShowWindow(Form5); });
    connect(N13, &QAction::triggered, this, &TForm1::SpeedButton3Click);
}

void TForm1::PlaceWindow() {
    PlaceOuter(this, 0, 0);
}

void TForm1::N5Click() {
    const vornik::CircuitInput input = ReadCircuitInput(*Form3);
    const FormPrecisionTexts precision(*Form4);
    RichEditDocument doc(*Form2->RichEdit1);
    BoxMessages messages(&doc);
    const vornik::RunContext ctx{AppState(), input, precision, doc, messages};
    const unsigned storedBefore = AppState().stored ? AppState().stored->serial : 0;
    const bool completed = vornik::N5Click(ctx).completed;
    doc.Flush();
    // A run that stopped on an error may already have stored its normal mode: what counts for
    // the picture is whether it stored any results.
    const unsigned storedAfter = AppState().stored ? AppState().stored->serial : 0;
    if (storedAfter != storedBefore) {
        // The solution now on show is this task's: its title heads the printed pages.
        Form2->SetTaskTitle(CurrentTaskTitle());
        if (Form7 != nullptr) {
            Form7->RunStored();
        }
    }
    if (completed) {
        SpeedButton6->setEnabled(true);
    }
}

void TForm1::N6Click() {
    PlaceWindow();
    Form2->SpeedButton5Click();
    Form3->SpeedButton1Click();
    Form7->SpeedButton1Click();
}

void TForm1::N7Click() {
    Form2->SelectAllText();
}

void TForm1::N8Click() {
    Form2->CopyText();
}

void TForm1::N9Click() {
    Form2->CutText();
}

void TForm1::N10Click() {
    Form2->PasteText();
}

void TForm1::SpeedButton3Click() {
    OpenHelpPage(this);
}

void TForm1::FormShow() {
    if (Form3 && Form2) {
        ShowWindow(Form3);
        ShowWindow(Form2);
    }
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        // The parameter form and the results window follow once this window's first picture is
        // on its way: the start-up's first paint does not wait for theirs.
        QTimer::singleShot(0, this, &TForm1::FormShow);
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}
