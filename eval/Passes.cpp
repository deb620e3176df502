#include "eval/Passes.h"

#include <string_view>
#include <vector>

#include "eval/Halves.h"

namespace zorvex {
namespace {

constexpr Status RoundMarks = RoundMarkFlags;

}  // namespace

const RoundTexts EvaluateTexts{"[Evaluate (one round)]",
                               "' is justified since it has no justified support, and is not attacked.",
                               "No new evaluations"};
const char* const Rule1Rest = "' is justified since it has justified support.";
const char* const Rule2Rest =
    "' is unjustified since it has no justified support and is attacked by (justified) challenges.";
const char* const Rule3aRest = "' is unevaluated since it has no justified support and is not attacked.";

std::string quotedLine(const TSentence& s, std::string_view rest) {
  std::string line;
  line.reserve(1 + s.Text.size() + rest.size());
  line += '\'';
  line += s.Text;
  line += rest;
  return line;
}

const RoundTexts JumpTexts{"[Jump (one round)]",
                           "' is justified since it has no justified support and is not attacked.", "No new jumps"};

// The passes decide from the queries' copy of the statuses as the pass
// began, which they do not change while they scan; so each element's new
// status can be written to its record at once, the record touched once, and
// the copy told afterwards for all of them. Clearing the round marks changes
// no answer. Each half of a scan writes its own elements only, and the
// sentences' log lines are joined in element order, so the outcome is that
// of one scan.
void EvaluateArrows(Diagram& diagram, EvaluationQueries& queries) {
  auto& arrows = diagram.arrowsForStatus();
  queries.answerArrowQuestions();
  inHalves(arrows.size(), queries.twoThreadsFrom(), [&](size_t begin, size_t end, int) {
    for (size_t i = begin; i < end; ++i) {
      const auto n = static_cast<int32_t>(i);
      if (!queries.arrowTakesPart(n)) continue;
      const Status old = queries.arrowStatus(n);
      const auto base = static_cast<Status>(old & ~RoundMarks);
      Status next = base;
      if (!has(base, SetByUser) && queries.sentenceJustified(queries.arrowStart(n))) {
        const bool attacked = queries.IsArrowAttacked(n);
        if (!attacked && !has(base, Undefeated)) next = toPositive(base);
        if (attacked && !has(base, Defeated)) next = toNegative(base);
      }
      if (next == old) continue;
      arrows[i].Status = next;
      queries.arrowStatusWritten(n, next);
    }
  });
  queries.statusesWritten();
}

namespace {

// The rules for the sentences [begin, end): writes their new statuses and
// hands each line to addLine in order.
template <class AddLine>
void decideSentences(std::vector<TSentence>& sentences, const EvaluationQueries& queries, const RuleSet& rules,
                     const RoundTexts& texts, size_t begin, size_t end, AddLine addLine) {
  for (size_t i = begin; i < end; ++i) {
    const auto n = static_cast<int32_t>(i);
    if (!queries.sentenceTakesPart(n)) continue;
    const Status old = queries.sentenceStatus(n);
    const auto base = static_cast<Status>(old & ~RoundMarks);
    bool positive = false, negative = false, notEvaluated = false;
    auto fire = [&](bool& which, std::string_view rest) {
      which = true;
      addLine(quotedLine(sentences[i], rest));
    };
    if (!has(base, SetByUser)) {
      const bool support = queries.HasJustifiedSupport(n);
      if (rules.rule1 && support && !has(base, Undefeated)) fire(positive, Rule1Rest);
      if (!support && (rules.rule2 || rules.rule3a || rules.rule3b)) {
        const bool attacked = queries.IsAttacked(n);
        if (rules.rule2 && attacked && !has(base, Defeated)) fire(negative, Rule2Rest);
        if (rules.rule3a && !attacked && !has(base, NotEvaluated)) fire(notEvaluated, Rule3aRest);
        if (rules.rule3b && !attacked && !has(base, Undefeated)) fire(positive, texts.rule3b);
      }
    }
    // As if every positive change were made first, then every negative, then every unevaluated one.
    Status next = base;
    if (positive) next = toPositive(next);
    if (negative) next = toNegative(next);
    if (notEvaluated) next = ToNotEvaluated;
    if (next == old) continue;
    sentences[i].Status = next;
    queries.sentenceStatusWritten(n, next);
  }
}

}  // namespace

bool EvaluateSentencePass(Diagram& diagram, EvaluationQueries& queries, const RuleSet& rules, const RoundTexts& texts,
                          EvaluationLog& log) {
  auto& sentences = diagram.sentencesForStatus();
  queries.answerSentenceQuestions(rules.rule2 || rules.rule3a || rules.rule3b);
  // The first half writes straight into the log; the second keeps its lines
  // until the first is done.
  const size_t before = log.lines().size();
  std::vector<std::string> secondHalf;
  inHalves(sentences.size(), queries.twoThreadsFrom(), [&](size_t begin, size_t end, int h) {
    if (h == 0)
      decideSentences(sentences, queries, rules, texts, begin, end,
                      [&log](std::string line) { log.AppendLogLine(std::move(line)); });
    else
      decideSentences(sentences, queries, rules, texts, begin, end,
                      [&secondHalf](std::string line) { secondHalf.push_back(std::move(line)); });
  });
  queries.statusesWritten();
  log.appendLogLines(std::move(secondHalf));
  const bool fired = log.lines().size() != before;
  if (!fired) log.AppendLogLine(texts.nothingNew);
  return fired;
}

void UnevaluateArrows(Diagram& diagram, EvaluationQueries& queries) {
  auto& arrows = diagram.arrowsForStatus();
  queries.readStatuses();
  inHalves(arrows.size(), queries.twoThreadsFrom(), [&](size_t begin, size_t end, int) {
    for (size_t i = begin; i < end; ++i) {
      const auto n = static_cast<int32_t>(i);
      if (!queries.arrowTakesPart(n)) continue;
      const Status status = queries.arrowStatus(n);
      if (!has(status, SetByUser) && !queries.sentenceJustified(queries.arrowStart(n)) && !has(status, NotEvaluated)) {
        arrows[i].Status = ToNotEvaluated;
        queries.arrowStatusWritten(n, ToNotEvaluated);
      }
    }
  });
  queries.statusesWritten();
}

void EvaluateDefeaters(Diagram& diagram, EvaluationQueries& queries) {
  auto& defeaters = diagram.defeatersForStatus();
  for (int32_t n = 0; n < diagram.DefeaterCount(); ++n) {
    TDefeater& d = defeaters[n];
    if (d.Deleted) continue;
    const ChallengingSentences held = queries.challengingSentences(n);
    if (held.anyNotEvaluated) continue;
    d.DefeaterState = held.anyDefeated ? DefeaterState::Inactive : DefeaterState::Active;
  }
}

std::string RunRound(Diagram& diagram, EvaluationQueries& queries, const RuleSet& rules, const RoundTexts& texts,
                     EvaluationLog& log) {
  log.AppendLogLine(texts.header);
  EvaluateArrows(diagram, queries);
  const bool fired = EvaluateSentencePass(diagram, queries, rules, texts, log);
  UnevaluateArrows(diagram, queries);
  EvaluateDefeaters(diagram, queries);
  log.AppendLogLine("");
  return fired ? std::string() : std::string(texts.nothingNew);
}

}  // namespace zorvex
