// The copies kept of diagrams closed unsaved: one per diagram, named after
// where it came from, numbered when two places share a name, the newest kept.
#include <gtest/gtest.h>

#include <set>

#include "store/RecoveryCopies.h"
#include "tests/store/StoreTesting.h"

namespace zorvex::testing {
namespace {

namespace fs = std::filesystem;

Diagram saying(const std::string& text) {
  Diagram d;
  d.addSentence(sentenceAt(10, 20, text));
  return d;
}

// The copies a person sees in the folder (hidden files left out).
std::set<std::string> copiesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().front() != '.') names.insert(entry.path().filename().string());
  return names;
}

std::string textIn(const fs::path& copy) {
  const Reopened r = reopen(locationFor(copy));
  return r.error.empty() && r.diagram.SentenceCount() == 1 ? r.diagram.sentence(0).Text : "(" + r.error + ")";
}

TEST(RecoveryCopies, EveryDiagramKeepsItsOwnCopyNamedAfterWhereItCameFrom) {
  TempDir dir;
  const fs::path data = fs::path(dir.path) / "data";
  const fs::path work = dir.file("work"), notes = dir.file("notes.json");
  fs::create_directories(fs::path(dir.path) / "here");

  EXPECT_EQ(keepRecoveryCopy(saying("A"), {work, DiagramFormat::Tables}, data), data / "Recovered diagram - work.json");
  EXPECT_EQ(keepRecoveryCopy(saying("B"), {notes, DiagramFormat::Json}, data),
            data / "Recovered diagram - notes.json");
  // The working directory's tables are named after that folder.
  const fs::path previous = fs::current_path();
  fs::current_path(fs::path(dir.path) / "here");
  const fs::path here = keepRecoveryCopy(saying("C"), {"", DiagramFormat::Tables}, data);
  fs::current_path(previous);
  EXPECT_EQ(here, data / "Recovered diagram - here.json");

  // Later work on the first diagram replaces only its own copy; so does
  // work on a diagram opened from a copy.
  keepRecoveryCopy(saying("A2"), {work, DiagramFormat::Tables}, data);
  keepRecoveryCopy(saying("B2"), {data / "Recovered diagram - notes.json", DiagramFormat::Json}, data);
  EXPECT_EQ(copiesIn(data), std::set<std::string>({"Recovered diagram - work.json", "Recovered diagram - notes.json",
                                                    "Recovered diagram - here.json"}));
  EXPECT_EQ(textIn(data / "Recovered diagram - work.json"), "A2");
  EXPECT_EQ(textIn(data / "Recovered diagram - notes.json"), "B2");
  EXPECT_EQ(textIn(data / "Recovered diagram - here.json"), "C");
}

TEST(RecoveryCopies, PlacesThatShareANameGetNumberedCopiesAndForeignFilesStay) {
  TempDir dir;
  const fs::path data = fs::path(dir.path) / "data";
  const DiagramLocation first{dir.file("a/work"), DiagramFormat::Tables}, second{dir.file("b/work"), DiagramFormat::Tables},
      third{dir.file("c/work.json"), DiagramFormat::Json};
  keepRecoveryCopy(saying("first"), first, data);
  EXPECT_EQ(keepRecoveryCopy(saying("second"), second, data), data / "Recovered diagram - work (2).json");
  EXPECT_EQ(keepRecoveryCopy(saying("third"), third, data), data / "Recovered diagram - work (3).json");
  EXPECT_EQ(keepRecoveryCopy(saying("first again"), first, data), data / "Recovered diagram - work.json");
  EXPECT_EQ(textIn(data / "Recovered diagram - work.json"), "first again");
  EXPECT_EQ(textIn(data / "Recovered diagram - work (2).json"), "second");
  EXPECT_EQ(textIn(data / "Recovered diagram - work (3).json"), "third");

  // A file the program did not write is neither replaced nor removed.
  std::ofstream(data / "Recovered diagram - mine.json") << "kept";
  EXPECT_EQ(keepRecoveryCopy(saying("x"), {dir.file("mine"), DiagramFormat::Tables}, data, 1),
            data / "Recovered diagram - mine (2).json");
  EXPECT_EQ(bytesOf(data / "Recovered diagram - mine.json"), "kept");
  EXPECT_EQ(copiesIn(data),
            std::set<std::string>({"Recovered diagram - mine.json", "Recovered diagram - mine (2).json"}));
}

TEST(RecoveryCopies, OnlyTheNewestCopiesAreKept) {
  TempDir dir;
  const fs::path data = fs::path(dir.path) / "data";
  auto from = [&](const std::string& name) { return DiagramLocation{dir.file(name), DiagramFormat::Tables}; };
  for (const char* name : {"d0", "d1", "d2", "d3"}) keepRecoveryCopy(saying(name), from(name), data, 3);
  EXPECT_EQ(copiesIn(data), std::set<std::string>({"Recovered diagram - d1.json", "Recovered diagram - d2.json",
                                                   "Recovered diagram - d3.json"}));
  // Newest means last written: d1 written again outlives d2.
  keepRecoveryCopy(saying("d1 again"), from("d1"), data, 3);
  keepRecoveryCopy(saying("d4"), from("d4"), data, 3);
  EXPECT_EQ(copiesIn(data), std::set<std::string>({"Recovered diagram - d1.json", "Recovered diagram - d3.json",
                                                   "Recovered diagram - d4.json"}));
  EXPECT_EQ(textIn(data / "Recovered diagram - d1.json"), "d1 again");
}

// The recovery folder cannot take the copy (here a file stands where a folder
// should be): the copy goes to the fallback, and why is told.
TEST(RecoveryCopies, AFolderThatCannotKeepTheCopyFallsBackToTheSecondPlace) {
  TempDir dir;
  std::ofstream(dir.file("blocker")) << "a file";
  const fs::path data = fs::path(dir.file("blocker")) / "data", fallback = fs::path(dir.path) / "tmp" / "Zorvex!";
  const KeptCopy kept = keepRecoveryCopy(saying("A"), {dir.file("work"), DiagramFormat::Tables}, data, fallback);
  EXPECT_EQ(kept.copy, fallback / "Recovered diagram - work.json");
  EXPECT_EQ(textIn(kept.copy), "A");
  EXPECT_EQ(kept.firstFailure, "Cannot create folder " + data.string() + ": Not a directory");

  // Where the first place works, the fallback is not touched.
  const KeptCopy there = keepRecoveryCopy(saying("B"), {dir.file("work"), DiagramFormat::Tables},
                                          fs::path(dir.path) / "data", fs::path(dir.file("blocker")) / "tmp");
  EXPECT_EQ(there.copy, fs::path(dir.path) / "data" / "Recovered diagram - work.json");
  EXPECT_EQ(there.firstFailure, "");

  // Neither place: both reasons.
  const std::string both = messageOf(
      [&] { keepRecoveryCopy(saying("C"), {dir.file("work"), DiagramFormat::Tables}, data, fs::path(dir.file("blocker")) / "tmp"); });
  EXPECT_EQ(both, "Cannot create folder " + data.string() + ": Not a directory; Cannot create folder " +
                      dir.file("blocker") + "/tmp: Not a directory");
}

}  // namespace
TEST(RecoveryCopies, OnlyACopyWrittenAfterTheLastSaveIsOffered) {
  TempDir dir;
  const fs::path data = fs::path(dir.path) / "data", fallback = fs::path(dir.path) / "fallback";
  const DiagramLocation notes{dir.file("notes.json"), DiagramFormat::Json},
      other{dir.file("other.json"), DiagramFormat::Json};
  saveDiagram(saying("saved"), notes);
  const fs::path copy = keepRecoveryCopy(saying("unsaved"), notes, data);
  const fs::path older = keepRecoveryCopy(saying("older"), notes, fallback);
  const auto saved = fs::last_write_time(notes.path);
  fs::last_write_time(copy, saved + std::chrono::seconds(5));
  fs::last_write_time(older, saved + std::chrono::seconds(2));
  EXPECT_EQ(newerRecoveryCopy(notes, {data, fallback}), copy);
  EXPECT_EQ(newerRecoveryCopy(other, {data, fallback}), std::nullopt);
  // Saved again after the copies were written: nothing to offer.
  fs::last_write_time(notes.path, saved + std::chrono::seconds(9));
  EXPECT_EQ(newerRecoveryCopy(notes, {data, fallback}), std::nullopt);
}

}  // namespace zorvex::testing
