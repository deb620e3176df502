// The main window's view onto the diagram: the "Vie&w" menu, the scroll bars
// and zoom, and keeping the edit box, pop-up menus and overlays in step with
// what the surface shows.
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/SurfaceCanvas.h"
#include "app/ui/SurfaceViewport.h"
#include "app/ui/ViewCommands.h"
#include "editor/ArgumentEditor.h"
#include "editor/ui/PointerTranslation.h"

namespace zorvex {
namespace {

QAction* viewItem(QMenu* menu, const char* name, const char* caption, std::initializer_list<const char*> keys) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setObjectName(name);
  QList<QKeySequence> shortcuts;
  for (const char* k : keys) shortcuts.append(QKeySequence(QString::fromUtf8(k)));
  a->setShortcuts(shortcuts);
  return a;
}

}  // namespace

// "&View" would take the Alt+V of the "&View Logs" check box.
void TArgumentForm::createViewMenu() {
  ViewMenuItem = menuBar()->addMenu(QStringLiteral("Vie&w"));
  ViewMenuItem->setObjectName("ViewMenuItem");
  ZoomInMenuItem = viewItem(ViewMenuItem, "ZoomInMenuItem", "Zoom &In", {"Ctrl++", "Ctrl+="});
  ZoomOutMenuItem = viewItem(ViewMenuItem, "ZoomOutMenuItem", "Zoom &Out", {"Ctrl+-"});
  ActualSizeMenuItem = viewItem(ViewMenuItem, "ActualSizeMenuItem", "&Actual Size", {"Ctrl+0"});
  FitDiagramMenuItem = viewItem(ViewMenuItem, "FitDiagramMenuItem", "&Fit Diagram", {"Ctrl+9"});
  ViewMenuItem->addSeparator()->setObjectName("ViewSeparator");
  FindSentenceMenuItem = viewItem(ViewMenuItem, "FindSentenceMenuItem", "&Find Sentence...", {"Ctrl+F"});
  FindNextMenuItem = viewItem(ViewMenuItem, "FindNextMenuItem", "Find &Next", {"F3"});
}

// After the editor's pointer filter, so the viewport sees pointer events
// before the filter takes them.
void TArgumentForm::setUpViewport() {
  viewport_->watchCanvas();
  viewport_->viewChanged = [this](const ViewTransform& view) { viewChanged(view); };
  viewport_->followPointer = [this](QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    PointerEvent e;
    e.held = heldSet(buttons, modifiers);
    e.pos = {at.x(), at.y()};
    editor_->MouseMove(e);
  };
  viewCommands_ = std::make_unique<TViewCommands>(*this, *viewport_);
}

void TArgumentForm::viewChanged(const ViewTransform& view) {
  canvas_->setView(view);
  editor_->setView(view);
  placeSentenceEdit();
}

QPoint TArgumentForm::clientPointOf(Point diagramPoint) const {
  const ViewPoint v = viewport_->view().toView(diagramPoint);
  auto c = [](int64_t x) { return static_cast<int>(std::clamp<int64_t>(x, -1000000, 1000000)); };
  return {c(v.x), c(v.y)};
}

void TArgumentForm::placeSentenceEdit() {
  const SentenceEditState& state = editor_->sentenceEdit();
  SentenceEdit->setGeometry(QRect(clientPointOf({state.Left, state.Top}), QSize(state.Width, state.Height)));
}

void TArgumentForm::showHighlight(const std::optional<Rect>& area) { canvas_->setHighlight(area); }

}  // namespace zorvex
