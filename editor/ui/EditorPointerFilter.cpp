#include "editor/ui/EditorPointerFilter.h"

#include <QMouseEvent>
#include <QWidget>

#include "editor/ArgumentEditor.h"

namespace zorvex {

void dispatchPointer(ArgumentEditor& editor, const TranslatedPointer& pointer) {
  switch (pointer.action) {
    case PointerAction::Press: editor.MousePress(pointer.event); break;
    case PointerAction::Move: editor.MouseMove(pointer.event); break;
    case PointerAction::Release: editor.MouseRelease(pointer.event); break;
  }
}

EditorPointerFilter::EditorPointerFilter(ArgumentEditor& editor, QWidget& watched, QPoint origin)
    : QObject(&watched), editor_(editor), watched_(watched), origin_(origin) {
  watched_.setMouseTracking(true);
  watched_.installEventFilter(this);
}

bool EditorPointerFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &watched_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: break;
    default: return false;
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  const std::optional<TranslatedPointer> pointer = translatePointer(*mouse, origin_);
  if (!pointer) return true;
  dispatchPointer(editor_, *pointer);
  // The second press of a double-click is a press first, as it always was.
  if (event->type() == QEvent::MouseButtonDblClick) editor_.MouseDoubleClick(pointer->event);
  if (pointer->action == PointerAction::Press && afterPress) afterPress(mouse->globalPosition().toPoint());
  return true;
}

}  // namespace zorvex
