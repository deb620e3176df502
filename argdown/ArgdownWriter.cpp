// A diagram as Argdown: every live sentence defined once, in number order,
// with its place and status and the relations it starts indented below it;
// then an argument for each set of arrows that some defeater undercuts, and
// one for each challenge that several sentences make together.
#include <algorithm>
#include <map>
#include <set>

#include "argdown/ArgdownSyntax.h"
#include "argdown/ArgdownText.h"
#include "argdown/ArgdownTitles.h"
#include "edit/DefeaterHolds.h"

namespace zorvex {
namespace {

using argdown::escapedText;

bool liveArrow(const Diagram& d, int32_t n) {
  const TArrow& a = d.arrow(n);
  return !a.Deleted && a.resolved() && !d.sentence(a.Sentence1).Deleted && !d.sentence(a.Sentence2).Deleted;
}

// What one defeater challenges: a sentence, or arrows into one conclusion.
struct Target {
  int32_t sentence = -1;
  std::vector<int32_t> arrows;  // ascending
};

class Writer {
 public:
  explicit Writer(const Diagram& d) : d_(d), title_(d.SentenceCount()) {}

  ArgdownWriting run() {
    for (int32_t n = 0; n < d_.SentenceCount(); ++n)
      if (!d_.sentence(n).Deleted) title_[n] = titles_.fromText(d_.sentence(n).Text);
    std::vector<std::vector<std::string>> below(d_.SentenceCount());  // relation lines per sentence
    for (int32_t n = 0; n < d_.DefeaterCount(); ++n) defeater(n, below);
    for (int32_t a = 0; a < d_.ArrowCount(); ++a) {
      const TArrow& arrow = d_.arrow(a);
      if (liveArrow(d_, a) && !grouped_.count(a))
        below[arrow.Sentence1].insert(below[arrow.Sentence1].begin() + supports_[arrow.Sentence1]++,
                                      "  +> [" + title_[arrow.Sentence2] + "]");
    }
    for (int32_t n = 0; n < d_.SentenceCount(); ++n) {
      if (d_.sentence(n).Deleted) continue;
      out_.statements.push_back({n, line_});
      put(statementLine(n));
      for (const std::string& l : below[n]) put(l);
    }
    for (const std::string& block : blocks_) put("\n" + block);
    for (const std::string& note : notes_) put(note);
    return std::move(out_);
  }

 private:
  void put(const std::string& text) {
    out_.text += text + "\n";
    line_ += 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  }

  std::string statementLine(int32_t n) const {
    const TSentence& s = d_.sentence(n);
    return "[" + title_[n] + "]: " + escapedText(s.Text) + " {x: " + std::to_string(s.Left) +
           ", y: " + std::to_string(s.Top) + ", status: \"" + argdown::statusWords(s.Status) + "\"}";
  }

  std::vector<Target> targetsOf(const DefeaterHolding& h) const {
    std::vector<Target> targets;
    for (int32_t s : h.challenged.sentences) targets.push_back({s, {}});
    std::map<int32_t, std::vector<int32_t>> byConclusion;
    for (int32_t a : h.challenged.arrows)
      if (liveArrow(d_, a)) byConclusion[d_.arrow(a).Sentence2].push_back(a);
    for (auto& [conclusion, arrows] : byConclusion) targets.push_back({-1, std::move(arrows)});
    return targets;
  }

  void defeater(int32_t n, std::vector<std::vector<std::string>>& below) {
    const TDefeater& f = d_.defeater(n);
    if (f.Deleted || f.Incomplete) return;
    const DefeaterHolding h = defeaterHolds(d_, n);
    const std::vector<Target> targets = targetsOf(h);
    const std::string name = Diagram::name(ElementKind::Defeater, n);
    if (h.challenging.sentences.empty()) return notes_.push_back("// " + name + " is left out: its challenging rectangle holds no sentence");
    if (targets.empty()) return notes_.push_back("// " + name + " is left out: its challenged rectangle holds nothing");
    for (const Target& t : targets) {
      const std::string attack = t.sentence >= 0 ? "-> [" + title_[t.sentence] + "]" : "_> <" + inference(t.arrows) + ">";
      if (h.challenging.sentences.size() == 1) {
        below[h.challenging.sentences.front()].push_back("  " + attack);
        continue;
      }
      const std::string about = t.sentence >= 0 ? title_[t.sentence] : inference(t.arrows);
      std::string block = "<" + argumentTitles_.unique("Joint challenge to " + about) + ">\n";
      int k = 0;
      for (int32_t s : h.challenging.sentences) block += "\n(" + std::to_string(++k) + ") [" + title_[s] + "]";
      blocks_.push_back(block + "\n----\n(" + std::to_string(k + 1) + ") " + attack);
    }
  }

  // The argument written for these arrows into one conclusion: its title.
  std::string inference(const std::vector<int32_t>& arrows) {
    const auto known = inferences_.find(arrows);
    if (known != inferences_.end()) return known->second;
    const int32_t conclusion = d_.arrow(arrows.front()).Sentence2;
    const std::string title = argumentTitles_.unique("Inference from " + title_[d_.arrow(arrows.front()).Sentence1] +
                                                     " to " + title_[conclusion]);
    inferences_.emplace(arrows, title);
    std::string block = "<" + title + ">\n";
    std::set<int32_t> premises;
    int k = 0;
    for (int32_t a : arrows) {
      grouped_.insert(a);
      if (premises.insert(d_.arrow(a).Sentence1).second)
        block += "\n(" + std::to_string(++k) + ") [" + title_[d_.arrow(a).Sentence1] + "]";
    }
    blocks_.push_back(block + "\n----\n(" + std::to_string(k + 1) + ") [" + title_[conclusion] + "]");
    return title;
  }

  const Diagram& d_;
  argdown::Titles titles_, argumentTitles_;
  std::vector<std::string> title_;  // per sentence
  std::map<std::vector<int32_t>, std::string> inferences_;
  std::set<int32_t> grouped_;  // arrows that an argument written for them gives
  std::map<int32_t, size_t> supports_;
  std::vector<std::string> blocks_, notes_;
  ArgdownWriting out_;
  int line_ = 1;
};

}  // namespace

ArgdownWriting writeArgdown(const Diagram& d) { return Writer(d).run(); }

}  // namespace zorvex
