#include "app/ui/UndoCommands.h"

#include <QAction>

#include "app/ui/ArgumentFormUnit.h"
#include "editor/ArgumentEditor.h"

namespace zorvex {

TUndoCommands::TUndoCommands(TArgumentForm& form) : form_(form) {
  history_.setChangeListener([this] { refreshItems(); });
  refreshItems();
}

// The mnemonic stays on the verb: "&Undo Add Sentence".
void TUndoCommands::refreshItems() {
  auto show = [](QAction* item, const char* verb, bool can, const std::string& name) {
    item->setEnabled(can);
    item->setText(QString::fromUtf8(verb) + (can ? " " + QString::fromStdString(name) : QString()));
  };
  show(form_.UndoMenuItem, "&Undo", history_.canUndo(), history_.undoName());
  show(form_.RedoMenuItem, "&Redo", history_.canRedo(), history_.redoName());
}

// Like a round: the log gets its lines, the window shows them, and the log
// is saved last.
void TUndoCommands::step(bool undo) {
  const std::optional<std::string> name = undo ? form_.editor().Undo() : form_.editor().Redo();
  if (!name) return;
  form_.repaintSurface();
  form_.logCommand({(undo ? "[Undo] " : "[Redo] ") + *name});
}

}  // namespace zorvex
