// What the window's document remembers of a diagram that could not be read
// completely: a save over it is put to the user first.
#include <gtest/gtest.h>

#include <fstream>

#include "model/LoadElements.h"
#include "store/DiagramDocument.h"
#include "store/TableFiles.h"
#include "tests/store/StoreTesting.h"

namespace zorvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(DiagramDocument, ASaveOverWhatCouldNotBeReadIsNoticedHoweverThePlaceIsSpelled) {
  TempDir dir;
  const DiagramLocation file = locationFor(dir.file("d.json"));
  saveDiagram(sampleDiagram(), file);
  const std::string whole = bytesOf(file.path);
  std::ofstream(file.path, std::ios::binary) << whole.substr(0, whole.size() / 2);  // cut short
  Reopened partly = reopen(file);
  ASSERT_NE(partly.error, "");

  DiagramDocument document(file);
  document.settle(partly.diagram);
  EXPECT_FALSE(document.overwritesUnread(file));  // read completely, as far as it knows
  document.loadedPartly();
  EXPECT_TRUE(document.overwritesUnread(file));
  EXPECT_TRUE(document.overwritesUnread(locationFor(fs::path(dir.path) / "." / "d.json")));
  EXPECT_FALSE(document.overwritesUnread(locationFor(dir.file("other.json"))));
  EXPECT_FALSE(document.overwritesUnread({dir.path, DiagramFormat::Tables}));
  // Nothing there any more: nothing to lose.
  fs::remove(file.path);
  EXPECT_FALSE(document.overwritesUnread(file));

  // A folder whose sentence table is damaged; its other tables are intact.
  const DiagramLocation folder{dir.path, DiagramFormat::Tables};
  writeTables(DiagramRows{}, dir.path);
  std::ofstream(dir.file(SentencesTableFile), std::ios::binary) << "not a table";
  ASSERT_NE(reopen(folder).error, "");
  DiagramDocument tables(folder);
  tables.loadedPartly();
  EXPECT_TRUE(tables.overwritesUnread({dir.path + "/", DiagramFormat::Tables}));
  // Once saved there, it is the diagram in the window.
  tables.settle(Diagram{}, folder);
  EXPECT_FALSE(tables.overwritesUnread(folder));
}

}  // namespace
}  // namespace zorvex::testing
