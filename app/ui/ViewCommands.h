#pragma once
// The View menu's commands: zooming, fitting the diagram into the window,
// and finding a sentence by a part of its text.
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QTimer;

namespace zorvex {

class SurfaceViewport;
class TArgumentForm;
class TArgumentFormStatusBar;

class TViewCommands {
 public:
  TViewCommands(TArgumentForm& form, SurfaceViewport& viewport, TArgumentFormStatusBar& status);
  ~TViewCommands();

  void ZoomInMenuItemClick();
  void ZoomOutMenuItemClick();
  void ActualSizeMenuItemClick();
  void FitDiagramMenuItemClick();
  void FindSentenceMenuItemClick();
  void FindNextMenuItemClick();

  // Asks for the text to find (the last one offered); nothing when
  // cancelled. Tests may replace it; the real one is a Qt input dialog.
  std::function<std::optional<QString>(const QString& last)> askFindText;
  // How long a found sentence stays highlighted, in milliseconds.
  int highlightMilliseconds = 1500;
  // The highlight ends (the timer calls it).
  void endHighlight();

 private:
  void findFrom(int32_t after);

  TArgumentForm& form_;
  SurfaceViewport& viewport_;
  TArgumentFormStatusBar& status_;
  std::string lastText_;
  std::optional<int32_t> lastFound_;
  QTimer* highlightTimer_;
};

}  // namespace zorvex
