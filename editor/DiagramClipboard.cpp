#include "editor/DiagramClipboard.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "edit/DefeaterHolds.h"
#include "edit/EditExtent.h"
#include "model/Checked.h"
#include "store/DiagramJson.h"
#include "store/DiagramToRows.h"

namespace zorvex {
namespace {

bool liveDefeater(const TDefeater& d) { return !d.Deleted && !d.Incomplete; }

// Everything a rectangle holds is on the clipboard.
bool allCopied(const RectangleHolds& h, const std::vector<char>& sentence, const std::vector<char>& arrow) {
  return std::all_of(h.sentences.begin(), h.sentences.end(), [&](int32_t n) { return sentence[n] != 0; }) &&
         std::all_of(h.arrows.begin(), h.arrows.end(), [&](int32_t n) { return arrow[n] != 0; });
}

}  // namespace

CopiedElements copiedElements(const Diagram& d) {
  CopiedElements out;
  std::vector<char> sentence(static_cast<size_t>(d.SentenceCount()), 0);
  std::vector<char> arrow(static_cast<size_t>(d.ArrowCount()), 0);
  for (int32_t n = 0; n < d.SentenceCount(); ++n) {
    const TSentence& s = d.sentence(n);
    if (s.Deleted || !s.Selected) continue;
    sentence[n] = 1;
    out.sentences.push_back(n);
  }
  if (out.sentences.empty()) return out;
  for (int32_t n = 0; n < d.ArrowCount(); ++n) {
    const TArrow& a = d.arrow(n);
    if (a.Deleted || !a.resolved() || !sentence[a.Sentence1] || !sentence[a.Sentence2]) continue;
    arrow[n] = 1;
    out.arrows.push_back(n);
  }
  for (int32_t n = 0; n < d.DefeaterCount(); ++n) {
    if (!liveDefeater(d.defeater(n))) continue;
    const DefeaterHolding h = defeaterHolds(d, n);
    const bool holdsSomething = !h.challenging.sentences.empty() || !h.challenging.arrows.empty() ||
                                !h.challenged.sentences.empty() || !h.challenged.arrows.empty();
    if (holdsSomething && allCopied(h.challenging, sentence, arrow) && allCopied(h.challenged, sentence, arrow))
      out.defeaters.push_back(n);
  }
  return out;
}

DiagramRows clipboardRows(const Diagram& d, const CopiedElements& copied) {
  DiagramRows rows;
  rows.sentences.reserve(copied.sentences.size());
  for (int32_t n : copied.sentences) {
    const TSentence& s = d.sentence(n);
    rows.sentences.push_back({s.Left, s.Top, s.Right, s.Bottom, s.Text});
  }
  rows.arrows.reserve(copied.arrows.size());
  for (int32_t n : copied.arrows) rows.arrows.push_back(arrowRowOf(d, n));
  rows.defeaters.reserve(copied.defeaters.size());
  for (int32_t n : copied.defeaters) rows.defeaters.push_back(defeaterRowOf(d.defeater(n)));
  return rows;
}

std::string clipboardText(const Diagram& d, const CopiedElements& copied) {
  return diagramToJson(clipboardRows(d, copied));
}

namespace {

// "text (7)" is the seventh of "text": its number, or 0 for any other text.
int copyNumber(const std::string& text, size_t& originalLength) {
  const size_t open = text.rfind(" (");
  if (open == std::string::npos || text.back() != ')') return 0;
  const std::string digits = text.substr(open + 2, text.size() - open - 3);
  if (digits.empty() || digits.size() > 9 || digits[0] == '0') return 0;
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
  const int n = std::stoi(digits);
  if (n < 2) return 0;
  originalLength = open;
  return n;
}

}  // namespace

std::string freeSentenceText(DiagramLookup& lookup, const std::string& text) {
  if (!lookup.liveTextExists(text)) return text;
  size_t length = text.size();
  copyNumber(text, length);
  const std::string original = text.substr(0, length);
  for (int n = 2;; ++n) {
    std::string candidate = original + " (" + std::to_string(n) + ")";
    if (!lookup.liveTextExists(candidate)) return candidate;
  }
}

Point rowsCorner(const DiagramRows& rows) {
  Point corner{INT32_MAX, INT32_MAX};
  auto take = [&](int32_t x, int32_t y) {
    corner.x = std::min(corner.x, x);
    corner.y = std::min(corner.y, y);
  };
  for (const SentenceRow& s : rows.sentences) take(s.Left, s.Top);
  for (const DefeaterRow& f : rows.defeaters) {
    take(std::min(f.ChallengingRectLeft, f.ChallengingRectRight),
         std::min(f.ChallengingRectTop, f.ChallengingRectBottom));
    take(std::min(f.ChallengedRectLeft, f.ChallengedRectRight), std::min(f.ChallengedRectTop, f.ChallengedRectBottom));
  }
  return corner;
}

namespace {

Rect shifted(int32_t l, int32_t t, int32_t r, int32_t b, int32_t dx, int32_t dy) {
  return {addChecked(l, dx), addChecked(t, dy), addChecked(r, dx), addChecked(b, dy)};
}

struct Placed {
  std::vector<Point> corners;
  std::vector<std::pair<Rect, Rect>> defeaters;
};

// Every new place, worked out before anything is added.
Placed placesOf(const DiagramRows& rows, int32_t dx, int32_t dy) {
  Placed p;
  for (const SentenceRow& s : rows.sentences) p.corners.push_back({addChecked(s.Left, dx), addChecked(s.Top, dy)});
  for (const DefeaterRow& f : rows.defeaters)
    p.defeaters.emplace_back(
        shifted(f.ChallengingRectLeft, f.ChallengingRectTop, f.ChallengingRectRight, f.ChallengingRectBottom, dx, dy),
        shifted(f.ChallengedRectLeft, f.ChallengedRectTop, f.ChallengedRectRight, f.ChallengedRectBottom, dx, dy));
  return p;
}

using RowKey = std::tuple<int32_t, int32_t, std::string>;

}  // namespace

PastedElements pasteRows(DiagramEdit& edit, const DiagramRows& rows, std::optional<Point> at,
                         const MeasureText& measure, const std::string& stepName) {
  int32_t dx = 20, dy = 20;
  if (at) {
    const Point corner = rowsCorner(rows);
    dx = subChecked(at->x, corner.x);
    dy = subChecked(at->y, corner.y);
  }
  const Placed places = placesOf(rows, dx, dy);
  StepSequence step(stepName);
  EditExtent extent;
  PastedElements out;
  auto take = [&](const EditOutcome& o) {
    step.add(o.step);
    if (o.changed) extent.add(*o.changed);
    if (o.added) out.added.push_back(*o.added);
  };
  try {
    // The pasted sentence each row became, by the row's place and text, and
    // by text alone for rows written by hand.
    std::map<RowKey, int32_t> byRow;
    std::map<std::string, int32_t> byText;
    for (size_t i = 0; i < rows.sentences.size(); ++i) {
      const SentenceRow& s = rows.sentences[i];
      const std::string text = freeSentenceText(edit.lookup(), s.Text);
      const EditOutcome o = edit.addSentence(places.corners[i], text, measure(text));
      byRow.try_emplace(RowKey{s.Left, s.Top, s.Text}, o.added->index);
      byText.try_emplace(s.Text, o.added->index);
      take(o);
    }
    auto find = [&](int32_t left, int32_t top, const std::string& text) -> std::optional<int32_t> {
      if (auto it = byRow.find(RowKey{left, top, text}); it != byRow.end()) return it->second;
      if (auto it = byText.find(text); it != byText.end()) return it->second;
      return std::nullopt;
    };
    for (const ArrowRow& a : rows.arrows) {
      const auto from = find(a.Left1, a.Top1, a.Text1);
      const auto to = find(a.Left2, a.Top2, a.Text2);
      if (!from || !to || edit.arrowRefusal(*from, *to)) continue;
      take(edit.addArrow(*from, *to));
    }
    for (const auto& [challenging, challenged] : places.defeaters) take(edit.addDefeater(challenging, challenged));
  } catch (...) {
    step.step().apply(edit.diagram(), true);
    throw;
  }
  out.step = step.step();
  out.changed = extent.area();
  return out;
}

}  // namespace zorvex
