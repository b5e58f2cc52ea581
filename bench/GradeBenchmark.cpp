// Marking a group's work: a class set of every mode, each student answering every key quantity
// (every fifth answer off by 20 %), marked into a new folder. The aim is 300 students without PDFs
// in at most 2 s and 30 with every PDF (a feedback sheet each and group.pdf) in at most 5 s.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "BenchCircuits.h"
#include "canvas/GradePdfs.h"
#include "classset/ClassSet.h"
#include "classset/VariantTable.h"
#include "grade/GradeGroup.h"

namespace {

using namespace vornik;
namespace fs = std::filesystem;

// The set of `count` variants and a wide answers table made from its key.
fs::path MakeGroup(const fs::path& dir, int count) {
    ClassSetRequest request;
    request.base.input = bench::MixedLoad(true, true);
    request.count = count;
    request.seed = 20261207;
    for (const char* text : {"r1=1..60/0,5", "x1=-30..30/0,5"}) {
        request.ranges.push_back(*ParseVaryRange(text));
    }
    request.outDir = (dir / "set").string();
    if (!MakeClassSet(request)) {
        return {};
    }
    std::ifstream in(dir / "set" / "key.csv", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const CsvRows rows = *SplitCsv(bytes.str(), 1000000);
    std::vector<std::string> columns;
    std::map<std::string, size_t> column;
    std::map<std::string, std::map<size_t, std::string>> answers;
    for (size_t r = 1; r < rows.size(); ++r) {
        const std::string name = rows[r][1] + ":" + rows[r][2];
        if (column.try_emplace(name, columns.size()).second) {
            columns.push_back(name);
        }
        std::string text = rows[r][6];
        if (r % 5 == 0) {
            text = "1" + text;  // wrong
        }
        answers[rows[r][0]][column[name]] = text;
    }
    std::string table = "student;variant";
    for (const std::string& c : columns) {
        table += ";" + c;
    }
    table += "\n";
    for (const auto& [variant, cells] : answers) {
        table += "Ученик " + variant + ";" + variant;
        for (size_t c = 0; c < columns.size(); ++c) {
            const auto it = cells.find(c);
            table += ";" + (it == cells.end() ? std::string() : it->second);
        }
        table += "\n";
    }
    std::ofstream(dir / "answers.csv", std::ios::binary) << table;
    return dir / "answers.csv";
}

void Grade(benchmark::State& bs, int count, bool pdfs) {
    std::string pattern = (fs::temp_directory_path() / "vornik-bench-XXXXXX").string();
    const fs::path dir = mkdtemp(pattern.data());
    const fs::path answers = MakeGroup(dir, count);
    const GroupPdfWriter writer(&BuildPdf);
    GradeRequest request;
    request.setDir = (dir / "set").string();
    request.answersPath = answers.string();
    request.date = "07.12.2026";
    if (pdfs) {
        request.pdfs = &writer;
    }
    int n = 0;
    for (auto _ : bs) {
        request.outDir = (dir / ("out" + std::to_string(n++))).string();
        const GradeOutcome outcome = GradeGroup(request);
        if (!outcome) {
            bs.SkipWithError(outcome.Error().message.c_str());
            break;
        }
        bs.counters["students"] = outcome->students;
    }
    fs::remove_all(dir);
}

void BM_Grade300(benchmark::State& bs) {
    Grade(bs, 300, false);
}
void BM_Grade30WithPdfs(benchmark::State& bs) {
    Grade(bs, 30, true);
}

BENCHMARK(BM_Grade300)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Grade30WithPdfs)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
