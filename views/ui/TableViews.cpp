#include "views/ui/TableViews.h"

#include <QCheckBox>
#include <QFrame>
#include <cstdlib>
#include <cstring>

#include "model/LoadElements.h"
#include "views/ui/HeldTables.h"

namespace zorvex {

bool developerViewsEnabled() {
  const char* value = std::getenv("ZORVEX_DEVELOPER");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

TTableViews::TTableViews(QWidget& clientArea, MessageBoxes& boxes, std::string directory)
    : clientArea_(clientArea), boxes_(boxes), directory_(std::move(directory)) {
  ViewCheckBoxesPanel = new QFrame(&clientArea_);
  ViewCheckBoxesPanel->setObjectName(QStringLiteral("ViewCheckBoxesPanel"));
  ViewCheckBoxesPanel->setFrameShape(QFrame::StyledPanel);
  ViewCheckBoxesPanel->setGeometry(416, 42, 169, 74);
  ViewCheckBoxesPanel->hide();

  sentences_.file = SentencesTableFile;
  arrows_.file = ArrowsTableFile;
  defeaters_.file = DefeatersTableFile;
  build(sentences_, "Sentences", 7, 15, 182, 112);
  build(arrows_, "Arrows", 27, 139, 182, 236);
  build(defeaters_, "Defeaters", 47, 263, 190, 360);
  ViewSentencesTableCheckBox = sentences_.checkBox;
  ViewArrowsTableCheckBox = arrows_.checkBox;
  ViewDefeatersTableCheckBox = defeaters_.checkBox;
  SentencesDBGrid = sentences_.grid;
  ArrowsDBGrid = arrows_.grid;
  DefeatersDBGrid = defeaters_.grid;
  SentencesDBNavigator = sentences_.navigator;
  ArrowsDBNavigator = arrows_.navigator;
  DefeatersDBNavigator = defeaters_.navigator;
  SentencesDataSource = sentences_.model;
  ArrowsDataSource = arrows_.model;
  DefeatersDataSource = defeaters_.model;
}

void TTableViews::build(View& view, const char* name, int y, int gridTop, int barLeft, int barTop) {
  const QString kind = QString::fromLatin1(name);
  view.checkBox = new QCheckBox(QStringLiteral("View %1 Table").arg(kind), ViewCheckBoxesPanel);
  view.checkBox->setObjectName(QStringLiteral("View%1TableCheckBox").arg(kind));
  view.checkBox->setGeometry(7, y, 156, 13);
  view.checkBox->setChecked(false);
  QObject::connect(view.checkBox, &QCheckBox::toggled, view.checkBox, [this, &view] { checkBoxClick(view); });

  view.grid = new TableGrid(&clientArea_);
  view.grid->setObjectName(QStringLiteral("%1DBGrid").arg(kind));
  view.grid->setGeometry(96, gridTop, 391, 97);
  view.model = new TableModel(boxes_, view.grid);
  view.model->setObjectName(QStringLiteral("%1DataSource").arg(kind));
  view.grid->setModel(view.model);
  view.grid->hide();

  view.navigator = new TableNavigator(*view.grid, *view.model, boxes_, &clientArea_);
  view.navigator->setObjectName(QStringLiteral("%1DBNavigator").arg(kind));
  view.navigator->setGeometry(barLeft, barTop, 200, 20);
  view.navigator->hide();
}

TTableViews::~TTableViews() {
  for (View* view : {&sentences_, &arrows_, &defeaters_}) {
    if (view->model) view->model->setTable(nullptr);
    if (view->table) view->table->close();
    view->table.reset();
    delete view->navigator.data();
    delete view->grid.data();  // and its model
  }
  delete ViewCheckBoxesPanel.data();
}

void TTableViews::ViewSentencesTableCheckBoxClick() { checkBoxClick(sentences_); }
void TTableViews::ViewArrowsTableCheckBoxClick() { checkBoxClick(arrows_); }
void TTableViews::ViewDefeatersTableCheckBoxClick() { checkBoxClick(defeaters_); }

void TTableViews::checkBoxClick(View& view) {
  if (view.checkBox->isChecked())
    open(view);
  else
    close(view);
}

std::string TTableViews::pathOf(const char* file) const {
  if (directory_.empty() || directory_ == ".") return file;
  return directory_.back() == '/' ? directory_ + file : directory_ + "/" + file;
}

void TTableViews::open(View& view) {
  // A table that loading left open is this view's table already.
  if (!view.table) view.table = takeHeldTable(pathOf(view.file));
  if (!view.table) {
    try {
      view.table = paradox::ParadoxTable::open(pathOf(view.file));
    } catch (const ZorvexError& e) {
      boxes_.error(e);  // grid and bar stay hidden, the box stays checked
      return;
    }
  }
  view.model->setTable(view.table.get());
  view.grid->show();
  view.grid->raise();
  view.navigator->show();
  view.navigator->raise();
}

void TTableViews::close(View& view) {
  // An open cell editor and an inserted row not yet posted are dropped.
  view.grid->cancelEditor();
  view.grid->hide();
  view.navigator->hide();
  view.model->setTable(nullptr);
  // Closed, not just dropped: loading's cursor may share a table taken over.
  if (view.table) view.table->close();  // releases the file's lock
  view.table.reset();
}

}  // namespace zorvex
