#include "model/paradox/ParadoxTable.h"

#include <cmath>

#include "model/ZorvexError.h"
#include "model/paradox/Bcd.h"
#include "model/paradox/FieldCodec.h"
#include "model/paradox/ValueParse.h"

namespace zorvex::paradox {
namespace {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
int32_t roundedToInt32(double d) {
  if (!std::isfinite(d)) throw ZorvexError("Integer overflow");
  double r = std::floor(d);
  const double frac = d - r;
  if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0)) r += 1;
  if (r < -2147483648.0 || r > 2147483647.0) throw ZorvexError("Integer overflow");
  return static_cast<int32_t>(r);
}

int32_t integerFromText(const std::string& text) {
  if (text.empty()) return 0;
  int32_t v = 0;
  bool overflow = false;
  if (!parseInteger(text, v, overflow)) throw ZorvexError("'" + text + "' is not a valid integer value");
  if (overflow) throw ZorvexError("Integer overflow");
  return v;
}

bool isBinary(FieldType t) { return isBlobType(t) || t == FieldType::Bytes; }

}  // namespace

ParadoxTable::ParadoxTable(std::unique_ptr<TableData> data, FileLock lock, std::string path)
    : data_(std::move(data)), lock_(std::move(lock)), path_(std::move(path)) {}

std::unique_ptr<ParadoxTable> ParadoxTable::open(const std::string& path) {
  std::vector<uint8_t> bytes;
  FileLock lock = openLocked(path, bytes);
  auto data = std::make_unique<TableData>(std::move(bytes), path);
  return std::unique_ptr<ParadoxTable>(new ParadoxTable(std::move(data), std::move(lock), path));
}

std::unique_ptr<ParadoxTable> ParadoxTable::fromBytes(std::vector<uint8_t> bytes, const std::string& name) {
  auto data = std::make_unique<TableData>(std::move(bytes), name);
  return std::unique_ptr<ParadoxTable>(new ParadoxTable(std::move(data), FileLock(), name));
}

const TableData& ParadoxTable::data() const {
  if (!data_) throw ZorvexError("Table " + path_ + " is closed");
  return *data_;
}

const Field& ParadoxTable::field(int column) const {
  const auto& fs = data().fields();
  if (column < 0 || static_cast<size_t>(column) >= fs.size())
    throw ZorvexError("Table " + path_ + " has no column " + std::to_string(column));
  return fs[static_cast<size_t>(column)];
}

void ParadoxTable::next() {
  if (!eof()) ++row_;
}

int ParadoxTable::columnIndex(std::string_view name) const { return data().columnIndex(name); }

int32_t ParadoxTable::integerAt(int column) const {
  const Field& f = field(column);
  int32_t quick = 0;
  if (row_ < data_->rowCount() && decodeIntegerField(f, data_->cell(row_, column), quick)) return quick;
  const Value v = value(row_, column);
  switch (f.type) {
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoInc: return isEmpty(v) ? 0 : std::get<int32_t>(v);
    case FieldType::Number:
    case FieldType::Currency: return isEmpty(v) ? 0 : roundedToInt32(std::get<double>(v));
    case FieldType::Bcd:
      if (isEmpty(v)) return 0;
      if (const auto* d = std::get_if<Decimal>(&v)) return decimalToInt32(*d);
      throw ZorvexError("'" + paradox::displayText(v) + "' is not a valid integer value");
    case FieldType::Alpha: return isEmpty(v) ? 0 : integerFromText(std::get<std::string>(v));
    default:
      throw ZorvexError("Field '" + f.name + "' is a " + typeName(f.type) + " field and cannot be read as an integer");
  }
}

std::string ParadoxTable::textAt(int column) const {
  const Field& f = field(column);
  if (isBinary(f.type))
    throw ZorvexError("Field '" + f.name + "' is a memo or binary field and cannot be read as text");
  return paradox::displayText(value(row_, column));
}

bool ParadoxTable::integersAt(const int* columns, size_t count, int32_t* out) const {
  if (!data_ || row_ >= data_->rowCount()) return false;
  const auto& fs = data_->fields();
  for (size_t i = 0; i < count; ++i) {
    const int c = columns[i];
    if (c < 0 || static_cast<size_t>(c) >= fs.size() || !decodeIntegerField(fs[static_cast<size_t>(c)], data_->cell(row_, c), out[i]))
      return false;
  }
  return true;
}

void ParadoxTable::textInto(int column, std::string& out) const {
  const Field& f = field(column);
  if (row_ < data_->rowCount() && decodeAlphaField(f, data_->cell(row_, column), data_->codePage(), out)) return;
  out = textAt(column);
}

void ParadoxTable::close() {
  data_.reset();
  lock_.release();
  row_ = 0;
}

const std::vector<Field>& ParadoxTable::fields() const { return data().fields(); }
size_t ParadoxTable::rowCount() const { return data().rowCount(); }
int ParadoxTable::codePage() const { return data().codePage().number(); }

Value ParadoxTable::value(size_t row, int column) const {
  field(column);
  if (row >= data().rowCount()) throw ZorvexError("Table " + path_ + " has no row " + std::to_string(row + 1));
  return data_->value(row, column);
}

std::string ParadoxTable::displayText(size_t row, int column) const { return paradox::displayText(value(row, column)); }

Row ParadoxTable::row(size_t row) const {
  Row out;
  for (int c = 0; c < static_cast<int>(fields().size()); ++c) out.push_back(value(row, c));
  return out;
}

std::unique_ptr<TableCursor> openTable(const std::string& path) { return ParadoxTable::open(path); }

TableOpener tableOpener() {
  return [](const std::string& path) { return openTable(path); };
}

}  // namespace zorvex::paradox
