#pragma once
// One undoable step: what it changed, recorded so that it can be taken back
// and done again. Element edits keep the element's whole record before and
// after; status commands keep only the statuses they changed, packed. The
// view marks in a record (Selected, Enabled) are never put back.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "model/Diagram.h"

namespace zorvex {

using ElementRecord = std::variant<TSentence, TArrow, TDefeater>;

// One element's record before and after a step.
struct ElementChange {
  ElementRef ref;
  ElementRecord before;
  ElementRecord after;
};

// Sentence and arrow status bytes and defeater states a step changed. Per
// kind a byte stream of (gap to the previous number, varint; old value; new
// value), so a round that changes a tenth of a huge diagram costs about three
// bytes per change.
class StatusChanges {
 public:
  // Numbers of one kind must come in ascending order.
  void add(ElementKind kind, int32_t number, uint8_t before, uint8_t after);
  // Puts back the old values (undo) or the new ones (redo).
  void apply(Diagram& diagram, bool undo) const;
  // Calls visit(number, before, after) for every change of one kind, numbers ascending.
  template <typename Visit>
  void forEach(ElementKind kind, Visit visit) const {
    const std::vector<uint8_t>& data = streams_[static_cast<size_t>(kind)].data;
    const uint8_t* p = data.data();
    const uint8_t* end = p + data.size();
    int32_t n = -1;
    while (p < end) {
      uint32_t gap = 0;
      for (int shift = 0;; shift += 7) {
        const uint8_t b = *p++;
        gap |= static_cast<uint32_t>(b & 0x7F) << shift;
        if ((b & 0x80) == 0) break;
      }
      n += static_cast<int32_t>(gap) + 1;
      visit(n, p[0], p[1]);
      p += 2;
    }
  }
  size_t count() const;
  size_t count(ElementKind kind) const { return streams_[static_cast<size_t>(kind)].count; }
  size_t bytes() const;
  // Gives back the spare room of the streams once the step is complete.
  void shrink();

 private:
  struct Stream {
    std::vector<uint8_t> data;
    int32_t last = -1;
    size_t count = 0;
  };
  std::array<Stream, 3> streams_;
};

// The statuses as they stood before a status command, to be compared with
// the statuses after it. Only kept for the length of the command.
class StatusSnapshot {
 public:
  explicit StatusSnapshot(const Diagram& diagram);
  StatusChanges changesTo(const Diagram& diagram) const;

 private:
  std::vector<uint8_t> sentences_, arrows_, defeaters_;
};

struct UndoStep {
  std::string name;  // as the Edit menu names it: "Add Sentence"
  std::vector<ElementChange> elements;
  StatusChanges statuses;
  std::string subject = {};  // the sentence it is about, if one: "Tweety flies"

  // As the log names it: "Add Sentence 'Tweety flies'", or just the name.
  std::string describedName() const;
  void apply(Diagram& diagram, bool undo) const;
  size_t bytes() const;
};

// A step of a status command: the statuses that changed since the snapshot.
UndoStep StatusStep(std::string name, const StatusSnapshot& before, const Diagram& after);

// Builds the step of an element edit: note each element before changing it
// (or after adding it), then take the step once the edit is done.
class ElementStepBuilder {
 public:
  ElementStepBuilder(const Diagram& diagram, std::string name) : diagram_(&diagram), name_(std::move(name)) {}

  // The element as it is now is its state before the step (the first note of
  // an element counts).
  void before(ElementRef ref);
  // A new element: before the step it was, in effect, deleted.
  void added(ElementRef ref);
  bool empty() const { return changes_.empty(); }
  // Reads every noted element's record as it is now.
  UndoStep take() const;

 private:
  const Diagram* diagram_;
  std::string name_;
  std::vector<ElementChange> changes_;
};

// Element edits done one after another and taken back as one step (a whole
// drag, one press of Delete): each element keeps its record from before the
// first edit that changed it and takes the one after the last.
class StepSequence {
 public:
  explicit StepSequence(std::string name) { step_.name = std::move(name); }
  // Only element changes are taken: status changes do not join up so.
  void add(const UndoStep& next);
  bool empty() const { return step_.elements.empty(); }
  // The step so far, named as given.
  const UndoStep& step() const { return step_; }

 private:
  static uint64_t key(ElementRef ref) {
    return (uint64_t{static_cast<uint8_t>(ref.kind)} << 32) | static_cast<uint32_t>(ref.index);
  }
  UndoStep step_;
  std::unordered_map<uint64_t, size_t> at_;
};

// The record of an element as the diagram holds it now.
ElementRecord RecordOf(const Diagram& diagram, ElementRef ref);

}  // namespace zorvex
