// Editing on a diagram of 100,000 elements: a hit test under the pointer, a
// rubber-band selection over a 640 x 480 area, one drag step of a sentence
// with 1,000 attached arrows, one Ctrl+Shift-drag step of 10,000 selected
// sentences with their arrows, Select All and Copy of everything, and what
// each of the 20,000 defeaters holds.
// The host only counts what it is asked.
#include <benchmark/benchmark.h>

#include "edit/DefeaterHolds.h"
#include "editor/ArgumentEditor.h"
#include "history/UndoHistory.h"
#include "elements/Geometry.h"

namespace zorvex {
namespace {

struct CountingHost : EditorHost {
  int64_t calls = 0;
  void setStatusText(int, const std::string&) override { ++calls; }
  void setToolButtonDown(ToolButton) override { ++calls; }
  void repaintSurface() override { ++calls; }
  void repaintElement(ElementRef) override { ++calls; }
  void repaintAllDefeaters() override { ++calls; }
  void elementMoved(ElementRef, const Rect&) override { ++calls; }
  void setOverlay(const std::vector<OverlayFigure>&) override { ++calls; }
  bool askYesNo(const std::string&) override { return false; }
  void showWarning(const std::string&) override {}
  void sentenceEditChanged() override {}
  void focusSentenceEdit() override {}
  TextSize measureText(const std::string& t) override { return {static_cast<int32_t>(t.size()) * 7, 13}; }
  SurfaceSize surfaceSize() override { return {30000, 30000}; }
  void openArrowPopup(Point) override {}
  void openDefeaterPopup(Point) override {}
  void prepareSentencePopup(const SentencePopupState&) override {}
};

constexpr int32_t Columns = 200;
constexpr int32_t StepX = 120, StepY = 60;

Point cell(int32_t n) { return {20 + (n % Columns) * StepX, 20 + (n / Columns) * StepY}; }

int32_t addBox(Diagram& d, int32_t n, Point at) {
  TSentence s;
  s.Left = at.x;
  s.Top = at.y;
  s.Width = 60;
  s.Height = 20;
  s.Right = at.x + 60;
  s.Bottom = at.y + 20;
  s.Text = "S" + std::to_string(n);
  return d.addSentence(s);
}

void join(Diagram& d, int32_t from, int32_t to) {
  TArrow a;
  a.Sentence1 = from;
  a.Sentence2 = to;
  ComputeStartEndArrow(a, d.sentence(from), d.sentence(to));
  setArrowBounds(a);
  d.addArrow(a);
}

// 40,000 sentences on a grid, 40,000 arrows to the right-hand neighbour or
// the one below, 20,000 defeaters around neighbouring pairs.
Diagram& bigDiagram() {
  static Diagram d = [] {
    Diagram g;
    const int32_t sentences = 40000;
    g.reserve(sentences, 40000, 20000);
    for (int32_t n = 0; n < sentences; ++n) addBox(g, n, cell(n));
    for (int32_t n = 0; n < sentences; ++n) join(g, n, (n % Columns != Columns - 1) ? n + 1 : (n + Columns) % sentences);
    for (int32_t n = 0; n < 20000; ++n) {
      const Point p = cell(2 * n);
      TDefeater f;
      f.ChallengingRect = {p.x - 5, p.y - 5, p.x + 65, p.y + 25};
      f.ChallengedRect = {p.x + StepX - 5, p.y - 5, p.x + StepX + 65, p.y + 25};
      ComputeStartEndDefeater(f);
      setDefeaterExtent(f);
      g.addDefeater(f);
    }
    return g;
  }();
  return d;
}

void BM_HitTestUnderPointer(benchmark::State& state) {
  Diagram& d = bigDiagram();
  CountingHost host;
  ArgumentEditor ed(d, host);
  const TArrow& a = d.arrow(20000 + 77);
  const int32_t x = (a.StartX + a.EndX) / 2, y = (a.StartY + a.EndY) / 2;
  for (auto _ : state) {
    auto arrow = ed.FindArrowAt(x, y + 1);
    auto defeater = ed.FindDefeaterAt(x, y + 1);
    benchmark::DoNotOptimize(arrow);
    benchmark::DoNotOptimize(defeater);
  }
}
BENCHMARK(BM_HitTestUnderPointer)->Unit(benchmark::kMicrosecond);

void BM_RubberBandSelection640x480(benchmark::State& state) {
  Diagram& d = bigDiagram();
  CountingHost host;
  ArgumentEditor ed(d, host);
  ed.MakeSelectionSpeedButtonClick();
  const Point from{6000, 4000}, to{6640, 4480};
  for (auto _ : state) {
    ed.ArgumentPaintBoxMouseDown(MouseButton::Left, ShiftState(ssLeft), from.x, from.y - SurfaceTop);
    ed.ArgumentPaintBoxMouseMove(ShiftState(ssLeft), to.x, to.y - SurfaceTop);
    ed.ArgumentPaintBoxMouseUp(MouseButton::Left, ShiftState(0u), to.x, to.y - SurfaceTop);
  }
  int64_t selected = 0;
  for (const TSentence& s : d.sentences()) selected += s.Selected;
  state.counters["sentences_selected"] = static_cast<double>(selected);
  ed.LeaveCurrentMode();
}
BENCHMARK(BM_RubberBandSelection640x480)->Unit(benchmark::kMicrosecond);

void BM_DragStepWith1000Arrows(benchmark::State& state) {
  Diagram d = bigDiagram();
  // The hub sits in the middle of the grid, joined to 1,000 sentences around it.
  const int32_t hub = addBox(d, -1, {12030, 6030});
  for (int32_t k = 0; k < 1000; ++k) {
    const int32_t other = (50 + k / 40) * Columns + 80 + k % 40;
    if (k % 2) join(d, hub, other); else join(d, other, hub);
  }
  CountingHost host;
  ArgumentEditor ed(d, host);
  ed.MakeSelectionSpeedButtonClick();
  ed.MousePress({MouseButton::Left, ShiftState(ssCtrl | ssLeft), {12040, 6040}});
  if (ed.editMode() != EditMode::DraggingSentenceMode) state.SkipWithError("drag did not start");
  int64_t step = 0;
  for (auto _ : state) {
    const int32_t dx = (step++ % 2) ? -1 : 1;
    ed.MouseMove({MouseButton::Left, ShiftState(ssCtrl | ssLeft), {12040 + (dx > 0 ? 1 : 0), 6040}});
  }
  state.counters["host_calls_per_step"] = static_cast<double>(host.calls) / static_cast<double>(step);
  ed.MouseRelease({MouseButton::Left, ShiftState(0u), {12040, 6040}});
}
BENCHMARK(BM_DragStepWith1000Arrows)->Unit(benchmark::kMillisecond);

// The first 50 rows of the grid (10,000 sentences, about 20,000 arrows at
// them) are selected and dragged by one of them, a pixel at a time.
void BM_GroupDragStep10000Sentences(benchmark::State& state) {
  Diagram d = bigDiagram();
  CountingHost host;
  ArgumentEditor ed(d, host);
  UndoHistory history;
  ed.setUndoHistory(&history);
  ed.MakeSelectionSpeedButtonClick();
  ed.MousePress({MouseButton::Left, ShiftState(ssLeft), {1, 3}});
  ed.MouseMove({MouseButton::Left, ShiftState(ssLeft), {Columns * StepX, 50 * StepY}});
  ed.MouseRelease({MouseButton::Left, ShiftState(0u), {Columns * StepX, 50 * StepY}});
  int64_t selected = 0;
  for (const TSentence& s : d.sentences()) selected += s.Selected;
  if (selected != 10000) state.SkipWithError("the selection is not 10,000 sentences");
  const ShiftState held(ssCtrl | ssShift | ssLeft);
  ed.MousePress({MouseButton::Left, held, {30, 30}});
  int64_t step = 0;
  for (auto _ : state) ed.MouseMove({MouseButton::Left, held, {30 + static_cast<int32_t>(++step % 2), 30}});
  ed.MouseRelease({MouseButton::Left, ShiftState(ssCtrl | ssShift), {30, 30}});
  state.counters["sentences_moved"] = static_cast<double>(selected);
  state.counters["undo_steps"] = static_cast<double>(history.undoCount());
}
BENCHMARK(BM_GroupDragStep10000Sentences)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndCopy100000Elements(benchmark::State& state) {
  Diagram d = bigDiagram();
  CountingHost host;
  ArgumentEditor ed(d, host);
  ed.MakeSelectionSpeedButtonClick();
  size_t bytes = 0;
  for (auto _ : state) {
    ed.SelectAll();
    if (state.range(0)) bytes = ed.Copy().value_or(std::string()).size();
  }
  state.counters["clipboard_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_SelectAllAndCopy100000Elements)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Each rectangle holds one sentence and the arrow leaving it.
void BM_WhatEveryDefeaterHolds(benchmark::State& state) {
  const Diagram& d = bigDiagram();
  int64_t held = 0;
  for (auto _ : state)
    for (int32_t n = 0; n < d.DefeaterCount(); ++n) {
      const DefeaterHolding h = defeaterHolds(d, n);
      held += static_cast<int64_t>(h.challenging.sentences.size() + h.challenged.sentences.size());
    }
  state.SetItemsProcessed(state.iterations() * d.DefeaterCount());
  benchmark::DoNotOptimize(held);
}
BENCHMARK(BM_WhatEveryDefeaterHolds)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvex

BENCHMARK_MAIN();
