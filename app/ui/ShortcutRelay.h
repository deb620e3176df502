#pragma once
// The program's other windows (Why, the log, help, the key, ...) take the
// main window's menu keys too: a key that no control of theirs uses goes on
// to the main window's menu item with that key. Keys a control uses stay
// its own (the arrow keys in a tree, Ctrl+C in a text view), and nothing is
// passed on while a modal box or dialog is open.
#include <QObject>

class QKeyEvent;
class QMenuBar;
class QWidget;

namespace zorvex {

class ShortcutRelay : public QObject {
 public:
  // Watches every window of the application but `mainWindow`; the items are
  // looked up in `bar` at each key, as they are then.
  ShortcutRelay(QWidget& mainWindow, QMenuBar& bar);
  ~ShortcutRelay() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool relay(const QKeyEvent& key);

  QWidget& mainWindow_;
  QMenuBar& bar_;
};

}  // namespace zorvex
