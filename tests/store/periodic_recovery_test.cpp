// The recovery copy kept while a diagram has unsaved changes: when it is
// due, and that the copy written away from the diagram is the diagram as it
// was when the copy was asked for.
#include <gtest/gtest.h>

#include "store/DiagramJson.h"
#include "store/DiagramSnapshot.h"
#include "store/DiagramToRows.h"
#include "store/RecoveryCopyWriter.h"
#include "store/RecoverySchedule.h"
#include "tests/store/StoreTesting.h"

namespace zorvex {
namespace {

using namespace zorvex::testing;
using std::chrono::seconds;
namespace fs = std::filesystem;

TEST(RecoverySchedule, CopiesOnlyChangesNotYetCopiedOrSaved) {
  RecoverySchedule s;
  const RecoverySchedule::Time t0{};
  EXPECT_FALSE(s.due());  // nothing changed: no copy
  s.changed(t0);
  ASSERT_TRUE(s.due());
  EXPECT_GE(*s.due(), t0 + seconds(1));
  EXPECT_LE(*s.due(), t0 + seconds(60));
  EXPECT_FALSE(s.isDue(t0 + seconds(1)));
  // Later changes do not put the copy off.
  s.changed(t0 + seconds(5));
  EXPECT_TRUE(s.isDue(t0 + seconds(60)));
  const RecoverySchedule::Time copied = *s.due();
  s.copyStarted(copied);
  EXPECT_FALSE(s.due());  // every change is in that copy
  // A change at once after a copy waits ten seconds from that copy.
  s.changed(copied);
  EXPECT_GE(*s.due(), copied + seconds(10));
  s.copyStarted(*s.due());
  // A failed copy is tried again.
  s.copyFailed(t0 + seconds(100));
  EXPECT_TRUE(s.isDue(t0 + seconds(160)));
  // A save clears the need until the next change.
  s.saved();
  EXPECT_FALSE(s.due());
  s.changed(t0 + seconds(200));
  EXPECT_TRUE(s.isDue(t0 + seconds(260)));
}

// Deleted elements, an arrow whose side did not resolve at loading and a
// defeater still being drawn: the snapshot must give what a save gives.
Diagram diagramWithEverything() {
  Diagram d = sampleDiagram();
  d.sentence(1).Deleted = true;
  TArrow lost = d.arrow(0);
  lost.Sentence2 = NoSentence;
  const int32_t n = d.addArrow(lost);
  d.keepLoadedSides(n, {{10, 20, "Tweety is a bird"}, {7, 8, "A sentence no longer there"}});
  d.arrow(2).Deleted = true;
  d.defeater(1).Incomplete = true;
  return d;
}

TEST(PeriodicRecovery, TheSnapshotGivesTheRowsOfASave) {
  const Diagram d = diagramWithEverything();
  EXPECT_EQ(DiagramSnapshot::of(d).rows(), rowsOfDiagram(d, WithStatuses::Yes));
}

TEST(PeriodicRecovery, TheCopyIsTheDiagramAsItWasWhenItWasAskedFor) {
  TempDir dir;
  const DiagramLocation source{fs::path(dir.path) / "work", DiagramFormat::Tables};
  auto live = std::make_unique<Diagram>(diagramWithEverything());
  const std::string expected = diagramToJson(rowsOfDiagram(*live, WithStatuses::Yes));
  RecoveryCopyWriter writer;
  ASSERT_TRUE(writer.start(DiagramSnapshot::of(*live), source, fs::path(dir.path) / "data", dir.file("fallback")));
  EXPECT_FALSE(writer.start(DiagramSnapshot::of(*live), source, fs::path(dir.path) / "data", dir.file("fallback")));
  // The window goes on editing, or closes the diagram, while the copy is written.
  live->sentence(0).Text = "Changed meanwhile";
  live->addSentence(sentenceAt(1, 2, "Added meanwhile"));
  live.reset();
  writer.wait();
  const std::optional<RecoveryOutcome> outcome = writer.collect();
  ASSERT_TRUE(outcome);
  ASSERT_FALSE(outcome->error);
  EXPECT_EQ(outcome->kept.copy, fs::path(dir.path) / "data" / "Recovered diagram - work.json");
  EXPECT_EQ(bytesOf(outcome->kept.copy), expected);
  EXPECT_FALSE(writer.collect());
}

}  // namespace
}  // namespace zorvex
