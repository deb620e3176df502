#pragma once
// The grid that shows a TableModel, and the navigator bar that moves through
// its rows and inserts, deletes, edits, posts, cancels and refreshes them.
#include <QPointer>
#include <QTableView>
#include <QWidget>

#include "views/ui/MessageBoxes.h"
#include "views/ui/TableModel.h"

class QToolButton;

namespace zorvex {

class TableGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TableGrid(QWidget* parent = nullptr);
  // Ends the cell editor that is open, if any, writing or dropping its text.
  void commitEditor();
  void cancelEditor();
  bool editorOpen() const { return !editor_.isNull(); }
  QWidget* openEditor() const { return editor_; }
  int currentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }

 private:
  friend class GridDelegate;
  QPointer<QWidget> editor_;
};

class TableNavigator : public QWidget {
  Q_OBJECT

 public:
  // Buttons in this order, each with its tooltip.
  enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

  TableNavigator(TableGrid& grid, TableModel& model, MessageBoxes& boxes, QWidget* parent = nullptr);
  QToolButton* button(Button b) const { return buttons_[b]; }

  void first();
  void prior();
  void next();
  void last();
  void insert();
  // Asks "Delete record?" before a stored row goes.
  void remove();
  void edit();
  void post();
  void cancel();
  void refresh();

 private:
  // Makes `row` the grid's current row, posting a pending row left behind.
  void moveTo(int row);
  int currentColumn() const;

  TableGrid& grid_;
  TableModel& model_;
  MessageBoxes& boxes_;
  QToolButton* buttons_[ButtonCount] = {};
};

}  // namespace zorvex
