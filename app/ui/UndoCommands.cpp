#include "app/ui/UndoCommands.h"

#include <QAction>

#include "editor/ArgumentEditor.h"

namespace zorvex {

TUndoCommands::TUndoCommands(ArgumentEditor& editor, QAction& undoItem, QAction& redoItem,
                             std::function<void(const std::string& logLine)> stepped)
    : editor_(editor), undoItem_(undoItem), redoItem_(redoItem), stepped_(std::move(stepped)) {
  history_.setChangeListener([this] {
    refreshItems();
    if (changed) changed();
  });
  refreshItems();
}

// The mnemonic stays on the verb: "&Undo Add Sentence".
void TUndoCommands::refreshItems() {
  auto show = [](QAction* item, const char* verb, bool can, const std::string& name) {
    item->setEnabled(can);
    item->setText(QString::fromUtf8(verb) + (can ? " " + QString::fromStdString(name) : QString()));
  };
  show(&undoItem_, "&Undo", history_.canUndo(), history_.undoName());
  show(&redoItem_, "&Redo", history_.canRedo(), history_.redoName());
}

// Like a round: the log gets its lines, the window shows them, and the log
// is saved last.
void TUndoCommands::step(bool undo) {
  const std::optional<std::string> name = undo ? editor_.Undo() : editor_.Redo();
  if (!name) return;
  stepped_((undo ? "[Undo] " : "[Redo] ") + *name);
}

}  // namespace zorvex
