// Benchmarks of the whole calculation run into an in-memory document.

#include <benchmark/benchmark.h>

#include "solver/CalculationRun.h"

namespace {

using namespace vornik;

struct NullMessages : MessageSink {
    void SolverMessage(const std::string&) override {}
    void RuntimeError(const std::string&) override {}
};

struct DefaultPrecision : PrecisionTexts {
    std::string Text(int index) const override { return kDefaultPrecisionTexts[index]; }
};

ParameterValues MixedLoad(bool star) {
    ParameterValues p;
    p.star = star;
    p[Param::Edit4] = "10";
    p[Param::Edit5] = "5";
    p[Param::Edit6] = "20";
    p[Param::Edit7] = "-10";
    p[Param::Edit8] = "15";
    p[Param::Edit9] = "0";
    p.SetChecked(1, star);
    for (int box = 2; box <= 7; ++box) {
        p.SetChecked(box, true);
    }
    return p;
}

void RunAllModes(benchmark::State& bs, bool star) {
    const ParameterValues params = MixedLoad(star);
    const DefaultPrecision precision;
    CalcState state;
    LinesDocument doc;
    NullMessages messages;
    const RunContext ctx{state, params, precision, doc, messages};
    for (auto _ : bs) {
        const bool ok = N5Click(ctx);
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
