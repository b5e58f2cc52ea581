// Benchmarks of the whole calculation run into an in-memory document.

#include <benchmark/benchmark.h>

#include "BenchCircuits.h"
#include "run/CalculationRun.h"

namespace {

using namespace vornik;

using bench::DefaultPrecision;
using bench::MixedLoad;

void RunAllModes(benchmark::State& bs, bool star) {
    const CircuitInput params = MixedLoad(star, true);
    const DefaultPrecision precision;
    CalcState state;
    LinesDocument doc;
    CapturedMessages messages;
    const RunContext ctx{state, params, precision, doc, messages};
    for (auto _ : bs) {
        const bool ok = N5Click(ctx).completed;
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(doc.lines.data());
    }
    bs.counters["lines"] = static_cast<double>(doc.lines.size());
}

void BM_StarRunAllModes(benchmark::State& bs) {
    RunAllModes(bs, true);
}
void BM_DeltaRunAllModes(benchmark::State& bs) {
    RunAllModes(bs, false);
}

BENCHMARK(BM_StarRunAllModes)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DeltaRunAllModes)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
