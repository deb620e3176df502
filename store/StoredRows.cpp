// The rows of a loaded diagram, for export.

#include "model/LoadElements.h"
#include "model/paradox/ParadoxTable.h"
#include "tools/TableFiles.h"

namespace zorvex::tools {
namespace {

struct SideColumns {
  int left, top, text;
};

// Left, Top and Text of the unresolved sides, read again from the arrow
// table for the arrows numbered in `wanted`.
void readUnresolvedSides(std::vector<ArrowRow>& arrows, const Diagram& d, const std::string& directory) {
  auto table = paradox::tableOpener()(tablePath(directory, ArrowsTableFile));
  const SideColumns side1{table->columnIndex("Left1"), table->columnIndex("Top1"), table->columnIndex("Text1")};
  const SideColumns side2{table->columnIndex("Left2"), table->columnIndex("Top2"), table->columnIndex("Text2")};
  size_t n = 0;
  for (table->first(); !table->eof() && n < arrows.size(); table->next(), ++n) {
    const TArrow& a = d.arrow(static_cast<int32_t>(n));
    ArrowRow& row = arrows[n];
    if (a.Sentence1 == NoSentence) {
      row.Left1 = table->integerAt(side1.left);
      row.Top1 = table->integerAt(side1.top);
      row.Text1 = table->textAt(side1.text);
    }
    if (a.Sentence2 == NoSentence) {
      row.Left2 = table->integerAt(side2.left);
      row.Top2 = table->integerAt(side2.top);
      row.Text2 = table->textAt(side2.text);
    }
  }
  table->close();
}

ArrowRow arrowRow(const TArrow& a, const Diagram& d) {
  ArrowRow row;
  row.Center1X = a.Center1X, row.Center1Y = a.Center1Y, row.Center2X = a.Center2X, row.Center2Y = a.Center2Y;
  row.StartX = a.StartX, row.StartY = a.StartY, row.EndX = a.EndX, row.EndY = a.EndY;
  if (a.Sentence1 != NoSentence) {
    const TSentence& s = d.sentence(a.Sentence1);
    row.Left1 = s.Left, row.Top1 = s.Top, row.Text1 = s.Text;
  }
  if (a.Sentence2 != NoSentence) {
    const TSentence& s = d.sentence(a.Sentence2);
    row.Left2 = s.Left, row.Top2 = s.Top, row.Text2 = s.Text;
  }
  return row;
}

}  // namespace

DiagramRows rowsOfDiagram(const Diagram& d, const std::string& directory) {
  DiagramRows rows;
  rows.sentences.reserve(d.sentences().size());
  for (const TSentence& s : d.sentences()) rows.sentences.push_back({s.Left, s.Top, s.Right, s.Bottom, s.Text});
  bool unresolved = false;
  rows.arrows.reserve(d.arrows().size());
  for (const TArrow& a : d.arrows()) {
    rows.arrows.push_back(arrowRow(a, d));
    unresolved = unresolved || !a.resolved();
  }
  if (unresolved) readUnresolvedSides(rows.arrows, d, directory);
  rows.defeaters.reserve(d.defeaters().size());
  for (const TDefeater& f : d.defeaters()) {
    const Rect& a = f.ChallengingRect;
    const Rect& b = f.ChallengedRect;
    rows.defeaters.push_back({a.Left, a.Top, a.Right, a.Bottom, b.Left, b.Top, b.Right, b.Bottom, f.Center1X,
                              f.Center1Y, f.Center2X, f.Center2Y, f.StartX, f.StartY, f.EndX, f.EndY});
  }
  return rows;
}

}  // namespace zorvex::tools
