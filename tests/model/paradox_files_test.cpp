// Table files on disk: the exclusive lock, atomic replacement and row edits.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/TestFiles.h"
#include "model/ZorvexError.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"

namespace zorvex::paradox {
namespace {

using zorvex::testing::TempDir;
using zorvex::testing::messageOf;

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::vector<Field> Fields{{"Id", FieldType::AutoInc}, {"Text", FieldType::Alpha, 40}, {"N", FieldType::Long}};

std::vector<Row> someRows(int n) {
  std::vector<Row> rows;
  for (int i = 1; i <= n; ++i) rows.push_back({i, std::string("row ") + std::to_string(i), i * 10});
  return rows;
}

std::vector<std::string> column(const std::string& path, int col) {
  auto t = ParadoxTable::open(path);
  std::vector<std::string> out;
  for (t->first(); !t->eof(); t->next()) out.push_back(t->textAt(col));
  return out;
}

TEST(ParadoxFiles, ExclusiveLockWithinAndAcrossProcesses) {
  TempDir dir;
  const std::string path = dir.file("SentencesDb.db");
  writeTable(path, Fields, someRows(3));
  const std::string busy = "Table " + path + " is busy: another program has it open";
  auto held = ParadoxTable::open(path);
  EXPECT_EQ(messageOf([&] { openTable(path); }), busy);
  const int fd = ::open(path.c_str(), O_RDONLY);
  EXPECT_NE(flock(fd, LOCK_EX | LOCK_NB), 0) << "a second open file description sees the lock";
  const pid_t child = fork();
  if (child == 0) _exit(messageOf([&] { openTable(path); }) == busy ? 0 : 1);
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "another process is refused too";
  const std::string before = contents(path);
  EXPECT_EQ(messageOf([&] { writeTable(path, Fields, someRows(1)); }), busy);
  EXPECT_EQ(contents(path), before);
  held->close();
  EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0) << "close releases the lock";
  EXPECT_EQ(messageOf([&] { openTable(path); }), busy);
  ::close(fd);
  EXPECT_EQ(messageOf([&] { openTable(path)->close(); openTable(path); }), "(no error)");
}

TEST(ParadoxFiles, OpeningMissingOddAndReadOnlyFiles) {
  TempDir dir;
  EXPECT_EQ(messageOf([&] { openTable(dir.file("nope.db")); }), "Cannot open file " + dir.file("nope.db"));
  EXPECT_EQ(messageOf([&] { openTable(dir.path); }), "Cannot open file " + dir.path);
  std::ofstream(dir.file("empty.db")).close();
  EXPECT_EQ(messageOf([&] { openTable(dir.file("empty.db")); }),
            dir.file("empty.db") + " is not a valid Paradox table: the file is empty");
  mkfifo(dir.file("pipe.db").c_str(), 0644);
  EXPECT_EQ(messageOf([&] { openTable(dir.file("pipe.db")); }), "Cannot open file " + dir.file("pipe.db"))
      << "a FIFO must not hang the open";
  writeTable(dir.file("ro.db"), Fields, someRows(2));
  chmod(dir.file("ro.db").c_str(), 0444);
  auto t = ParadoxTable::open(dir.file("ro.db"));
  EXPECT_EQ(t->rowCount(), 2u);
  const std::string before = contents(dir.file("ro.db"));
  EXPECT_EQ(messageOf([&] { t->deleteRow(0); }), "Cannot write table " + dir.file("ro.db") + ": the file is read-only");
  EXPECT_EQ(contents(dir.file("ro.db")), before);
  EXPECT_EQ(t->rowCount(), 2u) << "a failed edit leaves the open table as it was";
}

TEST(ParadoxFiles, FailedWritesLeaveTheOriginalByteIdentical) {
  TempDir dir;
  const std::string path = dir.file("ArrowsDb.DB");
  writeTable(path, Fields, someRows(5));
  const std::string before = contents(path);
  chmod(dir.path.c_str(), 0555);
  EXPECT_EQ(messageOf([&] { writeTable(path, Fields, someRows(50)); }),
            "Cannot write table " + path + ": the folder is read-only");
  EXPECT_EQ(contents(path), before);
  chmod(dir.path.c_str(), 0755);

  // A full disk, played by a file size limit in a child process.
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{3000, 3000};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string m = messageOf([&] { writeTable(path, Fields, someRows(500)); });
    _exit(m == "Cannot write table " + path + ": File too large" ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(contents(path), before);
  EXPECT_EQ(dir.entries(), 1u) << "no temporary file is left behind";
  // And a write that succeeds replaces the whole file; through a symbolic
  // link it replaces the file the link names.
  const std::string link = dir.file("link.db");
  ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
  writeTable(link, Fields, someRows(50));
  EXPECT_EQ(column(path, 1).size(), 50u);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(dir.entries(), 2u);
}

TEST(ParadoxFiles, RowEditsGoStraightToTheFile) {
  TempDir dir;
  const std::string path = dir.file("DefeatersDb.DB");
  writeTable(path, Fields, someRows(60));  // 51-byte records, 40 to a block: two blocks
  auto t = ParadoxTable::open(path);
  t->updateRow(1, {2, std::string("second, changed"), -20});
  t->insertRow(0, {std::monostate{}, std::string("new first"), 0});
  t->deleteRow(60);  // the old last row
  t->appendRow({std::monostate{}, std::string("appended"), 99});
  t->insertRow(41, {77, std::string("at the block edge"), 1});
  EXPECT_EQ(t->rowCount(), 62u);
  EXPECT_EQ(messageOf([&] { openTable(path); }), "Table " + path + " is busy: another program has it open")
      << "the lock moves to the rewritten file";
  t->close();
  const auto ids = column(path, 0), texts = column(path, 1);
  ASSERT_EQ(texts.size(), 62u);
  EXPECT_EQ(texts[0], "new first");
  EXPECT_EQ(ids[0], "61") << "an empty Autoincrement cell gets the next number";
  EXPECT_EQ(texts[1], "row 1");
  EXPECT_EQ(texts[2], "second, changed");
  EXPECT_EQ(texts[41], "at the block edge");
  EXPECT_EQ(texts[60], "row 59");
  EXPECT_EQ(texts[61], "appended");
  EXPECT_EQ(ids[61], "62");
  EXPECT_EQ(ids[41], "77");
  writeTable(path, Fields, someRows(2));
  auto again = ParadoxTable::open(path);
  while (again->rowCount() > 0) again->deleteRow(0);
  again->close();
  EXPECT_TRUE(column(path, 1).empty());
  EXPECT_EQ(std::filesystem::file_size(path), 2048u) << "an empty table is its header alone";
}

}  // namespace
}  // namespace zorvex::paradox
