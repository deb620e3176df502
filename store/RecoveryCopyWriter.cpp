#include "store/RecoveryCopyWriter.h"

#include <chrono>

namespace zorvex {

bool RecoveryCopyWriter::start(DiagramSnapshot snapshot, DiagramLocation source, std::filesystem::path folder,
                               std::filesystem::path fallback) {
  if (pending_.valid()) return false;
  pending_ = std::async(std::launch::async, [snapshot = std::move(snapshot), source = std::move(source),
                                             folder = std::move(folder), fallback = std::move(fallback)] {
    RecoveryOutcome outcome;
    try {
      outcome.kept = keepRecoveryCopy(snapshot.rows(), source, folder, fallback);
    } catch (const ZorvexError& e) {
      outcome.error = e;
    }
    return outcome;
  });
  return true;
}

std::optional<RecoveryOutcome> RecoveryCopyWriter::collect() {
  if (!pending_.valid() || pending_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return std::nullopt;
  return pending_.get();
}

}  // namespace zorvex
