#include "app/ui/RecoveryCopyTimer.h"

#include "store/DiagramSnapshot.h"

namespace zorvex {
namespace {

// Often enough to start a copy within a second of its time and to collect a
// written one soon after; asking the schedule costs nothing.
constexpr int TickMilliseconds = 1000;

}  // namespace

RecoveryCopyTimer::RecoveryCopyTimer(const Diagram& diagram, std::function<Places()> places,
                                     std::function<void(const RecoveryOutcome&)> told)
    : diagram_(diagram), places_(std::move(places)), told_(std::move(told)) {
  timer_.setInterval(TickMilliseconds);
  QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void RecoveryCopyTimer::changed() {
  if (finished_) return;
  schedule_.changed(now());
  timer_.start();
}

void RecoveryCopyTimer::saved() {
  schedule_.saved();
  if (!writer_.busy()) timer_.stop();
}

void RecoveryCopyTimer::tick() {
  collect();
  const Clock::time_point at = now();
  if (!finished_ && !writer_.busy() && schedule_.isDue(at)) {
    Places p = places_();
    if (p.folder.empty()) {
      schedule_.saved();  // nowhere to keep copies
    } else if (writer_.start(DiagramSnapshot::of(diagram_), std::move(p.source), std::move(p.folder),
                             std::move(p.fallback))) {
      // The only moment the diagram is read: the worker gets the snapshot.
      schedule_.copyStarted(at);
    }
  }
  if (!writer_.busy() && !schedule_.due()) timer_.stop();
}

void RecoveryCopyTimer::finish() {
  finished_ = true;
  timer_.stop();
  waitForCopy();
}

void RecoveryCopyTimer::waitForCopy() {
  writer_.wait();
  collect();
}

void RecoveryCopyTimer::collect() {
  const std::optional<RecoveryOutcome> outcome = writer_.collect();
  if (!outcome) return;
  // Its changes are still to be copied: try again after the delay.
  if (outcome->error) schedule_.copyFailed(now());
  if (told_) told_(*outcome);
}

}  // namespace zorvex
