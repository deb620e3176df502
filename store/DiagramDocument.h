#pragma once
// Where the diagram in the window came from, whether it has changed since it
// was last loaded or saved there, whether that place could be read, and
// whether another program has written there since.
#include <cstdint>
#include <optional>
#include <utility>

#include "model/Diagram.h"
#include "store/DiagramFiles.h"
#include "store/DiskRecord.h"

namespace zorvex {

class DiagramDocument {
 public:
  // `onDisk`: what the location's files held before the diagram was read
  // from them; without it, writes by other programs go unnoticed.
  explicit DiagramDocument(DiagramLocation where = {}, std::optional<DiskRecord> onDisk = {})
      : where_(std::move(where)), onDisk_(std::move(onDisk)) {}

  const DiagramLocation& location() const { return where_; }
  // The diagram was just loaded completely from `where`, whose files held
  // `onDisk` before it was read (so a write in between is noticed too).
  void settle(const Diagram& d, DiagramLocation where, DiskRecord onDisk) {
    where_ = std::move(where);
    settled_ = diagramFingerprint(d);
    unread_ = false;
    onDisk_ = std::move(onDisk);
  }
  // The diagram was just saved to `where`.
  void settle(const Diagram& d, DiagramLocation where) {
    DiskRecord written = recordOnDisk(where);
    settle(d, std::move(where), std::move(written));
  }
  void settle(const Diagram& d) { settled_ = diagramFingerprint(d); }
  bool hasChanges(const Diagram& d) const { return diagramFingerprint(d) != settled_; }

  // Saving to `where` would replace files another program has written since
  // the diagram was read from or saved to them (size, modification time or
  // bytes differ, or they appeared or went).
  bool changedByOthers(const DiagramLocation& where) const {
    return onDisk_ && sameLocation(where, where_) && recordOnDisk(where_) != *onDisk_;
  }

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
  std::optional<DiskRecord> onDisk_;
};

}  // namespace zorvex
