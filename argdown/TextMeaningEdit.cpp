// Taking a text's meaning: what goes (defeaters, arrows, sentences the text
// no longer has), what is retyped, what is added (sentences, arrows, then
// defeaters drawn round what they relate and kept only when exact), all
// gathered into one step.
#include "argdown/TextMeaningEdit.h"

#include <algorithm>
#include <map>
#include <set>

#include "aif/DefeaterRectangles.h"
#include "argdown/TextMeaningParts.h"
#include "edit/DefeaterHolds.h"
#include "edit/DerivedGeometry.h"

namespace zorvex {

const char* const TextEditStepName = "Edit as Text";

namespace {

using textmeaning::SentenceMatch;
using Pair = std::pair<int32_t, int32_t>;  // (premise, conclusion) sentences

// One thing a defeater says: these sentences challenge this sentence, or
// these arrows into one conclusion.
struct Challenge {
  std::vector<int32_t> attackers;  // ascending
  int32_t target = -1;
  std::vector<Pair> arrows;  // ascending
  auto operator<=>(const Challenge&) const = default;
};

bool liveArrow(const Diagram& d, int32_t n) {
  const TArrow& a = d.arrow(n);
  return !a.Deleted && a.resolved() && !d.sentence(a.Sentence1).Deleted && !d.sentence(a.Sentence2).Deleted;
}

// What a drawn defeater says, as the text would write it.
std::vector<Challenge> challengesOf(const Diagram& d, const DefeaterHolding& h) {
  std::vector<Challenge> out;
  if (h.challenging.sentences.empty()) return out;
  for (int32_t s : h.challenged.sentences) out.push_back({h.challenging.sentences, s, {}});
  std::map<int32_t, std::vector<Pair>> byConclusion;
  for (int32_t a : h.challenged.arrows)
    if (liveArrow(d, a)) byConclusion[d.arrow(a).Sentence2].push_back({d.arrow(a).Sentence1, d.arrow(a).Sentence2});
  for (auto& [conclusion, arrows] : byConclusion) {
    std::sort(arrows.begin(), arrows.end());
    out.push_back({h.challenging.sentences, -1, std::move(arrows)});
  }
  return out;
}

int lineOf(const MapDefeater& f) {
  const std::string& id = f.conflictId;
  const size_t digits = id.find_first_of("0123456789");
  return digits == std::string::npos ? 0 : std::stoi(id.substr(digits));
}

std::string countOf(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string linesText(const std::vector<int>& lines) {
  std::string out = lines.size() == 1 ? "line " : "lines ";
  for (size_t i = 0; i < lines.size(); ++i)
    out += (i == 0 ? "" : i + 1 == lines.size() ? " and " : ", ") + std::to_string(lines[i]);
  return out;
}

class Taking {
 public:
  Taking(DiagramEdit& edit, std::string_view text, const TextMeasure& measure)
      : edit_(edit), d_(edit.diagram()), measure_(measure), m_(readArgdown(text)),
        match_(textmeaning::matchSentences(d_, m_, text)), node_(match_.sentence), seq_(TextEditStepName) {}

  TextMeaningChange run() {
    try {
      removeWhatWent();
      retype();
      addSentences();
      addArrows();
      addDefeaters();
    } catch (const ZorvexError&) {
      seq_.step().apply(d_, true);
      throw;
    }
    TextMeaningChange out;
    out.unreadableLines = m_.unreadableLines;
    out.inexactLines = inexact_;
    for (const auto& [n, holds] : keptHolds_)
      if (defeaterHolds(d_, n) != holds) out.newMeaning.push_back(n);
    if (!seq_.empty()) out.step = seq_.step();
    out.summary = summary(out);
    return out;
  }

 private:
  int32_t sentenceOf(int32_t i) const { return node_[match_.same[i]]; }

  std::set<Pair> wantedArrows() const {
    std::set<Pair> out;
    for (const MapArrow& a : m_.map.arrows)
      if (sentenceOf(a.from) != sentenceOf(a.to)) out.insert({sentenceOf(a.from), sentenceOf(a.to)});
    return out;
  }

  // New sentences have no number yet (-1): what holds one is never drawn already.
  std::optional<Challenge> challengeOf(const MapDefeater& f) const {
    Challenge c;
    for (int32_t s : f.attackers) c.attackers.push_back(sentenceOf(s));
    std::sort(c.attackers.begin(), c.attackers.end());
    c.attackers.erase(std::unique(c.attackers.begin(), c.attackers.end()), c.attackers.end());
    if (!f.undercuts()) c.target = sentenceOf(f.targetSentence);
    for (int32_t a : f.targetArrows) c.arrows.push_back({sentenceOf(m_.map.arrows[a].from), sentenceOf(m_.map.arrows[a].to)});
    std::sort(c.arrows.begin(), c.arrows.end());
    c.arrows.erase(std::unique(c.arrows.begin(), c.arrows.end()), c.arrows.end());
    if (std::binary_search(c.attackers.begin(), c.attackers.end(), c.target)) return std::nullopt;
    return c;
  }

  bool spared(int32_t s) const { return s >= 0 && s < static_cast<int32_t>(match_.spared.size()) && match_.spared[s]; }

  // A defeater stays when the text says all it says; one the text cannot
  // write (nothing challenging) stays as well.
  void removeWhatWent() {
    std::set<Challenge> wanted;
    for (const MapDefeater& f : m_.map.defeaters)
      if (const std::optional<Challenge> c = challengeOf(f)) wanted.insert(*c);
    std::vector<bool> kept(d_.SentenceCount(), false);
    for (int32_t s : match_.sentence)
      if (s >= 0) kept[s] = true;
    std::vector<ElementRef> gone;
    for (int32_t n = 0; n < d_.DefeaterCount(); ++n) {
      const TDefeater& f = d_.defeater(n);
      if (f.Deleted || f.Incomplete) continue;
      DefeaterHolding holds = defeaterHolds(d_, n);
      const std::vector<Challenge> says = challengesOf(d_, holds);
      const bool stays = says.empty() || isSpared(holds) ||
                         std::all_of(says.begin(), says.end(), [&](const Challenge& c) { return wanted.count(c); });
      if (!stays) {
        gone.push_back({ElementKind::Defeater, n});
        continue;
      }
      for (const Challenge& c : says) drawn_.insert(c);
      keptHolds_.emplace(n, std::move(holds));
    }
    const std::set<Pair> arrows = wantedArrows();
    for (int32_t n = 0; n < d_.ArrowCount(); ++n) {
      if (!liveArrow(d_, n)) continue;
      const TArrow& a = d_.arrow(n);
      if (kept[a.Sentence1] && kept[a.Sentence2] && !spared(a.Sentence1) && !spared(a.Sentence2) &&
          !arrows.count({a.Sentence1, a.Sentence2}))
        gone.push_back({ElementKind::Arrow, n});
    }
    for (int32_t n = 0; n < d_.SentenceCount(); ++n)
      if (!d_.sentence(n).Deleted && !kept[n] && !spared(n)) gone.push_back({ElementKind::Sentence, n}), ++removed_;
    if (!gone.empty()) seq_.add(edit_.deleteElements(gone).step);
  }

  bool isSpared(const DefeaterHolding& h) const {
    for (const RectangleHolds* side : {&h.challenging, &h.challenged})
      if (std::any_of(side->sentences.begin(), side->sentences.end(), [&](int32_t s) { return spared(s); }))
        return true;
    return false;
  }

  void retype() {
    for (const auto& [s, text] : match_.retexts) {
      try {
        seq_.add(edit_.setSentenceText(s, text, measure_(text)).step);
        ++retyped_;
      } catch (const EditRefused&) {
        // Another sentence still has the text (one a line that cannot be read names).
      }
    }
  }

  void addSentences() {
    std::vector<TextSize> boxes;
    for (const std::string& text : m_.map.texts) {
      const Rect b = addedSentenceBox({0, 0}, measure_(text));
      boxes.push_back({b.Right - b.Left, b.Bottom - b.Top});
    }
    const std::vector<Point> corners = textmeaning::placeNewSentences(d_, m_, match_, boxes);
    size_t k = 0;
    for (size_t i = 0; i < node_.size(); ++i) {
      if (node_[i] >= 0 || match_.same[i] != static_cast<int32_t>(i)) continue;
      const std::string& text = m_.map.texts[i];
      EditOutcome added = edit_.addSentence(corners[k++], text, measure_(text));
      node_[i] = added.added->index;
      seq_.add(added.step);
      ++addedSentences_;
      if (!m_.places[i].hasStatus) continue;
      ElementStepBuilder status(d_, TextEditStepName);
      status.before({ElementKind::Sentence, node_[i]});
      d_.sentencesForStatus()[node_[i]].Status = m_.places[i].status;
      seq_.add(status.take());
    }
  }

  void addArrows() {
    std::set<Pair> drawn;
    for (int32_t n = 0; n < d_.ArrowCount(); ++n)
      if (liveArrow(d_, n)) drawn.insert({d_.arrow(n).Sentence1, d_.arrow(n).Sentence2});
    for (const Pair& p : wantedArrows()) {
      if (drawn.count(p)) continue;
      try {
        seq_.add(edit_.addArrow(p.first, p.second).step);
        ++addedArrows_;
      } catch (const EditRefused&) {
        // Sentences of one text: the diagram cannot draw that arrow.
      }
    }
  }

  std::vector<int32_t> arrowsOf(const std::vector<Pair>& pairs) {
    std::vector<int32_t> out;
    for (const Pair& p : pairs)
      for (int32_t n : edit_.lookup().arrowsOf(p.first))
        if (liveArrow(d_, n) && d_.arrow(n).Sentence1 == p.first && d_.arrow(n).Sentence2 == p.second) {
          out.push_back(n);
          break;
        }
    std::sort(out.begin(), out.end());
    return out;
  }

  bool exact(const Rect& challenging, const Rect& challenged, const Challenge& c, const std::vector<int32_t>& arrows) {
    const RectangleHolds a = rectangleHolds(d_, challenging), b = rectangleHolds(d_, challenged);
    if (a.sentences != c.attackers) return false;
    const auto attacker = [&](int32_t s) { return std::binary_search(c.attackers.begin(), c.attackers.end(), s); };
    for (int32_t n : a.arrows)
      if (!attacker(d_.arrow(n).Sentence1) || !attacker(d_.arrow(n).Sentence2)) return false;
    if (c.target >= 0) return b.sentences == std::vector<int32_t>{c.target} && b.arrows.empty();
    return b.sentences.empty() && b.arrows == arrows;
  }

  void addDefeaters() {
    std::set<int> inexact;
    for (const MapDefeater& f : m_.map.defeaters) {
      const std::optional<Challenge> c = challengeOf(f);
      if (!c || !drawn_.insert(*c).second) continue;
      const std::vector<int32_t> arrows = arrowsOf(c->arrows);
      if (c->target < 0 && (arrows.size() != c->arrows.size() || arrows.empty())) {
        inexact.insert(lineOf(f));
        continue;
      }
      const Rect challenging = rectangleAround(d_, c->attackers);
      const Rect challenged = c->target >= 0 ? rectangleAround(d_, {c->target}) : rectangleSpanning(d_, arrows);
      if (!exact(challenging, challenged, *c, arrows)) {
        inexact.insert(lineOf(f));
        continue;
      }
      seq_.add(edit_.addDefeater(challenging, challenged).step);
      ++addedDefeaters_;
    }
    inexact_.assign(inexact.begin(), inexact.end());
  }

  std::string summary(const TextMeaningChange& out) const {
    std::vector<std::string> parts;
    if (addedSentences_) parts.push_back(countOf(addedSentences_, "sentence", "sentences") + " added");
    if (removed_) parts.push_back(countOf(removed_, "sentence", "sentences") + " deleted");
    if (retyped_) parts.push_back(countOf(retyped_, "sentence", "sentences") + " retyped");
    if (addedArrows_) parts.push_back(countOf(addedArrows_, "arrow", "arrows") + " added");
    if (addedDefeaters_) parts.push_back(countOf(addedDefeaters_, "defeater", "defeaters") + " added");
    std::string text;
    if (out.step) text = "Taken from the text";
    for (size_t i = 0; i < parts.size(); ++i) text += (i ? ", " : ": ") + parts[i];
    if (out.step) text += ".";
    const auto add = [&](const std::string& sentence) { text += (text.empty() ? "" : " ") + sentence; };
    if (!out.unreadableLines.empty()) add("The text's " + linesText(out.unreadableLines) + " could not be read.");
    if (!out.inexactLines.empty())
      add("The attack of " + linesText(out.inexactLines) + " cannot be drawn exactly: it is left out.");
    return text;
  }

  DiagramEdit& edit_;
  Diagram& d_;
  const TextMeasure& measure_;
  const ArgdownMeaning m_;
  const SentenceMatch match_;
  std::vector<int32_t> node_;  // per sentence of the text taken as itself: its diagram sentence
  StepSequence seq_;
  std::set<Challenge> drawn_;  // what the kept and the added defeaters say
  std::map<int32_t, DefeaterHolding> keptHolds_;
  std::vector<int> inexact_;
  size_t removed_ = 0, retyped_ = 0, addedSentences_ = 0, addedArrows_ = 0, addedDefeaters_ = 0;
};

}  // namespace

TextMeaningChange takeTextMeaning(DiagramEdit& edit, std::string_view text, const TextMeasure& measure) {
  return Taking(edit, text, measure).run();
}

}  // namespace zorvex
