#pragma once
// Keeps the recovery copy fresh while the window's diagram has unsaved
// changes: a change marks the need, a timer asks the schedule when a copy is
// due, the snapshot is taken here on the window's thread and the copy is
// written on the worker, so the window never waits for the disk.
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>

#include "store/RecoveryCopyWriter.h"
#include "store/RecoverySchedule.h"

namespace zorvex {

class RecoveryCopyTimer {
 public:
  using Clock = RecoverySchedule::Clock;
  // Where the copy of the diagram goes, asked at each copy: the diagram's
  // place and the folders may change between copies.
  struct Places {
    DiagramLocation source;
    std::filesystem::path folder, fallback;
  };

  // `told` gets the outcome of every copy written.
  RecoveryCopyTimer(const Diagram& diagram, std::function<Places()> places,
                    std::function<void(const RecoveryOutcome&)> told);

  // The clock the schedule is asked with; tests move it by hand.
  std::function<Clock::time_point()> now = [] { return Clock::now(); };

  void changed();
  // Saved or opened anew: nothing to copy until the next change.
  void saved();
  // What the timer does when it fires: tells the outcome of a copy that has
  // been written, and starts the next one when it is due.
  void tick();
  // Waits for the copy being written, if any, and tells its outcome.
  void waitForCopy();
  // Before the copy on closing: waits for the copy being written and tells
  // its outcome, and writes no more.
  void finish();
  // Whether the timer is running (there is something to copy or a copy to collect).
  bool running() const { return timer_.isActive(); }

 private:
  void collect();

  const Diagram& diagram_;
  std::function<Places()> places_;
  std::function<void(const RecoveryOutcome&)> told_;
  RecoverySchedule schedule_;
  RecoveryCopyWriter writer_;
  QTimer timer_;
  bool finished_ = false;
};

}  // namespace zorvex
