#include "store/TableFiles.h"

#include <algorithm>
#include <filesystem>

#include "model/LoadElements.h"
#include "model/ZorvexError.h"
#include "model/paradox/FileIo.h"
#include "model/paradox/TableWriter.h"
#include "model/AtomicFiles.h"

namespace zorvex {
namespace {

using paradox::Field;
using paradox::FieldType;
using paradox::Row;

const char* const TableFiles[3] = {SentencesTableFile, ArrowsTableFile, DefeatersTableFile};

// The widest text of a column in UTF-8 bytes: never fewer bytes than in a
// single-byte code page, and Alpha fields hold 1 to 255.
template <class R, size_t N>
std::vector<Field> fieldsFor(const std::vector<R>& rows, const std::array<Column<R>, N>& columns) {
  std::vector<Field> fields;
  for (const auto& c : columns) {
    if (c.integer) {
      fields.push_back({c.name, FieldType::Long, 4});
      continue;
    }
    size_t widest = 1;
    for (const R& r : rows) widest = std::max(widest, (r.*c.text).size());
    fields.push_back({c.name, FieldType::Alpha, static_cast<int>(std::min<size_t>(widest, 255))});
  }
  return fields;
}

template <class R, size_t N>
std::vector<uint8_t> buildImage(const std::vector<R>& rows, const std::array<Column<R>, N>& columns,
                                const char* file) {
  paradox::WriteOptions options;
  options.tableName = std::filesystem::path(file).stem().string();
  // Row by row: a million rows as Values would cost several times the file.
  const auto rowAt = [&](size_t i, Row& row) {
    row.clear();
    for (const auto& c : columns) {
      if (c.integer)
        row.emplace_back(rows[i].*c.integer);
      else
        row.emplace_back(rows[i].*c.text);
    }
  };
  return paradox::buildTableByRows(fieldsFor(rows, columns), rows.size(), rowAt, options);
}

std::string_view bytesOf(const std::vector<uint8_t>& image) {
  return {reinterpret_cast<const char*>(image.data()), image.size()};
}

}  // namespace

std::string tablePath(const std::string& directory, const char* file) {
  if (directory.empty() || directory == ".") return file;
  return directory.back() == '/' ? directory + file : directory + "/" + file;
}

TableImages buildTableImages(const DiagramRows& rows) {
  return {buildImage(rows.sentences, sentenceColumns(), TableFiles[0]),
          buildImage(rows.arrows, arrowColumns(), TableFiles[1]),
          buildImage(rows.defeaters, defeaterColumns(), TableFiles[2])};
}

void replaceTables(const TableImages& images, const std::string& directory) {
  const std::vector<uint8_t>* const bytes[3] = {&images.sentences, &images.arrows, &images.defeaters};
  std::vector<FileContents> files;
  std::vector<paradox::FileLock> locks;  // held until the new tables are in place
  for (int i = 0; i < 3; ++i) {
    files.push_back({tablePath(directory, TableFiles[i]), bytesOf(*bytes[i])});
    locks.push_back(paradox::lockIfExists(files.back().path));
  }
  replaceFiles(files, "Cannot write table");
}

void writeTables(const DiagramRows& rows, const std::string& directory) {
  replaceTables(buildTableImages(rows), directory);
}

void writeDiagramTables(const DiagramRows& rows, const std::string& directory, bool force) {
  if (!force)
    for (const char* f : TableFiles)
      if (std::filesystem::exists(tablePath(directory, f)))
        throw ZorvexError("Table " + tablePath(directory, f) + " already exists (use --force to replace it)");
  if (!directory.empty() && !std::filesystem::is_directory(directory))
    throw ZorvexError("Cannot create file " + tablePath(directory, TableFiles[0]));
  writeTables(rows, directory);
}

}  // namespace zorvex
