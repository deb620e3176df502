#include "store/RecoverySchedule.h"

namespace zorvex {

void RecoverySchedule::changed(Time now) {
  if (!firstUncopied_) firstUncopied_ = now;
}

void RecoverySchedule::saved() { firstUncopied_.reset(); }

void RecoverySchedule::copyStarted(Time) { firstUncopied_.reset(); }

void RecoverySchedule::copyFailed(Time now) {
  if (!firstUncopied_) firstUncopied_ = now;
}

std::optional<RecoverySchedule::Time> RecoverySchedule::due() const {
  if (!firstUncopied_) return std::nullopt;
  return *firstUncopied_ + Delay;
}

}  // namespace zorvex
