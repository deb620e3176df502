// Deleting the selection with the Delete key, one confirmed element at a time.
#include "FakeHost.h"

namespace zorvex::testing {
namespace {

const std::string kArrowAB = "Do you want to delete the arrow from\r\n    'A'\r\nto\r\n    'B' ?";
const std::string kCombinedA =
    "Deleting the sentence\r\n    'A'\r\nimplies deleting one or more unselected arrows.\r\n"
    "Do you want to delete the sentence and the arrows?";
std::string alone(const std::string& t) { return "Do you want to delete the sentence\r\n    '" + t + "' ?"; }
const std::string kDefeater = "Do you want to delete the selected Defeater?";

struct DeletionTest : EditorFixture {
  int32_t a = -1, b = -1, c = -1, ab = -1, ac = -1;
  void SetUp() override {
    a = addBox(diagram, "A", 100, 100, 60, 20);
    b = addBox(diagram, "B", 300, 100, 60, 20);
    c = addBox(diagram, "C", 100, 300, 60, 20);
    ab = addLine(diagram, {160, 110}, {300, 110}, a, b);
    ac = addLine(diagram, {130, 120}, {130, 300}, a, c);
    ed.MakeSelectionSpeedButtonClick();
  }
  void pressDelete() { ed.FormKeyDown(DeleteKey); }
};

TEST_F(DeletionTest, SentenceWithArrowsIsAskedOnceAndTakesThemAlong) {
  ptr.drag({90, 90}, {170, 130});  // A alone
  host.answers = {false};
  pressDelete();
  EXPECT_EQ(host.questions, std::vector<std::string>{kCombinedA});
  EXPECT_FALSE(diagram.sentence(a).Deleted || diagram.arrow(ab).Deleted || diagram.arrow(ac).Deleted);
  EXPECT_TRUE(diagram.sentence(a).Selected);  // refused: still selected

  host.questions.clear();
  host.answers = {true};
  const int repaints = host.surfaceRepaints;
  pressDelete();
  EXPECT_EQ(host.questions, std::vector<std::string>{kCombinedA});
  EXPECT_TRUE(diagram.sentence(a).Deleted && diagram.arrow(ab).Deleted && diagram.arrow(ac).Deleted);
  EXPECT_FALSE(diagram.sentence(a).Enabled);
  EXPECT_EQ(host.surfaceRepaints, repaints + 1);
  EXPECT_EQ(diagram.SentenceCount(), 3);
  EXPECT_EQ(ed.editMode(), EditMode::MakeSelectionMode);
  // Its text may be used again.
  ed.ShowSentenceEdit(500, 400);
  ed.SentenceEditTextChanged("A");
  ed.AddSentenceFromEdit();
  EXPECT_EQ(diagram.SentenceCount(), 4);
}

TEST_F(DeletionTest, RefusedArrowGoesWithItsSentenceAndLaterSentenceStandsAlone) {
  ptr.drag({90, 90}, {370, 130});  // A, B and the arrow A->B
  ASSERT_TRUE(diagram.arrow(ab).Selected);
  host.answers = {false, true, true};
  pressDelete();
  EXPECT_EQ(host.questions, (std::vector<std::string>{kArrowAB, kCombinedA, alone("B")}));
  EXPECT_TRUE(diagram.arrow(ab).Deleted && diagram.arrow(ac).Deleted);
  EXPECT_TRUE(diagram.sentence(a).Deleted && diagram.sentence(b).Deleted);
  EXPECT_FALSE(diagram.sentence(c).Deleted);
}

TEST_F(DeletionTest, SentenceWhoseArrowsWentInThePassBeforeIsAskedAlone) {
  diagram.arrow(ac).Deleted = true;
  ptr.drag({90, 90}, {370, 130});
  host.answers = {true, false, true};
  const int repaints = host.surfaceRepaints;
  pressDelete();
  EXPECT_EQ(host.questions, (std::vector<std::string>{kArrowAB, alone("A"), alone("B")}));
  EXPECT_FALSE(diagram.sentence(a).Deleted);
  EXPECT_TRUE(diagram.sentence(b).Deleted);
  EXPECT_EQ(host.surfaceRepaints, repaints + 2);  // after the arrow, after B
}

TEST_F(DeletionTest, DefeatersFirstInNumberOrderAndNothingOutsideSelectionMode) {
  TDefeater d;
  d.ChallengingRect = {600, 300, 700, 400};
  diagram.addDefeater(d);
  diagram.addDefeater(d);
  diagram.defeater(0).Selected = true;
  diagram.defeater(1).Selected = true;
  diagram.sentence(c).Selected = true;
  host.answers = {false, true, true};
  pressDelete();
  EXPECT_EQ(host.questions, (std::vector<std::string>{kDefeater, kDefeater,
                                                      "Deleting the sentence\r\n    'C'\r\nimplies deleting one or "
                                                      "more unselected arrows.\r\nDo you want to delete the sentence "
                                                      "and the arrows?"}));
  EXPECT_FALSE(diagram.defeater(0).Deleted);
  EXPECT_TRUE(diagram.defeater(1).Deleted);
  EXPECT_EQ(diagram.DefeaterCount(), 2);
  EXPECT_TRUE(diagram.sentence(c).Deleted && diagram.arrow(ac).Deleted);
  EXPECT_FALSE(diagram.arrow(ab).Deleted);

  host.questions.clear();
  diagram.sentence(b).Selected = true;
  ed.FormKeyDown(45);  // another key
  ed.LeaveCurrentMode();
  diagram.sentence(b).Selected = true;
  pressDelete();  // not in selection mode
  EXPECT_TRUE(host.questions.empty());
  diagram.sentence(b).Selected = false;
  diagram.defeater(0).Selected = false;
  ed.MakeSelectionSpeedButtonClick();
  pressDelete();  // nothing selected: no message at all
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(DeletionTest, UnresolvedSideShowsAsEmptyText) {
  const int32_t half = addLine(diagram, {500, 50}, {600, 50}, NoSentence, b);
  ptr.click({550, 50});
  ASSERT_TRUE(diagram.arrow(half).Selected);
  host.answers = {true};
  pressDelete();
  EXPECT_EQ(host.questions,
            std::vector<std::string>{"Do you want to delete the arrow from\r\n    ''\r\nto\r\n    'B' ?"});
  EXPECT_TRUE(diagram.arrow(half).Deleted);
}

}  // namespace
}  // namespace zorvex::testing
