#pragma once
// Writes recovery copies on a thread of its own, one at a time, from
// snapshots: the thread never sees the diagram. Each copy replaces the one
// before atomically (temporary file, flush, rename), so a kill at any moment
// leaves the old copy or the new one.
#include <filesystem>
#include <future>
#include <optional>

#include "store/DiagramSnapshot.h"
#include "store/RecoveryCopies.h"

namespace zorvex {

struct RecoveryOutcome {
  KeptCopy kept;                     // where it went, and why the first place failed if it did
  std::optional<ZorvexError> error;  // when neither place could keep it
};

class RecoveryCopyWriter {
 public:
  ~RecoveryCopyWriter() { wait(); }

  // Starts writing the copy; false, and nothing started, while the previous
  // one is still being written or its outcome not collected.
  bool start(DiagramSnapshot snapshot, DiagramLocation source, std::filesystem::path folder,
             std::filesystem::path fallback);
  bool busy() const { return pending_.valid(); }
  // The outcome of the copy once it is written; nothing while it is still
  // being written or when none was started.
  std::optional<RecoveryOutcome> collect();
  // Waits until the copy being written is done.
  void wait() {
    if (pending_.valid()) pending_.wait();
  }

 private:
  std::future<RecoveryOutcome> pending_;
};

}  // namespace zorvex
