#pragma once
// Input quoted in a message: at most 80 characters of it, so that a huge key,
// text or number read from a file keeps the message (and the error box) short,
// and a NUL shown as "\0", so that it cannot end the message early.
#include <cstddef>
#include <string>
#include <string_view>

namespace zorvex {

constexpr size_t ExcerptCharacters = 80;

inline std::string inputExcerpt(std::string_view text) {
  std::string out;
  size_t characters = 0;
  for (const char c : text) {
    const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // not a UTF-8 continuation byte
    if (starts && ++characters > ExcerptCharacters) return out + "...";
    if (c == '\0')
      out += "\\0";
    else
      out += c;
  }
  return out;
}

}  // namespace zorvex
