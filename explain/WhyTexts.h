#pragma once
// The sentences of a why tree, in the evaluation log's wording where it fits.
#include <cstdint>
#include <string>

#include "explain/WhyTree.h"

namespace zorvex {

// "'Tweety is a bird'", "arrow 0 from 'A' to 'B'", "defeater 1".
std::string elementText(const Diagram& d, ElementRef ref);

std::string sentenceRuleText(const std::string& text, WhyRule rule, bool jump);
std::string arrowRuleText(const Diagram& d, int32_t arrow, WhyRule rule);
std::string defeaterRuleText(int32_t defeater, WhyRule rule, bool emptyChallenge);
// Set at the start, by Reset or by the user.
std::string setOutsideRoundsText(const Diagram& d, ElementRef ref, uint8_t status, StepKind kind);
std::string deletedText(const Diagram& d, ElementRef ref);

std::string sentenceGroundText(const Diagram& d, int32_t sentence, uint8_t status, bool takesPart);
std::string arrowGroundText(const Diagram& d, int32_t arrow, uint8_t status, bool resolved);
std::string defeaterGroundText(int32_t defeater, bool justified, bool emptyChallenge);

// The window's wording. A step with its rounds numbered since the start or
// the last reset: "evaluate, round 3", "reset".
std::string numberedStepText(const StatusRecord& record, int32_t step);
// A sentence or arrow ground whose status now is not the one read, with
// both, as the surface shows the one now: "'B' — justified then, not
// evaluated now". Other grounds keep their text.
std::string groundThenNowText(const WhyGround& ground);

}  // namespace zorvex
