#pragma once
// What an AIF map means for a diagram: sentences from the I-nodes, arrows
// from the inferences (RA), defeaters from the conflicts (CA), and a count
// of everything the diagram has no place for.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "aif/AifGraph.h"

namespace zorvex {

struct MapArrow {
  int32_t from = 0;  // sentence numbers: the premise
  int32_t to = 0;    // and the conclusion
};

struct MapDefeater {
  std::string conflictId;
  std::vector<int32_t> attackers;     // sentence numbers, ascending
  int32_t targetSentence = -1;        // a rebuttal's target
  std::vector<int32_t> targetArrows;  // an undercutter's: the arrows of one inference
  bool undercuts() const { return targetSentence < 0; }
};

struct LeftOutCounts {
  size_t conflictsOnConflicts = 0;
  size_t conflictsWithoutAttacker = 0;  // no I-node attacks through them
  size_t otherConflicts = 0;            // no single target, or one the diagram lacks
  size_t inferencesWithoutArrow = 0;    // no single I-node conclusion, or no other I-node premise
  size_t rephrases = 0;                 // MA
  size_t preferences = 0;               // PA
  size_t schemeNames = 0;
  size_t dialogueNodes = 0;  // L, TA, YA
  size_t otherNodes = 0;
  size_t speakers = 0;
  size_t timestamps = 0;
  size_t edgesToMissingNodes = 0;
  size_t selfSupports = 0;  // a premise that is its own conclusion
};

struct ArgumentMap {
  AifFormat format = AifFormat::AifDb;
  std::vector<std::string> texts;  // one sentence per I-node, in the map's order
  std::vector<MapArrow> arrows;
  std::vector<MapDefeater> defeaters;
  size_t jointInferences = 0;  // inferences with several premises
  size_t jointArrows = 0;      // the separate arrows made of them
  LeftOutCounts leftOut;
};

ArgumentMap mapArguments(const AifGraph& graph);

// Every run of Unicode white space one space, none at either end.
std::string collapseWhiteSpace(const std::string& utf8);

}  // namespace zorvex
