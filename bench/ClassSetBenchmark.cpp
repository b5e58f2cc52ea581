// A whole class set: drawing the variants, running each, the key and the quiz files written into
// a new folder. The aim is 300 variants with every mode ticked in well under 5 s, and 30 with
// every PDF (task sheets, worked solutions with their diagrams, the key) in 10 s.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "BenchCircuits.h"
#include "canvas/SetPdfs.h"
#include "classset/ClassSet.h"

namespace {

using namespace vornik;

void MakeSet(benchmark::State& bs, bool star, int count, bool pdfs = false) {
    const SetPdfWriter writer(&BuildPdf, "07.12.2026");
    ClassSetRequest request;
    if (pdfs) {
        request.pdfs = &writer;
    }
    request.base.input = bench::MixedLoad(star, true);
    request.count = count;
    request.seed = 20261207;
    for (const char* text : {"r1=1..60/0,5", "x1=-30..30/0,5", "r2=1..60/0,5", "x3=-30..30/0,5"}) {
        request.ranges.push_back(*ParseVaryRange(text));
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "vornik-bench-XXXXXX").string();
    const std::filesystem::path dir = mkdtemp(pattern.data());
    int n = 0;
    for (auto _ : bs) {
        request.outDir = (dir / ("set" + std::to_string(n++))).string();
        const ClassSetOutcome outcome = MakeClassSet(request);
        if (!outcome) {
            bs.SkipWithError(outcome.Error().message.c_str());
            break;
        }
        bs.counters["key rows"] = outcome->keyRows;
    }
    std::filesystem::remove_all(dir);
}

void BM_ClassSet300Star(benchmark::State& bs) {
    MakeSet(bs, true, 300);
}
void BM_ClassSet300Delta(benchmark::State& bs) {
    MakeSet(bs, false, 300);
}
void BM_ClassSet30Star(benchmark::State& bs) {
    MakeSet(bs, true, 30);
}
void BM_ClassSet30StarWithPdfs(benchmark::State& bs) {
    MakeSet(bs, true, 30, true);
}
void BM_ClassSet30DeltaWithPdfs(benchmark::State& bs) {
    MakeSet(bs, false, 30, true);
}

BENCHMARK(BM_ClassSet300Star)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ClassSet300Delta)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ClassSet30Star)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ClassSet30StarWithPdfs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ClassSet30DeltaWithPdfs)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
