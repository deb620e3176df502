#pragma once
// The texts of the "Show ... Data" pop-up commands: every stored field of one
// element, labelled with its field name, lines separated by CR LF. The
// window layer shows them in an "Information" box.
#include <cstdint>
#include <string>

#include "model/Diagram.h"

namespace zorvex {

// n must be a counted element of its kind (0 .. count - 1); otherwise
// std::out_of_range is thrown. Deleted elements are described like any other.
std::string SentenceDataText(const Diagram& diagram, int32_t n);
// A side whose sentence was not resolved at loading reads "Sentence1: nil"
// (or "Sentence2: nil").
std::string ArrowDataText(const Diagram& diagram, int32_t n);
// Ends right after the Center2Y value: no status line, no final line break.
std::string DefeaterDataText(const Diagram& diagram, int32_t n);

}  // namespace zorvex
