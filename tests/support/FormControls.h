#pragma once
// The tests' one way into a window's controls: found by the name people and
// the window's own code know them by (their objectName), and used as a
// person uses them: a button is clicked, a menu item is chosen.
#include <QAbstractButton>
#include <QAction>
#include <QList>
#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace zorvex::testing {

// The window's one control named `name`. A name that is missing, taken
// twice, or held by a control of another type throws, which fails the test
// where it stands instead of handing back a null pointer to crash on later.
template <typename T>
T* control(const QObject& window, const char* name) {
  const QList<QObject*> named = window.findChildren<QObject*>(QString::fromUtf8(name));
  if (named.size() != 1)
    throw std::logic_error(std::string("the window has ") + std::to_string(named.size()) + " controls named " + name);
  T* found = qobject_cast<T*>(named.front());
  if (!found)
    throw std::logic_error(std::string("the control named ") + name + " is a " +
                           named.front()->metaObject()->className());
  return found;
}

// Clicks the button as the pointer would: checkable ones toggle first.
inline void press(const QObject& window, const char* button) { control<QAbstractButton>(window, button)->click(); }

// Chooses the menu item, as a click on it in its open menu does; an item
// disabled by the window ignores it, as it ignores the click.
inline void choose(const QObject& window, const char* item) { control<QAction>(window, item)->trigger(); }

}  // namespace zorvex::testing
