#pragma once
// The pieces of one Argdown line: the text of a statement with its escapes
// undone, its tags, mentions and data taken out and its white space made
// single; a title in brackets; a data block. A piece that cannot be read
// throws UnreadableLine, and the reader leaves the whole line out.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Types.h"

namespace zorvex::argdown {

struct UnreadableLine {};

// The longest statement text, title and line taken, in bytes, and how deep
// data may nest: longer or deeper is a line that cannot be read.
inline constexpr size_t TextLimit = 10000;
inline constexpr size_t TitleLimit = 1000;
inline constexpr size_t LineLimit = 100000;
inline constexpr int DataDepthLimit = 16;
// Places outside this stay clear of 32-bit sums when boxes are added.
inline constexpr int64_t PlaceLimit = 100'000'000;

struct DataItems {
  std::optional<int64_t> x, y;
  std::optional<Status> status;
  std::optional<std::vector<int64_t>> uses;
  size_t others = 0;
};

struct Mention {
  std::string title;
  bool argument = false;
};

struct CleanText {
  std::string text;
  DataItems data;
  std::vector<Mention> mentions;
  size_t tags = 0;
};

// The length of the white-space character at `i` (ASCII's, next line, the
// no-break and the Unicode separator spaces), or 0.
size_t spaceAt(std::string_view s, size_t i);
// The length of the UTF-8 sequence starting at `i` (1 for a stray byte).
size_t characterAt(std::string_view s, size_t i);

CleanText cleanText(std::string_view raw);

// `s` starts with '[' or '<': the title up to the matching unescaped ']' or
// '>', white space made single; `end` is just past the closing bracket.
std::string titleAt(std::string_view s, size_t& end);

// `s[i]` is '{': the data block up to its matching '}', `i` moved past it.
void readData(std::string_view s, size_t& i, DataItems& into);

// Strips spaces and tabs at both ends.
std::string_view trimmed(std::string_view s);

// Our data block's status: "justified", "unjustified" or "not evaluated",
// then ", set by the user", ", just changed" or ", just flipped" as the
// flags say; and back (nothing for other words).
std::string statusWords(Status s);
std::optional<Status> statusOfWords(std::string_view words);

}  // namespace zorvex::argdown
