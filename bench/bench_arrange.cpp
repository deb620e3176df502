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

#include "GeneratedDebates.h"
#include "aif/DiagramArrangement.h"
#include "aif/MapDrawing.h"
#include "store/DiagramFiles.h"

namespace {

using namespace zorvex;

TextSize measure(const std::string& text) { return {static_cast<int32_t>(6 * text.size()), 13}; }

// The debates of bench_aif, every attack a rebuttal.
ArgumentMap debates(int n) {
  ArgumentMap map;
  bench::generateDebates(n, [&](int k, int target, bench::Relation relation) {
    map.texts.push_back("Statement " + std::to_string(k) + " of the debate");
    if (relation == bench::Relation::Supports)
      map.arrows.push_back({k, target});
    else if (relation != bench::Relation::Opens)
      map.defeaters.push_back({"", {k}, target, {}});
  });
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
