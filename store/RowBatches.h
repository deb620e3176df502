#pragma once
// Rows handed in order from a thread that reads them to one that makes
// elements of them. A few batches go round: the reader fills a free one
// while the maker works through those filled before, and each batch keeps
// its rows' room (their texts' included) for its next time round.
#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "store/DiagramRows.h"

namespace zorvex {

struct RowBatch {
  enum class Kind { Sentences, Arrows, Defeaters } kind = Kind::Sentences;
  size_t count = 0;  // the first `count` rows of the kind's list, and their statuses, are in use
  std::vector<SentenceRow> sentences;
  std::vector<ArrowRow> arrows;
  std::vector<DefeaterRow> defeaters;
  std::vector<int64_t> statuses;
  // Arrows only: the sentence numbers of a row given by them, {-1, -1} for a full row.
  std::vector<std::array<int32_t, 2>> ends;

  template <class Row>
  std::vector<Row>& rows() {
    if constexpr (std::is_same_v<Row, SentenceRow>) return sentences;
    if constexpr (std::is_same_v<Row, ArrowRow>) return arrows;
    if constexpr (std::is_same_v<Row, DefeaterRow>) return defeaters;
  }
};

class RowBatches {
 public:
  static constexpr size_t Rows = 2048;

  RowBatches() {
    for (RowBatch& b : all_) free_.push_back(&b);
  }
  RowBatches(const RowBatches&) = delete;
  RowBatches& operator=(const RowBatches&) = delete;

  // For the reader: an empty batch, once one is free; nullptr when the maker has stopped.
  RowBatch* empty() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || !free_.empty(); });
    if (stopped_) return nullptr;
    RowBatch* b = free_.back();
    free_.pop_back();
    b->count = 0;
    return b;
  }
  void filled(RowBatch* b) { change([&] { full_.push_back(b); }); }
  // No more batches will be filled.
  void finished() { change([this] { finished_ = true; }); }

  // For the maker: the next filled batch, waiting for it; nullptr after the last.
  RowBatch* next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return finished_ || !full_.empty(); });
    if (full_.empty()) return nullptr;
    RowBatch* b = full_.front();
    full_.pop_front();
    return b;
  }
  void done(RowBatch* b) { change([&] { free_.push_back(b); }); }
  // The maker wants no more rows: the reader's next empty() gives nullptr.
  void stop() { change([this] { stopped_ = true; }); }

 private:
  template <class F>
  void change(F f) {
    {
      const std::lock_guard lock(mutex_);
      f();
    }
    changed_.notify_all();
  }

  RowBatch all_[4];
  std::vector<RowBatch*> free_;
  std::deque<RowBatch*> full_;
  bool finished_ = false, stopped_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
};

}  // namespace zorvex
