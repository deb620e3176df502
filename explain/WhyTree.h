#pragma once
// Why a sentence, arrow or defeater has its status: the step that last gave
// it that status, the rule that fired and its grounds exactly as the
// deciding pass read them, and, for each ground whose status mattered, the
// same again, back to the start, the user's premises, resets or
// unchallenged sentences. Each status-giving event is explained once in a
// tree; a later mention names the node that explains it.
//
// Grounds are read from the diagram's present geometry with the statuses of
// the time (an element deleted since takes no part, as in the rounds). An
// arrow with an end not resolved takes no part either, yet keeps the status
// it was given at the start or by Reset.
#include <cstdint>
#include <string>
#include <vector>

#include "explain/StatusRecord.h"
#include "model/Diagram.h"

namespace zorvex {

enum class WhyRule : uint8_t {
  None,                // start, reset, user: nothing more to say
  Rule1,               // sentences
  Rule2,
  Rule3a,
  Rule3b,
  NotAttacked,         // arrows: start sentence justified, not attacked
  Attacked,            // arrows: start sentence justified, attacked
  StartNotJustified,   // arrows: made not evaluated
  ChallengeJustified,  // defeaters: active, every sentence of the challenge justified (or none)
  ChallengeUnjustified,  // defeaters: inactive, a sentence of the challenge unjustified
};

// "rule 1", ..., "attacked", "start not justified", ...; "" for None.
const char* ruleName(WhyRule rule);

// A ground as the deciding pass read it.
struct WhyGround {
  ElementRef element;
  // Sentences and arrows: the status byte without round marks. Defeaters:
  // 1 when their challenge was justified, 0 when not.
  uint8_t status = 0;
  bool takesPart = true;  // false: an arrow with an end not resolved, or a deleted sentence
  std::string text;
  // An arrow's start sentence; a defeater's challenge (sentences, then arrows).
  std::vector<WhyGround> parts;
  int32_t node = -1;  // the node explaining this ground's status, when it mattered
  uint8_t now = 0;    // sentences and arrows: the status without round marks now
};

struct WhyNode {
  ElementRef element;
  uint8_t status = 0;  // sentences, arrows: status without marks; defeaters: the state
  int32_t step = 0;    // the record's step that set it
  WhyRule rule = WhyRule::None;
  std::string text;    // in the log's wording where it fits
  std::vector<WhyGround> grounds;
  int32_t depth = 0;
  bool deleted = false;       // the element is gone: nothing to explain
  bool beyondDepth = false;   // grounds mattered but the depth limit stopped here
};

struct WhyTree {
  std::vector<WhyNode> nodes;  // nodes[0] is the element asked about
};

class WhyLookup;

// Throws ZorvexError when the diagram has no such element. A lookup made
// for the diagram as it is now may be given, to be reused between trees.
WhyTree ExplainStatus(const Diagram& diagram, const StatusRecord& record, ElementRef element, int32_t maxDepth = 20,
                      const WhyLookup* lookup = nullptr);

// The words for a status: "justified", "not supporting", "active", ...
std::string statusWord(ElementKind kind, uint8_t status);
// How the step is named: "start", "reset", "user", "evaluate", "jump".
const char* stepKindName(StepKind kind);
// "from the start", "by Reset (step 2)", "by evaluation round (step 3)" ...
std::string stepText(const StatusRecord& record, int32_t step);

// The tree as indented lines, each node with its step.
std::vector<std::string> whyLines(const WhyTree& tree, const StatusRecord& record);

}  // namespace zorvex
