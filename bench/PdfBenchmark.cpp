// The PDF of a worked solution (diagrams included) under a title of 10 000 and 50 000
// characters, of words and without a space: the layout grows linearly with the document, so the
// time for 50 000 is at most about five times that for 10 000 (the fixed part of the report and
// diagrams makes it less), not twenty-five.

#include <benchmark/benchmark.h>

#include <string>

#include "BenchCircuits.h"
#include "canvas/SetPdfs.h"
#include "classset/AnswerKey.h"

namespace {

using namespace vornik;

// `words` repeated to `length` characters.
std::string LongTitle(const std::string& words, int length) {
    std::string title;
    int characters = 0;
    for (std::size_t k = 0; characters < length || (static_cast<unsigned char>(words[k]) & 0xC0) == 0x80;
         k = (k + 1) % words.size()) {
        characters += (static_cast<unsigned char>(words[k]) & 0xC0) != 0x80;
        title += words[k];
    }
    return title;
}

void SolutionPdf(benchmark::State& bs, const std::string& words) {
    TaskValues task;
    task.input = bench::MixedLoad(true, true);
    const VariantRun run = RunVariant(task);
    const SetPdfWriter writer(&BuildPdf, "07.12.2026");
    const std::string title = LongTitle(words, static_cast<int>(bs.range(0)));
    std::size_t bytes = 0;
    for (auto _ : bs) {
        bytes = writer.Solution(task, title, run).size();
    }
    bs.counters["title characters"] = static_cast<double>(bs.range(0));
    bs.counters["PDF bytes"] = static_cast<double>(bytes);
}

// A title of words, as a teacher might paste a long text.
void BM_SolutionPdfTitleOfWords(benchmark::State& bs) {
    SolutionPdf(bs, "Расчёт трёхфазной цепи группы 21, вариант для самостоятельной работы. ");
}
// A title without a space, the line breaker's worst case.
void BM_SolutionPdfTitleWithoutSpaces(benchmark::State& bs) {
    SolutionPdf(bs, "Расчёттрёхфазнойцепи");
}

BENCHMARK(BM_SolutionPdfTitleOfWords)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SolutionPdfTitleWithoutSpaces)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
