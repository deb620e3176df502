#include "explain/WhyTexts.h"

namespace zorvex {
namespace {

const char* const Dash = " \xE2\x80\x94 ";  // an em dash between spaces

std::string quoted(const std::string& text) { return "'" + text + "'"; }

std::string sentenceText(const Diagram& d, int32_t s) {
  return s >= 0 && s < d.SentenceCount() ? quoted(d.sentence(s).Text) : "no sentence";
}

}  // namespace

const char* ruleName(WhyRule rule) {
  switch (rule) {
    case WhyRule::None: return "";
    case WhyRule::Rule1: return "rule 1";
    case WhyRule::Rule2: return "rule 2";
    case WhyRule::Rule3a: return "rule 3a";
    case WhyRule::Rule3b: return "rule 3b";
    case WhyRule::NotAttacked: return "not attacked";
    case WhyRule::Attacked: return "attacked";
    case WhyRule::StartNotJustified: return "start not justified";
    case WhyRule::ChallengeJustified: return "challenge justified";
    case WhyRule::ChallengeUnjustified: return "challenge not justified";
  }
  return "";
}

std::string statusWord(ElementKind kind, uint8_t status) {
  if (kind == ElementKind::Defeater) {
    if (status == static_cast<uint8_t>(DefeaterState::Active)) return "active";
    if (status == static_cast<uint8_t>(DefeaterState::Inactive)) return "inactive";
    return "neither active nor inactive";
  }
  const bool sentence = kind == ElementKind::Sentence;
  if (has(status, Undefeated)) return sentence ? "justified" : "supporting";
  if (has(status, Defeated)) return sentence ? "unjustified" : "not supporting";
  return "not evaluated";
}

const char* stepKindName(StepKind kind) {
  switch (kind) {
    case StepKind::Start: return "start";
    case StepKind::Evaluate: return "evaluate";
    case StepKind::Jump: return "jump";
    case StepKind::Reset: return "reset";
    case StepKind::User: return "user";
    case StepKind::Edit: return "edit";
  }
  return "";
}

std::string stepText(const StatusRecord& record, int32_t step) {
  const RecordedStep& s = record.step(step);
  std::string text = stepKindName(s.kind);
  if (s.label >= 0) text += ", step " + std::to_string(s.label);
  if (s.round > 0) text += ", round " + std::to_string(s.round) + " until stable";
  return text;
}

std::string elementText(const Diagram& d, ElementRef ref) {
  switch (ref.kind) {
    case ElementKind::Sentence: return sentenceText(d, ref.index);
    case ElementKind::Arrow: {
      const TArrow& a = d.arrow(ref.index);
      return "arrow " + std::to_string(ref.index) + " from " + sentenceText(d, a.Sentence1) + " to " +
             sentenceText(d, a.Sentence2);
    }
    case ElementKind::Defeater: return "defeater " + std::to_string(ref.index);
  }
  return {};
}

std::string sentenceRuleText(const std::string& text, WhyRule rule, bool jump) {
  const std::string q = quoted(text);
  switch (rule) {
    case WhyRule::Rule1: return q + " is justified since it has justified support.";
    case WhyRule::Rule2:
      return q + " is unjustified since it has no justified support and is attacked by (justified) challenges.";
    case WhyRule::Rule3a: return q + " is unevaluated since it has no justified support and is not attacked.";
    case WhyRule::Rule3b:
      return q + (jump ? " is justified since it has no justified support and is not attacked."
                       : " is justified since it has no justified support, and is not attacked.");
    default: return q;
  }
}

std::string arrowRuleText(const Diagram& d, int32_t arrow, WhyRule rule) {
  const std::string name = elementText(d, {ElementKind::Arrow, arrow});
  switch (rule) {
    case WhyRule::NotAttacked: return name + " is supporting since its start sentence is justified and it is not attacked.";
    case WhyRule::Attacked:
      return name + " is not supporting since it is attacked by (justified) challenges.";
    case WhyRule::StartNotJustified: return name + " is not evaluated since its start sentence is not justified.";
    default: return name;
  }
}

std::string defeaterRuleText(int32_t defeater, WhyRule rule, bool emptyChallenge) {
  const std::string name = "defeater " + std::to_string(defeater);
  if (rule == WhyRule::ChallengeUnjustified) return name + " is inactive since a sentence of its challenge is unjustified.";
  return name + (emptyChallenge ? " is active since its challenging rectangle holds no sentence."
                                : " is active since every sentence of its challenge is justified.");
}

std::string setOutsideRoundsText(const Diagram& d, ElementRef ref, uint8_t status, StepKind kind) {
  const std::string word = statusWord(ref.kind, status);
  const std::string name = elementText(d, ref);
  switch (kind) {
    case StepKind::User: return name + " is " + word + " (set by user).";
    case StepKind::Reset: return name + " is " + word + " (set by Reset).";
    default: return name + " is " + word + " (as at the start).";
  }
}

std::string deletedText(const Diagram& d, ElementRef ref) {
  return elementText(d, ref) + " is deleted and takes no part in the rounds.";
}

std::string sentenceGroundText(const Diagram& d, int32_t sentence, uint8_t status, bool takesPart) {
  return sentenceText(d, sentence) + Dash + (takesPart ? statusWord(ElementKind::Sentence, status) : "deleted");
}

std::string arrowGroundText(const Diagram& d, int32_t arrow, uint8_t status, bool resolved) {
  const TArrow& a = d.arrow(arrow);
  if (!resolved) return "arrow " + std::to_string(arrow) + Dash + "an end not resolved, counts as not supporting";
  return "arrow " + std::to_string(arrow) + " from " + sentenceText(d, a.Sentence1) + Dash +
         statusWord(ElementKind::Arrow, status);
}

std::string defeaterGroundText(int32_t defeater, bool justified, bool emptyChallenge) {
  std::string text = "defeater " + std::to_string(defeater) + Dash +
                     (justified ? "its challenge is justified" : "its challenge is not justified");
  return emptyChallenge ? text + ": it holds nothing" : text;
}

std::string numberedStepText(const StatusRecord& record, int32_t step) {
  const RecordedStep& s = record.step(step);
  std::string text = stepKindName(s.kind);
  if (s.isRound()) text += ", round " + std::to_string(s.roundsSoFar);
  if (s.round > 0) text += ", until stable";
  return text;
}

std::string groundThenNowText(const WhyGround& ground) {
  const ElementKind kind = ground.element.kind;
  if (kind == ElementKind::Defeater || !ground.takesPart) return ground.text;
  const std::string then = statusWord(kind, ground.status), now = statusWord(kind, ground.now);
  return then == now ? ground.text : ground.text + " then, " + now + " now";
}

}  // namespace zorvex
