// Find over 1,000,000 sentences, one in ten of them with accented, Greek or
// Cyrillic text: a match near the end, no match at all (every sentence
// read), a part every plain text nearly holds, and parts with non-ASCII
// letters; last, no match among 1,000,000 texts that are all non-ASCII.
#include <benchmark/benchmark.h>

#include <string>

#include "viewport/FindSentence.h"

namespace zorvex {
namespace {

constexpr int32_t Sentences = 1000000;

std::string mixedText(int32_t n) {
  const std::string number = std::to_string(n);
  if (n % 10 != 1) return "Sentence " + number;
  switch (n / 10 % 3) {
    case 0: return "École numéro " + number;
    case 1: return "Σοφία " + number;
    default: return "Москва " + number;
  }
}

std::string accentedText(int32_t n) { return "Σοφία numéro " + std::to_string(n); }

Diagram makeDiagram(std::string (*textOf)(int32_t)) {
  Diagram g;
  g.reserve(Sentences, 0, 0);
  for (int32_t n = 0; n < Sentences; ++n) {
    TSentence s;
    s.Left = (n % 1000) * 120, s.Top = (n / 1000) * 60;
    s.Width = 100, s.Height = 20, s.Right = s.Left + 100, s.Bottom = s.Top + 20;
    s.Text = textOf(n);
    g.addSentence(std::move(s));
  }
  return g;
}

const Diagram& mixed() {
  static const Diagram g = makeDiagram(mixedText);
  return g;
}

void find(benchmark::State& state, const char* part, std::optional<int32_t> expected, const Diagram& g = mixed()) {
  for (auto _ : state) {
    const std::optional<int32_t> found = findSentence(g, part);
    if (found != expected) state.SkipWithError("wrong sentence found");
    benchmark::DoNotOptimize(found);
  }
}

void BM_FindNearTheEnd(benchmark::State& state) { find(state, "SENTENCE 999990", 999990); }
BENCHMARK(BM_FindNearTheEnd)->Unit(benchmark::kMillisecond);

void BM_FindNoMatch(benchmark::State& state) { find(state, "no such text", std::nullopt); }
BENCHMARK(BM_FindNoMatch)->Unit(benchmark::kMillisecond);

// Every plain text matches all but the last letter.
void BM_FindNearMissEverywhere(benchmark::State& state) { find(state, "sentence x", std::nullopt); }
BENCHMARK(BM_FindNearMissEverywhere)->Unit(benchmark::kMillisecond);

void BM_FindNonAsciiNearTheEnd(benchmark::State& state) { find(state, "ÉCOLE NUMÉRO 999901", 999901); }
BENCHMARK(BM_FindNonAsciiNearTheEnd)->Unit(benchmark::kMillisecond);

void BM_FindNonAsciiNoMatch(benchmark::State& state) { find(state, "ΣΟΦΊΑ 1234567", std::nullopt); }
BENCHMARK(BM_FindNonAsciiNoMatch)->Unit(benchmark::kMillisecond);

// Every text decoded and folded, none of them matching.
void BM_FindAllTextsNonAscii(benchmark::State& state) {
  static const Diagram accented = makeDiagram(accentedText);
  find(state, "ΣΟΦΊΑ NUMÉRO 1234567", std::nullopt, accented);
}
BENCHMARK(BM_FindAllTextsNonAscii)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvex

BENCHMARK_MAIN();
