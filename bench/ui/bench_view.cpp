// Repainting the drawing surface at every zoom and scroll position of a
// diagram of 1,000,000 sentences, 1,000,000 arrows and 100,000 defeaters
// spread over 60,000 x 30,000 units: the whole diagram at "Fit Diagram", any
// place at 100 %, and a scroll step or a zoom step near the fit.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>

#include "elements/Geometry.h"
#include "elements/ui/DiagramRenderer.h"
#include "elements/ui/SentenceFont.h"
#include "elements/ui/ViewPainter.h"
#include "model/Diagram.h"
#include "viewport/DiagramBounds.h"

namespace {

using namespace zorvex;

constexpr int SurfaceW = 1000, SurfaceH = 700;
constexpr int CellW = 60, CellH = 30;

// Sentences on a grid of columns x rows cells, each joined by an arrow to its
// right-hand neighbour (the last of a row to the one below it), and
// defeaters from one cell to the cell below and to the right.
std::unique_ptr<Diagram> makeGrid(int columns, int rows, int defeaters) {
  auto d = std::make_unique<Diagram>();
  const int sentences = columns * rows;
  d->reserve(size_t(sentences), size_t(sentences), size_t(defeaters));
  std::mt19937 rng(11);
  for (int n = 0; n < sentences; ++n) {
    TSentence s;
    s.Left = (n % columns) * CellW + int(rng() % 9);
    s.Top = (n / columns) * CellH + int(rng() % 6);
    s.Text = "S" + std::to_string(n);
    sizeSentenceToText(s, 40, 13);
    s.Status = Status(1u << (rng() % 3));
    d->addSentence(std::move(s));
  }
  for (int n = 0; n < sentences; ++n) {
    const bool rowEnd = n % columns == columns - 1;
    const int m = rowEnd ? (n + columns < sentences ? n + columns : n - 1) : n + 1;
    TArrow a;
    a.Sentence1 = n;
    a.Sentence2 = m;
    ComputeStartEndArrow(a, d->sentence(n), d->sentence(m));
    setArrowBounds(a);
    a.Status = Status(1u << (rng() % 3));
    d->addArrow(a);
  }
  for (int n = 0; n < defeaters; ++n) {
    TDefeater f;
    const int x = int(rng() % unsigned(columns - 1)) * CellW, y = int(rng() % unsigned(rows - 1)) * CellH;
    f.ChallengingRect = {x - 3, y - 3, x + 52, y + 25};
    f.ChallengedRect = {x + CellW - 3, y + CellH - 3, x + CellW + 52, y + CellH + 25};
    ComputeStartEndDefeater(f);
    setDefeaterExtent(f);
    f.DefeaterState = DefeaterState(rng() % 3);
    d->addDefeater(f);
  }
  return d;
}

const Diagram& huge() {
  static const auto d = makeGrid(1000, 1000, 100000);
  return *d;
}

const Diagram& small() {
  static const auto d = makeGrid(25, 19, 50);  // 475 + 475 + 50 = 1,000 elements
  return *d;
}

int fitOf(const Diagram& d) { return fitStep(*drawnBounds(d), SurfaceW, SurfaceH, 10); }

// The whole diagram centred at its fit step, then `above` steps closer.
ViewTransform fitView(const Diagram& d, int above) {
  const Rect b = *drawnBounds(d);
  ViewTransform v;
  v.zoomTo(fitOf(d) + above, {});
  v.placeAt(centreOf(b), {SurfaceW / 2, SurfaceH / 2});
  return v;
}

struct Surface {
  QImage image{SurfaceW, SurfaceH, QImage::Format_RGB32};
  void paint(const Diagram& d, const ViewTransform& view, ViewPictureCache* cache) {
    QPainter p(&image);
    const QRect all(0, 0, SurfaceW, SurfaceH);
    p.fillRect(all, SurfaceColour);
    paintDiagramView(p, d, all, sentenceFont(), view, cache);
  }
};

void BM_FitRepaint_NoPictureKept(benchmark::State& state) {
  const Diagram& d = huge();
  const ViewTransform view = fitView(d, 0);
  Surface s;
  for (auto _ : state) s.paint(d, view, nullptr);
  state.counters["step"] = view.step();
}
BENCHMARK(BM_FitRepaint_NoPictureKept)->Unit(benchmark::kMillisecond);

void BM_FitRepaint_AfterInvalidateAll(benchmark::State& state) {
  const Diagram& d = huge();
  const ViewTransform view = fitView(d, 0);
  Surface s;
  ViewPictureCache cache;
  for (auto _ : state) {
    cache.invalidateAll();
    s.paint(d, view, &cache);
  }
}
BENCHMARK(BM_FitRepaint_AfterInvalidateAll)->Unit(benchmark::kMillisecond);

void BM_FitRepaint_PictureKept(benchmark::State& state) {
  const Diagram& d = huge();
  const ViewTransform view = fitView(d, 0);
  Surface s;
  ViewPictureCache cache;
  s.paint(d, view, &cache);
  for (auto _ : state) s.paint(d, view, &cache);
}
BENCHMARK(BM_FitRepaint_PictureKept)->Unit(benchmark::kMillisecond);

// One element changed (a status set by the user), then the repaint.
void BM_FitRepaint_AfterOneEdit(benchmark::State& state) {
  const Diagram& d = huge();
  const ViewTransform view = fitView(d, 0);
  Surface s;
  ViewPictureCache cache;
  s.paint(d, view, &cache);
  int32_t n = 0;
  for (auto _ : state) {
    cache.invalidate(d.drawnExtent({ElementKind::Sentence, n}));
    n = (n + 4999) % d.SentenceCount();
    s.paint(d, view, &cache);
  }
}
BENCHMARK(BM_FitRepaint_AfterOneEdit)->Unit(benchmark::kMillisecond);

// 100 % in the middle of the diagram, against a small diagram at the origin.
void actualSize(benchmark::State& state, const Diagram& d, ViewPoint offset) {
  ViewTransform view;
  view.setOffset(offset);
  Surface s;
  s.paint(d, view, nullptr);  // builds the element store's index
  for (auto _ : state) s.paint(d, view, nullptr);
}

void BM_ActualSize_Anywhere_2100000Elements(benchmark::State& state) {
  actualSize(state, huge(), {31234, 15321});
}
BENCHMARK(BM_ActualSize_Anywhere_2100000Elements)->Unit(benchmark::kMillisecond);

void BM_ActualSize_1000Elements(benchmark::State& state) { actualSize(state, small(), {1, 0}); }
BENCHMARK(BM_ActualSize_1000Elements)->Unit(benchmark::kMillisecond);

// A scroll step of a tenth of the surface, to and fro, then the full repaint.
void BM_ScrollStep(benchmark::State& state) {
  const Diagram& d = huge();
  ViewTransform view = fitView(d, int(state.range(0)));
  Surface s;
  ViewPictureCache cache;
  s.paint(d, view, &cache);
  int64_t k = 0;
  for (auto _ : state) {
    const int64_t dir = (k++ / 4) % 2 == 0 ? 1 : -1;
    view.scrollBy(dir * SurfaceW / 10, dir * SurfaceH / 10);
    s.paint(d, view, &cache);
  }
  state.counters["step"] = view.step();
}
BENCHMARK(BM_ScrollStep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Scrolling on across the diagram a tenth of the surface at a time, so the
// newly shown strip needs new tiles every few steps; the slowest step too.
void BM_ScrollAcross(benchmark::State& state) {
  const Diagram& d = huge();
  const ViewTransform start = fitView(d, int(state.range(0)));
  const Rect b = *drawnBounds(d);
  ViewTransform view = start;
  Surface s;
  ViewPictureCache cache;
  s.paint(d, view, &cache);
  double slowest = 0;
  for (auto _ : state) {
    view.scrollBy(SurfaceW / 10, SurfaceH / 20);
    if (view.toView(b.Right, b.Bottom).x < 0 || view.toView(b.Right, b.Bottom).y < 0) {
      state.PauseTiming();
      view = start;
      view.setOffset({view.zoomed(b.Left) - SurfaceW / 2, view.zoomed(b.Top) - SurfaceH / 2});
      cache.invalidateAll();
      s.paint(d, view, &cache);
      state.ResumeTiming();
      continue;
    }
    const auto t0 = std::chrono::steady_clock::now();
    s.paint(d, view, &cache);
    slowest = std::max(slowest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  state.counters["step"] = view.step();
  state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_ScrollAcross)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One step in about the surface's centre and back out, each a full repaint.
void BM_ZoomStep(benchmark::State& state) {
  const Diagram& d = huge();
  ViewTransform view = fitView(d, int(state.range(0)));
  const int base = view.step();
  Surface s;
  ViewPictureCache cache;
  s.paint(d, view, &cache);
  int64_t k = 0;
  for (auto _ : state) {
    view.zoomTo(k++ % 2 == 0 ? base + 1 : base, {SurfaceW / 2, SurfaceH / 2});
    s.paint(d, view, &cache);
  }
  state.counters["step"] = base;
}
BENCHMARK(BM_ZoomStep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A zoom step to a step not drawn before: every tile is new.
void BM_ZoomStep_FirstVisit(benchmark::State& state) {
  const Diagram& d = huge();
  ViewTransform view = fitView(d, int(state.range(0)));
  const int base = view.step();
  Surface s;
  ViewPictureCache cache;
  int64_t k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    cache.invalidateAll();
    view.zoomTo(base, {SurfaceW / 2, SurfaceH / 2});
    s.paint(d, view, &cache);
    view.zoomTo(k++ % 2 == 0 ? base + 1 : base - 1, {SurfaceW / 2, SurfaceH / 2});
    state.ResumeTiming();
    s.paint(d, view, &cache);
  }
}
BENCHMARK(BM_ZoomStep_FirstVisit)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

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
