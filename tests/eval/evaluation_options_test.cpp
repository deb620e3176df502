// Option defaults and the option-set texts of the command-line tool.
#include <gtest/gtest.h>

#include "eval/EvaluationOptions.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

std::string errorOf(const std::string& text) {
  try {
    parseRuleSet(text);
  } catch (const ZorvexError& e) {
    return e.message();
  }
  return "";
}

TEST(EvaluationOptions, DefaultsAndOptionSetTexts) {
  const EvaluationOptions defaults;
  EXPECT_EQ(defaults.evaluationRules(), (RuleSet{true, true, true, false}));
  EXPECT_EQ(defaults.jumpingRules(), (RuleSet{true, true, false, true}));
  EXPECT_EQ(formatRuleSet(defaults.evaluationRules()), "1,2,3a");
  EXPECT_EQ(formatRuleSet(defaults.jumpingRules()), "1,2,3b");
  EXPECT_EQ(formatRuleSet({}), "none");

  EXPECT_EQ(parseRuleSet("1,2,3a"), (RuleSet{true, true, true, false}));
  EXPECT_EQ(parseRuleSet(" 3B , 1 "), (RuleSet{true, false, false, true}));
  EXPECT_EQ(parseRuleSet("none"), RuleSet{});
  EXPECT_EQ(parseRuleSet("NONE"), RuleSet{});
  EXPECT_EQ(parseRuleSet("2"), (RuleSet{false, true, false, false}));

  EvaluationOptions o;
  o.setJumpingRules(parseRuleSet("3a"));
  EXPECT_FALSE(o.JumpingOption1);
  EXPECT_TRUE(o.JumpingOption3a);
  EXPECT_FALSE(o.JumpingOption3b);
  EXPECT_EQ(o.evaluationRules(), defaults.evaluationRules());
}

TEST(EvaluationOptions, RefusedOptionSets) {
  EXPECT_EQ(errorOf("3a,3b"), "Rules 3a and 3b cannot both be on in option set '3a,3b'");
  EXPECT_EQ(errorOf("1,4"), "Unknown rule '4' in option set '1,4' (use 1, 2, 3a, 3b or none)");
  EXPECT_EQ(errorOf("1,,2"), "Unknown rule '' in option set '1,,2' (use 1, 2, 3a, 3b or none)");
  EXPECT_EQ(errorOf(""), "Empty option set (write none for no rules)");
  EXPECT_EQ(errorOf("none,1"), "Option set 'none,1' mixes none with rules");
}

}  // namespace
}  // namespace zorvex
