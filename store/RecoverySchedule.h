#pragma once
// When to keep a fresh recovery copy of a diagram with unsaved changes: at
// most a minute after a change, and never sooner than ten seconds after the
// copy before. A save (or opening another diagram) clears the need until the
// next change. The clock is the caller's, so tests can move it by hand.
#include <chrono>
#include <optional>

namespace zorvex {

class RecoverySchedule {
 public:
  using Clock = std::chrono::steady_clock;
  using Time = Clock::time_point;
  // A copy is due this long after the first change it takes in. That change
  // came after the previous copy was started, so copies are at least this
  // far apart, and each change is copied well within a minute.
  static constexpr std::chrono::seconds Delay{10};

  // The diagram changed (its unsaved changes are not all in a copy any more).
  void changed(Time now);
  // Saved, opened anew, or back to what was saved: nothing to copy.
  void saved();
  // A copy taking in every change so far was started (its snapshot taken).
  void copyStarted(Time now);
  // That copy could not be written: its changes are still to be copied.
  void copyFailed(Time now);

  // When the next copy is due, or nothing while there is nothing to copy.
  std::optional<Time> due() const;
  bool isDue(Time now) const { return due() && *due() <= now; }

 private:
  std::optional<Time> firstUncopied_;
};

}  // namespace zorvex
