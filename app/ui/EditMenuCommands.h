#pragma once
// The Edit menu's commands on the selection: Edit Text, Select All, Cut,
// Copy, Paste and Duplicate, and the arrow keys that move the selection. The
// editor does the work; this face adds the items, carries the text to and
// from the system clipboard and finds where the pointer is for Paste.
#include <QObject>

class QAction;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QWidget;

namespace zorvex {

class ArgumentEditor;

class TEditMenuCommands : public QObject {
  Q_OBJECT
 public:
  // The items go below those the menu has. `canvas`: the widget whose pixel
  // (x, y) is window client point (x, y); while `sentenceEdit` has the focus
  // the keys are its own.
  TEditMenuCommands(QMenu& editMenu, ArgumentEditor& editor, QWidget& canvas, QLineEdit& sentenceEdit);

  void EditTextMenuItemClick();
  void SelectAllMenuItemClick();
  void CutMenuItemClick();
  void CopyMenuItemClick();
  void PasteMenuItemClick();
  void DuplicateMenuItemClick();
  // An arrow key the window saw first: true when it moved the selection.
  bool KeyDown(const QKeyEvent& key);

 private:
  bool boxHasFocus() const;

  ArgumentEditor& editor_;
  QWidget& canvas_;
  QLineEdit& sentenceEdit_;
};

}  // namespace zorvex
