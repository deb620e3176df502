#pragma once
// The eight rule switches of the two kinds of round. Each round kind has its
// own column of four: rule 1, rule 2, rule 3a and rule 3b. Within a column 3a
// and 3b are never both on (both may be off).
#include <string>
#include <string_view>

namespace zorvex {

// One column of switches: which sentence rules a round applies.
struct RuleSet {
  bool rule1 = false;
  bool rule2 = false;
  bool rule3a = false;
  bool rule3b = false;
  friend bool operator==(const RuleSet&, const RuleSet&) = default;
};

struct EvaluationOptions {
  bool EvaluationOption1 = true;
  bool EvaluationOption2 = true;
  bool EvaluationOption3a = true;
  bool EvaluationOption3b = false;
  bool JumpingOption1 = true;
  bool JumpingOption2 = true;
  bool JumpingOption3a = false;
  bool JumpingOption3b = true;

  RuleSet evaluationRules() const {
    return {EvaluationOption1, EvaluationOption2, EvaluationOption3a, EvaluationOption3b};
  }
  RuleSet jumpingRules() const { return {JumpingOption1, JumpingOption2, JumpingOption3a, JumpingOption3b}; }
  void setEvaluationRules(const RuleSet& r) {
    EvaluationOption1 = r.rule1;
    EvaluationOption2 = r.rule2;
    EvaluationOption3a = r.rule3a;
    EvaluationOption3b = r.rule3b;
  }
  void setJumpingRules(const RuleSet& r) {
    JumpingOption1 = r.rule1;
    JumpingOption2 = r.rule2;
    JumpingOption3a = r.rule3a;
    JumpingOption3b = r.rule3b;
  }
  friend bool operator==(const EvaluationOptions&, const EvaluationOptions&) = default;
};

// Reads a rule set written as a comma list of "1", "2", "3a", "3b" (for
// example "1,2,3a"), or "none" for no rule. Spaces around items are allowed.
// Throws ZorvexError for an unknown item, an empty text, "none" mixed with
// rules, or 3a together with 3b.
RuleSet parseRuleSet(std::string_view text);

// The inverse of parseRuleSet: "1,2,3a", or "none" when every rule is off.
std::string formatRuleSet(const RuleSet& rules);

}  // namespace zorvex
