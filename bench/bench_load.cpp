// Loading the stored diagram: LoadElements against merely reading the same
// rows through the table codec, for 100,000 and 1,000,000 sentences.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

#include "model/LoadElements.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"

namespace {

using namespace zorvex;
using namespace zorvex::paradox;
namespace fs = std::filesystem;

std::vector<Field> longFields(std::initializer_list<const char*> names) {
  std::vector<Field> f;
  for (const char* n : names) f.push_back({n, FieldType::Long});
  return f;
}

// Writes a diagram of n sentences, n arrows and n/10 defeaters once per size.
const std::string& tablesFor(int64_t n) {
  static std::map<int64_t, std::string> dirs;
  auto it = dirs.find(n);
  if (it != dirs.end()) return it->second;
  const fs::path dir = fs::temp_directory_path() / ("zorvex-bench-load-" + std::to_string(n));
  fs::create_directories(dir);
  std::vector<Field> sf = longFields({"Left", "Top", "Right", "Bottom"});
  sf.push_back({"Text", FieldType::Alpha, 40});
  std::vector<Row> rows;
  rows.reserve(static_cast<size_t>(n));
  auto left = [](int64_t i) { return static_cast<int32_t>((i % 1000) * 80); };
  auto top = [](int64_t i) { return static_cast<int32_t>((i / 1000) * 40); };
  auto text = [](int64_t i) { return "Sentence number " + std::to_string(i); };
  for (int64_t i = 0; i < n; ++i) rows.push_back({left(i), top(i), left(i) + 60, top(i) + 20, text(i)});
  writeTable((dir / SentencesTableFile).string(), sf, rows);
  rows.clear();
  std::vector<Field> af = longFields({"Center1X", "Center1Y", "Center2X", "Center2Y", "StartX", "StartY", "EndX", "EndY",
                                      "Left1", "Top1"});
  af.push_back({"Text1", FieldType::Alpha, 40});
  for (const char* c : {"Left2", "Top2"}) af.push_back({c, FieldType::Long});
  af.push_back({"Text2", FieldType::Alpha, 40});
  for (int64_t i = 0; i < n; ++i) {
    const int64_t j = (i + 1) % n;
    rows.push_back({left(i) + 30, top(i) + 10, left(j) + 30, top(j) + 10, left(i) + 60, top(i) + 10, left(j),
                    top(j) + 10, left(i), top(i), text(i), left(j), top(j), text(j)});
  }
  writeTable((dir / ArrowsTableFile).string(), af, rows);
  rows.clear();
  std::vector<Field> df = longFields({"ChallengingRectLeft", "ChallengingRectTop", "ChallengingRectRight",
                                      "ChallengingRectBottom", "ChallengedRectLeft", "ChallengedRectTop",
                                      "ChallengedRectRight", "ChallengedRectBottom", "Center1X", "Center1Y",
                                      "Center2X", "Center2Y", "StartX", "StartY", "EndX", "EndY"});
  for (int64_t i = 0; i < n / 10; ++i) {
    const int32_t x = left(i * 10), y = top(i * 10);
    rows.push_back({x - 5, y - 5, x + 65, y + 25, x + 75, y - 5, x + 145, y + 25, x + 30, y + 10, x + 110, y + 10,
                    x + 65, y + 10, x + 75, y + 10});
  }
  writeTable((dir / DefeatersTableFile).string(), df, rows);
  return dirs[n] = dir.string();
}

void BM_LoadElements(benchmark::State& state) {
  const std::string& dir = tablesFor(state.range(0));
  // Freeing the diagram loaded before is no part of loading: it happens
  // while the timing is paused.
  Diagram d;
  for (auto _ : state) {
    state.PauseTiming();
    d = Diagram();
    state.ResumeTiming();
    LoadResult r = LoadElements(d, dir, tableOpener());
    if (r.error) state.SkipWithError(r.error->what());
    benchmark::DoNotOptimize(d.ArrowCount());
  }
}

// The codec alone: open the three tables and read every column of every row.
void BM_ReadRowsOnly(benchmark::State& state) {
  const std::string& dir = tablesFor(state.range(0));
  for (auto _ : state) {
    int64_t sum = 0;
    for (const char* file : {SentencesTableFile, ArrowsTableFile, DefeatersTableFile}) {
      auto t = openTable(dir + "/" + file);
      std::vector<int> integer, text;
      const int columns = file == std::string(SentencesTableFile) ? 5 : file == std::string(ArrowsTableFile) ? 14 : 16;
      for (int c = 0; c < columns; ++c) {
        bool isText = (columns == 5 && c == 4) || (columns == 14 && (c == 10 || c == 13));
        (isText ? text : integer).push_back(c);
      }
      for (t->first(); !t->eof(); t->next()) {
        for (int c : integer) sum += t->integerAt(c);
        for (int c : text) sum += static_cast<int64_t>(t->textAt(c).size());
      }
      t->close();
    }
    benchmark::DoNotOptimize(sum);
  }
}

BENCHMARK(BM_LoadElements)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRowsOnly)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
