#pragma once
// Splits a scan over many elements between two threads. Each half works
// on its own range and its own results, which the caller joins in order, so
// the outcome is the same as one scan from the first element to the last.
#include <cstddef>
#include <thread>

namespace zorvex {

// Calls work(begin, end, half) for half 0 on [0, count/2) and half 1 on
// [count/2, count), the second on its own thread when count >= from; small
// counts run as one half 0 over everything and an empty half 1.
template <class Work>
void inHalves(size_t count, size_t from, Work work) {
  if (count < from) {
    work(size_t{0}, count, 0);
    work(count, count, 1);
    return;
  }
  const size_t middle = count / 2;
  std::thread second([&] { work(middle, count, 1); });
  work(size_t{0}, middle, 0);
  second.join();
}

}  // namespace zorvex
