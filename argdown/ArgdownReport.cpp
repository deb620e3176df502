// What reading an Argdown text made and left out, in the lines and words of
// the AIF report, with the numbers of the lines that could not be read.
#include <algorithm>

#include "aif/ReportWords.h"
#include "argdown/ArgdownFiles.h"

namespace zorvex {
namespace {

constexpr size_t Named = 10;

// "(line 17)", "(lines 3, 5 and 9)", "(lines 1, ..., 10 and 4 more)".
std::string linesNamed(const std::vector<int>& lines) {
  std::string out = lines.size() == 1 ? "(line " : "(lines ";
  const size_t shown = std::min(lines.size(), Named);
  for (size_t i = 0; i < shown; ++i) {
    const bool last = i + 1 == shown && lines.size() <= Named;
    out += (i == 0 ? "" : last ? " and " : ", ") + std::to_string(lines[i]);
  }
  if (lines.size() > Named) out += " and " + std::to_string(lines.size() - Named) + " more";
  return out + ")";
}

std::string leftOutLine(const ArgdownMeaning& m) {
  const ArgdownLeftOut& c = m.leftOut;
  std::string line = countedList({
      {c.headings, "heading", "headings"},
      {c.tags, "tag", "tags"},
      {c.frontMatter, "front matter", "front matters"},
      {c.dataItems, "data item", "data items"},
      {c.inferenceRules, "inference rule", "inference rules"},
      {c.furtherTexts, "further text of a statement", "further texts of statements"},
      {c.unknownUses, "use of a number that is no statement above", "uses of numbers that are no statement above"},
      {c.selfSupports, "premise that is its own conclusion", "premises that are their own conclusion"},
      {c.selfAttacks, "attack on itself", "attacks on themselves"},
      {c.undercutsOfNoInference, "undercut of an element without an inference",
       "undercuts of elements without an inference"},
      {c.withoutConclusion, "relation of an argument without a conclusion",
       "relations of arguments without a conclusion"},
      {c.underUnreadable, "relation under a line that could not be read",
       "relations under lines that could not be read"},
      {c.withoutInference, "numbered statement without an inference line",
       "numbered statements without an inference line"},
  });
  if (!m.unreadableLines.empty())
    line += (line.empty() ? "" : ", ") +
            counted(m.unreadableLines.size(), "line that could not be read", "lines that could not be read") + " " +
            linesNamed(m.unreadableLines);
  return "Left out: " + (line.empty() ? std::string("nothing") : line);
}

std::string madeLine(const ArgdownMeaning& m) {
  std::string line = "Read an Argdown text: " + madeCounts(m.map);
  if (!m.attacksReadAsUndercuts.empty())
    line += "; " + counted(m.attacksReadAsUndercuts.size(), "attack", "attacks") + " on an argument read as " +
            (m.attacksReadAsUndercuts.size() == 1 ? "an undercut " : "undercuts ") +
            linesNamed(m.attacksReadAsUndercuts);
  return line;
}

}  // namespace

std::vector<std::string> argdownReport(const ArgdownMeaning& meaning, const DrawnMap& drawn) {
  std::vector<std::string> lines{madeLine(meaning)};
  if (drawn.failure != LayeredFailure::None) lines.push_back(fallbackLine(drawn.failure));
  lines.push_back(leftOutLine(meaning));
  if (!drawn.inexact.empty())
    lines.push_back(
        inexactLine(drawn, "relation", [&](int32_t n) { return "of " + meaning.map.defeaters[n].conflictId; }));
  return lines;
}

}  // namespace zorvex
