#include "model/paradox/ValueParse.h"

#include <cctype>
#include <charconv>
#include <cstdio>

#include "model/InputExcerpt.h"
#include "model/ZorvexError.h"
#include "model/paradox/Bcd.h"

namespace zorvex::paradox {
namespace {

std::string trimmed(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return s.substr(a, b - a);
}

[[noreturn]] void notValid(const std::string& text, const char* what) {
  throw ZorvexError("'" + inputExcerpt(text) + "' is not a valid " + what);
}

bool parseDouble(const std::string& text, double& out) {
  const std::string t = trimmed(text);
  if (t.empty()) return false;
  const char* b = t.data() + (t[0] == '+' ? 1 : 0);
  const char* e = t.data() + t.size();
  auto res = std::from_chars(b, e, out, std::chars_format::general);
  return res.ec == std::errc() && res.ptr == e;
}

// "yyyy-mm-dd", the remaining text goes to `rest`.
bool parseDate(const std::string& t, Date& d, std::string& rest) {
  int y = 0, m = 0, day = 0, used = 0;
  if (std::sscanf(t.c_str(), "%4d-%2d-%2d%n", &y, &m, &day, &used) != 3) return false;
  d = Date{y, m, day};
  rest = t.substr(static_cast<size_t>(used));
  return isValidDate(d);
}

// "hh:mm[:ss[.mmm]]".
bool parseTime(const std::string& t, int32_t& ms) {
  int h = 0, m = 0, s = 0, frac = 0, used = 0;
  const int n = std::sscanf(t.c_str(), "%2d:%2d%n:%2d%n.%3d%n", &h, &m, &used, &s, &used, &frac, &used);
  if (n < 2 || static_cast<size_t>(used) != t.size()) return false;
  if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59 || frac < 0) return false;
  ms = ((h * 60 + m) * 60 + s) * 1000 + frac;
  return true;
}

Value integerValue(const Field& f, const std::string& text) {
  int32_t v = 0;
  bool overflow = false;
  if (!parseInteger(text, v, overflow)) notValid(text, "integer value");
  if (overflow) throw ZorvexError("Integer overflow");
  (void)f;
  return v;
}

Value temporalValue(const Field& f, const std::string& text) {
  const std::string t = trimmed(text);
  Date d;
  std::string rest;
  int32_t ms = 0;
  if (f.type == FieldType::Date) {
    if (!parseDate(t, d, rest) || !rest.empty()) notValid(text, "date");
    return d;
  }
  if (f.type == FieldType::Time) {
    if (!parseTime(t, ms)) notValid(text, "time");
    return TimeOfDay{ms};
  }
  if (!parseDate(t, d, rest)) notValid(text, "date and time");
  if (rest.empty()) return Timestamp{d, 0};
  if (rest[0] != ' ' || !parseTime(trimmed(rest), ms)) notValid(text, "date and time");
  return Timestamp{d, ms};
}

}  // namespace

bool parseInteger(const std::string& text, int32_t& out, bool& overflow) {
  const std::string t = trimmed(text);
  overflow = false;
  size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
  if (i >= t.size()) return false;
  int64_t v = 0;
  for (; i < t.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(t[i]))) return false;
    if (v <= int64_t{1} << 32) v = v * 10 + (t[i] - '0');
  }
  if (t[0] == '-') v = -v;
  if (v < INT32_MIN || v > INT32_MAX) {
    overflow = true;
    return true;
  }
  out = static_cast<int32_t>(v);
  return true;
}

Value valueFromText(const Field& f, const std::string& text) {
  if (f.type == FieldType::Alpha) return text.empty() ? Value{} : Value{text};
  if (trimmed(text).empty()) return std::monostate{};
  switch (f.type) {
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoInc: return integerValue(f, text);
    case FieldType::Number:
    case FieldType::Currency: {
      double d = 0;
      if (!parseDouble(text, d)) notValid(text, "floating point value");
      return d;
    }
    case FieldType::Bcd: {
      std::optional<Decimal> d = decimalFromText(text, f.decimals);
      if (!d) notValid(text, "BCD value");
      return *d;
    }
    case FieldType::Logical: {
      std::string t = trimmed(text);
      for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (t == "true") return true;
      if (t == "false") return false;
      notValid(text, "boolean value");
    }
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::Timestamp: return temporalValue(f, text);
    default:
      throw ZorvexError(std::string("Field '") + f.name + "' is a memo or binary field and cannot be edited as text");
  }
}

}  // namespace zorvex::paradox
