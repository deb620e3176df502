#pragma once
// Where the diagram in the window came from, and whether it has changed
// since it was last loaded or saved there.
#include <cstdint>
#include <utility>

#include "model/Diagram.h"
#include "store/DiagramFiles.h"

namespace zorvex {

class DiagramDocument {
 public:
  explicit DiagramDocument(DiagramLocation where = {}) : where_(std::move(where)) {}

  const DiagramLocation& location() const { return where_; }
  // The diagram was just loaded from, or saved to, `where`.
  void settle(const Diagram& d, DiagramLocation where) {
    where_ = std::move(where);
    settled_ = diagramFingerprint(d);
  }
  void settle(const Diagram& d) { settled_ = diagramFingerprint(d); }
  bool hasChanges(const Diagram& d) const { return diagramFingerprint(d) != settled_; }

 private:
  DiagramLocation where_;
  uint64_t settled_ = 0;
};

}  // namespace zorvex
