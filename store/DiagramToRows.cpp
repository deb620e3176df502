#include "store/DiagramToRows.h"

namespace zorvex {
namespace {

void nameSide(const Diagram& d, int32_t sentence, const ArrowSide* loaded, int32_t& left, int32_t& top,
              std::string& text) {
  if (sentence != NoSentence) {
    const TSentence& s = d.sentence(sentence);
    left = s.Left, top = s.Top, text = s.Text;
  } else if (loaded) {
    left = loaded->Left, top = loaded->Top, text = loaded->Text;
  }
}

ArrowRow arrowRow(const TArrow& a, const LoadedArrowSides* loaded, const Diagram& d) {
  ArrowRow row;
  row.Center1X = a.Center1X, row.Center1Y = a.Center1Y, row.Center2X = a.Center2X, row.Center2Y = a.Center2Y;
  row.StartX = a.StartX, row.StartY = a.StartY, row.EndX = a.EndX, row.EndY = a.EndY;
  nameSide(d, a.Sentence1, loaded ? &loaded->side1 : nullptr, row.Left1, row.Top1, row.Text1);
  nameSide(d, a.Sentence2, loaded ? &loaded->side2 : nullptr, row.Left2, row.Top2, row.Text2);
  return row;
}

}  // namespace

DefeaterRow defeaterRowOf(const TDefeater& f) {
  const Rect& a = f.ChallengingRect;
  const Rect& b = f.ChallengedRect;
  return {a.Left,     a.Top,      a.Right,    a.Bottom,   b.Left,   b.Top,   b.Right, b.Bottom,
          f.Center1X, f.Center1Y, f.Center2X, f.Center2Y, f.StartX, f.StartY, f.EndX,  f.EndY};
}

ArrowRow arrowRowOf(const Diagram& d, int32_t n) {
  const TArrow& a = d.arrow(n);
  return arrowRow(a, a.resolved() ? nullptr : d.loadedSides(n), d);
}

DiagramRows rowsOfDiagram(const Diagram& d, WithStatuses statuses) {
  const bool withStatus = statuses == WithStatuses::Yes;
  DiagramRows rows;
  rows.sentences.reserve(d.sentences().size());
  for (const TSentence& s : d.sentences()) {
    if (s.Deleted) continue;
    rows.sentences.push_back({s.Left, s.Top, s.Right, s.Bottom, s.Text});
    if (withStatus) rows.sentenceStatus.emplace_back(s.Status);
  }
  rows.arrows.reserve(d.arrows().size());
  for (int32_t n = 0; n < d.ArrowCount(); ++n) {
    const TArrow& a = d.arrow(n);
    if (a.Deleted) continue;
    rows.arrows.push_back(arrowRowOf(d, n));
    if (withStatus) rows.arrowStatus.emplace_back(a.Status);
  }
  rows.defeaters.reserve(d.defeaters().size());
  for (const TDefeater& f : d.defeaters()) {
    if (f.Deleted || f.Incomplete) continue;  // one still being drawn is not part of the diagram yet
    rows.defeaters.push_back(defeaterRowOf(f));
    if (withStatus) rows.defeaterState.emplace_back(f.DefeaterState);
  }
  return rows;
}

}  // namespace zorvex
