// Reading Argdown texts: a generated debate of 1,040 to 10,400 statements (a
// tree of reasons, every tenth an objection, every fiftieth an argument with
// two premises that another statement undercuts), read for its meaning, read
// and drawn where its data blocks place it, and read and laid out; and the
// diagram written back as Argdown.
#include <benchmark/benchmark.h>

#include <string>

#include "argdown/ArgdownFiles.h"

namespace {

using namespace zorvex;

TextSize measure(const std::string& t) { return {static_cast<int32_t>(6 * t.size()), 13}; }

// n statements in a tree of three reasons each; every tenth an objection
// instead, and every fiftieth the first premise of an argument with a second
// one, which a further statement undercuts (n + n / 25 statements in all).
// With `placed`, each statement has its place in a grid of rows of 100.
std::string debate(int n, bool placed = false) {
  std::string text;
  int count = 0;
  const auto statement = [&](const std::string& title, int k, const char* what) {
    text += "[" + title + "]: Statement " + std::to_string(k) + what + ", said at some length as people do";
    if (placed)
      text += " {x: " + std::to_string(count % 100 * 400) + ", y: " + std::to_string(count / 100 * 120) +
              ", status: \"justified\"}";
    text += "\n";
    ++count;
  };
  for (int k = 0; k < n; ++k) {
    const std::string self = "S" + std::to_string(k), parent = "[S" + std::to_string((k - 1) / 3) + "]";
    statement(self, k, " of the debate");
    if (k == 0) continue;
    if (k % 50 != 0) {
      text += std::string("  ") + (k % 10 == 0 ? "-> " : "+> ") + parent + "\n";
      continue;
    }
    const std::string arg = "A" + std::to_string(k), second = "T" + std::to_string(k);
    statement(second, k, "'s second premise");
    statement("U" + std::to_string(k), k, "'s undercutter");
    text += "  _> <" + arg + ">\n\n<" + arg + ">\n\n(1) [" + self + "]\n(2) [" + second + "]\n----\n(3) " + parent +
            "\n\n";
  }
  return text;
}

void BM_ReadMeaning(benchmark::State& state) {
  const std::string text = debate(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(readArgdown(text));
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadMeaning)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Every statement placed: no layout.
void BM_ReadPlaced(benchmark::State& state) {
  const std::string text = debate(static_cast<int>(state.range(0)), true);
  for (auto _ : state) {
    Diagram d;
    benchmark::DoNotOptimize(readArgdownText(d, text, measure));
  }
}
BENCHMARK(BM_ReadPlaced)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Laid out by our own layered layout (dot is tried on parts of up to 1,000 boxes).
void BM_ReadLaidOut(benchmark::State& state) {
  const std::string text = debate(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Diagram d;
    benchmark::DoNotOptimize(readArgdownText(d, text, measure, 0));
  }
}
BENCHMARK(BM_ReadLaidOut)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Write(benchmark::State& state) {
  Diagram d;
  readArgdownText(d, debate(static_cast<int>(state.range(0))), measure, 0);
  for (auto _ : state) benchmark::DoNotOptimize(writeArgdown(d));
}
BENCHMARK(BM_Write)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
