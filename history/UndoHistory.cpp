#include "history/UndoHistory.h"

#include <algorithm>

namespace zorvex {

void UndoHistory::record(UndoStep step) {
  redo_.clear();
  undo_.push_back(std::move(step));
  while (undo_.size() > limit_) undo_.pop_front();
  changed();
}

void UndoHistory::extendLatest(const UndoStep& next) {
  if (undo_.empty()) return record(next);
  UndoStep& latest = undo_.back();
  // Pressed again on the same selection, the same elements change in the
  // same order: their records are taken over one by one.
  const bool sameElements =
      latest.elements.size() == next.elements.size() &&
      std::equal(latest.elements.begin(), latest.elements.end(), next.elements.begin(),
                 [](const ElementChange& a, const ElementChange& b) { return a.ref == b.ref; });
  if (sameElements) {
    for (size_t i = 0; i < next.elements.size(); ++i) latest.elements[i].after = next.elements[i].after;
  } else {
    StepSequence joined(latest.name);
    joined.add(latest);
    joined.add(next);
    latest.elements = joined.step().elements;
  }
  redo_.clear();
  changed();
}

std::optional<std::string> UndoHistory::undo(Diagram& diagram) {
  if (undo_.empty()) return std::nullopt;
  UndoStep step = std::move(undo_.back());
  undo_.pop_back();
  step.apply(diagram, true);
  std::string name = step.describedName();
  redo_.push_back(std::move(step));
  changed();
  return name;
}

std::optional<std::string> UndoHistory::redo(Diagram& diagram) {
  if (redo_.empty()) return std::nullopt;
  UndoStep step = std::move(redo_.back());
  redo_.pop_back();
  step.apply(diagram, false);
  std::string name = step.describedName();
  undo_.push_back(std::move(step));
  changed();
  return name;
}

void UndoHistory::clear() {
  undo_.clear();
  redo_.clear();
  changed();
}

size_t UndoHistory::bytes() const {
  size_t total = 0;
  for (const UndoStep& s : undo_) total += s.bytes();
  for (const UndoStep& s : redo_) total += s.bytes();
  return total;
}

}  // namespace zorvex
