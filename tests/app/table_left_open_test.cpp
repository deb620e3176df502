// A table that loading left open, after a failure part-way, is the very table
// its view shows and closes.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QCheckBox>

#include "AppTestSupport.h"
#include "model/paradox/ParadoxTable.h"
#include "views/ui/TableNavigator.h"

namespace zorvex::testing {
namespace {

// An arrow table with every column but Text2.
void writeArrowsWithoutText2() {
  using namespace paradox;
  std::vector<Field> fields;
  for (const char* n : {"Center1X", "Center1Y", "Center2X", "Center2Y", "StartX", "StartY", "EndX", "EndY", "Left1",
                        "Top1", "Left2", "Top2"})
    fields.push_back({n, FieldType::Long});
  fields.push_back({"Text1", FieldType::Alpha, 60});
  const Row row{70, 50, 230, 50, 100, 50, 199, 50, 40, 40, 200, 40, std::string("A")};
  writeTable("ArrowsDb.DB", fields, {row, row});
}

// True while some open table holds the file's lock.
bool held(const std::string& path) {
  try {
    paradox::ParadoxTable::open(path)->close();
    return false;
  } catch (const ZorvexError&) {
    return true;
  }
}

TEST_F(AppTest, TheArrowTableLeftOpenByAMissingColumnIsShownAndClosedByItsView) {
  writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
  writeArrowsAndDefeaters();
  writeArrowsWithoutText2();
  QFile("help.txt").open(QIODevice::WriteOnly);
  TArgumentForm& f = start();
  ASSERT_EQ(boxes_.texts(), std::vector<std::string>{"Field 'Text2' not found."});
  EXPECT_EQ(f.diagram().ArrowCount(), 0);
  ASSERT_TRUE(held("ArrowsDb.DB")) << "a table open when loading failed stays open";

  auto* grid = f.findChild<TableGrid*>(QStringLiteral("ArrowsDBGrid"));
  auto* bar = f.findChild<TableNavigator*>(QStringLiteral("ArrowsDBNavigator"));
  ASSERT_NE(grid, nullptr);
  ASSERT_NE(bar, nullptr);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "the table loading left open" : "the table opened again");
    control<QCheckBox>(f, "ViewArrowsTableCheckBox")->setChecked(true);
    EXPECT_EQ(boxes_.shown.size(), 1u) << boxes_.texts().back();
    EXPECT_FALSE(grid->isHidden());
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->columnCount(), 13);
    EXPECT_TRUE(held("ArrowsDb.DB"));

    control<QCheckBox>(f, "ViewArrowsTableCheckBox")->setChecked(false);
    EXPECT_TRUE(grid->isHidden());
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(held("ArrowsDb.DB")) << "closing the view releases the file";
  }
  EXPECT_EQ(boxes_.shown.size(), 1u);
  // The other tables were never opened by loading and open as usual.
  control<QCheckBox>(f, "ViewSentencesTableCheckBox")->setChecked(true);
  EXPECT_EQ(boxes_.shown.size(), 1u);
  control<QCheckBox>(f, "ViewSentencesTableCheckBox")->setChecked(false);
  EXPECT_FALSE(held("SentencesDb.db"));
}

}  // namespace
}  // namespace zorvex::testing
