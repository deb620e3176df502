#pragma once
// Text typed by a user (or stored in an Alpha column) read as a typed value.
#include <cstdint>
#include <string>

#include "model/paradox/Header.h"
#include "model/paradox/Value.h"

namespace zorvex::paradox {

// Whole number with optional sign and surrounding blanks; false for anything
// else. Sets `overflow` (and returns true) when it lies outside int32.
bool parseInteger(const std::string& text, int32_t& out, bool& overflow);

// A user's text as a value for the field: "" is an empty cell; integers,
// numbers, exact decimals for BCD, "True"/"False" (any case), dates "yyyy-mm-dd", times
// "hh:mm[:ss[.mmm]]", timestamps "yyyy-mm-dd hh:mm[:ss[.mmm]]", Alpha as is.
// Throws ZorvexError "'<text>' is not a valid integer value" (or "floating
// point value", "BCD value", "boolean value", "date", "time", "date and time").
Value valueFromText(const Field& f, const std::string& text);

}  // namespace zorvex::paradox
