// Repainting one window's worth of a huge diagram must cost what a small
// diagram costs (the spatial index finds the few elements in view), and a
// whole-diagram picture must be quick.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "elements/Geometry.h"
#include "elements/ui/DiagramPainter.h"
#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/SentenceFont.h"
#include "model/Diagram.h"

namespace {

using namespace zorvex;

// Sentences on a grid of cellW x cellH cells, each joined by an arrow to its
// right-hand neighbour, and defeaters around random pairs of cells: the same
// density of elements everywhere, whatever the diagram's size.
std::unique_ptr<Diagram> makeDiagram(int sentences, int defeaters, int cellW, int cellH) {
  auto d = std::make_unique<Diagram>();
  d->reserve(size_t(sentences), size_t(sentences), size_t(defeaters));
  const int columns = std::max(2, int(std::sqrt(double(sentences) * cellH / cellW)));
  std::mt19937 rng(7);
  for (int n = 0; n < sentences; ++n) {
    TSentence s;
    s.Left = (n % columns) * cellW + int(rng() % 20);
    s.Top = (n / columns) * cellH + int(rng() % 20);
    s.Text = "Sentence " + std::to_string(n);
    sizeSentenceToText(s, 70, 13);
    s.Status = Status(1u << (rng() % 3));
    d->addSentence(std::move(s));
  }
  for (int n = 0; n < sentences; ++n) {
    const int m = (n + 1) % sentences;
    TArrow a;
    a.Sentence1 = n;
    a.Sentence2 = m;
    ComputeStartEndArrow(a, d->sentence(n), d->sentence(m));
    setArrowBounds(a);
    a.Status = Status(1u << (rng() % 3));
    d->addArrow(a);
  }
  const int rows = sentences / columns + 1;
  for (int n = 0; n < defeaters; ++n) {
    TDefeater f;
    const int x = int(rng() % unsigned(columns)) * cellW, y = int(rng() % unsigned(rows)) * cellH;
    f.ChallengingRect = {x - 5, y - 5, x + 90, y + 30};
    f.ChallengedRect = {x + cellW - 5, y + cellH - 5, x + cellW + 90, y + cellH + 30};
    ComputeStartEndDefeater(f);
    setDefeaterExtent(f);
    f.DefeaterState = DefeaterState(rng() % 3);
    d->addDefeater(f);
  }
  return d;
}

void repaintWindow(benchmark::State& state, const Diagram& d) {
  QImage window(640, 480, QImage::Format_RGB32);
  const QRect area(0, 0, 640, 480);
  // The window sits in the middle of the grid's first rows, fully covered.
  const QPoint origin(2 * 160, 2 * 80);
  QPainter p(&window);
  p.translate(-origin);
  for (auto _ : state) {
    p.fillRect(area.translated(origin), SurfaceColour);
    paintDiagram(p, d, area.translated(origin), sentenceFont());
  }
  benchmark::DoNotOptimize(window.constBits());
}

void BM_RepaintWindow_210000Elements(benchmark::State& state) {
  static const auto d = makeDiagram(100000, 10000, 160, 80);
  repaintWindow(state, *d);
}
BENCHMARK(BM_RepaintWindow_210000Elements)->Unit(benchmark::kMillisecond);

void BM_RepaintWindow_1000Elements(benchmark::State& state) {
  static const auto d = makeDiagram(476, 48, 160, 80);
  repaintWindow(state, *d);
}
BENCHMARK(BM_RepaintWindow_1000Elements)->Unit(benchmark::kMillisecond);

void BM_RenderPicture_4000x4000_10000Elements(benchmark::State& state) {
  static const auto d = makeDiagram(4500, 1000, 60, 60);
  for (auto _ : state) {
    QImage img = renderDiagram(*d);
    benchmark::DoNotOptimize(img.constBits());
    state.counters["width"] = img.width();
    state.counters["height"] = img.height();
  }
}
BENCHMARK(BM_RenderPicture_4000x4000_10000Elements)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
