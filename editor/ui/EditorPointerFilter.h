#pragma once
// Feeds the mouse events of one widget to the editor, translated into window
// client coordinates. Used for a widget that stands on the drawing surface.
#include <QObject>
#include <QPoint>
#include <functional>

#include "editor/ui/PointerTranslation.h"

namespace zorvex {

class ArgumentEditor;

// Sends a translated event to the editor's press, move or release handler.
void dispatchPointer(ArgumentEditor& editor, const TranslatedPointer& pointer);

class EditorPointerFilter : public QObject {
  Q_OBJECT
 public:
  // origin: the watched widget's top left corner in window client coordinates.
  EditorPointerFilter(ArgumentEditor& editor, QWidget& watched, QPoint origin);

  void setOrigin(QPoint origin) { origin_ = origin; }
  // Runs after every press has reached the editor, with the press's screen point.
  std::function<void(QPoint screenPoint)> afterPress;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ArgumentEditor& editor_;
  QWidget& watched_;
  QPoint origin_;
};

}  // namespace zorvex
