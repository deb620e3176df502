#pragma once
// What the editor asks of the main window: status texts, tool buttons,
// repaints, overlays, message boxes, the sentence edit box and pop-up menus.
// It works on the window's controls, canvas and viewport, which it is handed.
#include <QPoint>
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/EditorHost.h"

class QMenu;

namespace zorvex {

struct ArgumentFormControls;
class SurfaceCanvas;
class SurfaceViewport;
class TArgumentForm;

class TArgumentFormHost : public EditorHost {
 public:
  TArgumentFormHost(TArgumentForm& form, const ArgumentFormControls& controls, SurfaceCanvas& canvas,
                    SurfaceViewport& viewport)
      : form_(form), controls_(controls), canvas_(canvas), viewport_(viewport) {}

  void setStatusText(int panel, const std::string& text) override;
  void setToolButtonDown(ToolButton button) override;
  void repaintSurface() override;
  void repaintElement(ElementRef ref) override;
  void repaintAllDefeaters() override;
  void elementMoved(ElementRef ref, const Rect& oldExtent) override;
  void setOverlay(const std::vector<OverlayFigure>& figures) override;
  bool askYesNo(const std::string& text) override;
  void showWarning(const std::string& text) override;
  void sentenceEditChanged() override;
  void focusSentenceEdit() override;
  TextSize measureText(const std::string& text) override;
  SurfaceSize surfaceSize() override;
  void openArrowPopup(Point windowPoint) override;
  void openDefeaterPopup(Point windowPoint) override;
  void prepareSentencePopup(const SentencePopupState& state) override;

  // After a press: opens the sentence menu the press prepared, if any.
  void openPreparedSentencePopup(QPoint screenPoint);
  // The sentence whose pop-up menu opened last (the set-status target).
  std::optional<int32_t> sentencePopupTarget() const { return sentencePopupTarget_; }
  // A new diagram: no sentence menu target is left.
  void forgetSentencePopup() { sentencePopupTarget_.reset(); }
  // Puts the edit box where the editor's diagram point shows now.
  void placeSentenceEdit();

 private:
  void openPopupAt(QMenu& menu, Point diagramPoint);
  // Where the editor's diagram point shows in the window's client area.
  QPoint clientPointOf(Point diagramPoint) const;

  TArgumentForm& form_;
  const ArgumentFormControls& controls_;
  SurfaceCanvas& canvas_;
  SurfaceViewport& viewport_;
  // The placement whose text the box was last given.
  uint32_t placementShown_ = 0;
  std::optional<int32_t> sentencePopupTarget_;
  bool sentencePopupPending_ = false;
};

}  // namespace zorvex
