#include "aif/MapReport.h"

#include "aif/ReportWords.h"
#include "model/Diagram.h"
#include "model/InputExcerpt.h"

namespace zorvex {
namespace {

std::string leftOutLine(const LeftOutCounts& c) {
  const std::string line = countedList({
      {c.conflictsOnConflicts, "conflict on a conflict", "conflicts on conflicts"},
      {c.conflictsWithoutAttacker, "conflict without an I-node attacker", "conflicts without an I-node attacker"},
      {c.otherConflicts, "conflict without one target sentence or inference",
       "conflicts without one target sentence or inference"},
      {c.inferencesWithoutArrow, "inference without an I-node conclusion or premise",
       "inferences without an I-node conclusion or premise"},
      {c.rephrases, "rephrase (MA)", "rephrases (MA)"},
      {c.preferences, "preference (PA)", "preferences (PA)"},
      {c.schemeNames, "scheme name", "scheme names"},
      {c.dialogueNodes, "dialogue node (L, TA, YA)", "dialogue nodes (L, TA, YA)"},
      {c.otherNodes, "node of another type", "nodes of other types"},
      {c.speakers, "speaker", "speakers"},
      {c.timestamps, "timestamp", "timestamps"},
      {c.edgesToMissingNodes, "edge to a missing node", "edges to missing nodes"},
      {c.selfSupports, "premise that is its own conclusion", "premises that are their own conclusion"},
  });
  return "Left out: " + (line.empty() ? std::string("nothing") : line);
}

std::string madeLine(const ArgumentMap& map) {
  return std::string("Read an AIF map (") + formatName(map.format) + "): " + madeCounts(map);
}

}  // namespace

std::vector<std::string> mapReport(const ArgumentMap& map, const DrawnMap& drawn) {
  std::vector<std::string> lines{madeLine(map)};
  if (drawn.failure != LayeredFailure::None) lines.push_back(fallbackLine(drawn.failure));
  lines.push_back(leftOutLine(map.leftOut));
  if (!drawn.inexact.empty())
    lines.push_back(inexactLine(drawn, "conflict", [&](int32_t n) {
      return "for conflict " + inputExcerpt(map.defeaters[n].conflictId);
    }));
  return lines;
}

}  // namespace zorvex
