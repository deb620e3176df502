// Saving and opening a diagram of 100,000 sentences, 100,000 arrows and
// 10,000 defeaters: as tables and as JSON, beside what `zorvex-cli import`
// does for the same diagram, plus the fingerprint and the recovery copy.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "model/paradox/ParadoxTable.h"
#include "store/DiagramFiles.h"
#include "store/DiagramJson.h"
#include "store/DiagramToRows.h"
#include "store/RecoveryCopies.h"
#include "store/RowsLoading.h"
#include "store/TableFiles.h"
#include "store/TextFiles.h"

namespace {

using namespace zorvex;
namespace fs = std::filesystem;

constexpr int32_t Sentences = 100000;

struct Folder {
  std::string path;
  Folder() {
    char tmpl[] = "/tmp/zorvex-bench-store-XXXXXX";
    path = mkdtemp(tmpl);
  }
  ~Folder() { fs::remove_all(path); }
};

// The shape of bench_load's diagram, after a round: a chain of arrows
// through every sentence, a defeater beside every tenth, statuses set.
const Diagram& bigDiagram() {
  static const Diagram diagram = [] {
    auto left = [](int32_t i) { return (i % 1000) * 80; };
    auto top = [](int32_t i) { return (i / 1000) * 40; };
    auto text = [](int32_t i) { return "Sentence number " + std::to_string(i); };
    DiagramRows rows;
    for (int32_t i = 0; i < Sentences; ++i)
      rows.sentences.push_back({left(i), top(i), left(i) + 60, top(i) + 20, text(i)});
    for (int32_t i = 0; i < Sentences; ++i) {
      const int32_t j = (i + 1) % Sentences;
      rows.arrows.push_back({left(i) + 30, top(i) + 10, left(j) + 30, top(j) + 10, left(i) + 60, top(i) + 10, left(j),
                             top(j) + 10, left(i), top(i), text(i), left(j), top(j), text(j)});
    }
    for (int32_t i = 0; i < Sentences / 10; ++i) {
      const int32_t x = left(i * 10), y = top(i * 10);
      rows.defeaters.push_back({x - 5, y - 5, x + 65, y + 25, x + 75, y - 5, x + 145, y + 25, x + 30, y + 10,
                                x + 110, y + 10, x + 65, y + 10, x + 75, y + 10});
    }
    Diagram d;
    if (auto error = loadRows(d, rows)) throw *error;
    for (int32_t i = 0; i < Sentences; ++i) {
      d.sentence(i).Status = i % 3 == 0 ? 0x0A : i % 3 == 1 ? 0x09 : 0x04;
      d.arrow(i).Status = i % 2 ? 0x02 : 0x01;
    }
    for (TDefeater& f : d.defeatersForStatus()) f.DefeaterState = DefeaterState::Active;
    return d;
  }();
  return diagram;
}

// Megabytes written, beside the time.
void countMegabytes(benchmark::State& state, const fs::path& folder) {
  uintmax_t bytes = 0;
  for (const auto& entry : fs::directory_iterator(folder)) bytes += entry.file_size();
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_SaveTables(benchmark::State& state) {
  const Diagram& d = bigDiagram();
  Folder dir;
  for (auto _ : state) saveDiagram(d, {dir.path, DiagramFormat::Tables});
  countMegabytes(state, dir.path);
}

void BM_SaveJson(benchmark::State& state) {
  const Diagram& d = bigDiagram();
  Folder dir;
  for (auto _ : state) saveDiagram(d, {dir.path + "/d.json", DiagramFormat::Json});
  countMegabytes(state, dir.path);
}

// What `zorvex-cli import d.json DIR --force` does, the diagram file being
// what `zorvex-cli export` writes: read, parse, check by loading, write.
void BM_ImportEquivalent(benchmark::State& state) {
  Folder dir;
  const std::string file = dir.path + "/export.json";
  {
    const std::string json = diagramToJson(rowsOfDiagram(bigDiagram(), WithStatuses::No));
    FILE* out = fopen(file.c_str(), "wb");
    fwrite(json.data(), 1, json.size(), out);
    fclose(out);
  }
  const Geometry none;
  for (auto _ : state) {
    const DiagramRows rows = diagramFromJson(readTextFile(file), none);
    checkLoadable(rows);
    writeDiagramTables(rows, dir.path, true);
  }
}

void BM_OpenTables(benchmark::State& state) {
  Folder dir;
  saveDiagram(bigDiagram(), {dir.path, DiagramFormat::Tables});
  for (auto _ : state) {
    Diagram d;
    const OpenResult r = openDiagram(d, {dir.path, DiagramFormat::Tables}, paradox::tableOpener());
    if (r.error) state.SkipWithError(r.error->what());
    benchmark::DoNotOptimize(d.ArrowCount());
  }
}

void BM_OpenJson(benchmark::State& state) {
  Folder dir;
  const DiagramLocation where{dir.path + "/d.json", DiagramFormat::Json};
  saveDiagram(bigDiagram(), where);
  for (auto _ : state) {
    Diagram d;
    const OpenResult r = openDiagram(d, where, paradox::tableOpener());
    if (r.error) state.SkipWithError(r.error->what());
    benchmark::DoNotOptimize(d.ArrowCount());
  }
}

void BM_Fingerprint(benchmark::State& state) {
  const Diagram& d = bigDiagram();
  for (auto _ : state) benchmark::DoNotOptimize(diagramFingerprint(d));
}

void BM_RecoveryCopy(benchmark::State& state) {
  const Diagram& d = bigDiagram();
  Folder dir;
  const DiagramLocation source{fs::path(dir.path) / "work", DiagramFormat::Tables};
  for (auto _ : state) keepRecoveryCopy(d, source, fs::path(dir.path) / "data");
}

BENCHMARK(BM_SaveTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportEquivalent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fingerprint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryCopy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
