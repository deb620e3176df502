// The own layered layout of one part: its time on generated forests of
// 1,000 to 1,000,000 boxes, and its crossings and arrow length against dot's
// on parts dot lays out quickly (generated ones of 100 to 1,000 boxes, and
// every real map of ../shared/aif-samples, each taken as one part), as
// counters: ours divided by dot's.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "aif/AifGraph.h"
#include "aif/ArgumentMap.h"
#include "layout/LayeredPart.h"
#include "layout/LayoutQuality.h"
#include "tests/layout/GeneratedParts.h"

namespace {

using namespace zorvex;

void LayeredPartTime(benchmark::State& state) {
  const LayoutInput in = testing::generatedForest(1, static_cast<int32_t>(state.range(0)),
                                                  static_cast<int32_t>(std::max<int64_t>(1, state.range(0) / 200)));
  for (auto _ : state) benchmark::DoNotOptimize(layOutPart(in, {}, PartShape{}));
  state.counters["boxes"] = static_cast<double>(in.boxes.size());
}
BENCHMARK(LayeredPartTime)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

void compare(benchmark::State& state, const LayoutInput& in) {
  PartShape unfolded;
  unfolded.maxAspect = 1e9;
  LayoutQuality ours, dot;
  for (auto _ : state) {
    ours = layoutQuality(in, cornersFromCentres(in.boxes, layOutPart(in, {}, unfolded)));
    dot = layoutQuality(in, layOutLayered(in).corners);
  }
  state.counters["crossings"] = static_cast<double>(ours.crossings);
  state.counters["dotCrossings"] = static_cast<double>(dot.crossings);
  state.counters["lengthRatio"] = ours.length / std::max(1.0, dot.length);
  state.counters["overlaps"] = static_cast<double>(ours.overlaps);
}

void AgainstDotGenerated(benchmark::State& state) {
  compare(state, testing::generatedForest(9, static_cast<int32_t>(state.range(0))));
}
BENCHMARK(AgainstDotGenerated)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A map's sentences as boxes sized by their text, its arrows as links, its
// defeaters' attackers beside their target and grouped when joint.
LayoutInput partOf(const ArgumentMap& map) {
  LayoutInput in;
  for (const std::string& t : map.texts)
    in.boxes.push_back({static_cast<int32_t>(std::min<size_t>(300, 6 * t.size() + 10)), 40});
  for (const MapArrow& a : map.arrows) in.links.push_back({a.from, a.to});
  for (const MapDefeater& d : map.defeaters) {
    const int32_t target = d.undercuts() ? map.arrows[d.targetArrows.front()].to : d.targetSentence;
    for (int32_t a : d.attackers) in.beside.push_back({a, target});
    if (d.attackers.size() > 1) in.groups.push_back(d.attackers);
    if (d.undercuts() && d.targetArrows.size() == 1)
      in.straight.push_back({map.arrows[d.targetArrows[0]].from, map.arrows[d.targetArrows[0]].to});
  }
  return in;
}

void registerSamples() {
  const std::filesystem::path dir = std::filesystem::path(ZORVEX_BENCH_SOURCE_DIR) / "../shared/aif-samples";
  if (!std::filesystem::is_directory(dir)) return;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".json") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const LayoutInput in = partOf(mapArguments(readAifGraph(text.str())));
    benchmark::RegisterBenchmark(("AgainstDotSample/" + entry.path().stem().string()).c_str(),
                                 [in](benchmark::State& s) { compare(s, in); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  registerSamples();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
