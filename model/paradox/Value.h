#pragma once
// One cell of a table, whatever its field type, and the text a user sees for it.
#include <cstdint>
#include <string>
#include <variant>

namespace zorvex::paradox {

struct Date {
  int32_t year = 1, month = 1, day = 1;
  bool operator==(const Date&) const = default;
};
struct TimeOfDay {
  int32_t ms = 0;  // milliseconds since midnight
  bool operator==(const TimeOfDay&) const = default;
};
struct Timestamp {
  Date date;
  int32_t ms = 0;  // milliseconds since midnight of `date`
  bool operator==(const Timestamp&) const = default;
};
struct Bytes {
  std::string data;  // raw bytes
  bool operator==(const Bytes&) const = default;
};
// An exact decimal number, as a BCD cell holds it: "-12.50", "0.00", "7".
// `text` has an optional "-", integer digits without leading zeros (at least
// one) and, for a field with decimals, a point and the decimal digits.
struct Decimal {
  std::string text;
  bool operator==(const Decimal&) const = default;
};
// A memo, BLOb, OLE or graphic cell: its contents live in the .MB file, which we
// do not read; `leading` holds the bytes kept in the record.
struct BlobPlaceholder {
  uint8_t type = 0;
  std::string leading;
  bool operator==(const BlobPlaceholder&) const = default;
};

// std::monostate is an empty cell. Short, Long and Autoincrement cells are
// int32_t; Number and Currency cells are double; BCD cells are Decimal (or,
// when their digits are damaged, the raw Bytes); Alpha is UTF-8 text.
using Value = std::variant<std::monostate, int32_t, double, std::string, bool, Date, TimeOfDay, Timestamp, Bytes,
                           BlobPlaceholder, Decimal>;

inline bool isEmpty(const Value& v) { return std::holds_alternative<std::monostate>(v); }

// Display text: empty cell ""; integers in decimal; doubles in their shortest
// round-trip form, integral ones without ".0"; decimals as their text;
// logicals "True"/"False"; dates ISO "yyyy-mm-dd"; times "hh:mm:ss" (".mmm"
// added when the milliseconds are not 0); timestamps "yyyy-mm-dd hh:mm:ss[.mmm]";
// bytes as upper-case hex; blobs "(Memo)", "(BLOb)", "(Formatted memo)", "(OLE)" or "(Graphic)".
std::string displayText(const Value& v);

// Shortest decimal text that reads back as the same double ("2.5", "3", "-0.1").
std::string formatNumber(double d);

// Day numbers as the format stores them: 1 Jan 0001 is day 1 (proleptic Gregorian).
int64_t dayNumber(const Date& d);
Date dateFromDayNumber(int64_t day);
bool isValidDate(const Date& d);

}  // namespace zorvex::paradox
