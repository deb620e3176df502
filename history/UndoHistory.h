#pragma once
// The undo and redo lists. A new step clears the redo list; the oldest steps
// are forgotten beyond the limit. Applying a step sets exactly the records
// and statuses it holds, so steps must be undone and redone in order, which
// these lists guarantee.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "history/UndoStep.h"

namespace zorvex {

class UndoHistory {
 public:
  static constexpr size_t DefaultLimit = 1000;
  explicit UndoHistory(size_t limit = DefaultLimit) : limit_(limit) {}

  void record(UndoStep step);
  // The latest step takes in one done right after it (the next press of a
  // key that repeats it): each element keeps its record from before the
  // latest step and takes the one after `next`. Only element changes join.
  void extendLatest(const UndoStep& next);
  // Takes back the latest step, or does the latest undone one again; returns
  // the step's described name, or nothing when there was none.
  std::optional<std::string> undo(Diagram& diagram);
  std::optional<std::string> redo(Diagram& diagram);
  // A diagram was opened: its steps mean nothing now.
  void clear();

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  // Names of the steps undo and redo would act on ("" when none).
  std::string undoName() const { return undo_.empty() ? std::string() : undo_.back().name; }
  std::string redoName() const { return redo_.empty() ? std::string() : redo_.back().name; }
  // The steps undo and redo would act on, or nothing: after an undo the
  // redo step is the one just taken back, after a redo the undo step.
  const UndoStep* undoStep() const { return undo_.empty() ? nullptr : &undo_.back(); }
  const UndoStep* redoStep() const { return redo_.empty() ? nullptr : &redo_.back(); }
  // Counts every change of the lists: equal counts, the same latest step.
  uint64_t version() const { return version_; }
  size_t undoCount() const { return undo_.size(); }
  size_t redoCount() const { return redo_.size(); }
  // Memory the recorded changes take, roughly.
  size_t bytes() const;
  // Told after every change of the lists (menus name the next step).
  void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

 private:
  void changed() {
    ++version_;
    if (listener_) listener_();
  }

  size_t limit_;
  uint64_t version_ = 0;
  std::function<void()> listener_;
  std::deque<UndoStep> undo_;
  std::vector<UndoStep> redo_;
};

}  // namespace zorvex
