#pragma once
// The rounds written the plain way: every question scans the whole element
// lists in number order, exactly as the rules read, with nothing cached. It
// is slow and meant as the yardstick the fast evaluation is checked and
// timed against. It takes the same decisions on what takes part: deleted
// elements take no part (Reset still resets them); an arrow with an
// unresolved end is never changed, gives no support and spoils a challenge
// it lies in; a deleted start sentence counts as not justified.
#include <string>
#include <vector>

#include "eval/EvaluationOptions.h"
#include "eval/Rounds.h"
#include "model/Diagram.h"

namespace zorvex::reference {

using Log = std::vector<std::string>;

inline bool justified(Status s) { return (s & 0x02) != 0; }

inline bool sentenceInRect(const TSentence& s, const Rect& r) {
  return r.Left < s.Left && r.Top < s.Top && s.Right < r.Right && s.Bottom < r.Bottom;
}
inline bool pointInRect(int32_t x, int32_t y, const Rect& r) {
  return r.Left <= x && x <= r.Right && r.Top <= y && y <= r.Bottom;
}
inline bool arrowInRect(const TArrow& a, const Rect& r) {
  return pointInRect(a.StartX, a.StartY, r) && pointInRect(a.EndX, a.EndY, r);
}

inline bool isResolved(const Diagram& g, const TArrow& a) {
  return a.Sentence1 != NoSentence && a.Sentence2 != NoSentence && a.Sentence1 >= 0 && a.Sentence2 >= 0 &&
         a.Sentence1 < g.SentenceCount() && a.Sentence2 < g.SentenceCount();
}

// The start sentence of an arrow that takes part, judged justified.
inline bool startIsJustified(const Diagram& g, const TArrow& a) {
  const TSentence& start = g.sentence(a.Sentence1);
  return !start.Deleted && justified(start.Status);
}

inline bool IsChallenged(const Diagram& g, int32_t s) {
  if (g.sentence(s).Deleted) return false;
  for (int32_t d = 0; d < g.DefeaterCount(); ++d)
    if (!g.defeater(d).Deleted && sentenceInRect(g.sentence(s), g.defeater(d).ChallengedRect)) return true;
  return false;
}

inline bool IsArrowChallenged(const Diagram& g, int32_t a) {
  if (g.arrow(a).Deleted) return false;
  for (int32_t d = 0; d < g.DefeaterCount(); ++d)
    if (!g.defeater(d).Deleted && arrowInRect(g.arrow(a), g.defeater(d).ChallengedRect)) return true;
  return false;
}

inline bool HasJustifiedSupport(const Diagram& g, int32_t s) {
  if (g.sentence(s).Deleted) return false;
  for (int32_t n = 0; n < g.ArrowCount(); ++n) {
    const TArrow& a = g.arrow(n);
    if (a.Deleted || !isResolved(g, a) || a.Sentence2 != s) continue;
    if (startIsJustified(g, a) && justified(a.Status)) return true;
  }
  return false;
}

inline bool IsJustifiedChallenge(const Diagram& g, int32_t d) {
  const TDefeater& def = g.defeater(d);
  if (def.Deleted) return false;
  bool sentencesHold = true;
  for (int32_t t = 0; t < g.SentenceCount(); ++t) {
    const TSentence& s = g.sentence(t);
    if (!s.Deleted && sentenceInRect(s, def.ChallengingRect) && !justified(s.Status)) {
      sentencesHold = false;
      break;
    }
  }
  bool arrowsHold = true;
  for (int32_t b = 0; b < g.ArrowCount(); ++b) {
    const TArrow& a = g.arrow(b);
    if (!a.Deleted && arrowInRect(a, def.ChallengingRect) && (!justified(a.Status) || !isResolved(g, a))) {
      arrowsHold = false;
      break;
    }
  }
  return sentencesHold && arrowsHold;
}

inline bool IsAttacked(const Diagram& g, int32_t s) {
  if (!IsChallenged(g, s)) return false;
  bool attacked = false;
  for (int32_t d = 0; d < g.DefeaterCount(); ++d)
    if (!g.defeater(d).Deleted && sentenceInRect(g.sentence(s), g.defeater(d).ChallengedRect) &&
        IsJustifiedChallenge(g, d))
      attacked = true;
  return attacked;
}

inline bool IsArrowAttacked(const Diagram& g, int32_t a) {
  if (!IsArrowChallenged(g, a)) return false;
  bool attacked = false;
  for (int32_t d = 0; d < g.DefeaterCount(); ++d)
    if (!g.defeater(d).Deleted && arrowInRect(g.arrow(a), g.defeater(d).ChallengedRect) && IsJustifiedChallenge(g, d))
      attacked = true;
  return attacked;
}

inline Status becomesPositive(Status old) { return (old & 0x01) ? 26 : 10; }
inline Status becomesNegative(Status old) { return (old & 0x02) ? 25 : 9; }

inline void EvaluateArrows(Diagram& g) {
  for (int32_t n = 0; n < g.ArrowCount(); ++n) {
    TArrow& a = g.arrow(n);
    if (!a.Deleted && isResolved(g, a)) a.Status = static_cast<Status>(a.Status & ~(0x08 | 0x10));
  }
  std::vector<int32_t> toSupporting, toNotSupporting;
  for (int32_t n = 0; n < g.ArrowCount(); ++n) {
    const TArrow& a = g.arrow(n);
    if (a.Deleted || !isResolved(g, a) || (a.Status & 0x20) || !startIsJustified(g, a)) continue;
    if (!IsArrowAttacked(g, n) && !(a.Status & 0x02)) toSupporting.push_back(n);
    if (IsArrowAttacked(g, n) && !(a.Status & 0x01)) toNotSupporting.push_back(n);
  }
  for (int32_t n : toSupporting) g.arrow(n).Status = becomesPositive(g.arrow(n).Status);
  for (int32_t n : toNotSupporting) g.arrow(n).Status = becomesNegative(g.arrow(n).Status);
}

inline bool SentencePass(Diagram& g, const RuleSet& rules, bool jump, Log& log) {
  for (int32_t n = 0; n < g.SentenceCount(); ++n)
    if (!g.sentence(n).Deleted) g.sentence(n).Status = static_cast<Status>(g.sentence(n).Status & ~(0x08 | 0x10));
  std::vector<int32_t> toJustified, toUnjustified, toNotEvaluated;
  bool changed = false;
  for (int32_t n = 0; n < g.SentenceCount(); ++n) {
    const TSentence& s = g.sentence(n);
    if (s.Deleted || (s.Status & 0x20)) continue;
    if (rules.rule1 && HasJustifiedSupport(g, n) && !(s.Status & 0x02)) {
      toJustified.push_back(n);
      log.push_back("'" + s.Text + "' is justified since it has justified support.");
      changed = true;
    }
    if (rules.rule2 && !HasJustifiedSupport(g, n) && IsAttacked(g, n) && !(s.Status & 0x01)) {
      toUnjustified.push_back(n);
      log.push_back("'" + s.Text + "' is unjustified since it has no justified support and is " +
                    "attacked by (justified) challenges.");
      changed = true;
    }
    if (rules.rule3a && !HasJustifiedSupport(g, n) && !IsAttacked(g, n) && !(s.Status & 0x04)) {
      toNotEvaluated.push_back(n);
      log.push_back("'" + s.Text + "' is unevaluated since it has no justified support and is not " + "attacked.");
      changed = true;
    }
    if (rules.rule3b && !HasJustifiedSupport(g, n) && !IsAttacked(g, n) && !(s.Status & 0x02)) {
      toJustified.push_back(n);
      log.push_back("'" + s.Text + (jump ? "' is justified since it has no justified support and is not "
                                         : "' is justified since it has no justified support, and is not ") +
                    "attacked.");
      changed = true;
    }
  }
  for (int32_t n : toJustified) g.sentence(n).Status = becomesPositive(g.sentence(n).Status);
  for (int32_t n : toUnjustified) g.sentence(n).Status = becomesNegative(g.sentence(n).Status);
  for (int32_t n : toNotEvaluated) g.sentence(n).Status = 12;
  if (!changed) log.push_back(jump ? "No new jumps" : "No new evaluations");
  return changed;
}

inline void UnevaluateArrows(Diagram& g) {
  std::vector<int32_t> collected;
  for (int32_t n = 0; n < g.ArrowCount(); ++n) {
    const TArrow& a = g.arrow(n);
    if (a.Deleted || !isResolved(g, a)) continue;
    if (!(a.Status & 0x20) && !startIsJustified(g, a) && !(a.Status & 0x04)) collected.push_back(n);
  }
  for (int32_t n : collected) g.arrow(n).Status = 12;
}

inline void EvaluateDefeaters(Diagram& g) {
  for (int32_t d = 0; d < g.DefeaterCount(); ++d) {
    TDefeater& def = g.defeater(d);
    if (def.Deleted) continue;
    bool anyNotEvaluated = false, anyDefeated = false;
    for (int32_t t = 0; t < g.SentenceCount(); ++t) {
      const TSentence& s = g.sentence(t);
      if (s.Deleted || !sentenceInRect(s, def.ChallengingRect)) continue;
      if (s.Status & 0x04) anyNotEvaluated = true;
      if (s.Status & 0x01) anyDefeated = true;
    }
    if (anyNotEvaluated) continue;
    def.DefeaterState = anyDefeated ? DefeaterState::Inactive : DefeaterState::Active;
  }
}

// Returns the text of status bar panel 1.
inline std::string Round(Diagram& g, const RuleSet& rules, bool jump, Log& log) {
  log.push_back(jump ? "[Jump (one round)]" : "[Evaluate (one round)]");
  EvaluateArrows(g);
  const bool changed = SentencePass(g, rules, jump, log);
  UnevaluateArrows(g);
  EvaluateDefeaters(g);
  log.push_back("");
  if (changed) return "";
  return jump ? "No new jumps" : "No new evaluations";
}

inline std::string EvaluateOneRound(Diagram& g, const EvaluationOptions& o, Log& log) {
  return Round(g, {o.EvaluationOption1, o.EvaluationOption2, o.EvaluationOption3a, o.EvaluationOption3b}, false, log);
}

inline std::string JumpOneRound(Diagram& g, const EvaluationOptions& o, Log& log) {
  return Round(g, {o.JumpingOption1, o.JumpingOption2, o.JumpingOption3a, o.JumpingOption3b}, true, log);
}

inline void ResetAll(Diagram& g, Log& log) {
  for (int32_t n = 0; n < g.SentenceCount(); ++n) g.sentence(n).Status = 4;
  for (int32_t n = 0; n < g.ArrowCount(); ++n) g.arrow(n).Status = 4;
  for (int32_t n = 0; n < g.DefeaterCount(); ++n) g.defeater(n).DefeaterState = DefeaterState::ActiveNorInactive;
  log.push_back("[Reset]");
  log.push_back("All sentences are unevaluated.");
  log.push_back("");
}

inline void SetStatusByUser(Diagram& g, int32_t s, UserStatus which, Log& log) {
  TSentence& t = g.sentence(s);
  log.push_back("[User]");
  if (which == UserStatus::Justified) {
    t.Status = 34;
    log.push_back("'" + t.Text + "' is justified (set by user).");
  } else if (which == UserStatus::Unjustified) {
    t.Status = 33;
    log.push_back("'" + t.Text + "' is unjustified (set by user).");
  } else {
    t.Status = 4;
    log.push_back("'" + t.Text + "' is not evaluated (set by user).");
  }
  log.push_back("");
}

}  // namespace zorvex::reference
