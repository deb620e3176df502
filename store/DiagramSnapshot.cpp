#include "store/DiagramSnapshot.h"

#include <algorithm>
#include <thread>

#include "store/DiagramToRows.h"

namespace zorvex {

DiagramSnapshot DiagramSnapshot::of(const Diagram& d) {
  DiagramSnapshot s;
  // Taken while the window waits: the arrows and defeaters are copied on a
  // second thread while this one goes through the sentences.
  std::thread arrows([&s, &d] {
    s.arrows_ = d.arrows();  // plain records: one block copy
    for (int32_t n = 0; n < d.ArrowCount(); ++n)
      if (!s.arrows_[static_cast<size_t>(n)].resolved())
        if (const LoadedArrowSides* sides = d.loadedSides(n)) s.loadedSides_.emplace_back(n, *sides);
    s.defeaters_ = d.defeaters();
  });
  s.sentences_.reserve(d.sentences().size());
  s.texts_.reserve(d.sentences().size() * 24);
  for (const TSentence& e : d.sentences()) {
    s.sentences_.push_back({e.Left, e.Top, e.Right, e.Bottom, static_cast<uint32_t>(s.texts_.size()),
                            static_cast<uint32_t>(e.Text.size()), e.Status, e.Deleted});
    s.texts_ += e.Text;
  }
  arrows.join();
  return s;
}

// As rowsOfDiagram(d, WithStatuses::Yes) makes them.
DiagramRows DiagramSnapshot::rows() const {
  DiagramRows rows;
  for (const Sentence& s : sentences_) {
    if (s.deleted) continue;
    rows.sentences.push_back({s.Left, s.Top, s.Right, s.Bottom, std::string(text(s))});
    rows.sentenceStatus.emplace_back(s.status);
  }
  auto side = [this](int32_t sentence, const ArrowSide* loaded, int32_t& left, int32_t& top, std::string& text) {
    if (sentence != NoSentence) {
      const Sentence& s = sentences_.at(static_cast<size_t>(sentence));
      left = s.Left, top = s.Top, text = this->text(s);
    } else if (loaded) {
      left = loaded->Left, top = loaded->Top, text = loaded->Text;
    }
  };
  for (size_t n = 0; n < arrows_.size(); ++n) {
    const TArrow& a = arrows_[n];
    if (a.Deleted) continue;
    const LoadedArrowSides* loaded = nullptr;
    if (!a.resolved()) {
      const auto it = std::lower_bound(loadedSides_.begin(), loadedSides_.end(), static_cast<int32_t>(n),
                                       [](const auto& entry, int32_t number) { return entry.first < number; });
      if (it != loadedSides_.end() && it->first == static_cast<int32_t>(n)) loaded = &it->second;
    }
    ArrowRow row;
    row.Center1X = a.Center1X, row.Center1Y = a.Center1Y, row.Center2X = a.Center2X, row.Center2Y = a.Center2Y;
    row.StartX = a.StartX, row.StartY = a.StartY, row.EndX = a.EndX, row.EndY = a.EndY;
    side(a.Sentence1, loaded ? &loaded->side1 : nullptr, row.Left1, row.Top1, row.Text1);
    side(a.Sentence2, loaded ? &loaded->side2 : nullptr, row.Left2, row.Top2, row.Text2);
    rows.arrows.push_back(std::move(row));
    rows.arrowStatus.emplace_back(a.Status);
  }
  for (const TDefeater& f : defeaters_) {
    if (f.Deleted || f.Incomplete) continue;
    rows.defeaters.push_back(defeaterRowOf(f));
    rows.defeaterState.emplace_back(f.DefeaterState);
  }
  return rows;
}

}  // namespace zorvex
