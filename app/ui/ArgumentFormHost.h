#pragma once
// What the editor asks of the main window: status texts, tool buttons,
// repaints, overlays, message boxes, the sentence edit box and pop-up menus.
#include <vector>

#include "editor/EditorHost.h"

namespace zorvex {

class TArgumentForm;

class TArgumentFormHost : public EditorHost {
 public:
  explicit TArgumentFormHost(TArgumentForm& form) : form_(form) {}

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

 private:
  TArgumentForm& form_;
  // The placement whose text the box was last given.
  uint32_t placementShown_ = 0;
};

}  // namespace zorvex
