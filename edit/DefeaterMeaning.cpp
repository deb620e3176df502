#include "edit/DefeaterMeaning.h"

#include <algorithm>

#include "edit/DefeaterHolds.h"
#include "edit/EditExtent.h"

namespace zorvex {
namespace {

Rect recordExtent(const ElementRecord& record) {
  struct Extent {
    Rect operator()(const TSentence& s) const { return sentenceExtent(s); }
    Rect operator()(const TArrow& a) const { return arrowExtent(a); }
    Rect operator()(const TDefeater& d) const { return defeaterExtent(d); }
  };
  return std::visit(Extent{}, record);
}

}  // namespace

std::vector<int32_t> defeatersGivenNewMeaning(Diagram& diagram, const UndoStep& step, const std::optional<Rect>& area) {
  if (!area || step.elements.empty()) return {};
  // A defeater whose rectangles miss both where the elements were and where
  // they are now cannot have gained or lost any of them.
  std::vector<ElementRef> found;
  diagram.query(*area, found);
  std::vector<int32_t> near;
  for (const ElementRef& ref : found)
    if (ref.kind == ElementKind::Defeater && !diagram.defeater(ref.index).Deleted &&
        !diagram.defeater(ref.index).Incomplete)
      near.push_back(ref.index);
  if (near.empty()) return {};
  std::sort(near.begin(), near.end());
  near.erase(std::unique(near.begin(), near.end()), near.end());
  std::vector<DefeaterHolding> after;
  after.reserve(near.size());
  for (int32_t k : near) after.push_back(defeaterHolds(diagram, k));
  step.apply(diagram, true);
  std::vector<int32_t> changed;
  for (size_t i = 0; i < near.size(); ++i)
    if (!diagram.defeater(near[i]).Deleted && !(defeaterHolds(diagram, near[i]) == after[i]))
      changed.push_back(near[i]);
  step.apply(diagram, false);
  return changed;
}

std::vector<int32_t> defeatersGivenNewMeaning(Diagram& diagram, const EditOutcome& edit) {
  return defeatersGivenNewMeaning(diagram, edit.step, edit.changed);
}

std::vector<int32_t> defeatersGivenNewMeaning(Diagram& diagram, const UndoStep& step) {
  EditExtent extent;
  for (const ElementChange& c : step.elements) {
    extent.add(recordExtent(c.before));
    extent.add(recordExtent(c.after));
  }
  return defeatersGivenNewMeaning(diagram, step, extent.area());
}

std::string DefeaterMeaningChangedText(const std::vector<int32_t>& defeaters) {
  std::string names;
  for (size_t i = 0; i < defeaters.size(); ++i) {
    if (i > 0) names += i + 1 == defeaters.size() ? " and " : ", ";
    names += Diagram::name(ElementKind::Defeater, defeaters[i]);
  }
  return "The meaning of " + names + " changed.";
}

}  // namespace zorvex
