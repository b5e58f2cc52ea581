// The execute command through the real windows: all six emergency modes written into the
// results window's rich-text control, including the repaint that follows.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTextEdit>

#include "ui/app/Forms.h"
#include "ui/app/StartUp.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit2.h"
#include "ui/windows/Unit3.h"

namespace {

void EnterMixedLoad(bool star) {
    (star ? Form3->RadioButton1 : Form3->RadioButton2)->setChecked(true);
    const char* texts[6] = {"10", "5", "20", "-10", "15", "0"};
    QLineEdit* edits[6] = {Form3->Edit4, Form3->Edit5, Form3->Edit6,
                           Form3->Edit7, Form3->Edit8, Form3->Edit9};
    for (int k = 0; k < 6; ++k) {
        edits[k]->setText(QString::fromLatin1(texts[k]));
    }
    Form3->CheckBox1->setChecked(star);
    for (QCheckBox* b : {Form3->CheckBox2, Form3->CheckBox3, Form3->CheckBox4, Form3->CheckBox5,
                         Form3->CheckBox6, Form3->CheckBox7}) {
        b->setChecked(true);
    }
}

void ExecuteAllModes(benchmark::State& state, bool star) {
    EnterMixedLoad(star);
    for (auto _ : state) {
        Form1->N5Click();
        QCoreApplication::processEvents();  // layout and repaint of the new document
    }
    state.counters["paragraphs"] = Form2->RichEdit1->document()->blockCount();
    if (!Form1->SpeedButton6->isEnabled()) {
        state.SkipWithError("the run did not complete");
    }
}

void BM_ExecuteStarAllModes(benchmark::State& state) {
    ExecuteAllModes(state, true);
}
void BM_ExecuteDeltaAllModes(benchmark::State& state) {
    ExecuteAllModes(state, false);
}

BENCHMARK(BM_ExecuteStarAllModes)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExecuteDeltaAllModes)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    PrepareApplication(app);
    CreateWindows();
    Form1->show();
    QCoreApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DestroyWindows();
    return 0;
}
