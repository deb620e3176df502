#include "tools/TableFiles.h"

#include <algorithm>
#include <filesystem>

#include "model/LoadElements.h"
#include "model/paradox/FileIo.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"

namespace zorvex::tools {
namespace {

using paradox::Field;
using paradox::FieldType;
using paradox::Row;

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
  std::vector<Row> cells;
  cells.reserve(rows.size());
  for (const R& r : rows) {
    Row& row = cells.emplace_back();
    row.reserve(N);
    for (const auto& c : columns) {
      if (c.integer)
        row.emplace_back(r.*c.integer);
      else
        row.emplace_back(r.*c.text);
    }
  }
  paradox::WriteOptions options;
  options.tableName = std::filesystem::path(file).stem().string();
  return paradox::buildTable(fieldsFor(rows, columns), cells, options);
}

}  // namespace

std::string tablePath(const std::string& directory, const char* file) {
  if (directory.empty() || directory == ".") return file;
  return directory.back() == '/' ? directory + file : directory + "/" + file;
}

void writeDiagramTables(const DiagramRows& rows, const std::string& directory, bool force) {
  const char* files[3] = {SentencesTableFile, ArrowsTableFile, DefeatersTableFile};
  if (!force)
    for (const char* f : files)
      if (std::filesystem::exists(tablePath(directory, f)))
        throw ZorvexError("Table " + tablePath(directory, f) + " already exists (use --force to replace it)");
  if (!directory.empty() && !std::filesystem::is_directory(directory))
    throw ZorvexError("Cannot create file " + tablePath(directory, files[0]));
  const std::vector<uint8_t> images[3] = {buildImage(rows.sentences, sentenceColumns(), files[0]),
                                          buildImage(rows.arrows, arrowColumns(), files[1]),
                                          buildImage(rows.defeaters, defeaterColumns(), files[2])};
  for (int i = 0; i < 3; ++i) {
    const std::string path = tablePath(directory, files[i]);
    paradox::FileLock old = paradox::lockIfExists(path);  // refuses a table the program has open
    paradox::replaceFile(path, images[i]);
  }
}

Diagram loadDiagram(const std::string& directory) {
  Diagram diagram;
  LoadResult result = LoadElements(diagram, directory.empty() ? "." : directory, paradox::tableOpener());
  if (result.error) throw *result.error;
  return diagram;
}

}  // namespace zorvex::tools
