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

// Writes `f.size` bytes. Throws ZorvexError for values the field cannot hold:
// "The value <v> cannot be stored in the <Type> field '<name>'",
// "The text '<t>' is longer than the <n> characters of field '<name>'",
// "The text '<t>' cannot be stored in code page <n>".
void encodeField(const Field& f, const Value& v, uint8_t* p, const CodePage& cp);

}  // namespace zorvex::paradox
