#pragma once
// Who reads whose status in a round, by the drawing alone: the arrows that
// start at each sentence, what each defeater's rectangles hold, and for each
// sentence and arrow the defeaters whose challenging rectangle holds it. The
// incremental rounds follow these lists from an element that changed to the
// elements whose decision may change with it.
//
// It takes part as the whole round decides (eval/Queries.h): deleted
// elements are held by no rectangle, a deleted defeater holds nothing, and
// an arrow with an unresolved side is held (spoiling a challenge) but is
// never changed and starts nothing.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/Diagram.h"

namespace zorvex {

// Lists of numbers per element, packed one after the other.
struct PackedLists {
  std::vector<uint32_t> first;  // size count + 1
  std::vector<int32_t> ids;

  std::span<const int32_t> of(size_t n) const { return {ids.data() + first[n], ids.data() + first[n + 1]}; }
  size_t bytes() const { return first.capacity() * sizeof(uint32_t) + ids.capacity() * sizeof(int32_t); }
};

class RoundIndex {
 public:
  enum ArrowRole : uint8_t { Deleted, Unresolved, TakesPart };

  // Returns false when the rectangles together hold more than a few times
  // the diagram's elements: following them would cost more than a whole round.
  bool build(const Diagram& diagram);

  std::vector<uint8_t> sentencePart, defeaterPart;
  std::vector<ArrowRole> arrowRole;
  std::vector<int32_t> arrowStart, arrowEnd;  // for arrows that take part
  PackedLists outArrows;                      // per sentence: arrows taking part that start there
  PackedLists challengingS, challengingA;     // per defeater
  PackedLists challengedS, challengedA;       // per defeater
  PackedLists sentenceIn, arrowIn;            // per sentence / arrow: defeaters whose challenging rectangle holds it

  size_t bytes() const;
};

}  // namespace zorvex
