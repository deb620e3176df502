#include "layout/LayoutCancel.h"

namespace zorvex {
namespace {

thread_local const std::atomic<bool>* flag = nullptr;

}  // namespace

LayoutCancelScope::LayoutCancelScope(const std::atomic<bool>& cancelled) : before_(flag) { flag = &cancelled; }

LayoutCancelScope::~LayoutCancelScope() { flag = before_; }

bool layoutCancelled() { return flag != nullptr && flag->load(std::memory_order_relaxed); }

void throwIfLayoutCancelled() {
  if (layoutCancelled()) throw LayoutCancelled{};
}

}  // namespace zorvex
