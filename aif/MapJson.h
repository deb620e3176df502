#pragma once
// A map's JSON text as one document, built without recursion and with its
// nesting bounded: no map nests lists or objects more than a few levels, and
// a value nested thousands deep would exhaust the stack of whatever walks it
// later (printing or comparing it). Such a value is refused where it begins.
#include <string_view>

#include <nlohmann/json.hpp>

namespace zorvex {

// Lists and objects inside one another, the outermost counted as 1.
inline constexpr size_t JsonNestingLimit = 100;

// Throws ZorvexError: "not complete JSON (at byte N)", a number too large
// (quoted by at most 80 characters), or the place of a value nested too deep
// ("locutions[0].personID[0]...: lists and objects nested more than 100 deep").
nlohmann::json parseMapJson(std::string_view text);

}  // namespace zorvex
