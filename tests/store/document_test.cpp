// What the window's document remembers of a diagram that could not be read
// completely: a save over it is put to the user first.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

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

// Two windows on one diagram: the second one's save is noticed by the first
// before it writes over it, in a JSON file and in a folder of tables.
TEST(DiagramDocument, AnotherWriterSinceOpeningOrSavingIsNoticed) {
  TempDir dir;
  const DiagramLocation file = locationFor(dir.file("d.json"));
  saveDiagram(sampleDiagram(), file);
  const DiskRecord read = recordOnDisk(file);
  DiagramDocument document(file);
  document.settle(reopen(file).diagram, file, read);
  EXPECT_FALSE(document.changedByOthers(file));
  Diagram other;
  other.addSentence(sentenceAt(5, 5, "the other window's"));
  saveDiagram(other, file);
  EXPECT_TRUE(document.changedByOthers(file));
  EXPECT_TRUE(document.changedByOthers(locationFor(fs::path(dir.path) / "." / "d.json")));
  EXPECT_FALSE(document.changedByOthers(locationFor(dir.file("elsewhere.json"))));  // a new place

  // Its own save is no other writer.
  saveDiagram(sampleDiagram(), file);
  document.settle(sampleDiagram(), file);
  EXPECT_FALSE(document.changedByOthers(file));
  // The same size and modification time, other bytes: the fingerprint tells.
  struct stat st {};
  ASSERT_EQ(stat(file.path.c_str(), &st), 0);
  std::string bytes = bytesOf(file.path);
  const size_t digit = bytes.find_first_of("123456789");
  bytes[digit] = bytes[digit] == '9' ? '8' : static_cast<char>(bytes[digit] + 1);
  std::ofstream(file.path, std::ios::binary) << bytes;
  const timespec times[2] = {st.st_atim, st.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, file.path.c_str(), times, 0), 0);
  EXPECT_TRUE(document.changedByOthers(file));

  // A folder: one table removed, or tables appearing where there were none.
  const DiagramLocation folder{dir.file("tables"), DiagramFormat::Tables};
  saveDiagram(sampleDiagram(), folder);
  DiagramDocument tables(folder);
  tables.settle(sampleDiagram(), folder);
  EXPECT_FALSE(tables.changedByOthers({dir.file("tables") + "/", DiagramFormat::Tables}));
  fs::remove(fs::path(folder.path) / DefeatersTableFile);
  EXPECT_TRUE(tables.changedByOthers(folder));
  const DiagramLocation empty{dir.file("empty"), DiagramFormat::Tables};
  fs::create_directory(empty.path);
  DiagramDocument none(empty, recordOnDisk(empty));
  EXPECT_FALSE(none.changedByOthers(empty));
  saveDiagram(other, empty);
  EXPECT_TRUE(none.changedByOthers(empty));
}

}  // namespace
}  // namespace zorvex::testing
