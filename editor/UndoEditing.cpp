// Undo and redo as the editor sees them: what the tool was in the middle of
// ends first, as for the round buttons, but the tool stays, and a drag in
// progress is never cut into. In selection mode the elements the step
// changed become the selection, as other editors do.
#include <algorithm>

#include "editor/ArgumentEditor.h"

namespace zorvex {

std::vector<ElementRef> ArgumentEditor::selectionNow() const {
  std::vector<ElementRef> out;
  for (const ElementRef& r : selected_) {
    const ElementBase& e = r.kind == ElementKind::Sentence ? static_cast<const ElementBase&>(diagram_.sentence(r.index))
                           : r.kind == ElementKind::Arrow  ? static_cast<const ElementBase&>(diagram_.arrow(r.index))
                                                           : diagram_.defeater(r.index);
    if (e.Selected && !e.Deleted) out.push_back(r);
  }
  return out;
}

// The live sentences and defeaters of the step, and its arrows as a band
// selects them: between two of those sentences, or every live one when the
// step holds no sentence (an added or deleted arrow). An arrow that only
// followed a moved sentence stays unselected, so Delete does not take it.
std::vector<ElementRef> ArgumentEditor::selectionAfter(const UndoStep& step) const {
  std::vector<ElementRef> out;
  std::vector<int32_t> sentences;
  for (const ElementChange& c : step.elements)
    if (c.ref.kind == ElementKind::Sentence && !diagram_.sentence(c.ref.index).Deleted) {
      out.push_back(c.ref);
      sentences.push_back(c.ref.index);
    }
  std::sort(sentences.begin(), sentences.end());
  const auto moved = [&](int32_t n) { return std::binary_search(sentences.begin(), sentences.end(), n); };
  for (const ElementChange& c : step.elements) {
    if (c.ref.kind == ElementKind::Arrow) {
      const TArrow& a = diagram_.arrow(c.ref.index);
      if (!a.Deleted && (sentences.empty() || (moved(a.Sentence1) && moved(a.Sentence2)))) out.push_back(c.ref);
    } else if (c.ref.kind == ElementKind::Defeater) {
      const TDefeater& d = diagram_.defeater(c.ref.index);
      if (!d.Deleted && !d.Incomplete) out.push_back(c.ref);
    }
  }
  return out;
}

std::optional<std::string> ArgumentEditor::stepThroughHistory(bool undo) {
  if (!history_ || EditMode_ == EditMode::DraggingSentenceMode || groupMove_) return std::nullopt;
  if (undo ? !history_->canUndo() : !history_->canRedo()) return std::nullopt;
  const EditMode tool = EditMode_;
  const std::vector<ElementRef> kept = selectionNow();
  LeaveCurrentMode();
  std::optional<std::string> name = undo ? history_->undo(diagram_) : history_->redo(diagram_);
  takeTool(tool);
  const UndoStep* step = undo ? history_->redoStep() : history_->undoStep();
  if (tool == EditMode::MakeSelectionMode && name && step)
    selectOnly(step->elements.empty() ? kept : selectionAfter(*step));
  // Undone additions and deletions change nothing the indexes hold (deletion
  // marks are read live), but a restored element may need to be painted.
  if (name) host_.repaintSurface();
  return name;
}

std::optional<std::string> ArgumentEditor::Undo() { return stepThroughHistory(true); }
std::optional<std::string> ArgumentEditor::Redo() { return stepThroughHistory(false); }

}  // namespace zorvex
