// The main window's commands: rounds, reset, user-set status, tool buttons,
// keys, the sentence edit box and the pop-up menus.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>

#include "app/ui/ArgumentFormHost.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "editor/ArgumentEditor.h"
#include "eval/Rounds.h"
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

void TArgumentForm::EvaluateOneRoundButtonClick() {
  editor_->LeaveCurrentMode();
  ArgumentFormStatusBar->setPanelText(1, QString());
  finishRound(EvaluateOneRound(diagram_, options_, log_));
}

void TArgumentForm::JumpOneRoundButtonClick() {
  editor_->LeaveCurrentMode();
  ArgumentFormStatusBar->setPanelText(1, QString());
  finishRound(JumpOneRound(diagram_, options_, log_));
}

void TArgumentForm::ResetButtonClick() {
  editor_->LeaveCurrentMode();
  ArgumentFormStatusBar->setPanelText(1, QString());
  ResetAll(diagram_, log_);
  finishRound(std::string());
}

void TArgumentForm::setStatusByUser(int which) {
  if (!sentencePopupTarget_) return;
  const int32_t target = *sentencePopupTarget_;
  try {
    SetStatusByUser(diagram_, target, static_cast<UserStatus>(which), log_);
  } catch (const ZorvexError& e) {
    showError(e.message());
    return;
  }
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

void TArgumentForm::FormKeyDown(int key) {
  // Only Delete acts here; the edit box keeps its own Delete key.
  if (key != Qt::Key_Delete) return;
  if (SentenceEdit->hasFocus()) return;
  editor_->FormKeyDown(DeleteKey);
}

void TArgumentForm::SentenceEditKeyPress(char key) { editor_->SentenceEditKeyPress(key); }

void TArgumentForm::openPopupAt(QMenu& menu, Point windowPoint) {
  runPopupMenu(menu, ClientArea->mapToGlobal(QPoint(windowPoint.x, windowPoint.y)));
}

void TArgumentForm::openSentencePopup(QPoint screenPoint) {
  if (!sentencePopupPending_) return;
  sentencePopupPending_ = false;
  runPopupMenu(*SentencePopupMenu, screenPoint);
}

// Commands of features that stay hidden or come later.
void TArgumentForm::ImplicitMeaningButtonClick() {}
void TArgumentForm::ShowSentenceDataMenuItemClick() {}
void TArgumentForm::AddRuleMenuItemClick() {}
void TArgumentForm::ShowArrowDataMenuItemClick() {}
void TArgumentForm::ShowDefeaterDataMenuItemClick() {}
void TArgumentForm::ViewSentencesTableCheckBoxClick() {}
void TArgumentForm::ViewArrowsTableCheckBoxClick() {}
void TArgumentForm::ViewDefeatersTableCheckBoxClick() {}

// Drawing goes to the canvas once it is in place; until then the surface
// placeholder only repaints its background.
void TArgumentForm::repaintSurface() { ArgumentPaintBox->repaint(); }
void TArgumentForm::repaintElement(ElementRef) { ArgumentPaintBox->update(); }
void TArgumentForm::elementMoved(ElementRef, const Rect&) { ArgumentPaintBox->update(); }
void TArgumentForm::setOverlay(const std::vector<OverlayFigure>&) { ArgumentPaintBox->update(); }

}  // namespace zorvex
