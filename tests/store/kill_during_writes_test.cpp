// A child process writes tables, diagram files and recovery copies over and
// over and is killed at random moments: whatever it was doing, what is on
// disk must open as the complete old or the complete new diagram, and the
// next save must leave no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "model/AtomicFiles.h"
#include "model/LoadElements.h"
#include "store/DiagramJson.h"
#include "store/DiagramToRows.h"
#include "store/RecoveryCopies.h"
#include "tests/store/StoreTesting.h"

namespace zorvex {
namespace {

using namespace zorvex::testing;
namespace fs = std::filesystem;

// Large enough that each write takes a while, so kills land inside writes.
Diagram generated(int variant) {
  Diagram d;
  for (int32_t n = 0; n < 3000; ++n)
    d.addSentence(sentenceAt(n % 60 * 120, n / 60 * 50, "Sentence " + std::to_string(n * variant)));
  for (int32_t n = 0; n + 1 < 3000; n += 2) arrowBetween(d, n, n + 1);
  for (TSentence& s : d.sentencesForStatus()) s.Status = variant == 1 ? NotEvaluated : Undefeated | JustEvaluated;
  return d;
}

struct Places {
  DiagramLocation tables, json;
  fs::path copies;
  explicit Places(const TempDir& dir)
      : tables{fs::path(dir.path) / "work", DiagramFormat::Tables},
        json{fs::path(dir.path) / "work.json", DiagramFormat::Json},
        copies(fs::path(dir.path) / "data") {}
  fs::path copy() const { return copies / "Recovered diagram - work.json"; }
};

void writeAll(const Diagram& d, const Places& at) {
  saveDiagram(d, at.tables);
  saveDiagram(d, at.json);
  keepRecoveryCopy(d, at.tables, at.copies);
}

// Whether the rows are those of one of the two diagrams.
bool oneOf(const DiagramRows& rows, const DiagramRows& a, const DiagramRows& b) { return rows == a || rows == b; }

// Files a write leaves beside its target while it runs.
std::vector<std::string> leftFiles(const fs::path& folder) {
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.find(".saving-") != std::string::npos || name.find(".old-") != std::string::npos) left.push_back(name);
  }
  return left;
}

TEST(KillDuringWrites, WhatIsOnDiskIsAlwaysACompleteOldOrNewDiagram) {
  TempDir dir;
  const Places at(dir);
  const Diagram a = generated(1), b = generated(7);
  writeAll(a, at);
  const DiagramRows tablesA = rowsOfDiagram(a, WithStatuses::No), tablesB = rowsOfDiagram(b, WithStatuses::No);
  const DiagramRows fullA = rowsOfDiagram(a, WithStatuses::Yes), fullB = rowsOfDiagram(b, WithStatuses::Yes);
  std::mt19937 rng(8125);
  int killedMidway = 0;
  for (int round = 0; round < 30; ++round) {
    // Every fifth child is stopped right after the first of the three tables
    // has been renamed into place, the moment a killed save is most likely
    // to leave a mixed set; the others at random.
    const bool betweenRenames = round % 5 == 0;
    if (betweenRenames) writeAll(a, at);
    int progress[2];
    ASSERT_EQ(pipe(progress), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(progress[0]);
      if (betweenRenames)
        setRenameStep([fd = progress[1]](const std::string& from, const std::string& to) {
          const int done = rename(from.c_str(), to.c_str());
          if (to.ends_with(SentencesTableFile) && write(fd, "r", 1) == 1) pause();
          return done;
        });
      for (int i = 0;; ++i) {
        const Diagram& d = i % 2 ? a : b;
        saveDiagram(d, at.tables);
        saveDiagram(d, at.json);
        keepRecoveryCopy(d, at.tables, at.copies);
        if (write(progress[1], "w", 1) != 1) _exit(1);
      }
    }
    close(progress[1]);
    // Let it finish a random number of rounds of writes, then kill it after a random amount of work.
    char byte = 0;
    for (int done = betweenRenames ? 1 : static_cast<int>(rng() % 3); done > 0; --done)
      ASSERT_EQ(read(progress[0], &byte, 1), 1);
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(betweenRenames ? 0 : rng() % 40000);
    while (std::chrono::steady_clock::now() < until) {
    }
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(progress[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself";
    killedMidway += !leftFiles(at.tables.path).empty() || !leftFiles(dir.path).empty() || !leftFiles(at.copies).empty();

    SCOPED_TRACE("round " + std::to_string(round));
    const Reopened tables = reopen(at.tables);
    ASSERT_EQ(tables.error, "");
    ASSERT_TRUE(oneOf(rowsOfDiagram(tables.diagram, WithStatuses::No), tablesA, tablesB));
    const Reopened json = reopen(at.json);
    ASSERT_EQ(json.error, "");
    ASSERT_TRUE(oneOf(rowsOfDiagram(json.diagram, WithStatuses::Yes), fullA, fullB));
    ASSERT_TRUE(oneOf(diagramFromJson(bytesOf(at.copy()), Geometry{}), fullA, fullB));
  }
  EXPECT_GT(killedMidway, 5);  // the kills did strike inside writes
  writeAll(a, at);
  EXPECT_EQ(leftFiles(at.tables.path), std::vector<std::string>{});
  EXPECT_EQ(leftFiles(dir.path), std::vector<std::string>{});
  EXPECT_EQ(leftFiles(at.copies), std::vector<std::string>{});
}

}  // namespace
}  // namespace zorvex
