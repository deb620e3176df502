#include "app/ui/ArgumentFormHost.h"

#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "editor/ArgumentEditor.h"
#include "elements/ui/SentenceFont.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {

void TArgumentFormHost::setStatusText(int panel, const std::string& text) {
  form_.ArgumentFormStatusBar->setPanelText(panel, QString::fromStdString(text));
}

void TArgumentFormHost::setToolButtonDown(ToolButton button) {
  const std::pair<ToolButton, QToolButton*> buttons[] = {
      {ToolButton::AddSentence, form_.AddSentenceSpeedButton},
      {ToolButton::AddArrow, form_.AddArrowSpeedButton},
      {ToolButton::AddDefeater, form_.AddDefeaterSpeedButton},
      {ToolButton::MakeSelection, form_.MakeSelectionSpeedButton},
  };
  for (const auto& [which, widget] : buttons) widget->setChecked(which == button);
}

void TArgumentFormHost::repaintSurface() { form_.repaintSurface(); }

void TArgumentFormHost::repaintElement(ElementRef ref) { form_.repaintElement(ref); }

void TArgumentFormHost::repaintAllDefeaters() {
  // Defeaters draw themselves again unchanged (over a drag): no edit to record.
  for (int32_t n = 0; n < form_.diagram().DefeaterCount(); ++n) form_.redrawElement({ElementKind::Defeater, n});
}

void TArgumentFormHost::elementMoved(ElementRef ref, const Rect& oldExtent) {
  form_.elementMoved(ref, oldExtent);
}

void TArgumentFormHost::setOverlay(const std::vector<OverlayFigure>& figures) {
  form_.setOverlay(figures);
}

bool TArgumentFormHost::askYesNo(const std::string& text) { return messageBoxes().confirm(text); }

void TArgumentFormHost::showWarning(const std::string& text) { messageBoxes().warning(text); }

void TArgumentFormHost::sentenceEditChanged() {
  const SentenceEditState& state = form_.editor().sentenceEdit();
  QLineEdit* edit = form_.SentenceEdit;
  const QString text = QString::fromStdString(state.text);
  // A new placement starts afresh: setting the text, even the same one, also
  // empties the box's own undo steps.
  if (edit->text() != text || state.placements != placementShown_) {
    // The editor already knows this text; do not echo it back as typing.
    const QSignalBlocker block(edit);
    edit->setText(text);
    placementShown_ = state.placements;
  }
  form_.placeSentenceEdit();
  if (state.visible) {
    edit->show();
    edit->raise();
  } else if (edit->isVisible()) {
    edit->hide();
  }
}

void TArgumentFormHost::focusSentenceEdit() {
  QLineEdit* edit = form_.SentenceEdit;
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
}

TextSize TArgumentFormHost::measureText(const std::string& text) {
  const QSize size = zorvex::measureText(sentenceFont(), text);
  return {size.width(), size.height()};
}

SurfaceSize TArgumentFormHost::surfaceSize() {
  const QSize size = form_.surfaceSize();
  return {size.width(), size.height()};
}

void TArgumentFormHost::openArrowPopup(Point windowPoint) {
  form_.openPopupAt(*form_.ArrowPopupMenu, windowPoint);
}

void TArgumentFormHost::openDefeaterPopup(Point windowPoint) {
  form_.openPopupAt(*form_.DefeaterPopupMenu, windowPoint);
}

void TArgumentFormHost::prepareSentencePopup(const SentencePopupState& state) {
  if (state.setsEnabling) {
    form_.SetStatusUndefeatedMenuItem->setEnabled(state.undefeatedEnabled);
    form_.SetStatusDefeatedMenuItem->setEnabled(state.defeatedEnabled);
    form_.SetStatusNotEvaluatedMenuItem->setEnabled(state.notEvaluatedEnabled);
  }
  form_.sentencePopupTarget_ = state.sentence;
  form_.sentencePopupPending_ = true;
}

}  // namespace zorvex
