// Explanations and evaluating until stable on generated diagrams: a round
// with and without its step recorded, a why tree of depth 20 on the
// 1,000,000-sentence diagram, and a run until stable on the 100,000 one.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <tuple>

#include "WhyBenchDiagram.h"
#include "eval/Rounds.h"
#include "history/UndoStep.h"
#include "explain/RecordedSteps.h"
#include "explain/UntilStable.h"
#include "explain/WhyLookup.h"
#include "explain/WhyTree.h"

namespace zorvex {
namespace {

using bench::BenchDiagram;

BenchDiagram& diagramOf(int32_t sentences, int32_t arrows, int32_t defeaters) {
  static std::map<std::tuple<int32_t, int32_t, int32_t>, std::unique_ptr<BenchDiagram>> made;
  auto& slot = made[{sentences, arrows, defeaters}];
  if (!slot) {
    slot = std::make_unique<BenchDiagram>();
    bench::makeBenchDiagram(*slot, sentences, arrows, defeaters);
  }
  return *slot;
}

template <bool Recorded>
void BM_Round(benchmark::State& state) {
  BenchDiagram& g = diagramOf(int32_t(state.range(0)), int32_t(state.range(1)), int32_t(state.range(2)));
  for (auto _ : state) {
    state.PauseTiming();
    g.restore();
    EvaluationLog log;
    auto record = std::make_unique<StatusRecord>(g.diagram);
    state.ResumeTiming();
    // A jump first, so the timed evaluation starts from a mix of statuses as
    // a user's second press would; both variants run the same two rounds.
    if constexpr (Recorded) {
      RecordedRound(g.diagram, *record, true, {}, log);
      RecordedRound(g.diagram, *record, false, {}, log);
    } else {
      JumpOneRound(g.diagram, {}, log);
      EvaluateOneRound(g.diagram, {}, log);
    }
    state.PauseTiming();
    record.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Round<false>)->Name("TwoRounds/plain")->Args({1000000, 1000000, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Round<true>)->Name("TwoRounds/recorded")->Args({1000000, 1000000, 100000})->Unit(benchmark::kMillisecond);

// The recording alone: the pass over the records after an evaluation round
// (following a jump and state.range(0) - 1 evaluation rounds), timed apart
// from the round, which is timed too.
template <bool RecordOnly>
void BM_RecordingAlone(benchmark::State& state) {
  BenchDiagram& g = diagramOf(1000000, 1000000, 100000);
  size_t assigned = 0;
  for (auto _ : state) {
    state.PauseTiming();
    g.restore();
    EvaluationLog log;
    auto record = std::make_unique<StatusRecord>(g.diagram);
    RecordedRound(g.diagram, *record, true, {}, log);
    for (int64_t r = 1; r < state.range(0); ++r) RecordedRound(g.diagram, *record, false, {}, log);
    if (RecordOnly) EvaluateOneRound(g.diagram, {}, log);
    state.ResumeTiming();
    if (RecordOnly) record->finishRound(g.diagram, false, EvaluationOptions{}.evaluationRules());
    else EvaluateOneRound(g.diagram, {}, log);
    state.PauseTiming();
    if (RecordOnly) assigned = record->step(record->lastStep()).assigned[0].size() +
                               record->step(record->lastStep()).assigned[1].size();
    record.reset();
    state.ResumeTiming();
  }
  if (RecordOnly) state.counters["assigned"] = double(assigned);
}
BENCHMARK(BM_RecordingAlone<false>)->Name("NthRound/round")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordingAlone<true>)->Name("NthRound/recording_only")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

// A round as the window runs it: the statuses noted before, the round, its
// undo step taken from the changes; with `Record`, the explanation record
// is then taken from that step's changes too.
template <bool Record>
void BM_WindowRound(benchmark::State& state) {
  BenchDiagram& g = diagramOf(1000000, 1000000, 100000);
  for (auto _ : state) {
    state.PauseTiming();
    g.restore();
    EvaluationLog log;
    auto record = std::make_unique<StatusRecord>(g.diagram);
    for (int64_t r = 0; r < state.range(0); ++r) {
      const StatusSnapshot before(g.diagram);
      const bool jump = r == 0;
      jump ? JumpOneRound(g.diagram, {}, log) : EvaluateOneRound(g.diagram, {}, log);
      record->finishRoundFrom(g.diagram, StatusStep("round", before, g.diagram).statuses, jump, {});
    }
    state.ResumeTiming();
    const StatusSnapshot before(g.diagram);
    EvaluateOneRound(g.diagram, {}, log);
    const UndoStep step = StatusStep("Evaluate (one round)", before, g.diagram);
    if (Record) record->finishRoundFrom(g.diagram, step.statuses, false, EvaluationOptions{}.evaluationRules());
    benchmark::DoNotOptimize(step.statuses.count());
    state.PauseTiming();
    record.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowRound<false>)->Name("WindowRound/with_undo_step")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRound<true>)->Name("WindowRound/with_undo_step_and_record")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

// After a jump and three evaluation rounds, the sentence changed in the
// last round whose tree is largest among the first thousand such. The
// lookups serve every tree until the diagram is edited; `First` makes them
// anew for each tree, as the first Why after an edit does.
template <bool First>
void BM_WhyDepth20(benchmark::State& state) {
  BenchDiagram& g = diagramOf(1000000, 1000000, 100000);
  g.restore();
  StatusRecord record(g.diagram);
  EvaluationLog log;
  RecordedRound(g.diagram, record, true, {}, log);
  for (int i = 0; i < 3; ++i) RecordedRound(g.diagram, record, false, {}, log);
  ElementRef chosen{ElementKind::Sentence, 0};
  size_t largest = 0;
  const WhyLookup kept(g.diagram);
  const auto& changed = record.step(record.lastStep()).assigned[0];
  for (size_t i = 0; i < changed.size() && i < 1000; ++i) {
    const ElementRef ref{ElementKind::Sentence, changed[i].index};
    const size_t nodes = ExplainStatus(g.diagram, record, ref, 20, &kept).nodes.size();
    if (nodes > largest) largest = nodes, chosen = ref;
  }
  size_t lines = 0;
  for (auto _ : state) {
    const WhyTree tree = ExplainStatus(g.diagram, record, chosen, 20, First ? nullptr : &kept);
    lines = whyLines(tree, record).size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["nodes"] = double(largest);
  state.counters["lines"] = double(lines);
}
BENCHMARK(BM_WhyDepth20<false>)->Name("WhyDepth20/lookups_kept")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WhyDepth20<true>)->Name("WhyDepth20/lookups_made")->Unit(benchmark::kMillisecond);

void BM_UntilStable(benchmark::State& state) {
  BenchDiagram& g = diagramOf(int32_t(state.range(0)), int32_t(state.range(1)), int32_t(state.range(2)));
  int32_t rounds = 0;
  std::string message;
  for (auto _ : state) {
    state.PauseTiming();
    g.restore();
    EvaluationLog log;
    auto record = std::make_unique<StatusRecord>(g.diagram);
    state.ResumeTiming();
    const UntilStableOutcome out = EvaluateUntilStable(g.diagram, *record, {}, log);
    rounds = out.rounds;
    message = out.message;
    state.PauseTiming();
    record.reset();
    state.ResumeTiming();
  }
  state.counters["rounds"] = rounds;
  state.SetLabel(message);
}
BENCHMARK(BM_UntilStable)->Args({100000, 100000, 10000})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvex

BENCHMARK_MAIN();
