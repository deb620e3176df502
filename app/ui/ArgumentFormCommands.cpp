// The main window's commands: rounds, reset, user-set status, tool buttons,
// keys, the sentence edit box and the pop-up menus.
#include <QApplication>
#include <algorithm>
#include <QLineEdit>

#include "app/ui/ArgumentFormControls.h"
#include "app/ui/ArgumentFormHost.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/SurfaceCanvas.h"
#include "app/ui/UndoCommands.h"
#include "editor/ArgumentEditor.h"
#include "model/ElementBounds.h"
#include "eval/ImplicitMeaning.h"
#include "eval/Rounds.h"
#include "explain/ui/WhyCommands.h"
#include "views/ElementDataText.h"
#include "views/ui/TableViews.h"
#include "eval/ui/LogFormUnit.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {

void TArgumentForm::refreshLogWindow() {
  if (windows_.LogForm) windows_.LogForm->appendLines();
}

void TArgumentForm::saveLog() {
  try {
    log_.SaveLog(directory_.empty() ? std::filesystem::path(".") : std::filesystem::path(directory_));
  } catch (const ZorvexError& e) {
    showError(e.message());
  }
}

// The common tail of rounds and reset: new panel text, repaint, show the new
// log lines, and save last so a failed save finds all other work done.
void TArgumentForm::finishRound(const std::string& panelText) {
  controls_->ArgumentFormStatusBar->setPanelText(1, QString::fromStdString(panelText));
  repaintSurface();
  refreshLogWindow();
  saveLog();
}

UndoHistory& TArgumentForm::undoHistory() { return undo_->history(); }
void TArgumentForm::UndoMenuItemClick() { undo_->UndoMenuItemClick(); }
void TArgumentForm::RedoMenuItemClick() { undo_->RedoMenuItemClick(); }

// Each round and reset is one undoable step holding only the statuses it
// changed; `round` returns the new panel text.
void TArgumentForm::runStatusRound(const char* stepName, const std::function<std::string()>& round) {
  editor_->LeaveCurrentMode();
  controls_->ArgumentFormStatusBar->setPanelText(1, QString());
  why_->beforeStatusStep();
  const StatusSnapshot before(diagram_);
  const std::string panel = round();
  UndoStep step = StatusStep(stepName, before, diagram_);
  why_->statusStepDone(stepName, step.statuses, options_);
  undoHistory().record(std::move(step));
  finishRound(panel);
}

void TArgumentForm::EvaluateOneRoundButtonClick() {
  runStatusRound("Evaluate (one round)", [this] { return EvaluateOneRound(diagram_, options_, log_); });
}

void TArgumentForm::JumpOneRoundButtonClick() {
  runStatusRound("Jump (one round)", [this] { return JumpOneRound(diagram_, options_, log_); });
}

void TArgumentForm::EvaluateUntilStableMenuItemClick() {
  runStatusRound("Evaluate until stable", [this] { return why_->runUntilStable(options_, log_).message; });
}

void TArgumentForm::WhyMenuItemClick(ElementKind kind) {
  std::optional<int32_t> target = kind == ElementKind::Sentence ? sentencePopupTarget()
                                  : kind == ElementKind::Arrow  ? editor_->PopupArrow()
                                                                : editor_->PopupDefeater();
  if (target) why_->WhyMenuItemClick({kind, *target});
}

void TArgumentForm::ResetButtonClick() {
  runStatusRound("Reset", [this] {
    ResetAll(diagram_, log_);
    return std::string();
  });
}

// A command that is not a round notes itself in the log: its lines and an
// empty one, shown and saved as a round's are.
void TArgumentForm::logCommand(std::initializer_list<std::string> lines) {
  for (const std::string& line : lines) log_.AppendLogLine(line);
  log_.AppendLogLine(std::string());
  refreshLogWindow();
  saveLog();
}

void TArgumentForm::setStatusByUser(int which) {
  const std::optional<int32_t> popup = host_->sentencePopupTarget();
  if (!popup) return;
  const int32_t target = *popup;
  EditOutcome set;
  why_->beforeStatusStep();
  try {
    set = editor_->edit().setUserStatus(target, static_cast<UserStatus>(which), log_);
  } catch (const ZorvexError& e) {
    showError(e.message());
    return;
  }
  why_->userStatusSet(target);
  undoHistory().record(std::move(set.step));
  repaintElement({ElementKind::Sentence, target});
  refreshLogWindow();
}

void TArgumentForm::SetStatusUndefeatedMenuItemClick() { setStatusByUser(static_cast<int>(UserStatus::Justified)); }
void TArgumentForm::SetStatusDefeatedMenuItemClick() { setStatusByUser(static_cast<int>(UserStatus::Unjustified)); }
void TArgumentForm::SetStatusNotEvaluatedMenuItemClick() {
  setStatusByUser(static_cast<int>(UserStatus::NotEvaluated));
}

void TArgumentForm::AddSentenceSpeedButtonClick() { editor_->AddSentenceSpeedButtonClick(); }
void TArgumentForm::AddArrowSpeedButtonClick() { editor_->AddArrowSpeedButtonClick(); }
void TArgumentForm::AddDefeaterSpeedButtonClick() { editor_->AddDefeaterSpeedButtonClick(); }
void TArgumentForm::MakeSelectionSpeedButtonClick() { editor_->MakeSelectionSpeedButtonClick(); }

bool TArgumentForm::FormKeyDown(int key) {
  // Only Delete acts here; the edit box keeps its own Delete key.
  if (key != Qt::Key_Delete || controls_->SentenceEdit->hasFocus()) return false;
  editor_->FormKeyDown(DeleteKey);
  return true;
}

void TArgumentForm::SentenceEditKeyPress(char key) { editor_->SentenceEditKeyPress(key); }

void TArgumentForm::ShowSentenceDataMenuItemClick() {
  const std::optional<int32_t> target = host_->sentencePopupTarget();
  if (target && *target >= 0 && *target < diagram_.SentenceCount())
    messageBoxes().information(SentenceDataText(diagram_, *target));
}

void TArgumentForm::ShowArrowDataMenuItemClick() {
  const std::optional<int32_t> arrow = editor_->PopupArrow();
  if (arrow && *arrow < diagram_.ArrowCount()) messageBoxes().information(ArrowDataText(diagram_, *arrow));
}

void TArgumentForm::ShowDefeaterDataMenuItemClick() {
  const std::optional<int32_t> defeater = editor_->PopupDefeater();
  if (defeater && *defeater < diagram_.DefeaterCount())
    messageBoxes().information(DefeaterDataText(diagram_, *defeater));
}

// Hidden command: writes the diagram's rules, reasons and exceptions to the log.
void TArgumentForm::ImplicitMeaningButtonClick() {
  ImplicitMeaning(diagram_, log_);
  refreshLogWindow();
}

// Hidden command: offers the arrow's rule as a new sentence at the press point.
void TArgumentForm::AddRuleMenuItemClick() {
  const std::optional<int32_t> arrow = editor_->PopupArrow();
  if (!arrow || *arrow >= diagram_.ArrowCount()) return;
  const std::optional<std::string> text = RuleSentenceText(diagram_, *arrow);
  // An arrow with an unresolved side has no rule to state.
  if (!text) return;
  editor_->EnterAddSentenceMode();
  editor_->SetSentenceEditText(*text);
  const TextSize size = addedSentenceSize(host_->measureText(*text));
  editor_->SetSentenceEditSize(size.width, size.height);
  const Point at = editor_->PopupPoint();
  editor_->PlaceSentenceEdit(at.x, at.y);
}

void TArgumentForm::ViewSentencesTableCheckBoxClick() { tableViews_->ViewSentencesTableCheckBoxClick(); }
void TArgumentForm::ViewArrowsTableCheckBoxClick() { tableViews_->ViewArrowsTableCheckBoxClick(); }
void TArgumentForm::ViewDefeatersTableCheckBoxClick() { tableViews_->ViewDefeatersTableCheckBoxClick(); }

void TArgumentForm::repaintSurface() { host_->repaintSurface(); }
void TArgumentForm::repaintElement(ElementRef ref) { host_->repaintElement(ref); }

QWidget* TArgumentForm::canvasWidget() const { return canvas_->widget(); }
size_t TArgumentForm::overlayFigureCount() const { return canvas_->figureCount(); }

}  // namespace zorvex
