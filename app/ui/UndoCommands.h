#pragma once
// The window's face of undo and redo: the Edit menu's two items, named after
// the step they would take back or do again, and their log lines.
#include <functional>
#include <string>

#include "history/UndoHistory.h"

class QAction;

namespace zorvex {

class ArgumentEditor;

class TUndoCommands {
 public:
  // After a step is taken back or done again, `stepped` gets its log line.
  TUndoCommands(ArgumentEditor& editor, QAction& undoItem, QAction& redoItem,
                std::function<void(const std::string& logLine)> stepped);

  UndoHistory& history() { return history_; }
  // Told after every step recorded, taken back or done again, and when the
  // steps are forgotten: the diagram may have changed.
  std::function<void()> changed;
  void UndoMenuItemClick() { step(true); }
  void RedoMenuItemClick() { step(false); }

 private:
  void step(bool undo);
  void refreshItems();

  ArgumentEditor& editor_;
  QAction& undoItem_;
  QAction& redoItem_;
  std::function<void(const std::string&)> stepped_;
  UndoHistory history_;
};

}  // namespace zorvex
