#pragma once
// A long layout stopped from another thread. The thread that lays out holds
// a flag for as long as a LayoutCancelScope lives; the layout looks at it
// between its steps and gives up by throwing LayoutCancelled, which carries
// no message: the user asked for it.
#include <atomic>

namespace zorvex {

struct LayoutCancelled {};

class LayoutCancelScope {
 public:
  explicit LayoutCancelScope(const std::atomic<bool>& cancelled);
  ~LayoutCancelScope();
  LayoutCancelScope(const LayoutCancelScope&) = delete;
  LayoutCancelScope& operator=(const LayoutCancelScope&) = delete;

 private:
  const std::atomic<bool>* before_;
};

bool layoutCancelled();
void throwIfLayoutCancelled();

}  // namespace zorvex
