#pragma once
// The elements one pass of the next round must visit. Each is listed once;
// the pass takes them in increasing number order (its log lines follow that
// order). Once more than a share of the kind is listed, the set stands for
// every element: a plain scan in order is then cheaper than sorting.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvex {

class PendingSet {
 public:
  void resize(size_t count) {
    marked_.assign(count, 0);
    list_.clear();
    all_ = false;
  }
  void add(int32_t n) {
    if (all_ || marked_[static_cast<size_t>(n)]) return;
    marked_[static_cast<size_t>(n)] = 1;
    list_.push_back(n);
    if (list_.size() > marked_.size() / 8 + 64) all_ = true;
  }
  void addAll() { all_ = true; }
  bool all() const { return all_; }
  size_t size() const { return all_ ? marked_.size() : list_.size(); }

  // Hands every listed element to visit, ascending, and empties the set.
  template <class Visit>
  void take(Visit visit) {
    if (all_) {
      std::fill(marked_.begin(), marked_.end(), 0);
      list_.clear();
      all_ = false;
      for (size_t n = 0; n < marked_.size(); ++n) visit(static_cast<int32_t>(n));
      return;
    }
    taken_.swap(list_);
    list_.clear();
    std::sort(taken_.begin(), taken_.end());
    for (int32_t n : taken_) marked_[static_cast<size_t>(n)] = 0;
    for (int32_t n : taken_) visit(n);
  }

  size_t bytes() const { return marked_.capacity() + (list_.capacity() + taken_.capacity()) * sizeof(int32_t); }

 private:
  std::vector<uint8_t> marked_;
  std::vector<int32_t> list_, taken_;
  bool all_ = false;
};

}  // namespace zorvex
