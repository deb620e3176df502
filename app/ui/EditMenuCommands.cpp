#include "app/ui/EditMenuCommands.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

#include "editor/ArgumentEditor.h"

namespace zorvex {
namespace {

QAction* item(QMenu& menu, const char* name, const char* caption, const char* key) {
  QAction* a = menu.addAction(QString::fromUtf8(caption));
  a->setObjectName(QString::fromUtf8(name));
  a->setShortcut(QKeySequence(QString::fromUtf8(key)));
  return a;
}

}  // namespace

TEditMenuCommands::TEditMenuCommands(QMenu& editMenu, ArgumentEditor& editor, QWidget& canvas, QLineEdit& sentenceEdit)
    : QObject(&editMenu), editor_(editor), canvas_(canvas), sentenceEdit_(sentenceEdit) {
  editMenu.addSeparator()->setObjectName("EditSelectionSeparator");
  // Mnemonics clash neither with "&Undo" and "&Redo" nor with each other.
  connect(item(editMenu, "EditTextMenuItem", "Edit &Text", "F2"), &QAction::triggered, this,
          [this] { EditTextMenuItemClick(); });
  connect(item(editMenu, "SelectAllMenuItem", "Select &All", "Ctrl+A"), &QAction::triggered, this,
          [this] { SelectAllMenuItemClick(); });
  connect(item(editMenu, "CutMenuItem", "&Cut", "Ctrl+X"), &QAction::triggered, this, [this] { CutMenuItemClick(); });
  connect(item(editMenu, "CopyMenuItem", "C&opy", "Ctrl+C"), &QAction::triggered, this,
          [this] { CopyMenuItemClick(); });
  connect(item(editMenu, "PasteMenuItem", "&Paste", "Ctrl+V"), &QAction::triggered, this,
          [this] { PasteMenuItemClick(); });
  connect(item(editMenu, "DuplicateMenuItem", "&Duplicate", "Ctrl+D"), &QAction::triggered, this,
          [this] { DuplicateMenuItemClick(); });
}

// The box keeps its own keys (its Ctrl+A, Ctrl+C, ... edit the text); the
// menu's commands wait until it has lost the focus.
bool TEditMenuCommands::boxHasFocus() const { return sentenceEdit_.hasFocus(); }

void TEditMenuCommands::EditTextMenuItemClick() {
  if (!boxHasFocus()) editor_.EditSentenceText();
}

void TEditMenuCommands::SelectAllMenuItemClick() {
  if (!boxHasFocus()) editor_.SelectAll();
}

void TEditMenuCommands::CopyMenuItemClick() {
  if (boxHasFocus()) return;
  if (const std::optional<std::string> text = editor_.Copy())
    QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
}

void TEditMenuCommands::CutMenuItemClick() {
  if (boxHasFocus()) return;
  if (const std::optional<std::string> text = editor_.Cut())
    QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
}

// At the pointer when it is over the drawing surface.
void TEditMenuCommands::PasteMenuItemClick() {
  if (boxHasFocus()) return;
  const QPoint pixel = canvas_.mapFromGlobal(QCursor::pos());
  std::optional<Point> at;
  if (canvas_.rect().contains(pixel)) at = editor_.SurfacePointAt(ViewPoint{pixel.x(), pixel.y()});
  editor_.Paste(QGuiApplication::clipboard()->text().toStdString(), at);
}

void TEditMenuCommands::DuplicateMenuItemClick() {
  if (!boxHasFocus()) editor_.Duplicate();
}

bool TEditMenuCommands::KeyDown(const QKeyEvent& key) {
  if (boxHasFocus() || editor_.editMode() != EditMode::MakeSelectionMode) return false;
  int code = 0;
  switch (key.key()) {
    case Qt::Key_Left: code = LeftArrowKey; break;
    case Qt::Key_Right: code = RightArrowKey; break;
    case Qt::Key_Up: code = UpArrowKey; break;
    case Qt::Key_Down: code = DownArrowKey; break;
    default: return false;
  }
  editor_.FormKeyDown(code, key.modifiers().testFlag(Qt::ShiftModifier) ? ShiftState(ssShift) : ShiftState());
  return true;
}

}  // namespace zorvex
