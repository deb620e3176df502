#include "store/RowsLoading.h"

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
  void close() override {}
  int64_t rowCountHint() const override { return static_cast<int64_t>(rows_.size()); }

 private:
  const std::vector<Row>& rows_;
  const std::array<Column<Row>, N>& columns_;
  size_t row_ = 0;
};

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
  std::string where;
  if (static_cast<size_t>(into.SentenceCount()) < rows.sentences.size())
    where = "sentences[" + std::to_string(into.SentenceCount()) + "]";
  else if (static_cast<size_t>(into.ArrowCount()) < rows.arrows.size())
    where = "arrows[" + std::to_string(into.ArrowCount()) + "]";
  else
    where = "defeaters[" + std::to_string(into.DefeaterCount()) + "]";
  return ZorvexError(where + ": " + result.error->message());
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
