// "Arrange Diagram" in the View menu, and the log lines of a map read from
// AIF: the window's face of aif/.
#include "aif/DiagramArrangement.h"
#include "app/ui/ArgumentFormControls.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "edit/DefeaterMeaning.h"
#include "editor/ArgumentEditor.h"
#include "history/UndoHistory.h"

namespace zorvex {

// Panel 1 says what happened either way, as every command that moves
// sentences does, so no earlier refusal is left standing.
void TArgumentForm::ArrangeDiagramMenuItemClick() {
  editor_->LeaveCurrentMode();
  Arrangement arranged = arrangeDiagram(diagram_);
  if (!arranged.step) {
    controls_->ArgumentFormStatusBar->setPanelText(1, QString::fromStdString(arranged.refusal));
    return;
  }
  const std::vector<int32_t> meaning = defeatersGivenNewMeaning(diagram_, *arranged.step);
  undoHistory().record(std::move(*arranged.step));
  controls_->ArgumentFormStatusBar->setPanelText(
      1, QString::fromStdString(meaning.empty() ? arranged.done : DefeaterMeaningChangedText(meaning)));
  repaintSurface();
}

void TArgumentForm::logMapReport(const std::vector<std::string>& report) {
  for (const std::string& line : report) log_.AppendLogLine("[Open] " + line);
  log_.AppendLogLine(std::string());
  refreshLogWindow();
  saveLog();
}

}  // namespace zorvex
