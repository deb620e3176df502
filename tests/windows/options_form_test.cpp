#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "eval/ui/OptionsFormUnit.h"

namespace zorvex {
namespace {

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, 8)); }

struct Boxes {
  bool e1, e2, e3a, e3b, j1, j2, j3a, j3b;
  friend bool operator==(const Boxes&, const Boxes&) = default;
};

Boxes boxesOf(const TOptionsForm& f) {
  return {f.EvaluationOption1CheckBox->isChecked(), f.EvaluationOption2CheckBox->isChecked(),
          f.EvaluationOption3aCheckBox->isChecked(), f.EvaluationOption3bCheckBox->isChecked(),
          f.JumpingOption1CheckBox->isChecked(), f.JumpingOption2CheckBox->isChecked(),
          f.JumpingOption3aCheckBox->isChecked(), f.JumpingOption3bCheckBox->isChecked()};
}

TEST(OptionsForm, ShowsTheDefaultsAndCouplesRuleThreeInEachColumn) {
  EvaluationOptions options;
  TOptionsForm form;
  form.setOptions(&options);
  form.show();
  EXPECT_EQ(boxesOf(form), (Boxes{true, true, true, false, true, true, false, true}));

  click(form.EvaluationOption3bCheckBox);
  EXPECT_EQ(boxesOf(form), (Boxes{true, true, false, true, true, true, false, true}));
  EXPECT_EQ(form.focusWidget(), form.OKButton);
  click(form.EvaluationOption3aCheckBox);
  EXPECT_EQ(boxesOf(form), (Boxes{true, true, true, false, true, true, false, true}));
  click(form.EvaluationOption3aCheckBox);  // unchecking leaves both off
  EXPECT_EQ(boxesOf(form), (Boxes{true, true, false, false, true, true, false, true}));

  click(form.JumpingOption3aCheckBox);
  EXPECT_EQ(boxesOf(form), (Boxes{true, true, false, false, true, true, true, false}));
  click(form.JumpingOption3bCheckBox);
  EXPECT_EQ(boxesOf(form), (Boxes{true, true, false, false, true, true, false, true}));
  click(form.JumpingOption1CheckBox);  // rows 1 and 2 stand alone
  EXPECT_EQ(boxesOf(form), (Boxes{true, true, false, false, false, true, false, true}));
  EXPECT_EQ(form.focusWidget(), form.OKButton);
}

TEST(OptionsForm, OnlyOkCopiesTheBoxesIntoTheFlags) {
  EvaluationOptions options;
  const EvaluationOptions defaults;
  TOptionsForm form;
  form.setOptions(&options);

  form.show();
  click(form.EvaluationOption1CheckBox);
  click(form.JumpingOption3aCheckBox);
  click(form.CancelButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(options, defaults);
  form.show();  // the abandoned changes are not shown again
  EXPECT_EQ(boxesOf(form), (Boxes{true, true, true, false, true, true, false, true}));

  click(form.EvaluationOption2CheckBox);
  form.close();  // the close box
  EXPECT_EQ(options, defaults);

  form.show();
  click(form.EvaluationOption1CheckBox);
  click(form.EvaluationOption3bCheckBox);
  click(form.JumpingOption3aCheckBox);
  click(form.JumpingOption2CheckBox);
  click(form.OKButton);
  EXPECT_FALSE(form.isVisible());
  EvaluationOptions expected;
  expected.EvaluationOption1 = false;
  expected.EvaluationOption3a = false;
  expected.EvaluationOption3b = true;
  expected.JumpingOption2 = false;
  expected.JumpingOption3a = true;
  expected.JumpingOption3b = false;
  EXPECT_EQ(options, expected);
}

TEST(OptionsForm, RunsModallyOverTheGivenOptions) {
  EvaluationOptions options;
  TOptionsForm form;
  QTimer::singleShot(0, &form, [&] {
    EXPECT_TRUE(form.isModal());
    click(form.EvaluationOption2CheckBox);
    click(form.OKButton);
  });
  EXPECT_TRUE(runOptionsDialog(form, options));
  EXPECT_FALSE(options.EvaluationOption2);

  QTimer::singleShot(0, &form, [&] {
    EXPECT_FALSE(form.EvaluationOption2CheckBox->isChecked());
    click(form.EvaluationOption2CheckBox);
    click(form.CancelButton);
  });
  EXPECT_FALSE(runOptionsDialog(form, options));
  EXPECT_FALSE(options.EvaluationOption2);
}

TEST(OptionsForm, ControlsSitWhereTheLayoutPutsThem) {
  TOptionsForm form;
  EXPECT_EQ(form.windowTitle(), "Options");
  EXPECT_EQ(form.size(), QSize(482, 185));
  EXPECT_EQ(form.OptionsPanel->geometry(), QRect(8, 8, 465, 137));
  EXPECT_EQ(form.EvaluateLabel->pos(), QPoint(8, 8));
  EXPECT_EQ(form.JumpLabel->pos(), QPoint(66, 8));
  EXPECT_TRUE(form.EvaluateLabel->font().bold());
  const int rows[] = {32, 56, 80, 104};
  const char* names[] = {"1", "2", "3a", "3b"};
  for (int i = 0; i < 4; ++i) {
    auto* evaluate = form.findChild<QCheckBox*>(QString("EvaluationOption%1CheckBox").arg(names[i]));
    auto* jump = form.findChild<QCheckBox*>(QString("JumpingOption%1CheckBox").arg(names[i]));
    ASSERT_TRUE(evaluate && jump) << names[i];
    EXPECT_EQ(evaluate->geometry(), QRect(24, rows[i], 17, 17));
    EXPECT_EQ(jump->geometry(), QRect(72, rows[i], 17, 17));
    EXPECT_TRUE(evaluate->text().isEmpty());
    EXPECT_EQ(evaluate->parentWidget(), form.OptionsPanel);
  }
  EXPECT_EQ(form.Rule2Label->text(), "If a sentence has no justified support and is attacked, it is unjustified");
  EXPECT_EQ(form.Rule3bLabel->pos(), QPoint(112, 106));
  EXPECT_EQ(form.OKButton->geometry(), QRect(8, 152, 75, 25));
  EXPECT_EQ(form.OKButton->text(), "&OK");
  EXPECT_EQ(form.findChild<QPushButton*>("CancelButton")->geometry(), QRect(400, 152, 75, 25));
  EXPECT_EQ(form.CancelButton->text(), "&Cancel");
}

}  // namespace
}  // namespace zorvex
