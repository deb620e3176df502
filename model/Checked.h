#pragma once
// Coordinate and counter arithmetic is checked 32-bit signed arithmetic:
// an overflow is an error like any other failure, never a silent wrap.
#include <cstdint>
#include <limits>

#include "model/ZorvexError.h"

namespace zorvex {

inline int32_t narrowChecked(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    throw ZorvexError("Integer overflow");
  return static_cast<int32_t>(v);
}
inline int32_t addChecked(int32_t a, int32_t b) { return narrowChecked(int64_t{a} + b); }
inline int32_t subChecked(int32_t a, int32_t b) { return narrowChecked(int64_t{a} - b); }
inline int32_t mulChecked(int32_t a, int32_t b) { return narrowChecked(int64_t{a} * b); }
// The centre rule: the sum is itself 32-bit and checked, then halved
// truncating toward zero.
inline int32_t midChecked(int32_t a, int32_t b) { return addChecked(a, b) / 2; }

}  // namespace zorvex
