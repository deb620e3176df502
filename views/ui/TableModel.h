#pragma once
// The rows of one open Paradox table for a grid: one column per table column,
// titled with its name, cells shown as a user reads them and edited through
// the codec, which writes every change to the file at once and atomically.
// A row started with insertBlankRow lives only here until postRow writes it.
// Failures are shown in the error box; the file then stays as it was.
#include <QAbstractTableModel>
#include <optional>

#include "model/paradox/ParadoxTable.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {

class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TableModel(MessageBoxes& boxes, QObject* parent = nullptr);

  // The table shown (not owned); nullptr shows nothing. Drops a pending row.
  void setTable(paradox::ParadoxTable* table);
  paradox::ParadoxTable* table() const { return table_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Reads the text as a value of the column's type; a stored row is written
  // to the file at once, the pending row only keeps the value.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // A blank row before `row` (at the end for rowCount()), not yet in the file.
  // A pending row elsewhere is posted first; false when that fails.
  bool insertBlankRow(int row);
  bool hasPendingRow() const { return pending_.has_value(); }
  int pendingRow() const { return pending_ ? pending_->row : -1; }
  // Writes the pending row to the file; true when nothing was pending.
  bool postRow();
  void cancelRow();
  // Removes a stored row from the file (or drops the pending row).
  bool deleteRow(int row);
  // Shows the table's rows anew.
  void refresh();

 private:
  struct Pending {
    int row = 0;
    paradox::Row values;
  };
  // The table row shown at grid row `row` (which must not be the pending one).
  size_t tableRow(int row) const;
  paradox::Value cell(int row, int column) const;
  bool storedCellEdit(int row, int column, const paradox::Value& value);
  void fail(const ZorvexError& e) const { boxes_.error(e); }

  MessageBoxes& boxes_;
  paradox::ParadoxTable* table_ = nullptr;
  std::optional<Pending> pending_;
};

}  // namespace zorvex
