#include "tools/LoadCheck.h"

#include "model/LoadElements.h"

namespace zorvex::tools {
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

 private:
  const std::vector<Row>& rows_;
  const std::array<Column<Row>, N>& columns_;
  size_t row_ = 0;
};

}  // namespace

void checkLoadable(const DiagramRows& rows) {
  const TableOpener open = [&rows](const std::string& file) -> std::unique_ptr<TableCursor> {
    if (file == SentencesTableFile) return std::make_unique<RowsCursor<SentenceRow, 5>>(rows.sentences, sentenceColumns());
    if (file == ArrowsTableFile) return std::make_unique<RowsCursor<ArrowRow, 14>>(rows.arrows, arrowColumns());
    return std::make_unique<RowsCursor<DefeaterRow, 16>>(rows.defeaters, defeaterColumns());
  };
  Diagram diagram;
  const LoadResult result = LoadElements(diagram, "", open);
  if (!result.error) return;
  // The failing row is the first one that did not become an element.
  std::string where;
  if (static_cast<size_t>(diagram.SentenceCount()) < rows.sentences.size())
    where = "sentences[" + std::to_string(diagram.SentenceCount()) + "]";
  else if (static_cast<size_t>(diagram.ArrowCount()) < rows.arrows.size())
    where = "arrows[" + std::to_string(diagram.ArrowCount()) + "]";
  else
    where = "defeaters[" + std::to_string(diagram.DefeaterCount()) + "]";
  throw ZorvexError(where + ": " + result.error->message());
}

}  // namespace zorvex::tools
