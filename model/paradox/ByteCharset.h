#pragma once
// Single-byte character sets the codec carries itself, for tables whose text
// is in a set that has no DOS or Windows code page: ASCII in the lower half,
// a table of code points for the upper half.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zorvex::paradox {

// The code point of each byte 0x80..0xFF; 0 where the set defines none.
using UpperHalf = std::array<char32_t, 128>;

// HP Roman-8: C1 controls at 0x80..0x9F, accented letters and symbols from
// 0xA0 ("Š" at 0xEB, "½" at 0xF8, "ƒ" at 0xBE, "¶" at 0xF4); 0xFF is unassigned.
const UpperHalf& hpRoman8();

// Bytes as UTF-8; a byte the set does not define becomes U+FFFD.
std::string decodeBytes(std::string_view bytes, const UpperHalf& set);
// UTF-8 as bytes of the set; nothing when a character is not in it or the
// text is not valid UTF-8.
std::optional<std::string> encodeText(std::string_view utf8, const UpperHalf& set);

}  // namespace zorvex::paradox
