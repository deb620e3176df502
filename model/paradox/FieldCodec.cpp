#include "model/paradox/FieldCodec.h"

#include <bit>
#include <cmath>
#include <limits>

#include "model/InputExcerpt.h"
#include "model/ZorvexError.h"
#include "model/paradox/Bcd.h"
#include "model/paradox/Bytes.h"

namespace zorvex::paradox {
namespace {

constexpr int64_t MsPerDay = 86400000;
const int64_t LastDay = dayNumber(Date{9999, 12, 31});

// Short and Long: two's complement with the sign bit inverted, so that the
// bytes sort like the numbers. All zero bytes (the minimum) mean empty.
int64_t decodeSigned(const uint8_t* p, int n) {
  const uint64_t sign = uint64_t{1} << (8 * n - 1);
  const uint64_t raw = readBe(p, n) ^ sign;
  return (raw & sign) ? static_cast<int64_t>(raw) - static_cast<int64_t>(sign << 1) : static_cast<int64_t>(raw);
}
void encodeSigned(uint8_t* p, int n, int64_t v) {
  const uint64_t sign = uint64_t{1} << (8 * n - 1);
  const uint64_t mask = n == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * n)) - 1;
  writeBe(p, n, (static_cast<uint64_t>(v) & mask) ^ sign);
}

// Number: positive values have the sign bit inverted, negative ones all bits.
double decodeDouble(const uint8_t* p) {
  uint64_t raw = readBe(p, 8);
  raw = (raw >> 63) ? raw ^ (uint64_t{1} << 63) : ~raw;
  return std::bit_cast<double>(raw);
}
void encodeDouble(uint8_t* p, double d) {
  uint64_t bits = std::bit_cast<uint64_t>(d);
  bits = (bits >> 63) ? ~bits : bits ^ (uint64_t{1} << 63);
  writeBe(p, 8, bits);
}

Value decodeDate(const uint8_t* p) {
  const int64_t day = decodeSigned(p, 4);
  if (day < 1 || day > LastDay) return static_cast<int32_t>(day);
  return dateFromDayNumber(day);
}

Value decodeTime(const uint8_t* p) {
  const int64_t ms = decodeSigned(p, 4);
  if (ms < 0 || ms >= MsPerDay) return static_cast<int32_t>(ms);
  return TimeOfDay{static_cast<int32_t>(ms)};
}

Value decodeTimestamp(const uint8_t* p) {
  const double ms = decodeDouble(p);
  if (!(ms >= static_cast<double>(MsPerDay)) || ms >= static_cast<double>((LastDay + 1) * MsPerDay)) return ms;
  const auto whole = static_cast<int64_t>(ms);
  return Timestamp{dateFromDayNumber(whole / MsPerDay), static_cast<int32_t>(whole % MsPerDay)};
}

std::string alphaBytes(const uint8_t* p, int size) {
  int len = 0;
  while (len < size && p[len] != 0) ++len;
  return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(len));
}

}  // namespace

Value decodeField(const Field& f, const uint8_t* p, const CodePage& cp) {
  if (allZero(p, static_cast<size_t>(f.size))) return std::monostate{};
  switch (f.type) {
    case FieldType::Alpha: return cp.toUtf8(alphaBytes(p, f.size));
    case FieldType::Short: return static_cast<int32_t>(decodeSigned(p, 2));
    case FieldType::Long:
    case FieldType::AutoInc: return static_cast<int32_t>(decodeSigned(p, 4));
    case FieldType::Number:
    case FieldType::Currency: return decodeDouble(p);
    case FieldType::Logical: return (p[0] & 0x7F) != 0;
    case FieldType::Date: return decodeDate(p);
    case FieldType::Time: return decodeTime(p);
    case FieldType::Timestamp: return decodeTimestamp(p);
    case FieldType::Bcd: return decodeBcd(p, f.decimals);
    case FieldType::Bytes: return Bytes{std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(f.size))};
    default:
      return BlobPlaceholder{static_cast<uint8_t>(f.type),
                             std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(f.size))};
  }
}

bool decodeAlphaField(const Field& f, const uint8_t* p, const CodePage& cp, std::string& out) {
  if (f.type != FieldType::Alpha) return false;
  size_t len = 0;
  while (len < static_cast<size_t>(f.size) && p[len] != 0) ++len;
  const std::string_view bytes(reinterpret_cast<const char*>(p), len);
  bool ascii = true;
  for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii)
    out.assign(bytes);
  else
    out = cp.toUtf8(bytes);
  return true;
}

namespace {

[[noreturn]] void refuse(const Field& f, const Value& v) {
  std::string shown = displayText(v);
  if (std::holds_alternative<std::string>(v)) shown = "'" + inputExcerpt(shown) + "'";
  throw ZorvexError("The value " + shown + " cannot be stored in the " + typeName(f.type) + " field '" + f.name + "'");
}

void encodeAlpha(const Field& f, const Value& v, uint8_t* p, const CodePage& cp) {
  const auto* text = std::get_if<std::string>(&v);
  if (text == nullptr) refuse(f, v);
  const std::string bytes = cp.fromUtf8(*text);
  if (bytes.find('\0') != std::string::npos)
    throw ZorvexError("The text '" + inputExcerpt(*text) + "' cannot be stored in code page " +
                      std::to_string(cp.effective()));
  if (bytes.size() > static_cast<size_t>(f.size))
    throw ZorvexError("The text '" + inputExcerpt(*text) + "' is longer than the " + std::to_string(f.size) +
                      " characters of field '" + f.name + "'");
  std::memcpy(p, bytes.data(), bytes.size());
}

// Integers the field's bytes can hold; the all-zero minimum is the empty cell.
void encodeInteger(const Field& f, const Value& v, uint8_t* p, int n) {
  const auto* i = std::get_if<int32_t>(&v);
  const int64_t limit = n == 2 ? 32767 : 2147483647;
  if (i == nullptr || *i < -limit || *i > limit) refuse(f, v);
  encodeSigned(p, n, *i);
}

void encodeNumber(const Field& f, const Value& v, uint8_t* p) {
  double d = 0;
  if (const auto* i = std::get_if<int32_t>(&v))
    d = *i;
  else if (const auto* x = std::get_if<double>(&v))
    d = *x;
  else
    refuse(f, v);
  if (!std::isfinite(d)) refuse(f, v);
  encodeDouble(p, d);
}

void encodeDate(const Field& f, const Value& v, uint8_t* p) {
  const auto* d = std::get_if<Date>(&v);
  if (d == nullptr || !isValidDate(*d)) refuse(f, v);
  encodeSigned(p, 4, dayNumber(*d));
}

void encodeTime(const Field& f, const Value& v, uint8_t* p) {
  const auto* t = std::get_if<TimeOfDay>(&v);
  if (t == nullptr || t->ms < 0 || t->ms >= MsPerDay) refuse(f, v);
  encodeSigned(p, 4, t->ms);
}

void encodeTimestamp(const Field& f, const Value& v, uint8_t* p) {
  const auto* t = std::get_if<Timestamp>(&v);
  if (t == nullptr || !isValidDate(t->date) || t->ms < 0 || t->ms >= MsPerDay) refuse(f, v);
  encodeDouble(p, static_cast<double>(dayNumber(t->date) * MsPerDay + t->ms));
}

void encodeBytes(const Field& f, const Value& v, uint8_t* p) {
  const auto* b = std::get_if<Bytes>(&v);
  if (b == nullptr || b->data.size() > static_cast<size_t>(f.size)) refuse(f, v);
  std::memcpy(p, b->data.data(), b->data.size());
}

// Memo and binary cells can only be written back as they were read.
void encodeBlob(const Field& f, const Value& v, uint8_t* p) {
  const auto* b = std::get_if<BlobPlaceholder>(&v);
  if (b == nullptr || b->leading.size() != static_cast<size_t>(f.size)) refuse(f, v);
  std::memcpy(p, b->leading.data(), b->leading.size());
}

}  // namespace

void encodeField(const Field& f, const Value& v, uint8_t* p, const CodePage& cp) {
  std::memset(p, 0, static_cast<size_t>(f.size));
  if (isEmpty(v)) return;
  switch (f.type) {
    case FieldType::Alpha: return encodeAlpha(f, v, p, cp);
    case FieldType::Short: return encodeInteger(f, v, p, 2);
    case FieldType::Long:
    case FieldType::AutoInc: return encodeInteger(f, v, p, 4);
    case FieldType::Number:
    case FieldType::Currency: return encodeNumber(f, v, p);
    case FieldType::Logical:
      if (!std::holds_alternative<bool>(v)) refuse(f, v);
      p[0] = std::get<bool>(v) ? 0x81 : 0x80;
      return;
    case FieldType::Date: return encodeDate(f, v, p);
    case FieldType::Time: return encodeTime(f, v, p);
    case FieldType::Timestamp: return encodeTimestamp(f, v, p);
    case FieldType::Bytes: return encodeBytes(f, v, p);
    case FieldType::Bcd:
      if (!encodeBcd(v, f.decimals, p)) refuse(f, v);
      return;
    default: return encodeBlob(f, v, p);
  }
}

}  // namespace zorvex::paradox
