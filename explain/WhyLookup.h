#pragma once
// The containment and arrow lookups a why tree needs: the arrows ending at
// each sentence, the defeaters whose challenged rectangle holds an element
// (through the diagram's spatial index), and what a challenging rectangle
// holds. Deleted elements take no part, as in the rounds. Making one reads
// every sentence and, on first use, every arrow; it can serve many trees
// while the diagram's elements, geometry and deletion marks stay as they are.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "edit/DefeaterHolds.h"
#include "model/Diagram.h"

namespace zorvex {

class WhyLookup {
 public:
  explicit WhyLookup(const Diagram& diagram);

  bool sentenceTakesPart(int32_t s) const;
  // Not deleted, both ends resolved.
  bool arrowTakesPart(int32_t a) const;
  bool takesPart(ElementRef ref) const;

  // Arrows that take part and end at the sentence, ascending.
  std::vector<int32_t> arrowsTo(int32_t sentence) const;
  // Defeaters (not deleted) whose challenged rectangle holds the element, ascending.
  std::vector<int32_t> challengedHolding(ElementRef ref) const;
  // What the defeater's challenging rectangle holds (not deleted).
  const RectangleHolds& challenging(int32_t defeater) const;

 private:
  void indexArrows() const;

  const Diagram& d_;
  bool odd(const TSentence& s) const;

  // Sentences the spatial index may not find inside a rectangle: boxes
  // turned inside out or with no width or height.
  std::vector<int32_t> oddSentences_;
  mutable bool arrowsIndexed_ = false;
  mutable std::vector<int32_t> arrowFirst_, arrowList_;
  mutable std::unordered_map<int32_t, RectangleHolds> challenging_;
};

}  // namespace zorvex
