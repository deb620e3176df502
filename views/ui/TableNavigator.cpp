#include "views/ui/TableNavigator.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <algorithm>

namespace zorvex {

// Remembers the grid's open cell editor, so the bar can post or cancel it.
class GridDelegate : public QStyledItemDelegate {
 public:
  explicit GridDelegate(TableGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    grid_.editor_ = editor;
    return editor;
  }
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
    if (grid_.editor_ == editor) grid_.editor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
  }

 private:
  TableGrid& grid_;
};

TableGrid::TableGrid(QWidget* parent) : QTableView(parent) {
  setItemDelegate(new GridDelegate(*this));
  verticalHeader()->setDefaultSectionSize(18);
}

void TableGrid::commitEditor() {
  if (QWidget* editor = editor_) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void TableGrid::cancelEditor() {
  if (QWidget* editor = editor_) closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

namespace {

struct ButtonLook {
  const char* glyph;
  const char* name;
  const char* tip;
};

constexpr ButtonLook Looks[TableNavigator::ButtonCount] = {
    {"|<", "FirstButton", "First record"},   {"<", "PriorButton", "Prior record"},
    {">", "NextButton", "Next record"},      {">|", "LastButton", "Last record"},
    {"+", "InsertButton", "Insert record"},  {"-", "DeleteButton", "Delete record"},
    {"^", "EditButton", "Edit record"},      {"\u2713", "PostButton", "Post edit"},
    {"x", "CancelButton", "Cancel edit"},    {"\u21BB", "RefreshButton", "Refresh data"},
};

}  // namespace

TableNavigator::TableNavigator(TableGrid& grid, TableModel& model, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent), grid_(grid), model_(model), boxes_(boxes) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  void (TableNavigator::*const actions[ButtonCount])() = {
      &TableNavigator::first, &TableNavigator::prior, &TableNavigator::next, &TableNavigator::last,
      &TableNavigator::insert, &TableNavigator::remove, &TableNavigator::edit, &TableNavigator::post,
      &TableNavigator::cancel, &TableNavigator::refresh};
  for (int b = 0; b < ButtonCount; ++b) {
    auto* button = new QToolButton(this);
    button->setText(QString::fromUtf8(Looks[b].glyph));
    button->setObjectName(QString::fromLatin1(Looks[b].name));
    button->setToolTip(QString::fromLatin1(Looks[b].tip));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(button, &QToolButton::clicked, this, actions[b]);
    layout->addWidget(button);
    buttons_[b] = button;
  }
}

int TableNavigator::currentColumn() const {
  return grid_.currentIndex().isValid() ? grid_.currentIndex().column() : 0;
}

void TableNavigator::moveTo(int row) {
  grid_.commitEditor();
  const int count = model_.rowCount();
  if (count == 0) return;
  row = std::clamp(row, 0, count - 1);
  if (model_.hasPendingRow() && row != model_.pendingRow() && !model_.postRow()) return;
  grid_.setCurrentIndex(model_.index(row, currentColumn()));
}

void TableNavigator::first() { moveTo(0); }
void TableNavigator::prior() { moveTo(std::max(grid_.currentRow(), 0) - 1); }
void TableNavigator::next() { moveTo(grid_.currentRow() + 1); }
void TableNavigator::last() { moveTo(model_.rowCount() - 1); }

void TableNavigator::insert() {
  grid_.commitEditor();
  const int row = std::max(grid_.currentRow(), 0);
  if (!model_.insertBlankRow(row)) return;
  const QModelIndex at = model_.index(model_.pendingRow(), 0);
  grid_.setCurrentIndex(at);
  grid_.edit(at);
}

void TableNavigator::remove() {
  const int row = grid_.currentRow();
  if (row < 0) return;
  grid_.cancelEditor();
  if (row != model_.pendingRow() && !boxes_.confirm("Delete record?")) return;
  const int column = currentColumn();
  if (!model_.deleteRow(row)) return;
  if (model_.rowCount() > 0) grid_.setCurrentIndex(model_.index(std::min(row, model_.rowCount() - 1), column));
}

void TableNavigator::edit() {
  if (grid_.currentIndex().isValid()) grid_.edit(grid_.currentIndex());
}

void TableNavigator::post() {
  grid_.commitEditor();
  model_.postRow();
}

void TableNavigator::cancel() {
  grid_.cancelEditor();
  if (!model_.hasPendingRow()) return;
  // Back to the row that was current before the insert (it now has the same number).
  const int row = model_.pendingRow();
  const int column = currentColumn();
  model_.cancelRow();
  if (model_.rowCount() > 0) grid_.setCurrentIndex(model_.index(std::min(row, model_.rowCount() - 1), column));
}

void TableNavigator::refresh() {
  grid_.cancelEditor();
  const QModelIndex at = grid_.currentIndex();
  model_.cancelRow();
  model_.refresh();
  if (at.isValid() && model_.rowCount() > 0)
    grid_.setCurrentIndex(model_.index(std::min(at.row(), model_.rowCount() - 1), at.column()));
}

}  // namespace zorvex
