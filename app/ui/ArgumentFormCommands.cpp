// The main window's commands: rounds, reset, user-set status, tool buttons,
// keys, the sentence edit box and the pop-up menus.
#include <QApplication>
#include <algorithm>
#include <QLineEdit>
#include <QMenu>

#include "app/ui/SurfaceViewport.h"
#include "app/ui/ArgumentFormHost.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/SurfaceCanvas.h"
#include "app/ui/UndoCommands.h"
#include "editor/ArgumentEditor.h"
#include "model/ElementBounds.h"
#include "eval/ImplicitMeaning.h"
#include "eval/Rounds.h"
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
  ArgumentFormStatusBar->setPanelText(1, QString::fromStdString(panelText));
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
  ArgumentFormStatusBar->setPanelText(1, QString());
  const StatusSnapshot before(diagram_);
  const std::string panel = round();
  undoHistory().record(StatusStep(stepName, before, diagram_));
  finishRound(panel);
}

void TArgumentForm::EvaluateOneRoundButtonClick() {
  runStatusRound("Evaluate (one round)", [this] { return EvaluateOneRound(diagram_, options_, log_); });
}

void TArgumentForm::JumpOneRoundButtonClick() {
  runStatusRound("Jump (one round)", [this] { return JumpOneRound(diagram_, options_, log_); });
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
  if (!sentencePopupTarget_) return;
  const int32_t target = *sentencePopupTarget_;
  EditOutcome set;
  try {
    set = editor_->edit().setUserStatus(target, static_cast<UserStatus>(which), log_);
  } catch (const ZorvexError& e) {
    showError(e.message());
    return;
  }
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
  if (key != Qt::Key_Delete || SentenceEdit->hasFocus()) return false;
  editor_->FormKeyDown(DeleteKey);
  return true;
}

void TArgumentForm::SentenceEditKeyPress(char key) { editor_->SentenceEditKeyPress(key); }

// A modal menu swallows the release of the press that opened it.
void TArgumentForm::openPopupAt(QMenu& menu, Point diagramPoint) {
  runPopupMenu(menu, ClientArea->mapToGlobal(clientPointOf(diagramPoint)));
  editor_->PointerCaptureLost();
}

void TArgumentForm::openSentencePopup(QPoint screenPoint) {
  if (!sentencePopupPending_) return;
  sentencePopupPending_ = false;
  runPopupMenu(*SentencePopupMenu, screenPoint);
  editor_->PointerCaptureLost();
}

void TArgumentForm::ShowSentenceDataMenuItemClick() {
  if (sentencePopupTarget_ && *sentencePopupTarget_ >= 0 && *sentencePopupTarget_ < diagram_.SentenceCount())
    messageBoxes().information(SentenceDataText(diagram_, *sentencePopupTarget_));
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

// Every change of the drawing may move the diagram's edges: the scroll
// bars follow.
void TArgumentForm::repaintSurface() {
  canvas_->repaintAll();
  viewport_->diagramChanged();
}

void TArgumentForm::repaintElement(ElementRef ref) {
  canvas_->repaintElement(ref);
  if (diagram_.exists(ref)) viewport_->elementExtent(diagram_.drawnExtent(ref));
}

void TArgumentForm::redrawElement(ElementRef ref) { canvas_->redrawElement(ref); }

void TArgumentForm::elementMoved(ElementRef ref, const Rect& oldExtent) {
  canvas_->repaintArea(oldExtent);
  repaintElement(ref);
}

void TArgumentForm::setOverlay(const std::vector<OverlayFigure>& figures) { canvas_->setFigures(figures); }

QWidget* TArgumentForm::canvasWidget() const { return canvas_->widget(); }
size_t TArgumentForm::overlayFigureCount() const { return canvas_->figureCount(); }

}  // namespace zorvex
