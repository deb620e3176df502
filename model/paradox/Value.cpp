#include "model/paradox/Value.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace zorvex::paradox {
namespace {

// Days since 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

constexpr int64_t DayOfUnixEpoch = 719163;  // day number of 1970-01-01

std::string dateText(const Date& d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", static_cast<int>(d.year), static_cast<int>(d.month),
                static_cast<int>(d.day));
  return buf;
}

std::string timeText(int32_t ms) {
  char buf[32];
  const int h = ms / 3600000, m = ms / 60000 % 60, s = ms / 1000 % 60, rest = ms % 1000;
  if (rest != 0)
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", h, m, s, rest);
  else
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, m, s);
  return buf;
}

std::string hexText(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string blobText(uint8_t type) {
  switch (type) {
    case 0x0C: return "(Memo)";
    case 0x0E: return "(Formatted memo)";
    case 0x0F: return "(OLE)";
    case 0x10: return "(Graphic)";
    default: return "(BLOb)";
  }
}

struct Displayer {
  std::string operator()(std::monostate) const { return ""; }
  std::string operator()(int32_t v) const { return std::to_string(v); }
  std::string operator()(double v) const { return formatNumber(v); }
  std::string operator()(const std::string& v) const { return v; }
  std::string operator()(bool v) const { return v ? "True" : "False"; }
  std::string operator()(const Date& v) const { return dateText(v); }
  std::string operator()(const TimeOfDay& v) const { return timeText(v.ms); }
  std::string operator()(const Timestamp& v) const { return dateText(v.date) + " " + timeText(v.ms); }
  std::string operator()(const Bytes& v) const { return hexText(v.data); }
  std::string operator()(const BlobPlaceholder& v) const { return blobText(v.type); }
  std::string operator()(const Decimal& v) const { return v.text; }
};

}  // namespace

std::string formatNumber(double d) {
  if (std::isnan(d)) return "NaN";
  if (std::isinf(d)) return d > 0 ? "INF" : "-INF";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, res.ptr);
}

int64_t dayNumber(const Date& d) { return daysFromCivil(d.year, d.month, d.day) + DayOfUnixEpoch; }

Date dateFromDayNumber(int64_t day) {
  // Inverse of daysFromCivil.
  int64_t z = day - DayOfUnixEpoch + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const int64_t y = yoe + era * 400 + (m <= 2);
  return Date{static_cast<int32_t>(y), static_cast<int32_t>(m), static_cast<int32_t>(d)};
}

bool isValidDate(const Date& d) {
  if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) return false;
  return dateFromDayNumber(dayNumber(d)) == d;
}

std::string displayText(const Value& v) { return std::visit(Displayer{}, v); }

}  // namespace zorvex::paradox
