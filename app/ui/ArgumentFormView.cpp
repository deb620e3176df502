// The main window's view onto the diagram: the "Vie&w" menu, the scroll bars
// and zoom, and keeping the edit box and overlays in step with what the
// surface shows.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/ui/ArgumentFormControls.h"
#include "app/ui/ArgumentFormHost.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/SurfaceCanvas.h"
#include "app/ui/SurfaceViewport.h"
#include "app/ui/ViewCommands.h"
#include "editor/ArgumentEditor.h"
#include "editor/ui/PointerTranslation.h"
#include "elements/StatusPalette.h"
#include "elements/ui/KeyToSymbolsAndColorsFormUnit.h"

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
  ArgumentFormControls& c = *controls_;
  c.ViewMenuItem = menuBar()->addMenu(QStringLiteral("Vie&w"));
  c.ViewMenuItem->setObjectName("ViewMenuItem");
  c.ZoomInMenuItem = viewItem(c.ViewMenuItem, "ZoomInMenuItem", "Zoom &In", {"Ctrl++", "Ctrl+="});
  c.ZoomOutMenuItem = viewItem(c.ViewMenuItem, "ZoomOutMenuItem", "Zoom &Out", {"Ctrl+-"});
  c.ActualSizeMenuItem = viewItem(c.ViewMenuItem, "ActualSizeMenuItem", "&Actual Size", {"Ctrl+0"});
  c.FitDiagramMenuItem = viewItem(c.ViewMenuItem, "FitDiagramMenuItem", "&Fit Diagram", {"Ctrl+9"});
  c.ViewMenuItem->addSeparator()->setObjectName("ViewSeparator");
  c.FindSentenceMenuItem = viewItem(c.ViewMenuItem, "FindSentenceMenuItem", "Fin&d Sentence...", {"Ctrl+F"});
  c.FindNextMenuItem = viewItem(c.ViewMenuItem, "FindNextMenuItem", "Find &Next", {"F3"});
  c.ViewMenuItem->addSeparator()->setObjectName("ArrangeSeparator");
  c.ArrangeDiagramMenuItem = viewItem(c.ViewMenuItem, "ArrangeDiagramMenuItem", "Arran&ge Diagram", {});
  c.ArrangeSelectionMenuItem = viewItem(c.ViewMenuItem, "ArrangeSelectionMenuItem", "Arrange &Selection", {});
  c.ViewMenuItem->addSeparator()->setObjectName("TextPaneSeparator");
  QAction* textPane = viewItem(c.ViewMenuItem, "ArgdownTextMenuItem", "Argdown &Text", {});
  textPane->setCheckable(true);
  connect(textPane, &QAction::toggled, this, [this, textPane](bool on) { showTextPane(*textPane, on); });
  c.ViewMenuItem->addSeparator()->setObjectName("PaletteSeparator");
  QAction* safeColours = viewItem(c.ViewMenuItem, "SafeColoursMenuItem", "&Colour-Blind Safe Colours", {});
  safeColours->setCheckable(true);
  safeColours->setChecked(paletteInUse() == Palette::Safe);
  // The surface, the key, and the pictures and prints made from now on.
  connect(safeColours, &QAction::toggled, this, [this](bool on) {
    setPaletteInUse(on ? Palette::Safe : Palette::Standard);
    canvas_->repaintAll();
    if (windows_.KeyToSymbolsAndColorsForm) windows_.KeyToSymbolsAndColorsForm->paletteChanged();
  });
  // The view commands are made with the viewport, after the menus.
  connect(c.ZoomInMenuItem, &QAction::triggered, this, [this] { viewCommands_->ZoomInMenuItemClick(); });
  connect(c.ZoomOutMenuItem, &QAction::triggered, this, [this] { viewCommands_->ZoomOutMenuItemClick(); });
  connect(c.ActualSizeMenuItem, &QAction::triggered, this, [this] { viewCommands_->ActualSizeMenuItemClick(); });
  connect(c.FitDiagramMenuItem, &QAction::triggered, this, [this] { viewCommands_->FitDiagramMenuItemClick(); });
  connect(c.FindSentenceMenuItem, &QAction::triggered, this, [this] { viewCommands_->FindSentenceMenuItemClick(); });
  connect(c.FindNextMenuItem, &QAction::triggered, this, [this] { viewCommands_->FindNextMenuItemClick(); });
  connect(c.ArrangeDiagramMenuItem, &QAction::triggered, this, [this] { ArrangeDiagramMenuItemClick(); });
  connect(c.ArrangeSelectionMenuItem, &QAction::triggered, this, [this] { ArrangeSelectionMenuItemClick(); });
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
  viewCommands_ = std::make_unique<TViewCommands>(*this, *viewport_, *controls_->ArgumentFormStatusBar);
}

void TArgumentForm::viewChanged(const ViewTransform& view) {
  canvas_->setView(view);
  editor_->setView(view);
  host_->placeSentenceEdit();
}

void TArgumentForm::showHighlight(const std::optional<Rect>& area) { canvas_->setHighlight(area); }

}  // namespace zorvex
