#include "model/paradox/Bcd.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "model/ZorvexError.h"

namespace zorvex::paradox {
namespace {

// The 17 bytes of a BCD cell:
// - byte 0: bit 7 set for a positive number (zero included), clear for a
//   negative one; its low six bits repeat the field's number of decimals.
//   Engines and pxlib also set bit 6 of both signs (0xC2 for +, 0x42 for -
//   with two decimals), while some descriptions invert all of byte 0 for a
//   negative number, so the reader takes only the sign from it and the
//   decimals from the field descriptor; the writer writes pxlib's form.
// - bytes 1..16: 32 decimal digits, two to a byte, high nibble first; the last
//   `decimals` of them follow the point. A negative number stores every digit
//   byte inverted (0x12 becomes 0xED).
// - all 17 bytes zero: an empty cell, as for every type.
constexpr int Digits = 32;
constexpr uint8_t PositiveSign = 0xC0, NegativeSign = 0x40;

struct Parts {
  bool negative = false;
  std::string whole;     // without leading zeros, "" for zero
  std::string fraction;  // as given
};

std::string trimmed(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return s.substr(a, b - a);
}

bool allDigits(const std::string& s) {
  for (unsigned char c : s)
    if (!std::isdigit(c)) return false;
  return true;
}

// "[+|-]digits[.digits]", at least one digit in all.
std::optional<Parts> splitNumber(const std::string& text) {
  std::string t = trimmed(text);
  Parts p;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    p.negative = t[0] == '-';
    t.erase(0, 1);
  }
  const size_t point = t.find('.');
  std::string whole = t.substr(0, point);
  p.fraction = point == std::string::npos ? "" : t.substr(point + 1);
  if (whole.empty() && p.fraction.empty()) return std::nullopt;
  if (!allDigits(whole) || !allDigits(p.fraction)) return std::nullopt;
  p.whole = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
  return p;
}

bool validDecimals(int decimals) { return decimals >= 0 && decimals <= Digits; }

// Drops zeros beyond the field's decimals and pads up to them; false when
// other digits stay beyond them.
bool fitFraction(std::string& f, int decimals) {
  const auto n = static_cast<size_t>(decimals);
  while (f.size() > n && f.back() == '0') f.pop_back();
  if (f.size() > n) return false;
  f.append(n - f.size(), '0');
  return true;
}

bool isZero(const Parts& p) { return p.whole.empty() && p.fraction.find_first_not_of('0') == std::string::npos; }

std::string textOf(const Parts& p) {
  std::string out = p.negative && !isZero(p) ? "-" : "";
  out += p.whole.empty() ? "0" : p.whole;
  if (!p.fraction.empty()) out += "." + p.fraction;
  return out;
}

std::optional<Parts> partsOf(const Value& v) {
  if (const auto* i = std::get_if<int32_t>(&v)) return splitNumber(std::to_string(*i));
  if (const auto* d = std::get_if<Decimal>(&v)) return splitNumber(d->text);
  return std::nullopt;
}

}  // namespace

Value decodeBcd(const uint8_t* p, int decimals) {
  const Bytes raw{std::string(reinterpret_cast<const char*>(p), BcdBytes)};
  if (!validDecimals(decimals)) return raw;
  const bool negative = (p[0] & 0x80) == 0;
  std::string digits;
  for (int i = 1; i < BcdBytes; ++i) {
    const auto b = static_cast<uint8_t>(negative ? ~p[i] : p[i]);
    if ((b >> 4) > 9 || (b & 15) > 9) return raw;
    digits += static_cast<char>('0' + (b >> 4));
    digits += static_cast<char>('0' + (b & 15));
  }
  Parts parts;
  parts.negative = negative;
  const std::string whole = digits.substr(0, static_cast<size_t>(Digits - decimals));
  parts.whole = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
  parts.fraction = digits.substr(static_cast<size_t>(Digits - decimals));
  return Decimal{textOf(parts)};
}

bool encodeBcd(const Value& v, int decimals, uint8_t* p) {
  if (const auto* raw = std::get_if<Bytes>(&v); raw != nullptr && raw->data.size() == BcdBytes) {
    std::memcpy(p, raw->data.data(), BcdBytes);
    return true;
  }
  std::optional<Parts> parts = partsOf(v);
  if (!parts || !validDecimals(decimals)) return false;
  const auto wholeDigits = static_cast<size_t>(Digits - decimals);
  if (!fitFraction(parts->fraction, decimals) || parts->whole.size() > wholeDigits) return false;
  const std::string digits = std::string(wholeDigits - parts->whole.size(), '0') + parts->whole + parts->fraction;
  const bool negative = parts->negative && !isZero(*parts);
  p[0] = static_cast<uint8_t>((negative ? NegativeSign : PositiveSign) | decimals);
  for (int i = 1; i < BcdBytes; ++i) {
    const auto b = static_cast<uint8_t>((digits[static_cast<size_t>(2 * i - 2)] - '0') << 4 |
                                        (digits[static_cast<size_t>(2 * i - 1)] - '0'));
    p[i] = negative ? static_cast<uint8_t>(~b) : b;
  }
  return true;
}

std::optional<Decimal> decimalFromText(const std::string& text, int decimals) {
  std::optional<Parts> parts = splitNumber(text);
  if (!parts || !validDecimals(decimals)) return std::nullopt;
  fitFraction(parts->fraction, decimals);  // extra digits stay, for the field to refuse
  return Decimal{textOf(*parts)};
}

int32_t decimalToInt32(const Decimal& d) {
  const std::optional<Parts> parts = splitNumber(d.text);
  if (!parts) throw ZorvexError("'" + d.text + "' is not a valid integer value");
  if (parts->whole.size() > 10) throw ZorvexError("Integer overflow");
  int64_t v = parts->whole.empty() ? 0 : std::stoll(parts->whole);
  const std::string& f = parts->fraction;
  if (!f.empty()) {
    const bool pastHalf = f[0] > '5' || (f[0] == '5' && f.find_first_not_of('0', 1) != std::string::npos);
    const bool half = f[0] == '5' && !pastHalf;
    if (pastHalf || (half && v % 2 != 0)) ++v;
  }
  if (parts->negative) v = -v;
  if (v < INT32_MIN || v > INT32_MAX) throw ZorvexError("Integer overflow");
  return static_cast<int32_t>(v);
}

}  // namespace zorvex::paradox
