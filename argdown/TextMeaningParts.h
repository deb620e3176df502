#pragma once
// The pieces of taking a text's meaning: which diagram sentence each
// sentence of the text is, and where the new ones go.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "argdown/ArgdownText.h"
#include "model/Diagram.h"

namespace zorvex::textmeaning {

struct SentenceMatch {
  // Per sentence of the text: the one it is taken as (itself, or an earlier
  // one of the same text) ...
  std::vector<int32_t> same;
  // ... and, for those taken as themselves, the diagram's sentence, or -1 for a new one.
  std::vector<int32_t> sentence;
  std::vector<std::pair<int32_t, std::string>> retexts;  // diagram sentence, its new text
  std::vector<bool> spared;  // per diagram sentence: named in a line that cannot be read
};

SentenceMatch matchSentences(const Diagram& d, const ArgdownMeaning& meaning, std::string_view text);

// The corners of the new sentences (`sentence[i] < 0`, taken as themselves),
// in text order, laid out with what they relate to and clear of what is drawn.
// `boxes` per sentence of the text; the places the text gives are kept.
std::vector<Point> placeNewSentences(const Diagram& d, const ArgdownMeaning& meaning, const SentenceMatch& match,
                                     const std::vector<TextSize>& boxes);

}  // namespace zorvex::textmeaning
