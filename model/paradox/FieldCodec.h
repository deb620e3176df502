#pragma once
// The bytes of one field in a record, to and from a Value.
#include <cstdint>
#include <string>

#include "model/paradox/CodePage.h"
#include "model/paradox/Header.h"
#include "model/paradox/Value.h"

namespace zorvex::paradox {

// `p` points at the field's `f.size` bytes. Never fails: values a type cannot
// mean (a date before year 1, a time past midnight) come back as plain numbers.
Value decodeField(const Field& f, const uint8_t* p, const CodePage& cp);

// The same without a Value, for what loading reads most: a Short, Long or
// AutoInc field as its integer (0 when empty), into `out`; false for any
// other type.
// Stored big-endian with the sign bit inverted, so all-zero bytes (empty)
// read as 0 either way; inline, as loading asks it for every cell.
inline bool decodeIntegerField(const Field& f, const uint8_t* p, int32_t& out) {
  if (f.type == FieldType::Long || f.type == FieldType::AutoInc) {
    const uint32_t raw = uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
    out = raw == 0 ? 0 : static_cast<int32_t>(raw ^ 0x80000000u);
    return true;
  }
  if (f.type == FieldType::Short) {
    const auto raw = static_cast<uint16_t>(p[0] << 8 | p[1]);
    out = raw == 0 ? 0 : static_cast<int16_t>(raw ^ 0x8000u);
    return true;
  }
  return false;
}
// An Alpha field's text in UTF-8 into `out`, reusing its room; false for any other type.
bool decodeAlphaField(const Field& f, const uint8_t* p, const CodePage& cp, std::string& out);

// Writes `f.size` bytes. Throws ZorvexError for values the field cannot hold:
// "The value <v> cannot be stored in the <Type> field '<name>'",
// "The text '<t>' is longer than the <n> characters of field '<name>'",
// "The text '<t>' cannot be stored in code page <n>".
void encodeField(const Field& f, const Value& v, uint8_t* p, const CodePage& cp);

}  // namespace zorvex::paradox
