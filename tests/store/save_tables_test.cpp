// Saving into a folder of tables: what the next opening gives back, and the
// old tables left exactly as they were by every refused or failed save.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "model/AtomicFiles.h"
#include "model/LoadElements.h"
#include "store/DiagramToRows.h"
#include "store/TableFiles.h"
#include "tests/store/StoreTesting.h"
#include "tests/support/ImmutableFile.h"

namespace zorvex::testing {
namespace {

namespace fs = std::filesystem;

DiagramLocation folderIn(const TempDir& dir) { return {dir.path, DiagramFormat::Tables}; }

// Renaming the new file number `failing` (0, 1, 2: sentences, arrows,
// defeaters) into place fails with an I/O error while this lives.
class FailingRename {
 public:
  explicit FailingRename(int failing)
      : previous_(setRenameStep([failing, n = 0](const std::string& from, const std::string& to) mutable {
          if (n++ != failing) return rename(from.c_str(), to.c_str());
          errno = EIO;
          return -1;
        })) {}
  ~FailingRename() { setRenameStep(previous_); }
  FailingRename(const FailingRename&) = delete;
  FailingRename& operator=(const FailingRename&) = delete;

 private:
  RenameStep previous_;
};

TEST(SaveTables, OpeningGivesBackGeometryTextsAndOrderWithoutStatuses) {
  TempDir dir;
  const Diagram d = sampleDiagram();
  saveDiagram(d, folderIn(dir));

  const Reopened again = reopen(folderIn(dir));
  ASSERT_EQ(again.error, "");
  EXPECT_EQ(savedFields(again.diagram, Statuses::Left), savedFields(d, Statuses::Left));
  // Tables hold no statuses: everything opens not evaluated.
  for (const TSentence& s : again.diagram.sentences()) EXPECT_EQ(s.Status, NotEvaluated);
  for (const TArrow& a : again.diagram.arrows()) EXPECT_EQ(a.Status, NotEvaluated);
  for (const TDefeater& f : again.diagram.defeaters()) EXPECT_EQ(f.DefeaterState, DefeaterState::ActiveNorInactive);
  // Saving what was opened writes the same bytes again.
  const auto first = folderContents(dir.path);
  saveDiagram(again.diagram, folderIn(dir));
  EXPECT_EQ(folderContents(dir.path), first);
}

TEST(SaveTables, TheSelectionAndPointerInputWriteNothing) {
  TempDir plainDir, markedDir;
  const Diagram plain = sampleDiagram();
  Diagram marked = plain;
  marked.sentence(3).Selected = marked.arrow(0).Selected = marked.defeater(1).Selected = true;
  marked.sentence(2).Enabled = false;
  marked.arrow(2).Enabled = marked.defeater(0).Enabled = true;
  saveDiagram(plain, folderIn(plainDir));
  saveDiagram(marked, folderIn(markedDir));
  const auto written = folderContents(plainDir.path);
  EXPECT_EQ(written.size(), 3u);
  EXPECT_EQ(folderContents(markedDir.path), written);
}

TEST(SaveTables, TellWhetherTheyLeaveOutStatusesTheDiagramHas) {
  TempDir dir;
  Diagram d = sampleDiagram();
  EXPECT_TRUE(tablesLeaveOutStatuses(d));
  saveDiagram(d, folderIn(dir));
  Diagram opened = reopen(folderIn(dir)).diagram;
  EXPECT_FALSE(tablesLeaveOutStatuses(opened));
  // One status of each kind; a deleted element's is not saved at all.
  const std::function<void(Diagram&)> statuses[] = {
      [](Diagram& o) { o.sentence(3).Status = NotEvaluated | SetByUser; },
      [](Diagram& o) { o.arrow(2).Status = Undefeated; },
      [](Diagram& o) { o.defeater(1).DefeaterState = DefeaterState::Inactive; }};
  for (const auto& set : statuses) {
    Diagram one = opened;
    set(one);
    EXPECT_TRUE(tablesLeaveOutStatuses(one));
    one.sentence(3).Deleted = one.arrow(2).Deleted = one.defeater(1).Deleted = true;
    EXPECT_FALSE(tablesLeaveOutStatuses(one));
  }
}

TEST(SaveTables, DeletedElementsAreLeftOutAndTheRestNumberedInOrder) {
  TempDir dir;
  Diagram d = sampleDiagram();
  d.sentence(0).Deleted = true;  // with the two arrows that join it
  d.arrow(0).Deleted = true;
  d.arrow(1).Deleted = true;
  d.defeater(0).Deleted = true;
  const int32_t drawing = defeaterOf(d, {0, 0, 5, 5}, {10, 10, 20, 20});
  d.defeater(drawing).Incomplete = true;  // still being drawn: not saved
  saveDiagram(d, folderIn(dir));

  const Reopened again = reopen(folderIn(dir));
  ASSERT_EQ(again.error, "");
  EXPECT_EQ(again.diagram.SentenceCount(), 3);
  EXPECT_EQ(again.diagram.ArrowCount(), 1);
  EXPECT_EQ(again.diagram.DefeaterCount(), 1);
  EXPECT_EQ(again.diagram.sentence(0).Text, "Tweety flies");
  // Arrow2 from Sentence3 to Sentence1 is now Arrow0 from Sentence2 to Sentence0.
  EXPECT_EQ(again.diagram.arrow(0).Sentence1, 2);
  EXPECT_EQ(again.diagram.arrow(0).Sentence2, 0);
  EXPECT_EQ(savedFields(again.diagram, Statuses::Left), savedFields(d, Statuses::Left));
}

TEST(SaveTables, AnArrowWithAnUnresolvedSideKeepsTheRowItWasLoadedWith) {
  TempDir first, second;
  DiagramRows rows;
  rows.sentences = {{10, 20, 60, 35, "A"}, {100, 20, 150, 35, "B"}};
  rows.arrows = {{35, 27, 125, 27, 60, 27, 100, 27, 10, 20, "a", 100, 20, "B"},
                 {1, 2, 3, 4, 5, 6, 7, 8, 70, 80, "nobody", 90, 95, "nothing"}};
  writeTables(rows, first.path);
  Reopened loaded = reopen(folderIn(first));
  ASSERT_EQ(loaded.error, "");
  ASSERT_EQ(loaded.diagram.arrow(0).Sentence1, NoSentence);
  // The side that did resolve follows its sentence.
  loaded.diagram.sentence(1).Left = 110;
  loaded.diagram.sentence(1).Right = 160;
  saveDiagram(loaded.diagram, folderIn(second));

  auto table = paradox::ParadoxTable::open(second.file(ArrowsTableFile));
  ASSERT_EQ(table->rowCount(), 2u);
  const std::vector<std::string> columns{"Left1", "Top1", "Text1", "Left2", "Top2", "Text2"};
  std::vector<std::vector<std::string>> cells(2);
  for (size_t r = 0; r < 2; ++r)
    for (const std::string& c : columns) cells[r].push_back(table->displayText(r, table->columnIndex(c)));
  EXPECT_EQ(cells[0], (std::vector<std::string>{"10", "20", "a", "110", "20", "B"}));
  EXPECT_EQ(cells[1], (std::vector<std::string>{"70", "80", "nobody", "90", "95", "nothing"}));
}

TEST(SaveTables, IntoANewFolderMakesIt) {
  TempDir dir;
  const DiagramLocation where{fs::path(dir.path) / "new" / "diagram", DiagramFormat::Tables};
  saveDiagram(sampleDiagram(), where);
  EXPECT_EQ(reopen(where).diagram.SentenceCount(), 4);
}

// A save stopped midway (killed, power lost) leaves its new tables under
// temporary names; the next save into the folder removes those of processes
// that no longer run, and nothing else.
TEST(SaveTables, TemporariesOfASaveStoppedMidwayAreRemovedByTheNextSave) {
  TempDir dir;
  const pid_t gone = fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) _exit(0);
  ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
  const std::string dead = std::to_string(gone), alive = std::to_string(getppid());
  const std::vector<std::string> stale = {".SentencesDb.db.saving-" + dead + "-0", ".work.json.saving-" + dead + "-12"};
  const std::vector<std::string> kept = {".ArrowsDb.db.saving-" + alive + "-3",  // its save may still be running
                                         ".SentencesDb.db.old-" + dead + "-1",   // the only copy of an old table
                                         "SentencesDb.db.saving-" + dead + "-0", ".x.saving-" + dead + "-y",
                                         ".x.saving-" + dead};
  for (const auto& name : stale) std::ofstream(dir.file(name)) << std::string(1 << 20, 'x');
  for (const auto& name : kept) std::ofstream(dir.file(name)) << "x";
  saveDiagram(sampleDiagram(), folderIn(dir));
  for (const auto& name : stale) EXPECT_FALSE(fs::exists(dir.file(name))) << name;
  for (const auto& name : kept) EXPECT_TRUE(fs::exists(dir.file(name))) << name;
  EXPECT_EQ(dir.entries(), kept.size() + 3);
}

// Each failing save below starts from the tables of sampleDiagram() and
// tries to save a different diagram over them.
class FailedSave : public ::testing::Test {
 protected:
  void SetUp() override {
    saveDiagram(sampleDiagram(), folderIn(dir));
    before = folderContents(dir.path);
    ASSERT_EQ(before.size(), 3u);
    other.addSentence(sentenceAt(5, 5, "Another diagram"));
  }
  std::string saveFails(const Diagram& d, const SaveOptions& options = {}) {
    return messageOf([&] { saveDiagram(d, folderIn(dir), options); });
  }
  TempDir dir;
  std::map<std::string, std::string> before;
  Diagram other;
};

TEST_F(FailedSave, AReadOnlyFolderIsRefused) {
  ASSERT_EQ(chmod(dir.path.c_str(), 0555), 0);
  EXPECT_EQ(saveFails(other), "Cannot write table " + dir.file(SentencesTableFile) + ": the folder is read-only");
  chmod(dir.path.c_str(), 0755);
  EXPECT_EQ(folderContents(dir.path), before);
}

TEST_F(FailedSave, ATableHeldByAnotherOpenerIsRefused) {
  const auto held = paradox::ParadoxTable::open(dir.file(DefeatersTableFile));
  EXPECT_EQ(saveFails(other), "Table " + dir.file(DefeatersTableFile) + " is busy: another program has it open");
  EXPECT_EQ(folderContents(dir.path), before);
}

// Another process holds a POSIX record lock on part of a table, as programs
// that lock with fcntl or lockf do; those locks are per process, hence the child.
TEST_F(FailedSave, ATableWithARecordLockOfAnotherProcessIsRefused) {
  const std::string arrows = dir.file(ArrowsTableFile);
  int ready[2], release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(ready[0]);
    close(release[1]);  // so the parent closing its end lets the read below return
    const int fd = open(arrows.c_str(), O_RDWR);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 2048;
    lock.l_len = 16;
    const char held = fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
    char ignored;
    if (write(ready[1], &held, 1) != 1 || read(release[0], &ignored, 1) < 0) _exit(1);
    _exit(0);
  }
  close(ready[1]);
  close(release[0]);
  char held = 0;
  ASSERT_EQ(read(ready[0], &held, 1), 1);
  ASSERT_EQ(held, 'y');
  const std::string busy = "Table " + arrows + " is busy: another program has it open";
  EXPECT_EQ(saveFails(other), busy);
  EXPECT_EQ(messageOf([&] { paradox::ParadoxTable::open(arrows); }), busy);
  close(release[1]);
  int status = 0;
  waitpid(child, &status, 0);
  close(ready[0]);
  EXPECT_EQ(folderContents(dir.path), before);
  // Once the other program lets go, the save goes through.
  saveDiagram(other, folderIn(dir));
  EXPECT_EQ(reopen(folderIn(dir)).diagram.SentenceCount(), 1);
}

TEST_F(FailedSave, ATableOpenInATableViewIsRefused) {
  SaveOptions options;
  options.tableInUse = [&](const fs::path& table) { return table == fs::canonical(dir.file(ArrowsTableFile)); };
  EXPECT_EQ(saveFails(other, options),
            "Cannot save into " + dir.path + ": the table " + dir.file(ArrowsTableFile) + " is open in a table view");
  // The table views' paths are compared in one spelling, however the folder was named.
  const fs::path spelled = fs::path(dir.path) / "." / "";
  EXPECT_EQ(messageOf([&] { saveDiagram(other, {spelled, DiagramFormat::Tables}, options); }),
            "Cannot save into " + spelled.string() + ": the table " + (spelled / ArrowsTableFile).string() +
                " is open in a table view");
  EXPECT_EQ(folderContents(dir.path), before);
}

TEST_F(FailedSave, TextTheCodePageCannotHoldIsRefusedNamingTheSentence) {
  other.addSentence(sentenceAt(5, 50, "Ω is not in code page 1252"));
  other.addSentence(sentenceAt(5, 90, "東京"));
  EXPECT_EQ(saveFails(other),
            "The text of Sentence1 ('Ω is not in code page 1252') cannot be stored in code page 1252");
  other.sentence(1).Deleted = true;  // a deleted sentence is not saved, so not checked
  EXPECT_EQ(saveFails(other), "The text of Sentence2 ('東京') cannot be stored in code page 1252");
  other.sentence(2).Deleted = true;
  other.addSentence(sentenceAt(5, 130, std::string(254, 'x') + "é"));
  other.addSentence(sentenceAt(5, 170, std::string(256, 'x')));
  EXPECT_EQ(saveFails(other), "The text of Sentence4 is longer than the 255 characters a table can hold");
  EXPECT_EQ(folderContents(dir.path), before);

  // Nothing at all is written into a folder that does not exist yet.
  const DiagramLocation fresh{fs::path(dir.path) / "fresh", DiagramFormat::Tables};
  EXPECT_NE(messageOf([&] { saveDiagram(other, fresh); }), "(no error)");
  EXPECT_FALSE(fs::exists(fresh.path));
}

// Every table is checked before the first is replaced.
TEST_F(FailedSave, ATableThatCannotBeReplacedIsRefusedBeforeAnyIsReplaced) {
  const std::string arrows = dir.file(ArrowsTableFile);
  ASSERT_EQ(chmod(arrows.c_str(), 0444), 0);
  EXPECT_EQ(saveFails(other), "Cannot write table " + arrows + ": the file is read-only");
  EXPECT_EQ(folderContents(dir.path), before);
  ASSERT_EQ(chmod(arrows.c_str(), 0644), 0);

  const ImmutableFile immutable(arrows);
  if (!immutable.set) GTEST_SKIP() << "the kernel refuses the immutable attribute here: " << immutable.refused;
  EXPECT_EQ(saveFails(other), "Cannot write table " + arrows + ": the file is marked immutable");
  EXPECT_EQ(folderContents(dir.path), before);
}

TEST_F(FailedSave, ARenameThatFailsHalfWayPutsBackTheTablesAlreadyReplaced) {
  const char* const tables[] = {SentencesTableFile, ArrowsTableFile, DefeatersTableFile};
  for (int failing = 0; failing < 3; ++failing) {
    SCOPED_TRACE(tables[failing]);
    const FailingRename failure(failing);
    EXPECT_EQ(saveFails(other), "Cannot write table " + dir.file(tables[failing]) + ": Input/output error");
    EXPECT_EQ(folderContents(dir.path), before);
  }
  // A folder without tables gets none.
  TempDir empty;
  const FailingRename failure(2);
  EXPECT_NE(messageOf([&] { saveDiagram(other, folderIn(empty)); }), "(no error)");
  EXPECT_EQ(empty.entries(), 0u);
  // Nor is a folder the failed save made left behind.
  const FailingRename again(0);
  EXPECT_NE(messageOf([&] { saveDiagram(other, {fs::path(empty.path) / "new" / "diagram", DiagramFormat::Tables}); }),
            "(no error)");
  EXPECT_EQ(empty.entries(), 0u);
}

// The disk fills up while the arrow table is being written, after the
// sentence table is complete: neither may replace its old table.
TEST_F(FailedSave, ADiskThatFillsUpHalfWayChangesNothing) {
  Diagram big;
  for (int32_t n = 0; n < 200; ++n) big.addSentence(sentenceAt(n * 10, n * 5, "Sentence " + std::to_string(n)));
  for (int32_t n = 0; n + 1 < 200; ++n) arrowBetween(big, n, n + 1);
  const TableImages images = buildTableImages(rowsOfDiagram(big, WithStatuses::No));
  ASSERT_LT(images.sentences.size() + 1, images.arrows.size());

  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = images.sentences.size() + 1;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const std::string message = saveFails(big);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(message, "Cannot write table " + dir.file(ArrowsTableFile) + ": File too large");
  EXPECT_EQ(folderContents(dir.path), before);
}

}  // namespace
}  // namespace zorvex::testing
