#include "views/ui/TableModel.h"

#include <algorithm>

#include "model/paradox/ValueParse.h"

namespace zorvex {
namespace {

using paradox::FieldType;

bool isNumeric(FieldType t) {
  switch (t) {
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoInc:
    case FieldType::Number:
    case FieldType::Currency:
    case FieldType::Bcd: return true;
    default: return false;
  }
}

// Memo, BLOb and byte cells are shown as placeholders and cannot be typed.
bool isTypable(FieldType t) { return !paradox::isBlobType(t) && t != FieldType::Bytes; }

}  // namespace

TableModel::TableModel(MessageBoxes& boxes, QObject* parent) : QAbstractTableModel(parent), boxes_(boxes) {}

void TableModel::setTable(paradox::ParadoxTable* table) {
  beginResetModel();
  table_ = table;
  pending_.reset();
  endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || table_ == nullptr || !table_->isOpen()) return 0;
  return static_cast<int>(table_->rowCount()) + (pending_ ? 1 : 0);
}

int TableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || table_ == nullptr || !table_->isOpen()) return 0;
  return static_cast<int>(table_->fields().size());
}

size_t TableModel::tableRow(int row) const {
  return static_cast<size_t>(pending_ && row > pending_->row ? row - 1 : row);
}

paradox::Value TableModel::cell(int row, int column) const {
  if (pending_ && row == pending_->row) return pending_->values.at(static_cast<size_t>(column));
  return table_->value(tableRow(row), column);
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const FieldType type = table_->fields()[static_cast<size_t>(index.column())].type;
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(isNumeric(type) ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  try {
    return QString::fromStdString(paradox::displayText(cell(index.row(), index.column())));
  } catch (const ZorvexError&) {
    return {};  // a cell that cannot be decoded shows empty rather than ending the program
  }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || table_ == nullptr || !table_->isOpen()) return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= columnCount()) return {};
    return QString::fromStdString(table_->fields()[static_cast<size_t>(section)].name);
  }
  if (pending_ && section == pending_->row) return QStringLiteral("*");
  return QString::number(static_cast<qulonglong>(tableRow(section)) + 1);
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || index.column() >= columnCount()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (isTypable(table_->fields()[static_cast<size_t>(index.column())].type)) f |= Qt::ItemIsEditable;
  return f;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || index.row() >= rowCount()) return false;
  const paradox::Field& field = table_->fields()[static_cast<size_t>(index.column())];
  paradox::Value parsed;
  try {
    parsed = paradox::valueFromText(field, value.toString().toStdString());
    if (parsed == cell(index.row(), index.column())) return true;  // nothing to write
  } catch (const ZorvexError& e) {
    fail(e);
    return false;
  }
  if (pending_ && index.row() == pending_->row) {
    pending_->values[static_cast<size_t>(index.column())] = std::move(parsed);
  } else if (!storedCellEdit(index.row(), index.column(), parsed)) {
    return false;
  }
  emit dataChanged(index, index);
  return true;
}

bool TableModel::storedCellEdit(int row, int column, const paradox::Value& value) {
  try {
    paradox::Row values = table_->row(tableRow(row));
    values[static_cast<size_t>(column)] = value;
    table_->updateRow(tableRow(row), values);
    return true;
  } catch (const ZorvexError& e) {
    fail(e);
    return false;
  }
}

bool TableModel::insertBlankRow(int row) {
  if (table_ == nullptr || !table_->isOpen() || !postRow()) return false;
  row = std::clamp(row, 0, rowCount());
  beginInsertRows(QModelIndex(), row, row);
  pending_ = Pending{row, paradox::Row(table_->fields().size())};
  endInsertRows();
  return true;
}

bool TableModel::postRow() {
  if (!pending_) return true;
  try {
    table_->insertRow(static_cast<size_t>(pending_->row), pending_->values);
  } catch (const ZorvexError& e) {
    fail(e);
    return false;
  }
  const int row = pending_->row;
  pending_.reset();  // the same grid row now shows the stored row
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
  emit headerDataChanged(Qt::Vertical, row, rowCount() - 1);
  return true;
}

void TableModel::cancelRow() {
  if (!pending_) return;
  beginRemoveRows(QModelIndex(), pending_->row, pending_->row);
  pending_.reset();
  endRemoveRows();
}

bool TableModel::deleteRow(int row) {
  if (row < 0 || row >= rowCount()) return false;
  if (pending_ && row == pending_->row) {
    cancelRow();
    return true;
  }
  // The row goes from the file first; on failure the grid shows the rows as they were.
  std::optional<ZorvexError> failure;
  beginResetModel();
  try {
    table_->deleteRow(tableRow(row));
    if (pending_ && pending_->row > row) --pending_->row;
  } catch (const ZorvexError& e) {
    failure = e;
  }
  endResetModel();
  if (failure) fail(*failure);
  return !failure;
}

void TableModel::refresh() {
  beginResetModel();
  endResetModel();
}

}  // namespace zorvex
