#pragma once
// What the editing logic needs from the window. The main window implements
// it and forwards its pointer, key and edit box events to ArgumentEditor.
// Points, rectangles and figures passed here are in diagram coordinates; the
// window maps them through the editor's view to draw or place anything.
// Sizes of the window's own controls (the surface, the edit box) are in
// screen pixels.
#include <string>
#include <vector>

#include "editor/EditorTypes.h"
#include "model/Types.h"

namespace zorvex {

class EditorHost {
 public:
  virtual ~EditorHost() = default;

  // Status bar: panel 0 shows positions (diagram coordinates), panel 1 modes
  // and hints.
  virtual void setStatusText(int panel, const std::string& text) = 0;
  // Shows one tool button down and the other three up (or all up).
  virtual void setToolButtonDown(ToolButton button) = 0;

  // Clear the drawing surface and draw every element again, now.
  virtual void repaintSurface() = 0;
  // Draw one element now, over whatever is drawn there.
  virtual void repaintElement(ElementRef ref) = 0;
  // Every defeater draws itself now (deleted ones draw nothing).
  virtual void repaintAllDefeaters() = 0;
  // An element's geometry changed; oldExtent is its drawn extent before
  // (diagram coordinates).
  // Schedule repainting of the areas it left and entered (no painting now).
  virtual void elementMoved(ElementRef ref, const Rect& oldExtent) = 0;
  // The figures now visible over the picture, painted last on every paint,
  // in diagram coordinates: the window maps them to the view it shows.
  // Figures dropped from the list must disappear (repaint where they were).
  virtual void setOverlay(const std::vector<OverlayFigure>& figures) = 0;

  // Modal "Confirm" box with Yes and No; true on Yes.
  virtual bool askYesNo(const std::string& text) = 0;
  // Modal "Warning" box with one OK button.
  virtual void showWarning(const std::string& text) = 0;

  // The edit box state changed (read it from ArgumentEditor::sentenceEdit():
  // Left, Top is the diagram point the new sentence gets, to be placed where
  // the view shows it; Width, Height are the box's own screen pixels); when it
  // is visible, show it above the elements.
  virtual void sentenceEditChanged() = 0;
  // Give the visible edit box the keyboard focus with its whole text
  // selected, so typing replaces the text and Enter alone keeps it.
  virtual void focusSentenceEdit() = 0;
  // Pixel size of a text in the sentence font at 100 %: diagram units.
  virtual TextSize measureText(const std::string& text) = 0;
  // Width and height in screen pixels of the part of the drawing surface
  // that shows the diagram (without its scroll bars).
  virtual SurfaceSize surfaceSize() = 0;

  // Open the pop-up menus at a diagram point (the window maps it to where the
  // view shows it); modal, return when closed.
  // Their commands act on ArgumentEditor::PopupArrow() / PopupDefeater().
  virtual void openArrowPopup(Point diagramPoint) = 0;
  virtual void openDefeaterPopup(Point diagramPoint) = 0;
  // A right press on a sentence: set the three status items' enabled states
  // and the target; the window opens SentencePopupMenu itself afterwards, on
  // its own context-menu event, as for any control with a pop-up menu.
  virtual void prepareSentencePopup(const SentencePopupState& state) = 0;
};

}  // namespace zorvex
