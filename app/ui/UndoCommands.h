#pragma once
// The window's face of undo and redo: the Edit menu's two items, named after
// the step they would take back or do again, and their log lines.
#include "history/UndoHistory.h"

namespace zorvex {

class TArgumentForm;

class TUndoCommands {
 public:
  // The form's Edit menu items must exist.
  explicit TUndoCommands(TArgumentForm& form);

  UndoHistory& history() { return history_; }
  void UndoMenuItemClick() { step(true); }
  void RedoMenuItemClick() { step(false); }

 private:
  void step(bool undo);
  void refreshItems();

  TArgumentForm& form_;
  UndoHistory history_;
};

}  // namespace zorvex
