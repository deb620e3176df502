// Reading and writing sentence-shaped tables (Left, Top, Right, Bottom Long;
// Text Alpha 60) through the whole open-walk-read path LoadElements takes.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"

namespace {

using namespace zorvex::paradox;

const std::vector<Field> SentenceFields{{"Left", FieldType::Long},
                                        {"Top", FieldType::Long},
                                        {"Right", FieldType::Long},
                                        {"Bottom", FieldType::Long},
                                        {"Text", FieldType::Alpha, 60}};

std::vector<Row> sentenceRows(int n) {
  std::vector<Row> rows;
  rows.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    rows.push_back({i % 1000 * 7, i / 1000 * 30, i % 1000 * 7 + 60, i / 1000 * 30 + 20,
                    std::string("Sentence number ") + std::to_string(i) + " of the diagram"});
  return rows;
}

struct Folder {
  std::string path;
  Folder() {
    char tmpl[] = "/tmp/zorvex-bench-XXXXXX";
    path = mkdtemp(tmpl);
  }
  ~Folder() { std::filesystem::remove_all(path); }
};

void BM_ReadSentences(benchmark::State& state) {
  Folder dir;
  const std::string path = dir.path + "/SentencesDb.db";
  writeTable(path, SentenceFields, sentenceRows(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    auto t = openTable(path);
    const int left = t->columnIndex("Left"), top = t->columnIndex("Top"), right = t->columnIndex("Right"),
              bottom = t->columnIndex("Bottom"), text = t->columnIndex("Text");
    int64_t sum = 0;
    size_t chars = 0;
    for (t->first(); !t->eof(); t->next()) {
      sum += t->integerAt(left) + t->integerAt(top) + t->integerAt(right) + t->integerAt(bottom);
      chars += t->textAt(text).size();
    }
    t->close();
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(chars);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadSentences)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WriteSentences(benchmark::State& state) {
  Folder dir;
  const std::string path = dir.path + "/SentencesDb.db";
  const std::vector<Row> rows = sentenceRows(static_cast<int>(state.range(0)));
  for (auto _ : state) writeTable(path, SentenceFields, rows);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteSentences)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
