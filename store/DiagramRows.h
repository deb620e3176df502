#pragma once
// The three tables as plain rows, column for column as they are stored, and
// the statuses a diagram file keeps beside them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Types.h"

namespace zorvex {

struct SentenceRow {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::string Text;
  friend bool operator==(const SentenceRow&, const SentenceRow&) = default;
};

struct ArrowRow {
  int32_t Center1X = 0, Center1Y = 0, Center2X = 0, Center2Y = 0;
  int32_t StartX = 0, StartY = 0, EndX = 0, EndY = 0;
  int32_t Left1 = 0, Top1 = 0;
  std::string Text1;
  int32_t Left2 = 0, Top2 = 0;
  std::string Text2;
  friend bool operator==(const ArrowRow&, const ArrowRow&) = default;
};

struct DefeaterRow {
  int32_t ChallengingRectLeft = 0, ChallengingRectTop = 0, ChallengingRectRight = 0, ChallengingRectBottom = 0;
  int32_t ChallengedRectLeft = 0, ChallengedRectTop = 0, ChallengedRectRight = 0, ChallengedRectBottom = 0;
  int32_t Center1X = 0, Center1Y = 0, Center2X = 0, Center2Y = 0;
  int32_t StartX = 0, StartY = 0, EndX = 0, EndY = 0;
  friend bool operator==(const DefeaterRow&, const DefeaterRow&) = default;
};

struct DiagramRows {
  std::vector<SentenceRow> sentences;
  std::vector<ArrowRow> arrows;
  std::vector<DefeaterRow> defeaters;
  // "Status" and "DefeaterState" of a diagram file; tables hold none. Each
  // list is empty when no row gave one, else as long as its rows.
  std::vector<std::optional<Status>> sentenceStatus;
  std::vector<std::optional<Status>> arrowStatus;
  std::vector<std::optional<DefeaterState>> defeaterState;
  friend bool operator==(const DiagramRows&, const DiagramRows&) = default;
};

// The status bytes evaluation, reset and the user's commands leave behind:
// the only ones a diagram file may give.
inline constexpr Status StoredStatuses[] = {0x01, 0x02, 0x04, 0x09, 0x0A, 0x0C, 0x19, 0x1A, 0x21, 0x22};
inline bool isStoredStatus(int64_t v) {
  for (const Status s : StoredStatuses)
    if (v == s) return true;
  return false;
}
inline bool isStoredDefeaterState(int64_t v) { return v >= 0 && v <= 2; }

// One column of a row type: its stored name and where it lives in the row.
// Exactly one of the two member pointers is set.
template <class Row>
struct Column {
  const char* name;
  int32_t Row::*integer = nullptr;
  std::string Row::*text = nullptr;
};

// The columns in table order.
const std::array<Column<SentenceRow>, 5>& sentenceColumns();
const std::array<Column<ArrowRow>, 14>& arrowColumns();
const std::array<Column<DefeaterRow>, 16>& defeaterColumns();

}  // namespace zorvex
