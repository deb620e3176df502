#pragma once
// The table views of the main window: a panel of three check boxes, and for
// each of the three element tables a grid and a navigator bar. Checking a box
// opens its table exclusively and shows the grid and the bar; unchecking hides
// them and closes the table. Everything is created hidden and the program
// never shows the panel; developers can (developerViewsEnabled).
//
// Edits go straight to the table file through the Paradox codec; the diagram
// in memory is never touched, so they take effect at the next start.
#include <QPointer>
#include <memory>
#include <string>

#include "model/paradox/ParadoxTable.h"
#include "views/ui/MessageBoxes.h"
#include "views/ui/TableModel.h"
#include "views/ui/TableNavigator.h"

class QCheckBox;
class QFrame;
class QWidget;

namespace zorvex {

// True when the environment variable ZORVEX_DEVELOPER is "1": the main window
// then shows the table view panel and its other hidden commands.
bool developerViewsEnabled();

class TTableViews {
 public:
  // Creates the controls as children of `clientArea` (the main window's
  // client area), all hidden and unchecked. Tables are looked for in
  // `directory` ("" or "." for the working directory).
  TTableViews(QWidget& clientArea, MessageBoxes& boxes, std::string directory);
  // Closes any open table and removes the controls.
  ~TTableViews();
  TTableViews(const TTableViews&) = delete;
  TTableViews& operator=(const TTableViews&) = delete;

  // Run when the check box changes state (connected to it).
  void ViewSentencesTableCheckBoxClick();
  void ViewArrowsTableCheckBoxClick();
  void ViewDefeatersTableCheckBoxClick();

  // The open tables, nullptr while closed.
  paradox::ParadoxTable* SentencesTable() const { return sentences_.table.get(); }
  paradox::ParadoxTable* ArrowsTable() const { return arrows_.table.get(); }
  paradox::ParadoxTable* DefeatersTable() const { return defeaters_.table.get(); }

  QPointer<QFrame> ViewCheckBoxesPanel;
  QPointer<QCheckBox> ViewSentencesTableCheckBox;
  QPointer<QCheckBox> ViewArrowsTableCheckBox;
  QPointer<QCheckBox> ViewDefeatersTableCheckBox;
  QPointer<TableGrid> SentencesDBGrid;
  QPointer<TableGrid> ArrowsDBGrid;
  QPointer<TableGrid> DefeatersDBGrid;
  QPointer<TableNavigator> SentencesDBNavigator;
  QPointer<TableNavigator> ArrowsDBNavigator;
  QPointer<TableNavigator> DefeatersDBNavigator;
  QPointer<TableModel> SentencesDataSource;
  QPointer<TableModel> ArrowsDataSource;
  QPointer<TableModel> DefeatersDataSource;

 private:
  struct View {
    const char* file = nullptr;
    // Guarded: the client area may be destroyed before this object.
    QPointer<QCheckBox> checkBox;
    QPointer<TableGrid> grid;
    QPointer<TableNavigator> navigator;
    QPointer<TableModel> model;
    // Shared with loading's cursor when the view took over a table left open.
    std::shared_ptr<paradox::ParadoxTable> table;
  };
  void build(View& view, const char* name, int y, int gridTop, int barLeft, int barTop);
  void checkBoxClick(View& view);
  void open(View& view);
  void close(View& view);
  std::string pathOf(const char* file) const;

  QWidget& clientArea_;
  MessageBoxes& boxes_;
  std::string directory_;
  View sentences_, arrows_, defeaters_;
};

}  // namespace zorvex
