// Damaged diagram files of 100 MB: the time from the bytes in memory to the
// message, as opening a diagram file takes it (read, complete, load). Each
// is what a person might be handed: a key, number, text or run of blanks of
// 100 MB, a NUL byte at the very end, and well-formed rows, sentences or
// arrows by number, whose last one is wrong.
#include <benchmark/benchmark.h>

#include <string>

#include "model/ZorvexError.h"
#include "store/DiagramJson.h"
#include "store/RowsLoading.h"

namespace {

using namespace zorvex;

constexpr size_t Size = 100u << 20;

std::string repeated(const std::string& piece, size_t bytes) {
  std::string out;
  out.reserve(bytes + piece.size());
  while (out.size() < bytes) out += piece;
  return out;
}

void timeToMessage(benchmark::State& state, const std::string& text) {
  Geometry geometry = borderPointGeometry();
  geometry.textSize = [](const std::string& t) { return TextSize{static_cast<int32_t>(6 * t.size()), 13}; };
  for (auto _ : state) {
    try {
      Diagram d;
      if (!loadRows(d, diagramFromJson(text, geometry))) state.SkipWithError("the file was taken as sound");
    } catch (const ZorvexError& e) {
      benchmark::DoNotOptimize(e.what());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_HugeKey(benchmark::State& state) {
  timeToMessage(state, R"({"sentences": [{")" + std::string(Size, 'A') + R"(": 1}]})");
}
void BM_HugeNumber(benchmark::State& state) {
  timeToMessage(state, R"({"sentences": [{"Left": )" + std::string(Size, '1') + "}]}");
}
void BM_HugeTextWithAControlCharacter(benchmark::State& state) {
  timeToMessage(state, R"({"sentences": [{"Text": ")" + std::string(Size, 'A') + "\x01\"}]}");
}
void BM_BlanksThenAnUnknownWord(benchmark::State& state) {
  timeToMessage(state, R"({"sentences": )" + std::string(Size, ' ') + "x");
}
void BM_NulByteAtTheEnd(benchmark::State& state) {
  std::string text = R"({"sentences": [])" + std::string(Size, ' ') + "}";
  text += '\0';
  timeToMessage(state, text);
}
void BM_SentencesTheLastWithAnUnknownKey(benchmark::State& state) {
  timeToMessage(state, R"({"sentences": [)" +
                           repeated(R"({"Left": 1, "Top": 2, "Right": 30, "Bottom": 40, "Text": "some text"},)", Size) +
                           R"({"Left": 1, "Top": 2, "Text": "x", "Colour": 1}]})");
}
void BM_ArrowsByNumberTheLastToNoSentence(benchmark::State& state) {
  timeToMessage(state, R"({"sentences": [{"Left": 1, "Top": 2, "Text": "a"}, {"Left": 90, "Top": 80, "Text": "b"}],
                           "arrows": [)" + repeated(R"({"From": 0, "To": 1},)", Size) + R"({"From": 0, "To": 2}]})");
}

}  // namespace

BENCHMARK(BM_HugeKey)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HugeNumber)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HugeTextWithAControlCharacter)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BlanksThenAnUnknownWord)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NulByteAtTheEnd)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SentencesTheLastWithAnUnknownKey)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ArrowsByNumberTheLastToNoSentence)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
