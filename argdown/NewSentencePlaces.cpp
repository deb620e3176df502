// Where the sentences a text adds go: each group of new sentences that the
// text relates is laid out together with the sentences it relates them to,
// put where those stand, and moved aside until it is clear of every box and
// defeater rectangle drawn. The sentences already drawn never move.
#include <algorithm>
#include <climits>
#include <numeric>
#include <unordered_map>

#include "argdown/TextMeaningParts.h"
#include "layout/BoxLayout.h"

namespace zorvex::textmeaning {
namespace {

constexpr int32_t Gap = 24;
constexpr int32_t Step = 48;    // the distance a group is moved aside at a time
constexpr int32_t Sideways = 12;  // steps to either side in a row
constexpr int32_t Rows = 40;      // rows tried; then it goes where it landed

bool meets(const Rect& a, const Rect& b) {
  return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}

Rect grown(const Rect& r, int32_t by) { return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by}; }

class Placer {
 public:
  Placer(const Diagram& d, const ArgdownMeaning& m, const SentenceMatch& match, const std::vector<TextSize>& boxes)
      : d_(d), m_(m), match_(match), boxes_(boxes), parent_(m.map.texts.size()), corner_(m.map.texts.size()) {
    std::iota(parent_.begin(), parent_.end(), 0);
    for (size_t i = 0; i < m.map.texts.size(); ++i) {
      const int32_t s = match.sentence[i];
      if (s >= 0) corner_[i] = {d.sentence(s).Left, d.sentence(s).Top};
      if (s >= 0 || static_cast<int32_t>(i) != match.same[i]) continue;
      added_.push_back(static_cast<int32_t>(i));
      if (m.places[i].placed) {
        corner_[i] = m.places[i].corner;
        taken_.push_back(boxAt(i));
      } else {
        fresh_.push_back(static_cast<int32_t>(i));
      }
    }
    for (const MapArrow& a : m.map.arrows) relate(a.from, a.to);
    for (const MapDefeater& f : m.map.defeaters)
      for (int32_t s : f.attackers) {
        relate(s, f.targetSentence >= 0 ? f.targetSentence : m.map.arrows[f.targetArrows.front()].to);
        relate(s, f.attackers.front());
      }
  }

  std::vector<Point> run() {
    std::unordered_map<int32_t, std::vector<int32_t>> groups;
    std::vector<int32_t> roots;
    for (int32_t i : fresh_) {
      auto& g = groups[root(i)];
      if (g.empty()) roots.push_back(root(i));
      g.push_back(i);
    }
    for (int32_t r : roots) placeGroup(groups[r]);
    std::vector<Point> out;
    for (int32_t i : added_) out.push_back(corner_[i]);
    return out;
  }

 private:
  int32_t same(int32_t i) const { return match_.same[i]; }
  bool isFresh(int32_t i) const { return std::binary_search(fresh_.begin(), fresh_.end(), i); }
  int32_t root(int32_t i) {
    while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
    return i;
  }
  void relate(int32_t a, int32_t b) {
    a = same(a), b = same(b);
    if (a == b) return;
    links_.push_back({a, b});
    if (isFresh(a) && isFresh(b)) parent_[root(a)] = root(b);
  }
  Rect boxAt(int32_t i) const {
    const TextSize b = boxes_[i];
    return {corner_[i].x, corner_[i].y, corner_[i].x + b.width, corner_[i].y + b.height};
  }

  // The group with the sentences it relates to, laid out; then moved so that
  // the first of those stands where it is drawn.
  void placeGroup(const std::vector<int32_t>& group) {
    std::unordered_map<int32_t, int32_t> box;
    LayoutInput in;
    in.gap = Gap;
    const auto take = [&](int32_t i) {
      if (box.emplace(i, static_cast<int32_t>(in.boxes.size())).second)
        in.boxes.push_back({boxes_[i].width, boxes_[i].height});
    };
    for (int32_t i : group) take(i);
    const std::vector<bool> inGroup = membership(group);
    int32_t anchor = -1;  // the first sentence drawn (or placed) that the group relates to
    for (const auto& [a, b] : links_)
      if (inGroup[a] != inGroup[b]) {
        const int32_t other = inGroup[a] ? b : a;
        if (anchor < 0) anchor = other;
        take(other);
      }
    for (const MapArrow& a : m_.map.arrows)
      if (box.count(same(a.from)) && box.count(same(a.to)) && same(a.from) != same(a.to))
        in.links.push_back({box[same(a.from)], box[same(a.to)]});
    for (const MapDefeater& f : m_.map.defeaters) {
      const int32_t target = same(f.targetSentence >= 0 ? f.targetSentence : m_.map.arrows[f.targetArrows.front()].to);
      for (int32_t s : f.attackers)
        if (box.count(same(s)) && box.count(target) && same(s) != target) in.beside.push_back({box[same(s)], box[target]});
    }
    const LayoutOutput laid = layOutBoxes(in);
    const Point shift = anchor >= 0 ? Point{corner_[anchor].x - laid.corners[box[anchor]].x,
                                            corner_[anchor].y - laid.corners[box[anchor]].y}
                                    : belowTheDiagram(laid.corners, group.size());
    for (size_t k = 0; k < group.size(); ++k)
      corner_[group[k]] = {laid.corners[k].x + shift.x, laid.corners[k].y + shift.y};
    moveClear(group);
  }

  std::vector<bool> membership(const std::vector<int32_t>& group) const {
    std::vector<bool> in(m_.map.texts.size(), false);
    for (int32_t i : group) in[i] = true;
    return in;
  }

  // A group that relates to nothing drawn goes below everything.
  Point belowTheDiagram(const std::vector<Point>& corners, size_t count) {
    int32_t bottom = d_.drawnFarCorner().y;
    for (const Rect& r : taken_) bottom = std::max(bottom, r.Bottom);
    int32_t left = INT32_MAX, top = INT32_MAX;
    for (size_t k = 0; k < count; ++k) left = std::min(left, corners[k].x), top = std::min(top, corners[k].y);
    const int32_t y = bottom > 0 ? bottom + 2 * Gap : LayoutMargin;
    return {LayoutMargin - left, y - top};
  }

  bool clear(const Rect& r) const {
    const Rect room = grown(r, Gap / 2);
    for (const Rect& t : taken_)
      if (meets(room, t)) return false;
    std::vector<ElementRef> near;
    d_.query(room, near);
    for (const ElementRef& ref : near) {
      if (ref.kind == ElementKind::Sentence && !d_.sentence(ref.index).Deleted &&
          meets(room, d_.sentence(ref.index).box()))
        return false;
      if (ref.kind != ElementKind::Defeater) continue;
      const TDefeater& f = d_.defeater(ref.index);
      if (!f.Deleted && (meets(room, f.ChallengingRect) || meets(room, f.ChallengedRect))) return false;
    }
    return true;
  }

  // Beside where it landed first, right or left a step further each time,
  // then a row lower; never left of or above the margin.
  void moveClear(const std::vector<int32_t>& group) {
    int32_t left = INT32_MAX, top = INT32_MAX;
    for (int32_t i : group) left = std::min(left, corner_[i].x), top = std::min(top, corner_[i].y);
    const Point base{std::max(0, LayoutMargin - left), std::max(0, LayoutMargin - top)};
    const auto fits = [&](Point at) {
      return left + at.x >= LayoutMargin && std::all_of(group.begin(), group.end(), [&](int32_t i) {
               const Rect b = boxAt(i);
               return clear({b.Left + at.x, b.Top + at.y, b.Right + at.x, b.Bottom + at.y});
             });
    };
    Point chosen = base;
    bool found = false;
    for (int32_t row = 0; row < Rows && !found; ++row)
      for (int32_t k = 0; k < 2 * Sideways && !found; ++k) {
        const Point at{base.x + (k % 2 ? -1 : 1) * ((k + 1) / 2) * Step, base.y + row * Step};
        if (fits(at)) chosen = at, found = true;
      }
    for (int32_t i : group) {
      corner_[i] = {corner_[i].x + chosen.x, corner_[i].y + chosen.y};
      taken_.push_back(boxAt(i));
    }
  }

  const Diagram& d_;
  const ArgdownMeaning& m_;
  const SentenceMatch& match_;
  const std::vector<TextSize>& boxes_;
  std::vector<int32_t> parent_;
  std::vector<Point> corner_;  // per sentence of the text: drawn, given or chosen
  std::vector<int32_t> added_;  // ascending: every new sentence
  std::vector<int32_t> fresh_;  // ascending: new sentences without a place of their own
  std::vector<std::pair<int32_t, int32_t>> links_;
  std::vector<Rect> taken_;  // boxes of new sentences placed so far
};

}  // namespace

std::vector<Point> placeNewSentences(const Diagram& d, const ArgdownMeaning& meaning, const SentenceMatch& match,
                                     const std::vector<TextSize>& boxes) {
  return Placer(d, meaning, match, boxes).run();
}

}  // namespace zorvex::textmeaning
