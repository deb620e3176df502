// One evaluation round on generated diagrams with the local structure of
// drawn ones: boxes of about 60 x 20 spread over a large area, arrows between
// nearby sentences, defeaters whose rectangles hold a few elements, and some
// sentences set by the user. The plain reference runs on the small sizes in
// the same run, so the speed-up is measured, not assumed.
#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <tuple>

#include "../tests/eval/ReferenceEvaluation.h"
#include "eval/Queries.h"
#include "eval/Rounds.h"
#include "store/DiagramSnapshot.h"

namespace zorvex {
namespace {

constexpr int32_t CellWidth = 120;
constexpr int32_t CellHeight = 60;

struct Generated {
  Diagram diagram;
  std::vector<Status> sentenceStatus, arrowStatus;
  std::vector<DefeaterState> defeaterState;

  void restore() {
    for (size_t i = 0; i < sentenceStatus.size(); ++i) diagram.sentencesForStatus()[i].Status = sentenceStatus[i];
    for (size_t i = 0; i < arrowStatus.size(); ++i) diagram.arrowsForStatus()[i].Status = arrowStatus[i];
    for (size_t i = 0; i < defeaterState.size(); ++i) diagram.defeatersForStatus()[i].DefeaterState = defeaterState[i];
  }
};

Rect padded(const Rect& r, std::mt19937& rng) {
  std::uniform_int_distribution<int32_t> pad(3, 30);
  return {r.Left - pad(rng), r.Top - pad(rng), r.Right + pad(rng), r.Bottom + pad(rng)};
}

void addSentences(Diagram& g, int32_t count, int32_t columns, std::mt19937& rng) {
  std::uniform_int_distribution<int32_t> jitterX(0, 40), jitterY(0, 30), width(40, 80), height(16, 24), user(0, 99);
  for (int32_t n = 0; n < count; ++n) {
    TSentence s;
    s.Left = (n % columns) * CellWidth + jitterX(rng);
    s.Top = (n / columns) * CellHeight + jitterY(rng);
    s.Width = width(rng);
    s.Height = height(rng);
    s.Right = s.Left + s.Width;
    s.Bottom = s.Top + s.Height;
    s.Text = "Sentence text " + std::to_string(n);
    const int32_t u = user(rng);
    s.Status = u < 5 ? Status(Undefeated | SetByUser) : u < 6 ? Status(Defeated | SetByUser) : Status(NotEvaluated);
    g.addSentence(std::move(s));
  }
}

void addArrows(Diagram& g, int32_t count, int32_t columns, std::mt19937& rng) {
  const int32_t sentences = g.SentenceCount();
  std::uniform_int_distribution<int32_t> pick(0, sentences - 1), step(-2, 2);
  for (int32_t n = 0; n < count; ++n) {
    const int32_t from = pick(rng);
    int32_t to = from + step(rng) + step(rng) * columns;
    if (to == from) ++to;
    if (to < 0 || to >= sentences) to = (from + 1) % sentences;
    const TSentence& a = g.sentence(from);
    const TSentence& b = g.sentence(to);
    TArrow arrow;
    arrow.Sentence1 = from;
    arrow.Sentence2 = to;
    arrow.StartX = (a.Left + a.Right) / 2, arrow.StartY = (a.Top + a.Bottom) / 2;
    arrow.EndX = (b.Left + b.Right) / 2, arrow.EndY = (b.Top + b.Bottom) / 2;
    g.addArrow(arrow);
  }
}

void addDefeaters(Diagram& g, int32_t count, int32_t columns, std::mt19937& rng) {
  const int32_t sentences = g.SentenceCount();
  std::uniform_int_distribution<int32_t> pick(0, sentences - 1), step(-1, 1);
  for (int32_t n = 0; n < count; ++n) {
    const int32_t from = pick(rng);
    int32_t to = from + step(rng) + step(rng) * columns;
    if (to < 0 || to >= sentences || to == from) to = (from + 1) % sentences;
    TDefeater d;
    d.ChallengingRect = padded(g.sentence(from).box(), rng);
    d.ChallengedRect = padded(g.sentence(to).box(), rng);
    g.addDefeater(d);
  }
}

Generated& diagramOf(int32_t sentences, int32_t arrows, int32_t defeaters) {
  static std::map<std::tuple<int32_t, int32_t, int32_t>, Generated> made;
  auto [it, fresh] = made.try_emplace({sentences, arrows, defeaters});
  Generated& g = it->second;
  if (!fresh) return g;
  std::mt19937 rng(12345);
  int32_t columns = 1;
  while (columns * columns < sentences) ++columns;
  g.diagram.reserve(sentences, arrows, defeaters);
  addSentences(g.diagram, sentences, columns, rng);
  addArrows(g.diagram, arrows, columns, rng);
  addDefeaters(g.diagram, defeaters, columns, rng);
  // Two rounds first, so the timed round starts from a mix of statuses.
  EvaluationLog warmup;
  JumpOneRound(g.diagram, EvaluationOptions{}, warmup);
  EvaluateOneRound(g.diagram, EvaluationOptions{}, warmup);
  for (const TSentence& s : g.diagram.sentences()) g.sentenceStatus.push_back(s.Status);
  for (const TArrow& a : g.diagram.arrows()) g.arrowStatus.push_back(a.Status);
  for (const TDefeater& d : g.diagram.defeaters()) g.defeaterState.push_back(d.DefeaterState);
  return g;
}

// Restoring the statuses before each round leaves the records of a small
// diagram in the cache, where a round started by a button press would not
// find them. The cold runs stream through a buffer larger than any cache
// first, so both sizes start from memory.
void evictCaches() {
  static std::vector<uint64_t> buffer(static_cast<size_t>(768) << 17);  // 768 MiB
  uint64_t sum = 0;
  for (uint64_t& v : buffer) sum += ++v;
  benchmark::DoNotOptimize(sum);
}

// Rounds after the first on an unchanged drawing take over what the
// defeaters' rectangles hold; a round right after a change lists it anew.
// Queries made for another diagram make the next round such a first one.
void forgetListing() {
  static const Diagram other = [] {
    Diagram d;
    d.addSentence(TSentence{});
    return d;
  }();
  const EvaluationQueries queries(other);
}

template <bool Reference, bool Cold = false, bool Fresh = false, bool Jump = false>
void BM_EvaluateOneRound(benchmark::State& state) {
  Generated& g = diagramOf(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                           static_cast<int32_t>(state.range(2)));
  size_t lines = 0;
  // The window keeps its log, so freeing a round's lines is no part of the
  // round: the previous lines are dropped while the timing is paused.
  EvaluationLog log;
  reference::Log referenceLog;
  for (auto _ : state) {
    state.PauseTiming();
    g.restore();
    if (Cold) evictCaches();
    if (Fresh) forgetListing();
    log = EvaluationLog{};
    referenceLog = reference::Log{};
    state.ResumeTiming();
    if constexpr (Reference) {
      benchmark::DoNotOptimize(reference::EvaluateOneRound(g.diagram, EvaluationOptions{}, referenceLog));
      lines = referenceLog.size();
    } else {
      benchmark::DoNotOptimize(Jump ? JumpOneRound(g.diagram, EvaluationOptions{}, log)
                                    : EvaluateOneRound(g.diagram, EvaluationOptions{}, log));
      lines = log.lines().size();
    }
  }
  state.counters["log_lines"] = static_cast<double>(lines);
}

BENCHMARK(BM_EvaluateOneRound<false>)
    ->Name("EvaluateOneRound/fast")
    ->Args({1000, 1000, 100})
    ->Args({10000, 10000, 1000})
    ->Args({100000, 100000, 10000})
    ->Args({1000000, 1000000, 100000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateOneRound<false, true>)
    ->Name("EvaluateOneRound/fast_cold")
    ->Args({100000, 100000, 10000})
    ->Args({1000000, 1000000, 100000})
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateOneRound<false, false, true>)
    ->Name("EvaluateOneRound/first_after_change")
    ->Args({100000, 100000, 10000})
    ->Args({1000000, 1000000, 100000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateOneRound<false, false, false, true>)
    ->Name("JumpOneRound/fast")
    ->Args({100000, 100000, 10000})
    ->Args({1000000, 1000000, 100000})
    ->Unit(benchmark::kMillisecond);
// The snapshot a periodic recovery copy takes on the window's thread
// before a worker writes it.
void BM_RecoverySnapshot(benchmark::State& state) {
  Generated& g = diagramOf(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                           static_cast<int32_t>(state.range(2)));
  for (auto _ : state) benchmark::DoNotOptimize(DiagramSnapshot::of(g.diagram));
}
BENCHMARK(BM_RecoverySnapshot)->Args({1000000, 1000000, 100000})->Unit(benchmark::kMillisecond);

BENCHMARK(BM_EvaluateOneRound<true>)
    ->Name("EvaluateOneRound/reference")
    ->Args({1000, 1000, 100})
    ->Args({10000, 10000, 1000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvex

BENCHMARK_MAIN();
