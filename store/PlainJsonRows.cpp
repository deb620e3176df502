#include "store/PlainJsonRows.h"

#include <functional>
#include <limits>

#include "model/LoadElements.h"

#include "store/JsonRow.h"

namespace zorvex {
namespace {

struct Declined {};

template <class Row, size_t N>
KeySet keysOf(const std::array<Column<Row>, N>& columns, const char* status) {
  std::vector<std::string> names;
  for (const auto& c : columns) names.emplace_back(c.name);
  names.emplace_back(status);
  return KeySet(std::move(names));
}

// One list's rows as they are read: the row being filled, which of its
// columns it has had, and its status if it gave one.
template <class Row, size_t N, class State>
class ListReader {
 public:
  using OnRow = std::function<void(Row&, const std::optional<State>&)>;
  ListReader(const std::array<Column<Row>, N>& columns, const char* statusKey, OnRow onRow)
      : columns_(columns), keys_(keysOf(columns, statusKey)), onRow_(std::move(onRow)) {}

  void begin() { seen_ = 0, state_.reset(); }
  void key(const std::string& k) {
    column_ = keys_.find(k);
    if (column_ < 0 || (seen_ >> column_) & 1) throw Declined{};
    seen_ |= uint32_t{1} << column_;
  }
  void integer(int64_t v) {
    constexpr int64_t limit = std::numeric_limits<int32_t>::max();
    if (v < -limit || v > limit) throw Declined{};
    if (static_cast<size_t>(column_) == N) return status(static_cast<int32_t>(v));
    const auto& c = columns_[static_cast<size_t>(column_)];
    if (!c.integer) throw Declined{};
    row_.*c.integer = static_cast<int32_t>(v);
  }
  void text(std::string& s) {
    if (static_cast<size_t>(column_) >= N || !columns_[static_cast<size_t>(column_)].text) throw Declined{};
    row_.*columns_[static_cast<size_t>(column_)].text = s;
  }
  void end() {
    if ((seen_ & ((uint32_t{1} << N) - 1)) != (uint32_t{1} << N) - 1) throw Declined{};
    onRow_(row_, state_);
  }

 private:
  void status(int32_t v) {
    State value{};
    if constexpr (std::is_same_v<State, Status>) {
      if (!isStoredStatus(v)) throw Declined{};
      value = static_cast<Status>(v);
    } else {
      if (!isStoredDefeaterState(v)) throw Declined{};
      value = static_cast<DefeaterState>(v);
    }
    state_ = value;
  }

  const std::array<Column<Row>, N>& columns_;
  const KeySet keys_;
  OnRow onRow_;
  Row row_;
  std::optional<State> state_;
  uint32_t seen_ = 0;
  int column_ = -1;
};

using SentenceList = ListReader<SentenceRow, 5, Status>;
using ArrowList = ListReader<ArrowRow, 14, Status>;
using DefeaterList = ListReader<DefeaterRow, 16, DefeaterState>;

// Depths: 0 outside, 1 in the top object, 2 in a list, 3 in a row. With
// `inOrder`, the lists must come as sentences, arrows, defeaters.
class PlainRows {
 public:
  PlainRows(SentenceList::OnRow sentences, ArrowList::OnRow arrows, DefeaterList::OnRow defeaters, bool inOrder)
      : sentences_(sentenceColumns(), "Status", std::move(sentences)),
        arrows_(arrowColumns(), "Status", std::move(arrows)),
        defeaters_(defeaterColumns(), "DefeaterState", std::move(defeaters)),
        inOrder_(inOrder) {}

  void null() { throw Declined{}; }
  void boolean(bool) { throw Declined{}; }
  void number_float(double, const std::string&) { throw Declined{}; }
  void number_integer(int64_t v) {
    if (depth_ != 3) throw Declined{};
    each([v](auto& list) { list.integer(v); });
  }
  void number_unsigned(uint64_t v) {
    if (v > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) throw Declined{};
    number_integer(static_cast<int64_t>(v));
  }
  void string(std::string& s) {
    if (depth_ != 3) throw Declined{};
    each([&s](auto& list) { list.text(s); });
  }
  void key(std::string& k) {
    if (depth_ == 3) return each([&k](auto& list) { list.key(k); });
    if (depth_ != 1) throw Declined{};
    list_ = k == "sentences" ? 0 : k == "arrows" ? 1 : k == "defeaters" ? 2 : throw Declined{};
    if (seen_[list_] || (inOrder_ && list_ != next_++)) throw Declined{};
    seen_[list_] = true;
  }
  void start_object(size_t) {
    if (depth_ != 0 && depth_ != 2) throw Declined{};
    if (depth_ == 2) each([](auto& list) { list.begin(); });
    ++depth_;
  }
  void start_array(size_t) {
    if (depth_ != 1) throw Declined{};
    ++depth_;
  }
  void end_object() {
    if (depth_ == 3) each([](auto& list) { list.end(); });
    --depth_;
  }
  void end_array() { --depth_; }
  bool complete() const { return seen_[0] && seen_[1] && seen_[2]; }

 private:
  template <class F>
  void each(F f) {
    if (list_ == 0) return f(sentences_);
    if (list_ == 1) return f(arrows_);
    f(defeaters_);
  }

  SentenceList sentences_;
  ArrowList arrows_;
  DefeaterList defeaters_;
  const bool inOrder_;
  int depth_ = 0;
  int list_ = -1, next_ = 0;
  bool seen_[3] = {false, false, false};
};

// Keeps a row's status beside the rows, as the general reader does.
template <class State>
void keepState(std::vector<std::optional<State>>& list, size_t row, const std::optional<State>& state) {
  if (!state) return;
  if (list.size() <= row) list.resize(row + 1);
  list[row] = state;
}

template <class State>
void pad(std::vector<std::optional<State>>& list, size_t rows) {
  if (!list.empty()) list.resize(rows);
}

}  // namespace

std::optional<DiagramRows> plainRowsFromJson(JsonBytes& input) {
  DiagramRows rows;
  PlainRows plain(
      [&rows](SentenceRow& r, const std::optional<Status>& s) {
        keepState(rows.sentenceStatus, rows.sentences.size(), s);
        rows.sentences.push_back(r);
      },
      [&rows](ArrowRow& r, const std::optional<Status>& s) {
        keepState(rows.arrowStatus, rows.arrows.size(), s);
        rows.arrows.push_back(r);
      },
      [&rows](DefeaterRow& r, const std::optional<DefeaterState>& s) {
        keepState(rows.defeaterState, rows.defeaters.size(), s);
        rows.defeaters.push_back(r);
      },
      false);
  try {
    if (!JsonScanner(input).read(plain)) return std::nullopt;
  } catch (const Declined&) {
    return std::nullopt;
  }
  pad(rows.sentenceStatus, rows.sentences.size());
  pad(rows.arrowStatus, rows.arrows.size());
  pad(rows.defeaterState, rows.defeaters.size());
  return rows;
}

void loadSentenceRow(ElementLoader& load, const SentenceRow& r, const std::optional<Status>& s) {
  TSentence e;
  e.Left = r.Left, e.Top = r.Top, e.Right = r.Right, e.Bottom = r.Bottom;
  e.Text = r.Text;
  if (s) e.Status = *s;
  load.sentence(std::move(e));
}

void loadArrowRow(ElementLoader& load, const ArrowRow& r, const std::optional<Status>& s) {
  TArrow e;
  e.Center1X = r.Center1X, e.Center1Y = r.Center1Y, e.Center2X = r.Center2X, e.Center2Y = r.Center2Y;
  e.StartX = r.StartX, e.StartY = r.StartY, e.EndX = r.EndX, e.EndY = r.EndY;
  if (s) e.Status = *s;
  load.arrow(e, r.Left1, r.Top1, r.Text1, r.Left2, r.Top2, r.Text2);
}

void loadDefeaterRow(ElementLoader& load, const DefeaterRow& r, const std::optional<DefeaterState>& s) {
  TDefeater e;
  e.ChallengingRect = {r.ChallengingRectLeft, r.ChallengingRectTop, r.ChallengingRectRight, r.ChallengingRectBottom};
  e.ChallengedRect = {r.ChallengedRectLeft, r.ChallengedRectTop, r.ChallengedRectRight, r.ChallengedRectBottom};
  e.Center1X = r.Center1X, e.Center1Y = r.Center1Y, e.Center2X = r.Center2X, e.Center2Y = r.Center2Y;
  e.StartX = r.StartX, e.StartY = r.StartY, e.EndX = r.EndX, e.EndY = r.EndY;
  if (s) e.DefeaterState = *s;
  load.defeater(e);
}

bool loadPlainJson(Diagram& into, JsonBytes& input) {
  ElementLoader load(into);
  PlainRows plain([&load](SentenceRow& r, const std::optional<Status>& s) { loadSentenceRow(load, r, s); },
                  [&load](ArrowRow& r, const std::optional<Status>& s) { loadArrowRow(load, r, s); },
                  [&load](DefeaterRow& r, const std::optional<DefeaterState>& s) { loadDefeaterRow(load, r, s); },
                  true);
  try {
    if (!JsonScanner(input).read(plain) || !plain.complete()) return false;
    load.finish();
    return true;
  } catch (const Declined&) {
    return false;
  } catch (const ZorvexError&) {
    return false;  // an element loading refuses: the general reader names its row
  }
}

}  // namespace zorvex
