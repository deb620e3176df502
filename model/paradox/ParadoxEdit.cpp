// Row edits of an open table: each one rebuilds the file in memory from the
// table's own header and records and replaces the file atomically.
#include <algorithm>

#include "model/ZorvexError.h"
#include "model/paradox/Bytes.h"
#include "model/paradox/FieldCodec.h"
#include "model/paradox/ParadoxTable.h"

namespace zorvex::paradox {

std::vector<uint8_t> ParadoxTable::encodeRow(const Row& values) const {
  const TableData& d = data();
  if (!lock_.held()) throw ZorvexError("Table " + path_ + " has no file and cannot be edited");
  // Rewriting the data blocks would leave the primary index (.PX) stale.
  if (d.header().fileType == 0) throw ZorvexError("Table " + path_ + " has a primary index and cannot be edited");
  const auto& fs = d.fields();
  if (values.size() != fs.size())
    throw ZorvexError("A row of table " + path_ + " needs " + std::to_string(fs.size()) + " values");
  std::vector<uint8_t> rec(d.header().recordSize, 0);
  for (size_t c = 0; c < fs.size(); ++c) {
    Value v = values[c];
    if (fs[c].type == FieldType::AutoInc && isEmpty(v)) {
      uint32_t last = d.header().autoIncrement;
      for (size_t r = 0; r < d.rowCount(); ++r) {
        const Value old = d.value(r, static_cast<int>(c));
        if (const auto* i = std::get_if<int32_t>(&old); i != nullptr && *i > 0)
          last = std::max(last, static_cast<uint32_t>(*i));
      }
      if (last >= 2147483647u) throw ZorvexError("Integer overflow");
      v = static_cast<int32_t>(last + 1);
    }
    encodeField(fs[c], v, rec.data() + d.header().offsets[c], d.codePage());
  }
  return rec;
}

void ParadoxTable::rewrite(std::vector<const uint8_t*> records, uint32_t autoInc) {
  const TableData& d = data();
  const TableHeader& h = d.header();
  std::vector<uint8_t> header(d.bytes().begin(), d.bytes().begin() + h.headerSize);
  const int kib = chooseBlockSizeKiB(h.recordSize, records.size(), h.blockSizeKiB);
  if (kib == 0) throw ZorvexError("Table " + path_ + " is full");
  header[offsets::BlockSize] = static_cast<uint8_t>(kib);
  bool hasAutoInc = false;
  for (const Field& f : h.fields) hasAutoInc = hasAutoInc || f.type == FieldType::AutoInc;
  if (hasAutoInc) writeLe32(header.data() + offsets::AutoInc, std::max(autoInc, h.autoIncrement));
  auto fresh = std::make_unique<TableData>(
      assembleTable(header.data(), header.size(), h.recordSize, static_cast<size_t>(kib), records), path_);
  FileLock lock = replaceFile(path_, fresh->bytes());
  data_ = std::move(fresh);
  lock_ = std::move(lock);  // the new file is locked before the old lock goes
  row_ = std::min(row_, data_->rowCount());
}

namespace {

std::vector<const uint8_t*> allRecords(const TableData& d) {
  std::vector<const uint8_t*> out(d.rowCount());
  for (size_t r = 0; r < d.rowCount(); ++r) out[r] = d.record(r);
  return out;
}

// The largest Autoincrement value in a new record, for the header's counter.
uint32_t autoIncOf(const TableData& d, const std::vector<uint8_t>& rec) {
  uint32_t best = 0;
  for (size_t c = 0; c < d.fields().size(); ++c)
    if (d.fields()[c].type == FieldType::AutoInc)
      if (const Value v = decodeField(d.fields()[c], rec.data() + d.header().offsets[c], d.codePage());
          std::holds_alternative<int32_t>(v) && std::get<int32_t>(v) > 0)
        best = std::max(best, static_cast<uint32_t>(std::get<int32_t>(v)));
  return best;
}

}  // namespace

void ParadoxTable::updateRow(size_t row, const Row& values) {
  if (row >= rowCount()) throw ZorvexError("Table " + path_ + " has no row " + std::to_string(row + 1));
  const std::vector<uint8_t> rec = encodeRow(values);
  std::vector<const uint8_t*> records = allRecords(*data_);
  records[row] = rec.data();
  rewrite(std::move(records), autoIncOf(*data_, rec));
}

void ParadoxTable::insertRow(size_t position, const Row& values) {
  if (position > rowCount()) throw ZorvexError("Table " + path_ + " has no row " + std::to_string(position + 1));
  const std::vector<uint8_t> rec = encodeRow(values);
  std::vector<const uint8_t*> records = allRecords(*data_);
  records.insert(records.begin() + static_cast<long>(position), rec.data());
  rewrite(std::move(records), autoIncOf(*data_, rec));
}

void ParadoxTable::deleteRow(size_t row) {
  if (row >= rowCount()) throw ZorvexError("Table " + path_ + " has no row " + std::to_string(row + 1));
  encodeRow(this->row(row));  // the same checks as the other edits
  std::vector<const uint8_t*> records = allRecords(*data_);
  records.erase(records.begin() + static_cast<long>(row));
  rewrite(std::move(records), 0);
}

}  // namespace zorvex::paradox
