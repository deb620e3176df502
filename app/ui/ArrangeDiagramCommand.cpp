// "Arrange Diagram" in the View menu, and the log lines of a map read from
// AIF: the window's face of aif/.
#include <memory>

#include "aif/DiagramArrangement.h"
#include "app/ui/BackgroundLayout.h"
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
  arrangeInBackground([](Diagram& copy) { return arrangeDiagram(copy); });
}

void TArgumentForm::ArrangeSelectionMenuItemClick() {
  std::vector<int32_t> selected;
  for (int32_t n = 0; n < diagram_.SentenceCount(); ++n)
    if (diagram_.sentence(n).Selected && !diagram_.sentence(n).Deleted) selected.push_back(n);
  // Leaving selection mode would clear the marks: they are read first.
  editor_->LeaveCurrentMode();
  arrangeInBackground([selected](Diagram& copy) { return arrangeSelection(copy, selected); });
}

// Laid out on a copy, off the window's thread; the step the copy took is
// then taken here, unless the user cancelled the progress box.
void TArgumentForm::arrangeInBackground(std::function<Arrangement(Diagram&)> arrange) {
  auto copy = std::make_shared<Diagram>(diagram_);
  std::optional<Arrangement> arranged = runLongLayout<Arrangement>(
      this, QStringLiteral("Laying out the diagram..."), [copy, arrange] { return arrange(*copy); });
  if (!arranged) {
    controls_->ArgumentFormStatusBar->setPanelText(1, QStringLiteral("Cancelled: nothing was moved."));
    return;
  }
  if (arranged->step) arranged->step->apply(diagram_, false);
  finishArrangement(std::move(*arranged));
}

void TArgumentForm::finishArrangement(Arrangement arranged) {
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
