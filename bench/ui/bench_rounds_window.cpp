// "Evaluate until stable" through the main window's own menu item on a chain
// of 100,000 sentences (sentence 0 set justified, each supporting the next),
// opened from a diagram file as the program opens one: the whole command
// (undo step, record, repaint, log window, log file), and the undo that takes
// the run back. The progress box would show after half a second.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/ZorvexApplication.h"
#include "model/Diagram.h"

namespace {

using namespace zorvex;

std::string writeChain(const QTemporaryDir& dir, int32_t length) {
  const std::string path = QDir(dir.path()).filePath("chain.json").toStdString();
  std::ofstream out(path, std::ios::binary);
  out << "{\n  \"sentences\": [\n";
  for (int32_t i = 0; i < length; ++i) {
    const int32_t x = (i % 1000) * 80, y = (i / 1000) * 40;
    out << "    {\"Left\": " << x << ", \"Top\": " << y << ", \"Right\": " << x + 60 << ", \"Bottom\": " << y + 20
        << ", \"Text\": \"S" << i << "\"" << (i == 0 ? ", \"Status\": 34" : "") << "}" << (i + 1 < length ? "," : "")
        << "\n";
  }
  out << "  ],\n  \"arrows\": [\n";
  for (int32_t i = 0; i + 1 < length; ++i)
    out << "    {\"From\": " << i << ", \"To\": " << i + 1 << "}" << (i + 2 < length ? "," : "") << "\n";
  out << "  ]\n}\n";
  return path;
}

struct Window {
  QTemporaryDir dir;
  std::unique_ptr<ZorvexApplication> app;
  QAction* untilStable = nullptr;
  QAction* undo = nullptr;
};

Window& chainWindow() {
  static Window w = [] {
    Window out;
    QDir::setCurrent(out.dir.path());  // the log file goes there, and the help the window reads
    std::ofstream(QDir(out.dir.path()).filePath("help.txt").toStdString()) << "Help\n";
    out.app = std::make_unique<ZorvexApplication>(DiagramLocation{writeChain(out.dir, 100000), DiagramFormat::Json});
    out.app->show();
    QApplication::processEvents();
    TArgumentForm& form = out.app->ArgumentForm();
    out.untilStable = form.findChild<QAction*>("EvaluateUntilStableMenuItem");
    out.undo = form.findChild<QAction*>("UndoMenuItem");
    return out;
  }();
  return w;
}

void BM_WindowUntilStableChain(benchmark::State& state) {
  Window& w = chainWindow();
  const Diagram& d = w.app->ArgumentForm().diagram();
  if (!w.untilStable || !w.undo || d.SentenceCount() != 100000) return state.SkipWithError("the window is not as expected");
  for (auto _ : state) {
    w.untilStable->trigger();
    state.PauseTiming();
    QApplication::processEvents();
    const bool settled = has(d.sentence(99999).Status, Undefeated);
    w.undo->trigger();
    QApplication::processEvents();
    if (!settled || !has(d.sentence(99999).Status, NotEvaluated)) state.SkipWithError("the run or its undo went wrong");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowUntilStableChain)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_WindowUndoOfUntilStable(benchmark::State& state) {
  Window& w = chainWindow();
  for (auto _ : state) {
    state.PauseTiming();
    w.untilStable->trigger();
    QApplication::processEvents();
    state.ResumeTiming();
    w.undo->trigger();
  }
}
BENCHMARK(BM_WindowUndoOfUntilStable)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Settings and the recovery copy go to a home of the benchmark's own.
  QTemporaryDir home;
  qputenv("HOME", QFile::encodeName(home.path()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/config"));
  qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + "/data"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  chainWindow().app.reset();
  benchmark::Shutdown();
  return 0;
}
