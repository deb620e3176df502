#include "app/ui/ShortcutRelay.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace zorvex {
namespace {

// The enabled item of the menu (or its submenus) with this key.
QAction* itemWithKey(const QList<QAction*>& actions, const QKeySequence& key) {
  for (QAction* a : actions) {
    if (!a->isEnabled() || !a->isVisible()) continue;
    if (QMenu* sub = a->menu()) {
      if (QAction* found = itemWithKey(sub->actions(), key)) return found;
    } else if (a->shortcuts().contains(key)) {
      return a;
    }
  }
  return nullptr;
}

}  // namespace

ShortcutRelay::ShortcutRelay(QWidget& mainWindow, QMenuBar& bar)
    : QObject(&mainWindow), mainWindow_(mainWindow), bar_(bar) {
  qApp->installEventFilter(this);
}

ShortcutRelay::~ShortcutRelay() { qApp->removeEventFilter(this); }

// A key press climbs from the focused control to its window; it reaches the
// window itself only when no control on the way took it.
bool ShortcutRelay::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* window = static_cast<QWidget*>(watched);
  // Another main window has menu keys of its own.
  if (!window->isWindow() || qobject_cast<QMainWindow*>(window) || QApplication::activeModalWidget() ||
      QApplication::activePopupWidget())
    return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (!relay(*key)) return false;
  // Taken: left unaccepted, the window system would hand it on once more.
  key->accept();
  return true;
}

bool ShortcutRelay::relay(const QKeyEvent& key) {
  const QKeySequence pressed(key.keyCombination());
  QAction* item = itemWithKey(bar_.actions(), pressed);
  // "Ctrl++" comes with Shift on most keyboards.
  if (!item && key.modifiers().testFlag(Qt::ShiftModifier)) {
    const QKeyCombination unshifted(key.modifiers() & ~Qt::ShiftModifier, static_cast<Qt::Key>(key.key()));
    item = itemWithKey(bar_.actions(), QKeySequence(unshifted));
  }
  if (!item) return false;
  QWidget* focusBefore = mainWindow_.focusWidget();
  item->trigger();
  // A command that wants the keyboard in the main window (Edit Text's box)
  // has put the focus there: the main window comes forward with it.
  if (mainWindow_.focusWidget() != focusBefore && mainWindow_.isVisible()) mainWindow_.activateWindow();
  return true;
}

}  // namespace zorvex
