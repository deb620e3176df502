#include "app/ui/ArgumentFormHost.h"

#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

#include "app/ui/ArgumentFormControls.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/SurfaceCanvas.h"
#include "app/ui/SurfaceViewport.h"
#include "editor/ArgumentEditor.h"
#include "elements/ui/SentenceFont.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {

void TArgumentFormHost::setStatusText(int panel, const std::string& text) {
  controls_.ArgumentFormStatusBar->setPanelText(panel, QString::fromStdString(text));
}

void TArgumentFormHost::setToolButtonDown(ToolButton button) {
  const std::pair<ToolButton, QToolButton*> buttons[] = {
      {ToolButton::AddSentence, controls_.AddSentenceSpeedButton},
      {ToolButton::AddArrow, controls_.AddArrowSpeedButton},
      {ToolButton::AddDefeater, controls_.AddDefeaterSpeedButton},
      {ToolButton::MakeSelection, controls_.MakeSelectionSpeedButton},
  };
  for (const auto& [which, widget] : buttons) widget->setChecked(which == button);
}

// Every change of the drawing may move the diagram's edges: the scroll
// bars follow.
void TArgumentFormHost::repaintSurface() {
  canvas_.repaintAll();
  viewport_.diagramChanged();
}

void TArgumentFormHost::repaintElement(ElementRef ref) {
  canvas_.repaintElement(ref);
  if (form_.diagram().exists(ref)) viewport_.elementExtent(form_.diagram().drawnExtent(ref));
}

void TArgumentFormHost::repaintAllDefeaters() {
  // Defeaters draw themselves again unchanged (over a drag): no edit to record.
  for (int32_t n = 0; n < form_.diagram().DefeaterCount(); ++n) canvas_.redrawElement({ElementKind::Defeater, n});
}

void TArgumentFormHost::elementMoved(ElementRef ref, const Rect& oldExtent) {
  canvas_.repaintArea(oldExtent);
  repaintElement(ref);
}

void TArgumentFormHost::setOverlay(const std::vector<OverlayFigure>& figures) { canvas_.setFigures(figures); }

bool TArgumentFormHost::askYesNo(const std::string& text) { return messageBoxes().confirm(text); }

void TArgumentFormHost::showWarning(const std::string& text) { messageBoxes().warning(text); }

void TArgumentFormHost::sentenceEditChanged() {
  const SentenceEditState& state = form_.editor().sentenceEdit();
  QLineEdit* edit = controls_.SentenceEdit;
  const QString text = QString::fromStdString(state.text);
  // A new placement starts afresh: setting the text, even the same one, also
  // empties the box's own undo steps.
  if (edit->text() != text || state.placements != placementShown_) {
    // The editor already knows this text; do not echo it back as typing.
    const QSignalBlocker block(edit);
    edit->setText(text);
    placementShown_ = state.placements;
  }
  placeSentenceEdit();
  if (state.visible) {
    edit->show();
    edit->raise();
  } else if (edit->isVisible()) {
    edit->hide();
  }
}

void TArgumentFormHost::focusSentenceEdit() {
  QLineEdit* edit = controls_.SentenceEdit;
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

void TArgumentFormHost::openArrowPopup(Point windowPoint) { openPopupAt(*controls_.ArrowPopupMenu, windowPoint); }

void TArgumentFormHost::openDefeaterPopup(Point windowPoint) { openPopupAt(*controls_.DefeaterPopupMenu, windowPoint); }

void TArgumentFormHost::prepareSentencePopup(const SentencePopupState& state) {
  if (state.setsEnabling) {
    controls_.SetStatusUndefeatedMenuItem->setEnabled(state.undefeatedEnabled);
    controls_.SetStatusDefeatedMenuItem->setEnabled(state.defeatedEnabled);
    controls_.SetStatusNotEvaluatedMenuItem->setEnabled(state.notEvaluatedEnabled);
  }
  sentencePopupTarget_ = state.sentence;
  sentencePopupPending_ = true;
}

void TArgumentFormHost::openPreparedSentencePopup(QPoint screenPoint) {
  if (!sentencePopupPending_) return;
  sentencePopupPending_ = false;
  form_.runPopupMenu(*controls_.SentencePopupMenu, screenPoint);
  form_.editor().PointerCaptureLost();
}

// A modal menu swallows the release of the press that opened it.
void TArgumentFormHost::openPopupAt(QMenu& menu, Point diagramPoint) {
  form_.runPopupMenu(menu, controls_.ClientArea->mapToGlobal(clientPointOf(diagramPoint)));
  form_.editor().PointerCaptureLost();
}

QPoint TArgumentFormHost::clientPointOf(Point diagramPoint) const {
  const ViewPoint v = viewport_.view().toView(diagramPoint);
  auto c = [](int64_t x) { return static_cast<int>(std::clamp<int64_t>(x, -1000000, 1000000)); };
  return {c(v.x), c(v.y)};
}

void TArgumentFormHost::placeSentenceEdit() {
  const SentenceEditState& state = form_.editor().sentenceEdit();
  controls_.SentenceEdit->setGeometry(QRect(clientPointOf({state.Left, state.Top}), QSize(state.Width, state.Height)));
}

}  // namespace zorvex
