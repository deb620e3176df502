#include "store/RowsLoading.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "model/LoadElements.h"

namespace zorvex {
namespace {

// A table cursor over rows in memory, columns as the files would hold them.
template <class Row, size_t N>
class RowsCursor : public TableCursor {
 public:
  RowsCursor(const std::vector<Row>& rows, const std::array<Column<Row>, N>& columns)
      : rows_(rows), columns_(columns) {}
  void first() override { row_ = 0; }
  bool eof() const override { return row_ >= rows_.size(); }
  void next() override { ++row_; }
  int columnIndex(std::string_view name) const override {
    for (size_t i = 0; i < N; ++i)
      if (name == columns_[i].name) return static_cast<int>(i);
    return -1;
  }
  int32_t integerAt(int column) const override { return rows_[row_].*columns_[static_cast<size_t>(column)].integer; }
  std::string textAt(int column) const override { return rows_[row_].*columns_[static_cast<size_t>(column)].text; }
  void textInto(int column, std::string& out) const override {
    out = rows_[row_].*columns_[static_cast<size_t>(column)].text;
  }
  void close() override {}
  int64_t rowCountHint() const override { return static_cast<int64_t>(rows_.size()); }

 private:
  const std::vector<Row>& rows_;
  const std::array<Column<Row>, N>& columns_;
  size_t row_ = 0;
};

// Loading says only "Integer overflow" when a row's extent does not fit in
// 32 bits; these name the computation and its value ("" when it fits).
std::string outside32Bits(int64_t v, const std::string& formula) {
  if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max()) return {};
  return formula + " = " + std::to_string(v) + " is outside the 32-bit range";
}

// `to - from + 1`, checked before and after the 1 is added, as loading computes it.
std::string extentOverflow(int32_t to, int32_t from, const std::string& formula) {
  const int64_t d = int64_t{to} - from;
  std::string what = outside32Bits(d, formula);
  return what.empty() ? outside32Bits(d + 1, formula + " + 1") : what;
}

std::string firstOf(std::initializer_list<std::string> problems) {
  for (const std::string& p : problems)
    if (!p.empty()) return p;
  return {};
}

std::string overflowIn(const SentenceRow& s) {
  return firstOf({extentOverflow(s.Right, s.Left, "Right - Left"), extentOverflow(s.Bottom, s.Top, "Bottom - Top")});
}

std::string overflowIn(const ArrowRow& a) {
  const auto distance = [](int32_t p, int32_t q) { return p < q ? int64_t{q} - p : int64_t{p} - q; };
  return firstOf({outside32Bits(distance(a.StartX, a.EndX) + 1, "|EndX - StartX| + 1"),
                  outside32Bits(distance(a.StartY, a.EndY) + 1, "|EndY - StartY| + 1")});
}

std::string overflowIn(const DefeaterRow& d) {
  return firstOf({extentOverflow(std::max(d.ChallengingRectRight, d.ChallengedRectRight),
                                 std::min(d.ChallengingRectLeft, d.ChallengedRectLeft), "greatest Right - least Left"),
                  extentOverflow(std::max(d.ChallengingRectBottom, d.ChallengedRectBottom),
                                 std::min(d.ChallengingRectTop, d.ChallengedRectTop), "greatest Bottom - least Top")});
}

// The failure of the row, as specific as the row allows.
template <class Row>
ZorvexError rowFailure(const char* list, const std::vector<Row>& rows, int32_t index, const ZorvexError& error) {
  const std::string overflow =
      static_cast<size_t>(index) < rows.size() ? overflowIn(rows[static_cast<size_t>(index)]) : std::string();
  return ZorvexError(std::string(list) + "[" + std::to_string(index) +
                     "]: " + (overflow.empty() ? error.message() : overflow));
}

template <class T, class Element, class Field>
void applyList(const std::vector<std::optional<T>>& list, std::vector<Element>& elements, Field field) {
  for (size_t i = 0; i < list.size() && i < elements.size(); ++i)
    if (list[i]) elements[i].*field = *list[i];
}

}  // namespace

std::optional<ZorvexError> loadRows(Diagram& into, const DiagramRows& rows) {
  const TableOpener open = [&rows](const std::string& file) -> std::unique_ptr<TableCursor> {
    if (file == SentencesTableFile)
      return std::make_unique<RowsCursor<SentenceRow, 5>>(rows.sentences, sentenceColumns());
    if (file == ArrowsTableFile) return std::make_unique<RowsCursor<ArrowRow, 14>>(rows.arrows, arrowColumns());
    return std::make_unique<RowsCursor<DefeaterRow, 16>>(rows.defeaters, defeaterColumns());
  };
  const LoadResult result = LoadElements(into, "", open);
  if (!result.error) return std::nullopt;
  // The failing row is the first one that did not become an element.
  if (static_cast<size_t>(into.SentenceCount()) < rows.sentences.size())
    return rowFailure("sentences", rows.sentences, into.SentenceCount(), *result.error);
  if (static_cast<size_t>(into.ArrowCount()) < rows.arrows.size())
    return rowFailure("arrows", rows.arrows, into.ArrowCount(), *result.error);
  return rowFailure("defeaters", rows.defeaters, into.DefeaterCount(), *result.error);
}

void checkLoadable(const DiagramRows& rows) {
  Diagram diagram;
  if (auto error = loadRows(diagram, rows)) throw *error;
}

void applyStatuses(Diagram& d, const DiagramRows& rows) {
  applyList(rows.sentenceStatus, d.sentencesForStatus(), &TSentence::Status);
  applyList(rows.arrowStatus, d.arrowsForStatus(), &TArrow::Status);
  applyList(rows.defeaterState, d.defeatersForStatus(), &TDefeater::DefeaterState);
}

}  // namespace zorvex
