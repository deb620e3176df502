#include "edit/DefeaterMeaning.h"

#include <algorithm>

#include "edit/DefeaterHolds.h"

namespace zorvex {

std::vector<int32_t> defeatersGivenNewMeaning(Diagram& diagram, const EditOutcome& edit) {
  if (!edit.changed || edit.step.elements.empty()) return {};
  // A defeater whose rectangles miss both where the elements were and where
  // they are now cannot have gained or lost any of them.
  std::vector<ElementRef> found;
  diagram.query(*edit.changed, found);
  std::vector<int32_t> near;
  for (const ElementRef& ref : found)
    if (ref.kind == ElementKind::Defeater && !diagram.defeater(ref.index).Deleted) near.push_back(ref.index);
  if (near.empty()) return {};
  std::sort(near.begin(), near.end());
  std::vector<DefeaterHolding> after;
  after.reserve(near.size());
  for (int32_t k : near) after.push_back(defeaterHolds(diagram, k));
  edit.step.apply(diagram, true);
  std::vector<int32_t> changed;
  for (size_t i = 0; i < near.size(); ++i)
    if (!(defeaterHolds(diagram, near[i]) == after[i])) changed.push_back(near[i]);
  edit.step.apply(diagram, false);
  return changed;
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
