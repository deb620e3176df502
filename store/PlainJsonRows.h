#pragma once
// The quick way to read the diagram files the program itself writes: every
// column of every row, statuses beside them, nothing else. Anything else
// (short forms, arrows by sentence numbers, rectangles as arrays, a value of
// the wrong kind or range, a repeated or unknown key, broken JSON) is
// declined, and the caller reads the input the general way, whose messages
// say what is wrong and where.
#include <optional>

#include "model/Diagram.h"
#include "store/DiagramRows.h"
#include "store/JsonScanner.h"

namespace zorvex {

// The rows of a well-formed diagram file in the plain form, or nothing.
std::optional<DiagramRows> plainRowsFromJson(JsonBytes& input);

class ElementLoader;

// A row of each list as the element it stands for, with its status if given.
void loadSentenceRow(ElementLoader& load, const SentenceRow& row, const std::optional<Status>& status);
void loadArrowRow(ElementLoader& load, const ArrowRow& row, const std::optional<Status>& status);
void loadDefeaterRow(ElementLoader& load, const DefeaterRow& row, const std::optional<DefeaterState>& state);

// Loads such a file, statuses included, into an empty diagram as opening
// the rows would; false when it is declined (the diagram then holds some of
// its elements and must be emptied before the general way is tried).
bool loadPlainJson(Diagram& into, JsonBytes& input);

}  // namespace zorvex
