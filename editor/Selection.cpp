// Selecting by rubber band or click in selection mode, and clearing marks.
// The editor remembers what it marked, so a new selection or leaving the
// mode touches only the elements whose mark changes.
#include <algorithm>

#include "editor/ArgumentEditor.h"

namespace zorvex {

namespace {
OverlayFigure band(Point a, Point b) {
  return {OverlayFigure::Shape::Rectangle, a, b, OverlayBlack, true, true};
}
bool& selectedMark(Diagram& d, ElementRef r) {
  switch (r.kind) {
    case ElementKind::Sentence: return d.sentencesForStatus()[static_cast<size_t>(r.index)].Selected;
    case ElementKind::Arrow: return d.arrowsForStatus()[static_cast<size_t>(r.index)].Selected;
    case ElementKind::Defeater: break;
  }
  return d.defeatersForStatus()[static_cast<size_t>(r.index)].Selected;
}
bool byKindThenNumber(const ElementRef& a, const ElementRef& b) {
  return a.kind != b.kind ? a.kind < b.kind : a.index < b.index;
}
}  // namespace

void ArgumentEditor::markSelected(ElementRef ref, bool selected) {
  bool& mark = selectedMark(diagram_, ref);
  if (mark == selected) return;
  mark = selected;
  if (selected) selected_.push_back(ref);
  host_.repaintElement(ref);
}

void ArgumentEditor::clearAllMarks() {
  std::sort(selected_.begin(), selected_.end(), byKindThenNumber);
  std::vector<ElementRef> old;
  old.swap(selected_);
  for (const ElementRef& r : old) markSelected(r, false);
}

// One repaint for the whole change, however many marks it sets.
void ArgumentEditor::selectOnly(const std::vector<ElementRef>& refs) {
  for (const ElementRef& r : selected_) selectedMark(diagram_, r) = false;
  selected_ = refs;
  for (const ElementRef& r : selected_) selectedMark(diagram_, r) = true;
  host_.repaintSurface();
}

void ArgumentEditor::StartSelectionRect(int32_t x, int32_t y) {
  SelectionRect_ = {0, 0, 0, 0};
  SelectionAnchor_ = {x, y};
  LastPointerPoint_ = {x, y};
  gesture_ = Gesture::Selection;
}

void ArgumentEditor::TrackSelectionRect(int32_t x, int32_t y) {
  if (gesture_ != Gesture::Selection) return;
  overlay_.erase(band(SelectionAnchor_, LastPointerPoint_));
  LastPointerPoint_ = {x, y};
  overlay_.draw(band(SelectionAnchor_, LastPointerPoint_));
  publishOverlay();
}

// Each release replaces the whole selection: sentences touching the band,
// arrows between two selected sentences, the arrow under a click that did
// not move, and the defeater under the release point.
void ArgumentEditor::FinishSelection(int32_t x, int32_t y) {
  if (gesture_ != Gesture::Selection) return;
  gesture_ = Gesture::None;
  clearOverlay();
  host_.repaintSurface();
  const Rect r{std::min(SelectionAnchor_.x, x), std::min(SelectionAnchor_.y, y), std::max(SelectionAnchor_.x, x),
               std::max(SelectionAnchor_.y, y)};
  SelectionRect_ = r;

  std::vector<ElementRef> old;
  old.swap(selected_);
  for (const ElementRef& ref : old) selectedMark(diagram_, ref) = false;
  std::vector<ElementRef> chosen;
  auto choose = [&](ElementRef ref) {
    bool& mark = selectedMark(diagram_, ref);
    if (mark) return;
    mark = true;
    chosen.push_back(ref);
  };

  // A box's Right and Bottom may lie one past its drawn extent.
  std::vector<ElementRef> found;
  diagram_.query({r.Left == INT32_MIN ? r.Left : r.Left - 1, r.Top == INT32_MIN ? r.Top : r.Top - 1, r.Right, r.Bottom},
                 found);
  std::vector<int32_t> sentences;
  for (const ElementRef& ref : found) {
    if (ref.kind != ElementKind::Sentence) continue;
    const TSentence& s = diagram_.sentence(ref.index);
    if (!s.Deleted && s.Left <= r.Right && s.Top <= r.Bottom && s.Right >= r.Left && s.Bottom >= r.Top)
      sentences.push_back(ref.index);
  }
  std::sort(sentences.begin(), sentences.end());
  for (int32_t n : sentences) choose({ElementKind::Sentence, n});
  index_.sync();
  for (int32_t n : sentences)
    for (int32_t k : index_.arrowsOf(n)) {
      const TArrow& a = diagram_.arrow(k);
      if (a.Sentence1 == n && a.Sentence2 != NoSentence && diagram_.sentence(a.Sentence2).Selected)
        choose({ElementKind::Arrow, k});
    }
  if (SelectionAnchor_ == Point{x, y})
    if (auto arrow = arrowUnderPointer({x, y})) choose({ElementKind::Arrow, *arrow});
  if (auto defeater = defeaterUnderPointer({x, y})) choose({ElementKind::Defeater, *defeater});

  // Repaint exactly the elements whose mark changed.
  for (const ElementRef& ref : old)
    if (!selectedMark(diagram_, ref)) host_.repaintElement(ref);
  std::sort(old.begin(), old.end(), byKindThenNumber);
  for (const ElementRef& ref : chosen)
    if (!std::binary_search(old.begin(), old.end(), ref, byKindThenNumber)) host_.repaintElement(ref);
  selected_ = std::move(chosen);
}

}  // namespace zorvex
