// The Edit menu's commands on the selection: retyping a sentence, selecting
// everything and moving the selected sentences, by key or by Ctrl+Shift-drag.
#include <algorithm>

#include "edit/DefeaterMeaning.h"
#include "editor/ArgumentEditor.h"
#include "model/Checked.h"

namespace zorvex {

bool ArgumentEditor::selectionModeForCommand() {
  if (EditMode_ == EditMode::DraggingSentenceMode || groupMove_) return false;
  if (EditMode_ != EditMode::MakeSelectionMode) MakeSelectionSpeedButtonClick();
  return EditMode_ == EditMode::MakeSelectionMode;
}

std::vector<int32_t> ArgumentEditor::selectedSentences() const {
  std::vector<int32_t> out;
  for (const ElementRef& r : selected_)
    if (r.kind == ElementKind::Sentence && diagram_.sentence(r.index).Selected && !diagram_.sentence(r.index).Deleted)
      out.push_back(r.index);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

// --- Retyping ------------------------------------------------------------------

void ArgumentEditor::EditSentenceText() {
  if (retyped_ || !selectionModeForCommand()) return;
  const std::vector<int32_t> chosen = selectedSentences();
  if (chosen.size() != 1) return status(1, "Select one sentence to edit its text.");
  RetypeSentence(chosen.front());
}

void ArgumentEditor::RetypeSentence(int32_t n) {
  const TSentence& s = diagram_.sentence(n);
  retyped_ = n;
  SentenceEdit_.text = s.Text;
  SentenceEdit_.Left = s.Left;
  SentenceEdit_.Top = s.Top;
  SentenceEdit_.visible = true;
  ++SentenceEdit_.placements;
  host_.sentenceEditChanged();
  host_.focusSentenceEdit();
}

void ArgumentEditor::closeRetype() {
  if (!retyped_) return;
  retyped_.reset();
  SentenceEdit_.visible = false;
  host_.sentenceEditChanged();
}

// A refused text leaves the box open for another try, as adding does.
void ArgumentEditor::retypeFromEdit() {
  const int32_t n = *retyped_;
  if (diagram_.sentence(n).Deleted) return closeRetype();
  const std::string text = SentenceEdit_.text;
  EditOutcome retyped;
  try {
    retyped = edit_.setSentenceText(n, text, host_.measureText(text));
  } catch (const EditRefused& refused) {
    host_.showWarning(refused.message());
    return;
  }
  closeRetype();
  if (retyped.step.elements.empty()) return;
  retyped.step.subject = text;
  record(retyped.step);
  tellMeaning(defeatersGivenNewMeaning(diagram_, retyped));
  host_.repaintSurface();
}

// The adding tools keep a double-click's presses for themselves.
void ArgumentEditor::MouseDoubleClick(const PointerEvent& e) {
  const bool tool = EditMode_ == EditMode::MakeSelectionMode || EditMode_ == EditMode::NoTool;
  if (!tool || e.button != MouseButton::Left || groupMove_) return;
  const Target t = targetAt(view_.toDiagram(ViewPoint{e.pos.x, e.pos.y}), ViewPoint{e.pos.x, e.pos.y});
  if (t.kind != Target::Kind::Sentence) return;
  if (EditMode_ == EditMode::NoTool) {
    EnterMakeSelectionMode();
    selectOnly({{ElementKind::Sentence, t.sentence}});
  }
  RetypeSentence(t.sentence);
}

// --- Selecting everything --------------------------------------------------------

void ArgumentEditor::SelectAll() {
  if (!selectionModeForCommand()) return;
  std::vector<ElementRef> all;
  for (int32_t n = 0; n < diagram_.SentenceCount(); ++n)
    if (!diagram_.sentence(n).Deleted) all.push_back({ElementKind::Sentence, n});
  for (int32_t n = 0; n < diagram_.ArrowCount(); ++n)
    if (!diagram_.arrow(n).Deleted) all.push_back({ElementKind::Arrow, n});
  for (int32_t n = 0; n < diagram_.DefeaterCount(); ++n)
    if (!diagram_.defeater(n).Deleted && !diagram_.defeater(n).Incomplete) all.push_back({ElementKind::Defeater, n});
  selectOnly(all);
}

// --- Moving the selection ----------------------------------------------------------

// A press that follows the one before on the same selection, soon enough
// and with no other step between, joins its step.
void ArgumentEditor::MoveSelectionBy(int32_t dx, int32_t dy) {
  if (EditMode_ != EditMode::MakeSelectionMode || groupMove_ || retyped_) return;
  std::vector<int32_t> chosen = selectedSentences();
  if (chosen.empty()) return;
  const EditOutcome moved = edit_.moveSentences(chosen, dx, dy);
  if (moved.step.elements.empty()) return;
  const Clock::time_point now = now_();
  const bool joins = history_ && nudge_ && nudge_->version == history_->version() &&
                     nudge_->sentences == chosen && now - nudge_->at < NudgeJoinTime;
  if (joins)
    history_->extendLatest(moved.step);
  else
    record(moved.step);
  nudge_.reset();
  if (history_) nudge_ = Nudge{std::move(chosen), now, history_->version()};
  tellMeaning(defeatersGivenNewMeaning(diagram_, moved));
  host_.repaintSurface();
}

void ArgumentEditor::FormKeyDown(int key, ShiftState held) {
  const int32_t step = held.has(ssShift) ? 10 : 1;
  switch (key) {
    case LeftArrowKey: return MoveSelectionBy(-step, 0);
    case RightArrowKey: return MoveSelectionBy(step, 0);
    case UpArrowKey: return MoveSelectionBy(0, -step);
    case DownArrowKey: return MoveSelectionBy(0, step);
    default: return FormKeyDown(key);
  }
}

void ArgumentEditor::startGroupMove(int32_t n, int32_t x, int32_t y) {
  const TSentence& s = diagram_.sentence(n);
  closeRetype();
  groupMove_.emplace();
  groupMove_->sentences = selectedSentences();
  groupMove_->step.emplace(MoveStepName(groupMove_->sentences.size()));
  groupMove_->reference = {addChecked(x, s.Left), addChecked(y, s.Top)};
}

void ArgumentEditor::trackGroupMove(Point p) {
  GroupMove& g = *groupMove_;
  const int32_t dx = subChecked(p.x, g.reference.x), dy = subChecked(p.y, g.reference.y);
  if (dx == 0 && dy == 0) return;
  g.step->add(edit_.moveSentences(g.sentences, dx, dy).step);
  g.reference = p;
  host_.repaintSurface();
}

void ArgumentEditor::endGroupMove() {
  if (!groupMove_) return;
  // Dragged away and back to the spot moved nothing worth a step.
  const UndoStep& step = groupMove_->step->step();
  const bool moved = !step.elements.empty() && std::get<TSentence>(step.elements.front().before).box() !=
                                                   std::get<TSentence>(step.elements.front().after).box();
  if (moved) {
    record(step);
    tellMeaning(defeatersGivenNewMeaning(diagram_, step));
  }
  groupMove_.reset();
  host_.repaintSurface();
}

}  // namespace zorvex
