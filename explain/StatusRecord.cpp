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
    before_[slot(k)].clear();
  }
}

void StatusRecord::before(const Diagram& diagram) {
  for (ElementKind k : Kinds) {
    std::vector<uint8_t>& out = before_[slot(k)];
    out.resize(static_cast<size_t>(diagram.count(k)));
    for (int32_t n = 0; n < diagram.count(k); ++n) out[static_cast<size_t>(n)] = current(diagram, {k, n});
  }
}

int32_t StatusRecord::lastOf(ElementRef ref) const {
  const std::vector<int32_t>& last = last_[slot(ref.kind)];
  return static_cast<size_t>(ref.index) < last.size() ? last[static_cast<size_t>(ref.index)] : 0;
}

void StatusRecord::assign(RecordedStep& step, ElementKind kind, int32_t index, uint8_t before, uint8_t after) const {
  step.assigned[slot(kind)].push_back({index, lastOf({kind, index}), before, after});
}

// A new step: what it set now names it as its setter, and nothing is left to redo.
void StatusRecord::take(RecordedStep step) {
  undone_.clear();
  undone_.push_back(std::move(step));
  redo();
}

int32_t StatusRecord::finishRound(const Diagram& diagram, bool jump, const RuleSet& rules, int32_t label,
                                  int32_t round) {
  RecordedStep step;
  step.kind = jump ? StepKind::Jump : StepKind::Evaluate;
  step.rules = rules;
  step.label = label;
  step.round = round;
  for (ElementKind k : Kinds) {
    const std::vector<uint8_t>& was = before_[slot(k)];
    for (int32_t n = 0; n < diagram.count(k); ++n) {
      const uint8_t before = static_cast<size_t>(n) < was.size() ? was[static_cast<size_t>(n)] : current(diagram, {k, n});
      const uint8_t after = current(diagram, {k, n});
      const bool marked = k != ElementKind::Defeater && has(rawStatus(diagram, k, n), JustEvaluated) &&
                          takesPartInRounds(diagram, k, n);
      if (marked || after != before) assign(step, k, n, before, after);
    }
  }
  take(std::move(step));
  return lastStep();
}

int32_t StatusRecord::finishUser(const Diagram& diagram, int32_t sentence, int32_t label) {
  RecordedStep step;
  step.kind = StepKind::User;
  step.label = label;
  const std::vector<uint8_t>& was = before_[slot(ElementKind::Sentence)];
  const uint8_t after = current(diagram, {ElementKind::Sentence, sentence});
  assign(step, ElementKind::Sentence, sentence,
         static_cast<size_t>(sentence) < was.size() ? was[static_cast<size_t>(sentence)] : after, after);
  take(std::move(step));
  return lastStep();
}

int32_t StatusRecord::finishReset(const Diagram& diagram, int32_t label) {
  RecordedStep step;
  step.kind = StepKind::Reset;
  step.label = label;
  for (ElementKind k : Kinds) {
    const std::vector<uint8_t>& was = before_[slot(k)];
    for (int32_t n = 0; n < diagram.count(k); ++n) {
      const uint8_t after = current(diagram, {k, n});
      assign(step, k, n, static_cast<size_t>(n) < was.size() ? was[static_cast<size_t>(n)] : after, after);
    }
  }
  take(std::move(step));
  return lastStep();
}

int32_t StatusRecord::finishEdit() {
  RecordedStep step;
  step.kind = StepKind::Edit;
  take(std::move(step));
  return lastStep();
}

void StatusRecord::undo() {
  if (steps_.size() <= 1) return;
  const RecordedStep& step = steps_.back();
  for (ElementKind k : Kinds)
    for (const Assignment& a : step.assigned[slot(k)])
      if (static_cast<size_t>(a.index) < last_[slot(k)].size()) last_[slot(k)][static_cast<size_t>(a.index)] = a.previous;
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
    }
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
