// Arrange Diagram on generated maps as opening them lays them out: the first
// Arrange (each part by our own layout from its present order) and the
// second (nothing moves). `bench_arrange --file DIAGRAM.json` times one
// Arrange of a diagram file, as the window runs it on its copy of the
// diagram, for the diagram of 1,000,000 sentences (written by
// `bench_aif --write-maps DIR` and `zorvex-cli export DIR/debates-1000000.json`).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "aif/DiagramArrangement.h"
#include "aif/MapDrawing.h"
#include "store/DiagramFiles.h"

namespace {

using namespace zorvex;

TextSize measure(const std::string& text) { return {static_cast<int32_t>(6 * text.size()), 13}; }

// Debates of 5 to 40 statements, one in five attacking an earlier one.
ArgumentMap debates(int n) {
  ArgumentMap map;
  uint64_t state = 88172645463325252ull;
  const auto next = [&](int below) {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    return static_cast<int>(state % static_cast<uint64_t>(below));
  };
  int first = 0, size = 0;
  for (int k = 0; k < n; ++k) {
    map.texts.push_back("Statement " + std::to_string(k) + " of the debate");
    if (k - first >= size) {
      first = k, size = 5 + next(36);
      continue;
    }
    const int target = first + next(k - first);
    if (next(5) == 0)
      map.defeaters.push_back({"", {k}, target, {}});
    else
      map.arrows.push_back({k, target});
  }
  return map;
}

void BM_ArrangeOpenedMap(benchmark::State& state) {
  Diagram opened;
  drawMap(opened, debates(static_cast<int>(state.range(0))), measure);
  for (auto _ : state) {
    state.PauseTiming();
    Diagram d = opened;
    state.ResumeTiming();
    benchmark::DoNotOptimize(arrangeDiagram(d));
  }
}
BENCHMARK(BM_ArrangeOpenedMap)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ArrangeArrangedMap(benchmark::State& state) {
  Diagram d;
  drawMap(d, debates(static_cast<int>(state.range(0))), measure);
  arrangeDiagram(d);
  for (auto _ : state) benchmark::DoNotOptimize(arrangeDiagram(d));
}
BENCHMARK(BM_ArrangeArrangedMap)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int arrangeFile(const char* path) {
  using Clock = std::chrono::steady_clock;
  Diagram d;
  const OpenResult opened = openDiagram(d, locationFor(path), TableOpener{});
  if (opened.error) return std::fprintf(stderr, "%s\n", opened.error->message().c_str()), 1;
  const auto start = Clock::now();
  Diagram copy = d;
  const Arrangement arranged = arrangeDiagram(copy);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("%d sentences: %s in %.1f s\n", d.SentenceCount(),
              (arranged.step ? arranged.done : arranged.refusal).c_str(), seconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--file") return arrangeFile(argv[2]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
