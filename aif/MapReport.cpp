#include "aif/MapReport.h"

#include "model/Diagram.h"
#include "model/InputExcerpt.h"

namespace zorvex {
namespace {

std::string counted(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string leftOutLine(const LeftOutCounts& c) {
  struct Item {
    size_t n;
    const char* one;
    const char* many;
  };
  const Item items[] = {
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
  };
  std::string line;
  for (const Item& i : items) {
    if (i.n == 0) continue;
    line += (line.empty() ? "" : ", ") + counted(i.n, i.one, i.many);
  }
  return "Left out: " + (line.empty() ? std::string("nothing") : line);
}

std::string madeLine(const ArgumentMap& map) {
  size_t undercutters = 0;
  for (const MapDefeater& d : map.defeaters) undercutters += d.undercuts() ? 1 : 0;
  std::string line = std::string("Read an AIF map (") + formatName(map.format) +
                     "): " + counted(map.texts.size(), "sentence", "sentences") + ", " +
                     counted(map.arrows.size(), "arrow", "arrows") + ", " +
                     counted(map.defeaters.size() - undercutters, "rebuttal", "rebuttals") + " and " +
                     counted(undercutters, "undercutter", "undercutters");
  if (map.jointInferences > 0)
    line += "; " + counted(map.jointInferences, "inference", "inferences") + " with several premises made " +
            counted(map.jointArrows, "separate arrow", "separate arrows");
  return line;
}

std::string fallbackLine(LayeredFailure failure) {
  const char* what = failure == LayeredFailure::TookTooLong ? "took too long" : "failed";
  return std::string("The automatic layout ") + what + ": the quick layered layout was used instead";
}

std::string inexactLine(const ArgumentMap& map, const DrawnMap& drawn) {
  constexpr size_t Named = 10;
  std::string line = "Not exact: " + counted(drawn.inexact.size(), "defeater", "defeaters") +
                     " could not be drawn to hold only what its conflict relates (";
  for (size_t i = 0; i < drawn.inexact.size() && i < Named; ++i) {
    const int32_t n = drawn.inexact[i];
    line += (i ? ", " : "") + Diagram::name(ElementKind::Defeater, n) + " for conflict " +
            inputExcerpt(map.defeaters[n].conflictId);
  }
  if (drawn.inexact.size() > Named) line += ", and " + std::to_string(drawn.inexact.size() - Named) + " more";
  return line + ")";
}

}  // namespace

std::vector<std::string> mapReport(const ArgumentMap& map, const DrawnMap& drawn) {
  std::vector<std::string> lines{madeLine(map)};
  if (drawn.failure != LayeredFailure::None) lines.push_back(fallbackLine(drawn.failure));
  lines.push_back(leftOutLine(map.leftOut));
  if (!drawn.inexact.empty()) lines.push_back(inexactLine(map, drawn));
  return lines;
}

}  // namespace zorvex
