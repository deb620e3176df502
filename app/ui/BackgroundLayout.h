#pragma once
// Work too long for the window's thread, such as laying out a large map,
// runs on a worker thread. The window waits for it as for work done on its
// own thread, handling nothing; after half a second a modal progress box
// shows, whose Cancel (or Escape) stops the work: its result is dropped and
// nothing changes. The work must use only
// what it owns (copies), never the window's diagram, since a cancelled one
// may run on a moment after the window has gone on.
#include <QString>
#include <atomic>
#include <chrono>
#include <future>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "layout/LayoutCancel.h"

class QWidget;

namespace zorvex {

inline constexpr std::chrono::milliseconds LayoutProgressDelay{500};

// With the progress box: true once the work has ended, false when the user cancelled it first.
bool waitWithLayoutProgress(QWidget* parent, const QString& label, const std::atomic<bool>& done);
// A cancelled worker is joined when the program ends, not while the window waits.
void keepUntilExit(std::thread worker);

template <class T>
std::optional<T> runLongLayout(QWidget* parent, const QString& label, std::function<T()> work) {
  struct Shared {
    std::atomic<bool> cancelled{false}, done{false};
    std::optional<T> result;
    std::exception_ptr error;
    std::promise<void> ended;
  };
  auto shared = std::make_shared<Shared>();
  std::future<void> ended = shared->ended.get_future();
  std::thread worker([shared, work = std::move(work)] {
    try {
      LayoutCancelScope scope(shared->cancelled);
      shared->result = work();
    } catch (const LayoutCancelled&) {
    } catch (...) {
      shared->error = std::current_exception();
    }
    shared->done.store(true);
    shared->ended.set_value();
  });
  if (ended.wait_for(LayoutProgressDelay) != std::future_status::ready &&
      !waitWithLayoutProgress(parent, label, shared->done)) {
    shared->cancelled.store(true);
    keepUntilExit(std::move(worker));
    return std::nullopt;
  }
  worker.join();
  if (shared->error) std::rethrow_exception(shared->error);
  return std::move(shared->result);
}

}  // namespace zorvex
