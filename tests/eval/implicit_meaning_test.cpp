#include "eval/ImplicitMeaning.h"

#include <gtest/gtest.h>

#include <vector>

namespace zorvex {
namespace {

using Lines = std::vector<std::string>;

int32_t addBox(Diagram& d, int32_t left, int32_t top, std::string text, Status status) {
  TSentence s;
  s.Left = left;
  s.Top = top;
  s.Right = left + 40;
  s.Bottom = top + 20;
  s.Text = std::move(text);
  s.Status = status;
  return d.addSentence(std::move(s));
}

// An arrow drawn from the right edge of one box to the left edge of the other.
int32_t addLink(Diagram& d, int32_t from, int32_t to) {
  TArrow a;
  a.Sentence1 = from;
  a.Sentence2 = to;
  a.StartX = d.sentence(from).Right;
  a.StartY = d.sentence(from).Top + 10;
  a.EndX = d.sentence(to).Left;
  a.EndY = d.sentence(to).Top + 10;
  return d.addArrow(a);
}

Lines run(void (*find)(const Diagram&, EvaluationLog&), const Diagram& d) {
  EvaluationLog log;
  find(d, log);
  return log.lines();
}

TEST(ImplicitMeaning, RulesAndReasonsOfAChain) {
  Diagram d;
  const int32_t a = addBox(d, 10, 10, "A", Undefeated);
  const int32_t b = addBox(d, 100, 10, "B", JustEvaluated | Undefeated);
  const int32_t c = addBox(d, 200, 10, "C", NotEvaluated);
  addLink(d, a, b);
  addLink(d, b, c);
  EXPECT_EQ(run(FindRules, d), (Lines{"The rule with condition 'A' and conclusion 'B' is valid.",
                                      "The rule with condition 'B' and conclusion 'C' is valid."}));
  EXPECT_EQ(run(FindReasons, d), (Lines{"'A' is a reason for 'B'."}));
  EXPECT_TRUE(run(FindExceptions, d).empty());

  // Deleted arrows and arrows with an unresolved side stand for no rule.
  d.arrow(0).Deleted = true;
  TArrow loose;
  loose.Sentence1 = a;
  loose.Sentence2 = NoSentence;
  d.addArrow(loose);
  EXPECT_EQ(run(FindRules, d), (Lines{"The rule with condition 'B' and conclusion 'C' is valid."}));
  EXPECT_TRUE(run(FindReasons, d).empty());

  EvaluationLog all;
  all.AppendLogLine("before");
  ImplicitMeaning(d, all);
  EXPECT_EQ(all.lines(), (Lines{"before", "The rule with condition 'B' and conclusion 'C' is valid."}));
}

// E (justified) challenges the rule A -> B, whose condition A is justified
// and outside the challenged rectangle, and whose conclusion B inside it is
// unjustified.
struct ExceptionScene {
  Diagram d;
  int32_t e, a, b, rule, defeater;
  ExceptionScene() {
    e = addBox(d, 10, 100, "E", Undefeated);
    a = addBox(d, 10, 10, "A", Undefeated);
    b = addBox(d, 100, 10, "B", Defeated);
    rule = addLink(d, a, b);  // (50,20) -> (100,20)
    TDefeater f;
    f.ChallengingRect = {0, 90, 60, 130};
    f.ChallengedRect = {45, 0, 150, 40};
    defeater = d.addDefeater(f);
  }
  Lines exceptions() const { return run(FindExceptions, d); }
};

const Lines TheException{"'E' is an exception to the rule with condition 'A' and conclusion 'B'."};

TEST(ImplicitMeaning, ASingleJustifiedSentenceAgainstASingleRuleIsAnException) {
  ExceptionScene s;
  const auto parts = IsOfExceptionType(s.d, s.defeater);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->ChallengingSentence, s.e);
  EXPECT_EQ(parts->ChallengedArrow, s.rule);
  EXPECT_EQ(parts->ConditionSentence, s.a);
  EXPECT_EQ(parts->ConclusionSentence, s.b);
  EXPECT_EQ(s.exceptions(), TheException);
  EXPECT_EQ(run(FindReasons, s.d), Lines{});

  s.d.defeater(s.defeater).Deleted = true;
  EXPECT_TRUE(s.exceptions().empty());
}

TEST(ImplicitMeaning, ExceptionTypeNeedsOneSentenceOneRuleAndTheRightStatuses) {
  {
    ExceptionScene s;  // a second sentence in the challenging rectangle
    addBox(s.d, 15, 95, "F", Defeated);  // (15,95)-(55,115)
    EXPECT_TRUE(s.exceptions().empty());
    s.d.sentence(3).Deleted = true;  // a deleted one does not count
    EXPECT_EQ(s.exceptions(), TheException);
  }
  {
    ExceptionScene s;  // a second arrow in the challenged rectangle
    TArrow other;
    other.Sentence1 = s.b;
    other.Sentence2 = s.a;
    other.StartX = 100;
    other.StartY = 25;
    other.EndX = 50;
    other.EndY = 25;
    const int32_t n = s.d.addArrow(other);
    EXPECT_TRUE(s.exceptions().empty());
    s.d.arrow(n).Deleted = true;
    EXPECT_EQ(s.exceptions(), TheException);
    // An unresolved arrow drawn there still makes the challenge ambiguous.
    s.d.arrow(n).Deleted = false;
    s.d.arrow(n).Sentence1 = NoSentence;
    EXPECT_TRUE(s.exceptions().empty());
  }
  {
    ExceptionScene s;  // the condition inside the challenged rectangle too
    s.d.defeater(s.defeater).ChallengedRect = {5, 0, 150, 40};
    EXPECT_TRUE(s.exceptions().empty());
  }
  {
    ExceptionScene s;  // the conclusion not evaluated
    s.d.sentence(s.b).Status = NotEvaluated;
    EXPECT_TRUE(s.exceptions().empty());
    s.d.sentence(s.b).Status = JustEvaluated | StatusFlipped | Defeated;
    EXPECT_EQ(s.exceptions(), TheException);
  }
  {
    ExceptionScene s;  // the challenger or the condition not justified
    s.d.sentence(s.e).Status = NotEvaluated;
    EXPECT_TRUE(s.exceptions().empty());
    s.d.sentence(s.e).Status = Undefeated;
    s.d.sentence(s.a).Status = Defeated;
    EXPECT_TRUE(s.exceptions().empty());
  }
  {
    ExceptionScene s;  // the single arrow has an unresolved side
    s.d.arrow(s.rule).Sentence2 = NoSentence;
    EXPECT_FALSE(IsOfExceptionType(s.d, s.defeater));
  }
}

TEST(ImplicitMeaning, RuleSentenceTextIsDutchWithoutFullStop) {
  Diagram d;
  const int32_t a = addBox(d, 10, 10, "Het regent", Undefeated);
  const int32_t b = addBox(d, 100, 10, "De straat is nat", NotEvaluated);
  addLink(d, a, b);
  EXPECT_EQ(RuleSentenceText(d, 0),
            "De regel met voorwaarde 'Het regent' en conclusie 'De straat is nat' is geldig");
  d.arrow(0).Sentence1 = NoSentence;
  EXPECT_FALSE(RuleSentenceText(d, 0));
}

}  // namespace
}  // namespace zorvex
