// Adding sentences, changing their text and moving them, with the arrows at
// them following.
#include <algorithm>
#include <utility>

#include "edit/DerivedGeometry.h"
#include "edit/DiagramEdit.h"
#include "edit/EditExtent.h"

namespace zorvex {

std::string DuplicateSentenceText(const std::string& text) {
  return "The sentence\r\n    '" + text + "'\r\nalready exists. It cannot be added again.";
}

std::string RetypedDuplicateText(const std::string& text) {
  return "The sentence\r\n    '" + text + "'\r\nalready exists.";
}

const char* const EmptySentenceText = "A sentence cannot be empty.";

std::string MoveStepName(size_t sentences) {
  return sentences == 1 ? "Move Sentence" : "Move " + std::to_string(sentences) + " Sentences";
}

DiagramLookup& DiagramEdit::lookup() {
  lookup_.sync();
  return lookup_;
}

void DiagramEdit::checkSentence(int32_t sentence) const {
  if (sentence < 0 || sentence >= diagram_.SentenceCount())
    throw ZorvexError(Diagram::name(ElementKind::Sentence, sentence) + " not found");
}

EditOutcome DiagramEdit::added(ElementRef ref, const char* stepName) {
  diagram_.geometryChanged(ref);
  lookup_.sync();
  ElementStepBuilder step(diagram_, stepName);
  step.added(ref);
  return {step.take(), diagram_.drawnExtent(ref), ref};
}

EditOutcome DiagramEdit::addSentence(Point corner, const std::string& text, TextSize measured) {
  if (lookup().liveTextExists(text)) throw EditRefused(DuplicateSentenceText(text));
  TSentence s;
  s.Text = text;
  placeAddedSentence(s, corner, measured);
  const int32_t n = diagram_.addSentence(std::move(s));
  EditOutcome out = added({ElementKind::Sentence, n}, "Add Sentence");
  out.step.subject = text;
  return out;
}

EditOutcome DiagramEdit::setSentenceText(int32_t sentence, const std::string& text, TextSize measured) {
  checkSentence(sentence);
  if (text.empty()) throw EditRefused(EmptySentenceText);
  if (lookup().liveTextExists(text, sentence)) throw EditRefused(RetypedDuplicateText(text));
  const TSentence& now = diagram_.sentence(sentence);
  TSentence retyped = now;
  retyped.Text = text;
  placeAddedSentence(retyped, {now.Left, now.Top}, measured);
  if (retyped.Text != now.Text) lookup_.textChanged(sentence);
  return reshape({{sentence, std::move(retyped)}}, "Retype Sentence");
}

EditOutcome DiagramEdit::moveSentences(std::vector<int32_t> sentences, int32_t dx, int32_t dy) {
  std::sort(sentences.begin(), sentences.end());
  sentences.erase(std::unique(sentences.begin(), sentences.end()), sentences.end());
  std::vector<NewBox> boxes;
  boxes.reserve(sentences.size());
  for (int32_t n : sentences) {
    checkSentence(n);
    TSentence moved = diagram_.sentence(n);
    moveSentenceBy(moved, dx, dy);
    boxes.push_back({n, std::move(moved)});
  }
  return reshape(boxes, MoveStepName(sentences.size()));
}

namespace {

bool sameBox(const TSentence& a, const TSentence& b) {
  return a.box() == b.box() && a.Width == b.Width && a.Height == b.Height && a.Text == b.Text;
}

bool samePlace(const TArrow& a, const TArrow& b) {
  return a.Center1X == b.Center1X && a.Center1Y == b.Center1Y && a.Center2X == b.Center2X &&
         a.Center2Y == b.Center2Y && a.StartX == b.StartX && a.StartY == b.StartY && a.EndX == b.EndX &&
         a.EndY == b.EndY && a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

}  // namespace

// New records for some sentences (sorted by number), and every live resolved
// arrow at them placed anew between the boxes as they will be. All is worked
// out before anything is written, so an overflow changes nothing.
EditOutcome DiagramEdit::reshape(const std::vector<NewBox>& boxes, std::string stepName) {
  lookup_.sync();
  auto newBox = [&](int32_t n) -> const TSentence* {
    const auto it = std::lower_bound(boxes.begin(), boxes.end(), n,
                                     [](const NewBox& b, int32_t k) { return b.sentence < k; });
    return it != boxes.end() && it->sentence == n ? &it->record : nullptr;
  };
  std::vector<int32_t> arrows;
  for (const NewBox& b : boxes)
    for (int32_t k : lookup_.arrowsOf(b.sentence)) {
      const TArrow& a = diagram_.arrow(k);
      if (!a.Deleted && a.resolved()) arrows.push_back(k);
    }
  std::sort(arrows.begin(), arrows.end());
  arrows.erase(std::unique(arrows.begin(), arrows.end()), arrows.end());
  std::vector<TArrow> placed;
  placed.reserve(arrows.size());
  for (int32_t k : arrows) {
    TArrow a = diagram_.arrow(k);
    const TSentence* from = newBox(a.Sentence1);
    const TSentence* to = newBox(a.Sentence2);
    const ArrowCentres centres = from && to ? ArrowCentres::Both : from ? ArrowCentres::Start : ArrowCentres::End;
    placeArrow(a, (from ? *from : diagram_.sentence(a.Sentence1)).box(),
               (to ? *to : diagram_.sentence(a.Sentence2)).box(), centres);
    placed.push_back(a);
  }

  // Each element comes once: the step is put together directly.
  UndoStep step;
  step.name = std::move(stepName);
  EditExtent extent;
  for (const NewBox& b : boxes) {
    const ElementRef ref{ElementKind::Sentence, b.sentence};
    TSentence& s = diagram_.sentence(b.sentence);
    if (sameBox(s, b.record)) continue;
    step.elements.push_back({ref, s, {}});
    extent.add(diagram_, ref);
    s.Left = b.record.Left;
    s.Top = b.record.Top;
    s.Right = b.record.Right;
    s.Bottom = b.record.Bottom;
    s.Width = b.record.Width;
    s.Height = b.record.Height;
    s.Text = b.record.Text;
    diagram_.geometryChanged(ref);
    extent.add(diagram_, ref);
    step.elements.back().after = s;
  }
  for (size_t i = 0; i < arrows.size(); ++i) {
    const ElementRef ref{ElementKind::Arrow, arrows[i]};
    TArrow& a = diagram_.arrow(arrows[i]);
    if (samePlace(a, placed[i])) continue;
    step.elements.push_back({ref, a, placed[i]});
    extent.add(diagram_, ref);
    a = placed[i];
    diagram_.geometryChanged(ref);
    extent.add(diagram_, ref);
  }
  return {std::move(step), extent.area(), std::nullopt};
}

}  // namespace zorvex
