#pragma once
// The character set a table's sort order names, for headers whose code page
// field is 0.
#include <string_view>

namespace zorvex::paradox {

// HP Roman-8 has no DOS or Windows code page; it goes by IBM's number for it.
inline constexpr int HpRoman8CodePage = 1051;

// The code page of the text in tables sorted by `name` ("BLROM800" is HP
// Roman-8, "intl" 437, "nordan" 865, "ANSIINTL" 1252, ...); 0 when the name
// does not tell.
int codePageOfSortOrder(std::string_view name);

}  // namespace zorvex::paradox
