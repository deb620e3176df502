// The fingerprint that tells whether a diagram has anything to save.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/store/StoreTesting.h"

namespace zorvex::testing {
namespace {

struct Change {
  const char* what;
  std::function<void(Diagram&)> apply;
};

TEST(Fingerprint, ChangesWithEveryKindOfChangeASaveKeeps) {
  const std::vector<Change> changes = {
      {"a sentence moved", [](Diagram& d) { d.sentence(1).Left += 1, d.sentence(1).Right += 1; }},
      {"a sentence moved down", [](Diagram& d) { d.sentence(1).Top += 1, d.sentence(1).Bottom += 1; }},
      {"a sentence's text", [](Diagram& d) { d.sentence(2).Text += "!"; }},
      {"a sentence's status", [](Diagram& d) { d.sentence(3).Status = Undefeated | SetByUser; }},
      {"a sentence deleted", [](Diagram& d) { d.sentence(0).Deleted = true; }},
      {"a sentence added", [](Diagram& d) { d.addSentence(sentenceAt(500, 500, "new")); }},
      {"an arrow's end", [](Diagram& d) { d.arrow(2).EndX += 1; }},
      {"an arrow's centre", [](Diagram& d) { d.arrow(2).Center1Y -= 1; }},
      {"an arrow's status", [](Diagram& d) { d.arrow(2).Status = Undefeated | JustEvaluated; }},
      {"an arrow deleted", [](Diagram& d) { d.arrow(1).Deleted = true; }},
      {"an arrow added", [](Diagram& d) { arrowBetween(d, 1, 2); }},
      {"a defeater's rectangle", [](Diagram& d) { d.defeater(1).ChallengedRect.Bottom += 1; }},
      {"a defeater's end", [](Diagram& d) { d.defeater(1).StartY += 1; }},
      {"a defeater's state", [](Diagram& d) { d.defeater(0).DefeaterState = DefeaterState::ActiveNorInactive; }},
      {"a defeater deleted", [](Diagram& d) { d.defeater(0).Deleted = true; }},
      {"a defeater added", [](Diagram& d) { defeaterOf(d, {0, 0, 5, 5}, {10, 10, 20, 20}); }},
  };
  const Diagram original = sampleDiagram();
  const uint64_t before = diagramFingerprint(original);
  EXPECT_EQ(diagramFingerprint(sampleDiagram()), before);
  for (const Change& c : changes) {
    Diagram d = original;
    c.apply(d);
    EXPECT_NE(diagramFingerprint(d), before) << c.what;
  }
}

TEST(Fingerprint, StaysForWhatASaveDoesNotKeep) {
  const Diagram original = sampleDiagram();
  Diagram d = original;
  d.sentence(0).Selected = true;
  d.arrow(1).Selected = true;
  d.defeater(0).Selected = true;
  d.sentence(2).Enabled = false;
  d.sentence(2).ZOrder += 100;
  d.beginPendingArrow().Sentence1 = 0;  // not a part of the diagram until completed
  EXPECT_EQ(diagramFingerprint(d), diagramFingerprint(original));

  // A deleted element's fields are not saved either.
  Diagram deleted = original, deletedAndMoved = original;
  deleted.defeater(1).Deleted = deletedAndMoved.defeater(1).Deleted = true;
  deletedAndMoved.defeater(1).ChallengingRect.Left -= 10;
  EXPECT_EQ(diagramFingerprint(deletedAndMoved), diagramFingerprint(deleted));

  // A defeater still being drawn is not saved until it is complete.
  Diagram drawing = original;
  const int32_t n = defeaterOf(drawing, {0, 0, 5, 5}, {10, 10, 20, 20});
  drawing.defeater(n).Incomplete = true;
  EXPECT_EQ(diagramFingerprint(drawing), diagramFingerprint(original));
}

TEST(Fingerprint, ADiagramOpenedFromItsFileHasNothingToSave) {
  TempDir dir;
  const Diagram d = sampleDiagram();
  const DiagramLocation where = locationFor(dir.file("d.json"));
  saveDiagram(d, where);
  EXPECT_EQ(diagramFingerprint(reopen(where).diagram), diagramFingerprint(d));

  // Deleted elements are not written: a diagram holding some is, to a save,
  // the one the file gives back without them, numbered anew.
  Diagram thinned = sampleDiagram();
  thinned.sentence(2).Deleted = thinned.arrow(1).Deleted = thinned.defeater(0).Deleted = true;
  saveDiagram(thinned, where);
  EXPECT_EQ(diagramFingerprint(reopen(where).diagram), diagramFingerprint(thinned));
}

TEST(Fingerprint, AnAdditionUndoneIsNoChange) {
  const Diagram original = sampleDiagram();
  // Undoing an addition marks the new element deleted; its number stays taken.
  Diagram d = original;
  d.sentence(d.addSentence(sentenceAt(500, 500, "new"))).Deleted = true;
  d.arrow(arrowBetween(d, 1, 2)).Deleted = true;
  d.defeater(defeaterOf(d, {0, 0, 5, 5}, {10, 10, 20, 20})).Deleted = true;
  EXPECT_EQ(diagramFingerprint(d), diagramFingerprint(original));
}

}  // namespace
}  // namespace zorvex::testing
