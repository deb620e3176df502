#include "history/UndoStep.h"

#include <algorithm>

namespace zorvex {
namespace {

void putVarint(std::vector<uint8_t>& out, uint32_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<uint8_t>(v));
}

uint32_t getVarint(const uint8_t*& p) {
  uint32_t v = 0;
  for (int shift = 0;; shift += 7) {
    const uint8_t b = *p++;
    v |= static_cast<uint32_t>(b & 0x7F) << shift;
    if ((b & 0x80) == 0) return v;
  }
}

template <typename Write>
void walk(const std::vector<uint8_t>& data, bool undo, Write write) {
  const uint8_t* p = data.data();
  const uint8_t* end = p + data.size();
  int32_t n = -1;
  while (p < end) {
    n += static_cast<int32_t>(getVarint(p)) + 1;
    const uint8_t before = p[0], after = p[1];
    p += 2;
    write(n, undo ? before : after);
  }
}

// Only sentences ever take pointer input of their own.
constexpr bool takesInputWhenLive(const TSentence&) { return true; }
constexpr bool takesInputWhenLive(const TArrow&) { return false; }
constexpr bool takesInputWhenLive(const TDefeater&) { return false; }

// Selected and Enabled are view state, not content: applying a record keeps
// the element's current marks. Only a step that deletes or brings back an
// element changes whether it takes input, as deleting does.
template <typename Record>
void put(Record& target, const Record& record) {
  const bool selected = target.Selected, enabled = target.Enabled, wasDeleted = target.Deleted;
  target = record;
  target.Selected = selected;
  target.Enabled = target.Deleted == wasDeleted ? enabled : !target.Deleted && takesInputWhenLive(target);
}

void putRecord(Diagram& diagram, ElementRef ref, const ElementRecord& record) {
  switch (ref.kind) {
    case ElementKind::Sentence: put(diagram.sentence(ref.index), std::get<TSentence>(record)); break;
    case ElementKind::Arrow: put(diagram.arrow(ref.index), std::get<TArrow>(record)); break;
    case ElementKind::Defeater: put(diagram.defeater(ref.index), std::get<TDefeater>(record)); break;
  }
  diagram.geometryChanged(ref);
}

size_t recordBytes(const ElementRecord& r) {
  const TSentence* s = std::get_if<TSentence>(&r);
  return sizeof(ElementRecord) + (s ? s->Text.capacity() : 0);
}

}  // namespace

void StatusChanges::add(ElementKind kind, int32_t number, uint8_t before, uint8_t after) {
  Stream& s = streams_[static_cast<size_t>(kind)];
  putVarint(s.data, static_cast<uint32_t>(number - s.last - 1));
  s.data.push_back(before);
  s.data.push_back(after);
  s.last = number;
  ++s.count;
}

void StatusChanges::apply(Diagram& diagram, bool undo) const {
  auto& sentences = diagram.sentencesForStatus();
  auto& arrows = diagram.arrowsForStatus();
  auto& defeaters = diagram.defeatersForStatus();
  walk(streams_[0].data, undo, [&](int32_t n, uint8_t v) {
    if (static_cast<size_t>(n) < sentences.size()) sentences[static_cast<size_t>(n)].Status = v;
  });
  walk(streams_[1].data, undo, [&](int32_t n, uint8_t v) {
    if (static_cast<size_t>(n) < arrows.size()) arrows[static_cast<size_t>(n)].Status = v;
  });
  walk(streams_[2].data, undo, [&](int32_t n, uint8_t v) {
    if (static_cast<size_t>(n) < defeaters.size())
      defeaters[static_cast<size_t>(n)].DefeaterState = static_cast<DefeaterState>(v);
  });
}

size_t StatusChanges::count() const { return streams_[0].count + streams_[1].count + streams_[2].count; }

size_t StatusChanges::bytes() const {
  return streams_[0].data.capacity() + streams_[1].data.capacity() + streams_[2].data.capacity();
}

StatusSnapshot::StatusSnapshot(const Diagram& diagram) {
  sentences_.reserve(diagram.sentences().size());
  for (const TSentence& s : diagram.sentences()) sentences_.push_back(s.Status);
  arrows_.reserve(diagram.arrows().size());
  for (const TArrow& a : diagram.arrows()) arrows_.push_back(a.Status);
  defeaters_.reserve(diagram.defeaters().size());
  for (const TDefeater& d : diagram.defeaters()) defeaters_.push_back(static_cast<uint8_t>(d.DefeaterState));
}

void StatusChanges::shrink() {
  for (Stream& s : streams_) s.data.shrink_to_fit();
}

StatusChanges StatusSnapshot::changesTo(const Diagram& diagram) const {
  StatusChanges out;
  auto diff = [&out](ElementKind kind, const std::vector<uint8_t>& old, size_t size, auto now) {
    // Elements made during the command have no old value: they are not changed statuses.
    const size_t n = std::min(old.size(), size);
    for (size_t k = 0; k < n; ++k) {
      const uint8_t v = now(k);
      if (v != old[k]) out.add(kind, static_cast<int32_t>(k), old[k], v);
    }
  };
  const auto& s = diagram.sentences();
  const auto& a = diagram.arrows();
  const auto& d = diagram.defeaters();
  diff(ElementKind::Sentence, sentences_, s.size(), [&](size_t k) { return s[k].Status; });
  diff(ElementKind::Arrow, arrows_, a.size(), [&](size_t k) { return a[k].Status; });
  diff(ElementKind::Defeater, defeaters_, d.size(),
       [&](size_t k) { return static_cast<uint8_t>(d[k].DefeaterState); });
  out.shrink();
  return out;
}

void UndoStep::apply(Diagram& diagram, bool undo) const {
  for (const ElementChange& c : elements) putRecord(diagram, c.ref, undo ? c.before : c.after);
  statuses.apply(diagram, undo);
}

std::string UndoStep::describedName() const { return subject.empty() ? name : name + " '" + subject + "'"; }

size_t UndoStep::bytes() const {
  size_t total = sizeof(UndoStep) + name.capacity() + subject.capacity() + statuses.bytes();
  for (const ElementChange& c : elements) total += sizeof(ElementChange) + recordBytes(c.before) + recordBytes(c.after);
  return total;
}

UndoStep StatusStep(std::string name, const StatusSnapshot& before, const Diagram& after) {
  UndoStep step;
  step.name = std::move(name);
  step.statuses = before.changesTo(after);
  return step;
}

ElementRecord RecordOf(const Diagram& diagram, ElementRef ref) {
  switch (ref.kind) {
    case ElementKind::Sentence: return diagram.sentence(ref.index);
    case ElementKind::Arrow: return diagram.arrow(ref.index);
    case ElementKind::Defeater: return diagram.defeater(ref.index);
  }
  return TSentence{};
}

void ElementStepBuilder::before(ElementRef ref) {
  for (const ElementChange& c : changes_)
    if (c.ref == ref) return;
  ElementRecord now = RecordOf(*diagram_, ref);
  changes_.push_back({ref, now, now});
}

void ElementStepBuilder::added(ElementRef ref) {
  ElementRecord gone = RecordOf(*diagram_, ref);
  std::visit([](auto& r) { r.Deleted = true; }, gone);
  changes_.push_back({ref, gone, gone});
}

UndoStep ElementStepBuilder::take() const {
  UndoStep step;
  step.name = name_;
  step.elements = changes_;
  for (ElementChange& c : step.elements) c.after = RecordOf(*diagram_, c.ref);
  return step;
}

void StepSequence::add(const UndoStep& next) {
  for (const ElementChange& c : next.elements) {
    const auto [it, fresh] = at_.try_emplace(key(c.ref), step_.elements.size());
    if (fresh)
      step_.elements.push_back(c);
    else
      step_.elements[it->second].after = c.after;
  }
}

}  // namespace zorvex
