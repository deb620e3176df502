// The three diagram tables written with writeTable and loaded through the
// Paradox opener, as the program does at start-up.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/TestFiles.h"
#include "model/LoadElements.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"

namespace zorvex::paradox {
namespace {

using zorvex::testing::TempDir;
using zorvex::testing::messageOf;

std::vector<Field> longs(std::initializer_list<const char*> names) {
  std::vector<Field> out;
  for (const char* n : names) out.push_back({n, FieldType::Long});
  return out;
}

void writeDiagram(const std::string& dir, const Value& defeaterLeft) {
  writeTable(dir + "/SentencesDb.db",
             {{"Left", FieldType::Long}, {"Top", FieldType::Short}, {"Right", FieldType::Number},
              {"Bottom", FieldType::Alpha, 8}, {"Text", FieldType::Alpha, 60}},
             {{10, 20, 60.0, std::string("35"), std::string("Tweety is a bird")},
              {100, 20, 180.4, std::string(" 36 "), std::string("Tweety flies")}});
  std::vector<Field> arrow = longs({"Center1X", "Center1Y", "Center2X", "Center2Y", "StartX", "StartY", "EndX", "EndY",
                                    "Left1", "Top1"});
  arrow.push_back({"Text1", FieldType::Alpha, 60});
  for (const Field& f : longs({"Left2", "Top2"})) arrow.push_back(f);
  arrow.push_back({"Text2", FieldType::Alpha, 60});
  writeTable(dir + "/ArrowsDb.DB", arrow,
             {{35, 27, 140, 28, 40, 20, 10, 50, 10, 20, std::string("Tweety is a bird"), 100, 20,
               std::string("tweety flies")}});
  std::vector<Field> defeater = longs({"ChallengingRectLeft", "ChallengingRectTop", "ChallengingRectRight",
                                       "ChallengingRectBottom", "ChallengedRectLeft", "ChallengedRectTop",
                                       "ChallengedRectRight", "ChallengedRectBottom", "Center1X", "Center1Y",
                                       "Center2X", "Center2Y", "StartX", "StartY", "EndX", "EndY"});
  defeater[0] = {"ChallengingRectLeft", FieldType::Alpha, 10};
  writeTable(dir + "/DefeatersDb.DB", defeater,
             {{defeaterLeft, 100, 150, 130, 300, 80, 360, 120, 125, 115, 330, 100, 150, 112, 300, 103}});
}

TEST(ParadoxLoad, TheDiagramTablesLoadThroughTheOpener) {
  TempDir dir;
  writeDiagram(dir.path, std::string("100"));
  Diagram d;
  LoadResult r = LoadElements(d, dir.path, tableOpener());
  ASSERT_FALSE(r.error) << r.error->message();
  ASSERT_EQ(d.SentenceCount(), 2);
  EXPECT_EQ(d.sentence(0).Width, 51);
  EXPECT_EQ(d.sentence(0).Height, 16);
  EXPECT_EQ(d.sentence(1).Right, 180);
  EXPECT_EQ(d.sentence(1).Bottom, 36);
  EXPECT_EQ(d.sentence(1).Text, "Tweety flies");
  ASSERT_EQ(d.ArrowCount(), 1);
  EXPECT_EQ(d.arrow(0).Sentence1, 0);
  EXPECT_EQ(d.arrow(0).Sentence2, NoSentence) << "the text differs in letter case";
  EXPECT_EQ(d.arrow(0).Left, 10);
  EXPECT_EQ(d.arrow(0).Width, 31);
  ASSERT_EQ(d.DefeaterCount(), 1);
  EXPECT_EQ(d.defeater(0).Width, 261);
  EXPECT_EQ(d.defeater(0).Height, 51);
  EXPECT_NO_THROW(openTable(dir.path + "/DefeatersDb.DB")) << "loading closes every table";
}

TEST(ParadoxLoad, AFailureLeavesItsTableOpenAndLocked) {
  TempDir dir;
  writeDiagram(dir.path, std::string("abc"));
  Diagram d;
  LoadResult r = LoadElements(d, dir.path, tableOpener());
  ASSERT_TRUE(r.error);
  EXPECT_EQ(errorBoxText(r.error->message()), "'abc' is not a valid integer value.");
  EXPECT_EQ(d.SentenceCount(), 2);
  EXPECT_EQ(d.ArrowCount(), 1);
  ASSERT_TRUE(r.leftOpen);
  const std::string path = dir.path + "/DefeatersDb.DB";
  try {
    openTable(path);
    ADD_FAILURE() << "the table left open must stay locked";
  } catch (const ZorvexError& e) {
    EXPECT_EQ(e.message(), "Table " + path + " is busy: another program has it open");
  }
  r.leftOpen->close();
  EXPECT_NO_THROW(openTable(path));
}

}  // namespace
}  // namespace zorvex::paradox
