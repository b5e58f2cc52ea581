// Benchmarks of one phasor diagram: the geometry alone, drawing on the painter canvas, and
// drawing plus writing the JPEG file (what the diagram window's save command does).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <filesystem>
#include <string>

#include "BenchCircuits.h"
#include "canvas/QtDiagramCanvas.h"
#include "diagram/Diagram.h"
#include "diagram/RecordingCanvas.h"
#include "pictures/PictureFile.h"
#include "run/CalculationRun.h"

namespace {

using namespace vornik;

using bench::DefaultPrecision;

// An unbalanced star with a neutral wire: seven phasors with labels, all of them distinct.
const CalcState& SolvedStar() {
    static const CalcState state = [] {
        const CircuitInput p = bench::MixedLoad(true, false);
        CalcState s;
        LinesDocument doc;
        CapturedMessages messages;
        const DefaultPrecision precision;
        N5Click({s, p, precision, doc, messages});
        return s;
    }();
    return state;
}

constexpr DiagramSelection kStarVoltages{true, true, 1};

void BM_DiagramGeometry(benchmark::State& bs) {
    const CalcState& state = SolvedStar();
    RecordingCanvas canvas;
    DiagramLabels labels;
    for (auto _ : bs) {
        canvas.ClearOps();
        DrawSelectedDiagram(canvas, state.modeSlots, kStarVoltages, labels);
        benchmark::DoNotOptimize(canvas.Ops().data());
    }
}

void BM_DiagramPainter(benchmark::State& bs) {
    const CalcState& state = SolvedStar();
    QtDiagramCanvas canvas;
    DiagramLabels labels;
    for (auto _ : bs) {
        DrawSelectedDiagram(canvas, state.modeSlots, kStarVoltages, labels);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}

void BM_DiagramDrawAndSaveJpeg(benchmark::State& bs) {
    const CalcState& state = SolvedStar();
    const std::string path =
        (std::filesystem::temp_directory_path() / ("vornik-bench-" + std::to_string(::getpid()) + ".jpg"))
            .string();
    QtDiagramCanvas canvas;
    DiagramLabels labels;
    for (auto _ : bs) {
        DrawSelectedDiagram(canvas, state.modeSlots, kStarVoltages, labels);
        SavePicture(canvas.Picture(), PictureFormat::Jpeg, path);
    }
    bs.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

BENCHMARK(BM_DiagramGeometry)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DiagramPainter)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DiagramDrawAndSaveJpeg)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    // Text needs a QGuiApplication; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
