#include "explain/StatusRecord.h"

#include <algorithm>

#include "eval/Queries.h"

namespace zorvex {
namespace {

size_t slot(ElementKind kind) { return static_cast<size_t>(kind); }

bool takesPartInRounds(const Diagram& d, ElementKind kind, int32_t n) {
  switch (kind) {
    case ElementKind::Sentence: return !d.sentence(n).Deleted;
    case ElementKind::Arrow: return !d.arrow(n).Deleted && arrowResolved(d, d.arrow(n));
    case ElementKind::Defeater: return !d.defeater(n).Deleted;
  }
  return false;
}

uint8_t rawStatus(const Diagram& d, ElementKind kind, int32_t n) {
  switch (kind) {
    case ElementKind::Sentence: return d.sentence(n).Status;
    case ElementKind::Arrow: return d.arrow(n).Status;
    case ElementKind::Defeater: return static_cast<uint8_t>(d.defeater(n).DefeaterState);
  }
  return 0;
}

constexpr ElementKind Kinds[] = {ElementKind::Sentence, ElementKind::Arrow, ElementKind::Defeater};

}  // namespace

const Assignment* RecordedStep::find(ElementKind kind, int32_t index) const {
  const std::vector<Assignment>& list = assigned[slot(kind)];
  const auto it = std::lower_bound(list.begin(), list.end(), index,
                                   [](const Assignment& a, int32_t n) { return a.index < n; });
  return it != list.end() && it->index == index ? &*it : nullptr;
}

uint8_t StatusRecord::current(const Diagram& diagram, ElementRef ref) {
  const uint8_t raw = rawStatus(diagram, ref.kind, ref.index);
  return ref.kind == ElementKind::Defeater ? raw : withoutMarks(raw);
}

void StatusRecord::restart(const Diagram& diagram) {
  steps_.assign(1, RecordedStep{});
  undone_.clear();
  for (ElementKind k : Kinds) {
    last_[slot(k)].assign(static_cast<size_t>(diagram.count(k)), 0);
    statuses_[slot(k)].clear();
  }
  startMarked_.clear();
  int32_t n = 0;
  for (const TArrow& a : diagram.arrows()) {
    if (a.Status == (NotEvaluated | JustEvaluated)) startMarked_.push_back(n);
    ++n;
  }
  before(diagram);
}

void StatusRecord::before(const Diagram& diagram) {
  for (ElementKind k : Kinds) {
    std::vector<uint8_t>& kept = statuses_[slot(k)];
    for (int32_t n = static_cast<int32_t>(kept.size()); n < diagram.count(k); ++n) kept.push_back(current(diagram, {k, n}));
  }
}

int32_t StatusRecord::lastOf(ElementRef ref) const {
  const std::vector<int32_t>& last = last_[slot(ref.kind)];
  return static_cast<size_t>(ref.index) < last.size() ? last[static_cast<size_t>(ref.index)] : 0;
}

void StatusRecord::assign(RecordedStep& step, ElementKind kind, int32_t index, uint8_t after) const {
  step.assigned[slot(kind)].push_back(
      {index, lastOf({kind, index}), statuses_[slot(kind)][static_cast<size_t>(index)], after});
}

// A new step: what it set now names it as its setter, and nothing is left to redo.
void StatusRecord::take(RecordedStep step) {
  undone_.clear();
  undone_.push_back(std::move(step));
  redo();
}

RecordedStep StatusRecord::roundStep(bool jump, const RuleSet& rules, int32_t label, int32_t round) {
  RecordedStep step;
  step.kind = jump ? StepKind::Jump : StepKind::Evaluate;
  step.rules = rules;
  step.label = label;
  step.round = round;
  step.roundsSoFar = steps_.back().roundsSoFar + 1;
  for (ElementKind k : Kinds) {
    last_[slot(k)].resize(statuses_[slot(k)].size(), 0);
    // Rounds tend to assign as much as the round before: room for that at once.
    step.assigned[slot(k)].reserve(steps_.back().assigned[slot(k)].size());
  }
  return step;
}

// The setter and kept status change with the assignment, for a step about to be added.
void StatusRecord::note(RecordedStep& step, ElementKind k, int32_t n, uint8_t after) {
  uint8_t& kept = statuses_[slot(k)][static_cast<size_t>(n)];
  int32_t& last = last_[slot(k)][static_cast<size_t>(n)];
  step.assigned[slot(k)].push_back({n, last, kept, after});
  kept = after;
  last = stepCount();
}

// One pass over the records, touching only what the round assigned.
int32_t StatusRecord::finishRound(const Diagram& diagram, bool jump, const RuleSet& rules, int32_t label,
                                  int32_t round) {
  before(diagram);
  RecordedStep step = roundStep(jump, rules, label, round);
  const uint8_t* sentences = statuses_[0].data();
  int32_t n = 0;
  for (const TSentence& s : diagram.sentences()) {
    const Status raw = s.Status;
    if (withoutMarks(raw) != sentences[n] || (has(raw, JustEvaluated) && !s.Deleted))
      note(step, ElementKind::Sentence, n, withoutMarks(raw));
    ++n;
  }
  const uint8_t* arrows = statuses_[1].data();
  n = 0;
  for (const TArrow& a : diagram.arrows()) {
    const Status raw = a.Status;
    if (withoutMarks(raw) != arrows[n] || (has(raw, JustEvaluated) && takesPartInRounds(diagram, ElementKind::Arrow, n)))
      note(step, ElementKind::Arrow, n, withoutMarks(raw));
    ++n;
  }
  const uint8_t* defeaters = statuses_[2].data();
  n = 0;
  for (const TDefeater& d : diagram.defeaters()) {
    const uint8_t state = static_cast<uint8_t>(d.DefeaterState);
    if (state != defeaters[n]) note(step, ElementKind::Defeater, n, state);
    ++n;
  }
  undone_.clear();
  steps_.push_back(std::move(step));
  return lastStep();
}

// What the changes do not show: an arrow the round made not evaluated
// again, its status byte (12) the same as after the round before. Only
// arrows that round made not evaluated can be such.
namespace {

// The lists of an incremental round, read as an undo step's changes are.
struct ListedChanges {
  const std::array<std::vector<StatusChange>, 3>& lists;
  size_t count(ElementKind k) const { return lists[slot(k)].size(); }
  template <class Visit>
  void forEach(ElementKind k, Visit visit) const {
    for (const StatusChange& c : lists[slot(k)]) visit(c.index, c.before, c.after);
  }
};

}  // namespace

int32_t StatusRecord::finishRoundFrom(const Diagram& diagram, const StatusChanges& changes, bool jump,
                                      const RuleSet& rules, int32_t label, int32_t round) {
  return finishRoundWith(diagram, changes, jump, rules, label, round);
}

int32_t StatusRecord::finishRoundFrom(const Diagram& diagram, const std::array<std::vector<StatusChange>, 3>& changes,
                                      bool jump, const RuleSet& rules, int32_t label, int32_t round) {
  return finishRoundWith(diagram, ListedChanges{changes}, jump, rules, label, round);
}

template <class Changes>
int32_t StatusRecord::finishRoundWith(const Diagram& diagram, const Changes& changes, bool jump, const RuleSet& rules,
                                      int32_t label, int32_t round) {
  before(diagram);
  RecordedStep step = roundStep(jump, rules, label, round);
  for (ElementKind k : Kinds) step.assigned[slot(k)].reserve(changes.count(k));
  const auto visit = [&](ElementKind k) {
    changes.forEach(k, [&](int32_t n, uint8_t, uint8_t after) {
      const uint8_t plain = k == ElementKind::Defeater ? after : withoutMarks(after);
      // A round changes no byte of an element that takes no part in it.
      const bool marked = k != ElementKind::Defeater && has(after, JustEvaluated);
      if (plain != statuses_[slot(k)][static_cast<size_t>(n)] || marked) note(step, k, n, plain);
    });
  };
  visit(ElementKind::Sentence);
  visit(ElementKind::Defeater);
  std::vector<int32_t> again;
  int32_t previous = lastStep();
  while (previous > 0 && (steps_[static_cast<size_t>(previous)].kind == StepKind::Edit ||
                          steps_[static_cast<size_t>(previous)].kind == StepKind::User))
    --previous;
  const auto candidate = [&](int32_t a) {
    if (last_[1][static_cast<size_t>(a)] == previous && diagram.arrow(a).Status == (NotEvaluated | JustEvaluated) &&
        takesPartInRounds(diagram, ElementKind::Arrow, a))
      again.push_back(a);
  };
  if (steps_[static_cast<size_t>(previous)].isRound()) {
    for (const Assignment& a : steps_[static_cast<size_t>(previous)].assigned[1])
      if (a.after == NotEvaluated) candidate(a.index);
  } else if (previous == 0) {
    for (int32_t a : startMarked_) candidate(a);
  }
  // Arrows: the changes and those made not evaluated again, merged in
  // number order (both lists ascend; an arrow in the changes is not in the other).
  size_t next = 0;
  // Both lists hold only arrows that take part: changed ones, and candidates checked above.
  const auto arrow = [&](int32_t n, uint8_t after) {
    const bool marked = has(after, JustEvaluated);
    if (withoutMarks(after) != statuses_[1][static_cast<size_t>(n)] || marked)
      note(step, ElementKind::Arrow, n, withoutMarks(after));
  };
  changes.forEach(ElementKind::Arrow, [&](int32_t n, uint8_t, uint8_t after) {
    for (; next < again.size() && again[next] < n; ++next) arrow(again[next], diagram.arrow(again[next]).Status);
    if (next < again.size() && again[next] == n) ++next;
    arrow(n, after);
  });
  for (; next < again.size(); ++next) arrow(again[next], diagram.arrow(again[next]).Status);
  undone_.clear();
  steps_.push_back(std::move(step));
  return lastStep();
}

int32_t StatusRecord::finishUser(const Diagram& diagram, int32_t sentence, int32_t label) {
  before(diagram);
  RecordedStep step;
  step.kind = StepKind::User;
  step.label = label;
  step.roundsSoFar = steps_.back().roundsSoFar;
  assign(step, ElementKind::Sentence, sentence, current(diagram, {ElementKind::Sentence, sentence}));
  take(std::move(step));
  return lastStep();
}

int32_t StatusRecord::finishReset(const Diagram& diagram, int32_t label) {
  before(diagram);
  RecordedStep step;
  step.kind = StepKind::Reset;
  step.label = label;
  for (ElementKind k : Kinds)
    for (int32_t n = 0; n < diagram.count(k); ++n) assign(step, k, n, current(diagram, {k, n}));
  take(std::move(step));
  return lastStep();
}

int32_t StatusRecord::finishEdit() {
  RecordedStep step;
  step.kind = StepKind::Edit;
  step.roundsSoFar = steps_.back().roundsSoFar;
  take(std::move(step));
  return lastStep();
}

void StatusRecord::undo() {
  if (steps_.size() <= 1) return;
  const RecordedStep& step = steps_.back();
  for (ElementKind k : Kinds)
    for (const Assignment& a : step.assigned[slot(k)]) {
      last_[slot(k)][static_cast<size_t>(a.index)] = a.previous;
      statuses_[slot(k)][static_cast<size_t>(a.index)] = a.before;
    }
  undone_.push_back(std::move(steps_.back()));
  steps_.pop_back();
}

void StatusRecord::redo() {
  if (undone_.empty()) return;
  steps_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  const int32_t n = lastStep();
  for (ElementKind k : Kinds)
    for (const Assignment& a : steps_.back().assigned[slot(k)]) {
      std::vector<int32_t>& last = last_[slot(k)];
      if (static_cast<size_t>(a.index) >= last.size()) last.resize(static_cast<size_t>(a.index) + 1, 0);
      last[static_cast<size_t>(a.index)] = n;
      statuses_[slot(k)][static_cast<size_t>(a.index)] = a.after;
    }
}

size_t StatusRecord::unlike(const Diagram& diagram, const RecordedStep& step) const {
  size_t n = 0;
  for (ElementKind k : Kinds)
    for (const Assignment& a : step.assigned[slot(k)])
      n += statuses_[slot(k)][static_cast<size_t>(a.index)] != current(diagram, {k, a.index});
  return n;
}

// One comparison of every status, then only the statuses each step moved.
void StatusRecord::follow(const Diagram& diagram) {
  before(diagram);
  size_t wrong = 0;
  for (ElementKind k : Kinds)
    for (int32_t n = 0; n < diagram.count(k); ++n)
      wrong += statuses_[slot(k)][static_cast<size_t>(n)] != current(diagram, {k, n});
  const auto move = [&](bool back) {
    const RecordedStep& step = back ? steps_.back() : undone_.back();
    wrong -= unlike(diagram, step);
    back ? undo() : redo();
    wrong += unlike(diagram, back ? undone_.back() : steps_.back());
  };
  const size_t redoable = undone_.size();
  size_t redone = 0;
  while (wrong > 0 && redone < redoable) move(false), ++redone;
  if (wrong == 0) return;
  while (redone > 0) move(true), --redone;
  while (wrong > 0 && steps_.size() > 1) move(true);
  if (wrong > 0) restart(diagram);
}

StatusAt StatusRecord::now(const Diagram& diagram, ElementRef ref) const {
  return {current(diagram, ref), lastOf(ref)};
}

// Walks back from the latest assignment through each one's predecessor.
StatusAt StatusRecord::at(const Diagram& diagram, ElementRef ref, int32_t when) const {
  int32_t s = lastOf(ref);
  if (s <= when) return now(diagram, ref);
  while (true) {
    const Assignment* a = steps_[static_cast<size_t>(s)].find(ref.kind, ref.index);
    if (!a) return now(diagram, ref);  // cannot happen while the record is consistent
    if (a->previous <= when) return {a->before, a->previous};
    s = a->previous;
  }
}

size_t StatusRecord::bytes() const {
  size_t total = 0;
  for (const RecordedStep& s : steps_)
    for (const auto& list : s.assigned) total += list.capacity() * sizeof(Assignment);
  for (const auto& v : last_) total += v.capacity() * sizeof(int32_t);
  return total;
}

}  // namespace zorvex
