#pragma once
// BCD cells: the 17 bytes of packed decimal digits and the exact decimal
// number they hold, kept as text so that no digit is lost to a double.
#include <cstdint>
#include <optional>
#include <string>

#include "model/paradox/Value.h"

namespace zorvex::paradox {

inline constexpr int BcdBytes = 17;

// The number in a BCD cell with `decimals` digits after the point (0..32).
// A cell with a byte that is no decimal digit comes back as its raw Bytes.
// The caller has already taken an all-zero cell as empty.
Value decodeBcd(const uint8_t* p, int decimals);

// Writes the 17 bytes of an int32_t or Decimal value (or the raw Bytes that
// decodeBcd gave back for a damaged cell). False when the value is of
// another kind or needs more digits than the field has before or after the point.
bool encodeBcd(const Value& v, int decimals, uint8_t* p);

// A typed number ("-12.5", " +3 ", "0.250") as the Decimal a field with
// `decimals` decimals shows for it ("-12.50", "3.00", "0.25"); nothing for
// text that is not a plain decimal number. Digits beyond the field's decimals
// are kept when they are not zeros, so that storing the value is refused.
std::optional<Decimal> decimalFromText(const std::string& text, int decimals);

// The nearest 32-bit integer, halves to the even neighbour (2.50 -> 2,
// 3.50 -> 4, -2.50 -> -2), computed on the digits themselves. Throws
// ZorvexError "Integer overflow" beyond 32 bits.
int32_t decimalToInt32(const Decimal& d);

}  // namespace zorvex::paradox
