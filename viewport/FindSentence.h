#pragma once
// Finding a sentence by a part of its text, for "Find Sentence..." and F3.
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/Diagram.h"

namespace zorvex {

// The first sentence, in number order, numbered above `after` (then from the
// start again, up to and including `after`, so repeating the search with the
// last result as `after` cycles through every match), that is not deleted and
// whose text contains `text`, letter case ignored. Both are UTF-8; letters
// match whenever one is the other's simple upper or lower case, in any script.
// Bytes that are not valid UTF-8 match only the same bytes. An empty `text`
// finds nothing.
std::optional<int32_t> findSentence(const Diagram& d, std::string_view text, int32_t after = -1);

}  // namespace zorvex
