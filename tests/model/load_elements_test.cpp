#include <gtest/gtest.h>

#include "model/LoadElements.h"
#include "support/FakeTable.h"

namespace zorvex {
namespace {

using testing::Cell;
using testing::FakeTables;

const std::vector<std::string> SentenceCols{"Left", "Top", "Right", "Bottom", "Text"};
const std::vector<std::string> ArrowCols{"Center1X", "Center1Y", "Center2X", "Center2Y", "StartX",
                                         "StartY",   "EndX",     "EndY",     "Left1",    "Top1",
                                         "Text1",    "Left2",    "Top2",     "Text2"};
const std::vector<std::string> DefeaterCols{
    "ChallengingRectLeft", "ChallengingRectTop", "ChallengingRectRight", "ChallengingRectBottom",
    "ChallengedRectLeft",  "ChallengedRectTop",  "ChallengedRectRight",  "ChallengedRectBottom",
    "Center1X",            "Center1Y",           "Center2X",             "Center2Y",
    "StartX",              "StartY",             "EndX",                 "EndY"};

std::vector<Cell> arrowRow(int sx, int sy, int ex, int ey, int l1, int t1, std::string x1, int l2, int t2,
                           std::string x2) {
  return {0, 0, 0, 0, sx, sy, ex, ey, l1, t1, std::move(x1), l2, t2, std::move(x2)};
}

FakeTables threeTables() {
  FakeTables t;
  t.files["SentencesDb.db"].columns = SentenceCols;
  t.files["ArrowsDb.DB"].columns = ArrowCols;
  t.files["DefeatersDb.DB"].columns = DefeaterCols;
  return t;
}

TEST(LoadElements, EmptyTablesGiveAnEmptyDiagram) {
  FakeTables t = threeTables();
  Diagram d;
  LoadResult r = LoadElements(d, "", t.opener());
  EXPECT_FALSE(r.error);
  EXPECT_EQ(d.SentenceCount(), 0);
  EXPECT_EQ(d.ArrowCount(), 0);
  EXPECT_EQ(d.DefeaterCount(), 0);
  for (auto& [name, data] : t.files) EXPECT_TRUE(data.closed) << name;
}

TEST(LoadElements, RowsBecomeElementsWithBoundsFromTheirColumns) {
  FakeTables t = threeTables();
  // Columns in another order, with a column the program does not know.
  t.files["SentencesDb.db"].columns = {"Text", "Extra", "Bottom", "Right", "Top", "Left"};
  t.files["SentencesDb.db"].rows = {{std::string("Tweety is a bird"), 99, 35, 60, 20, 10},
                                    {std::string("Tweety flies"), 0, 120, 330, 100, 250}};
  t.files["ArrowsDb.DB"].rows = {arrowRow(40, 20, 10, 50, 10, 20, "Tweety is a bird", 250, 100, "Tweety flies")};
  t.files["DefeatersDb.DB"].rows = {
      {100, 100, 150, 130, 300, 80, 360, 120, 125, 115, 330, 100, 150, 116, 300, 104}};
  Diagram d;
  ASSERT_FALSE(LoadElements(d, "", t.opener()).error);

  ASSERT_EQ(d.SentenceCount(), 2);
  const TSentence& s = d.sentence(0);
  EXPECT_EQ(d.name(ElementKind::Sentence, 0), "Sentence0");
  EXPECT_EQ(s.Text, "Tweety is a bird");
  EXPECT_EQ(s.Left, 10);
  EXPECT_EQ(s.Top, 20);
  EXPECT_EQ(s.Right, 60);
  EXPECT_EQ(s.Bottom, 35);
  EXPECT_EQ(s.Width, 51);
  EXPECT_EQ(s.Height, 16);
  EXPECT_EQ(s.Status, NotEvaluated);
  EXPECT_FALSE(s.Selected);
  EXPECT_FALSE(s.Deleted);

  ASSERT_EQ(d.ArrowCount(), 1);
  const TArrow& a = d.arrow(0);
  EXPECT_EQ(a.Sentence1, 0);
  EXPECT_EQ(a.Sentence2, 1);
  EXPECT_EQ(a.Left, 10);
  EXPECT_EQ(a.Top, 20);
  EXPECT_EQ(a.Width, 31);
  EXPECT_EQ(a.Height, 31);
  EXPECT_EQ(a.Status, NotEvaluated);

  ASSERT_EQ(d.DefeaterCount(), 1);
  const TDefeater& f = d.defeater(0);
  EXPECT_EQ(f.Width, 261);
  EXPECT_EQ(f.Height, 51);
  EXPECT_EQ(f.Left, 0);
  EXPECT_EQ(f.Top, 0);
  EXPECT_EQ(f.ChallengedRect, (Rect{300, 80, 360, 120}));
  EXPECT_EQ(f.EndX, 300);
  EXPECT_EQ(f.EndY, 104);
  EXPECT_EQ(f.DefeaterState, DefeaterState::ActiveNorInactive);
  EXPECT_EQ(d.findByName("Defeater0"), (ElementRef{ElementKind::Defeater, 0}));
}

TEST(LoadElements, ArrowsResolveToTheFirstExactlyMatchingSentence) {
  FakeTables t = threeTables();
  t.files["SentencesDb.db"].rows = {{5, 5, 40, 20, std::string("A")},
                                    {5, 5, 40, 20, std::string("A")},
                                    {100, 5, 140, 20, std::string("B")}};
  t.files["ArrowsDb.DB"].rows = {arrowRow(40, 12, 100, 12, 5, 5, "A", 100, 5, "B"),
                                 arrowRow(40, 12, 100, 12, 5, 5, "a", 100, 5, "B"),
                                 arrowRow(40, 12, 100, 12, 5, 6, "A", 100, 5, "C")};
  Diagram d;
  ASSERT_FALSE(LoadElements(d, "", t.opener()).error);
  ASSERT_EQ(d.ArrowCount(), 3);
  EXPECT_EQ(d.arrow(0).Sentence1, 0);  // the lower-numbered duplicate
  EXPECT_EQ(d.arrow(0).Sentence2, 2);
  EXPECT_EQ(d.arrow(1).Sentence1, NoSentence);  // letter case differs
  EXPECT_EQ(d.arrow(1).Sentence2, 2);
  EXPECT_EQ(d.arrow(2).Sentence1, NoSentence);  // Top differs
  EXPECT_EQ(d.arrow(2).Sentence2, NoSentence);
  EXPECT_EQ(d.SentenceCount(), 3);  // duplicate texts load unchanged
}

TEST(LoadElements, FailuresEndLoadingAndKeepWhatWasRead) {
  {
    FakeTables t = threeTables();
    t.files.erase("SentencesDb.db");
    Diagram d;
    LoadResult r = LoadElements(d, "", t.opener());
    ASSERT_TRUE(r.error);
    EXPECT_EQ(errorBoxText(r.error->message()), "Cannot open file SentencesDb.db.");
    EXPECT_EQ(d.ArrowCount(), 0);
    EXPECT_FALSE(t.files["ArrowsDb.DB"].closed);  // never opened
  }
  {
    FakeTables t = threeTables();
    t.files["SentencesDb.db"].rows = {{1, 2, 30, 20, std::string("kept")}};
    t.files["ArrowsDb.DB"].columns = {"Center1X"};
    t.files["ArrowsDb.DB"].rows = {{7}};
    t.files["DefeatersDb.DB"].rows = {{0, 0, 9, 9, 20, 20, 29, 29, 0, 0, 0, 0, 0, 0, 0, 0}};
    Diagram d;
    LoadResult r = LoadElements(d, "", t.opener());
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->message(), "Field 'Center1Y' not found");
    EXPECT_EQ(d.SentenceCount(), 1);
    EXPECT_EQ(d.ArrowCount(), 0);
    EXPECT_EQ(d.DefeaterCount(), 0);  // the defeaters are not read after a failure
    EXPECT_TRUE(r.leftOpen);          // the failing table stays open
    EXPECT_FALSE(t.files["ArrowsDb.DB"].closed);
  }
  {
    // A column missing from an empty table is never read, so it is no failure.
    FakeTables t = threeTables();
    t.files["SentencesDb.db"].columns = {"Left"};
    Diagram d;
    EXPECT_FALSE(LoadElements(d, "", t.opener()).error);
  }
  {
    FakeTables t = threeTables();
    t.files["SentencesDb.db"].rows = {{1, 2, 30, 20, std::string("first")},
                                      {std::string("abc"), 2, 30, 20, std::string("second")},
                                      {1, 9, 30, 20, std::string("third")}};
    Diagram d;
    LoadResult r = LoadElements(d, "", t.opener());
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->message(), "'abc' is not a valid integer value");
    ASSERT_EQ(d.SentenceCount(), 1);
    EXPECT_EQ(d.sentence(0).Text, "first");
  }
}

TEST(LoadElements, SizesThatDoNotFit32BitsAreAnOverflow) {
  FakeTables t = threeTables();
  t.files["SentencesDb.db"].rows = {{INT32_MIN, 0, INT32_MAX, 10, std::string("wide")}};
  Diagram d;
  LoadResult r = LoadElements(d, "", t.opener());
  ASSERT_TRUE(r.error);
  EXPECT_EQ(r.error->message(), "Integer overflow");
  EXPECT_EQ(d.SentenceCount(), 0);
}

TEST(LoadElements, TablesAreFoundInTheGivenDirectory) {
  FakeTables t;
  t.files["dir/SentencesDb.db"].columns = SentenceCols;
  t.files["dir/ArrowsDb.DB"].columns = ArrowCols;
  t.files["dir/DefeatersDb.DB"].columns = DefeaterCols;
  Diagram d;
  EXPECT_FALSE(LoadElements(d, "dir", t.opener()).error);
  Diagram e;
  EXPECT_FALSE(LoadElements(e, "dir/", t.opener()).error);
}

}  // namespace
}  // namespace zorvex
