#pragma once
// Where the diagram in the window came from, whether it has changed since it
// was last loaded or saved there, and whether that place could be read.
#include <cstdint>
#include <utility>

#include "model/Diagram.h"
#include "store/DiagramFiles.h"

namespace zorvex {

class DiagramDocument {
 public:
  explicit DiagramDocument(DiagramLocation where = {}) : where_(std::move(where)) {}

  const DiagramLocation& location() const { return where_; }
  // The diagram was just loaded completely from, or saved to, `where`.
  void settle(const Diagram& d, DiagramLocation where) {
    where_ = std::move(where);
    settled_ = diagramFingerprint(d);
    unread_ = false;
  }
  void settle(const Diagram& d) { settled_ = diagramFingerprint(d); }
  bool hasChanges(const Diagram& d) const { return diagramFingerprint(d) != settled_; }

  // Loading from the location failed part-way: the window holds only what
  // was read before the failure.
  void loadedPartly() { unread_ = true; }
  // Saving to `where` would write over a diagram that could not be read
  // completely: the user has to agree first.
  bool overwritesUnread(const DiagramLocation& where) const {
    return unread_ && sameLocation(where, where_) && holdsDiagram(where);
  }

 private:
  DiagramLocation where_;
  uint64_t settled_ = 0;
  bool unread_ = false;
};

}  // namespace zorvex
