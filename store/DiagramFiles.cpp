#include "store/DiagramFiles.h"

#include <algorithm>
#include <cctype>

#include "model/LoadElements.h"
#include "model/paradox/CodePage.h"
#include "model/AtomicFiles.h"
#include "store/DiagramJson.h"
#include "store/DiagramToRows.h"
#include "store/RowsLoading.h"
#include "store/TableFiles.h"
#include "store/TextFiles.h"

namespace zorvex {
namespace {

namespace fs = std::filesystem;

constexpr int TableCodePage = 1252;
constexpr size_t AlphaLimit = 255;

OpenResult openJson(Diagram& into, const fs::path& file, const Geometry& shortForms) {
  OpenResult result;
  try {
    const DiagramRows rows = diagramFromJsonFile(file.string(), shortForms);
    result.error = loadRows(into, rows);
    applyStatuses(into, rows);
  } catch (const ZorvexError& e) {
    result.error = e;
  }
  return result;
}

bool plainAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c > 0 && static_cast<unsigned char>(c) < 0x80; });
}

// Every sentence the tables will hold, in its table's code page and within
// an Alpha field, checked before anything is written.
void checkTableTexts(const Diagram& d) {
  const paradox::CodePage codePage(TableCodePage);
  for (int32_t n = 0; n < d.SentenceCount(); ++n) {
    const TSentence& s = d.sentence(n);
    if (s.Deleted || (s.Text.size() <= AlphaLimit && plainAscii(s.Text))) continue;
    const std::string refused = "The text of " + Diagram::name(ElementKind::Sentence, n) + " ('" + s.Text +
                                "') cannot be stored in code page " + std::to_string(TableCodePage);
    std::string bytes;
    try {
      bytes = codePage.fromUtf8(s.Text);
    } catch (const ZorvexError&) {
      throw ZorvexError(refused);
    }
    if (bytes.find('\0') != std::string::npos) throw ZorvexError(refused);
    if (bytes.size() > AlphaLimit)
      throw ZorvexError("The text of " + Diagram::name(ElementKind::Sentence, n) + " is longer than the " +
                        std::to_string(AlphaLimit) + " characters a table can hold");
  }
}

void ensureFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return;
  fs::create_directories(folder, ec);
  if (ec) throw ZorvexError("Cannot create folder " + folder.string() + ": " + ec.message());
}

void refuseTablesInUse(const fs::path& folder, const SaveOptions& options) {
  if (!options.tableInUse) return;
  for (const char* file : {SentencesTableFile, ArrowsTableFile, DefeatersTableFile}) {
    const fs::path table = folder / file;
    std::error_code ec;
    const fs::path full = fs::weakly_canonical(fs::absolute(table), ec);
    if (options.tableInUse(ec ? table : full))
      throw ZorvexError("Cannot save into " + folder.string() + ": the table " + table.string() +
                        " is open in a table view");
  }
}

void saveTables(const Diagram& d, const fs::path& where, const SaveOptions& options) {
  const fs::path folder = where.empty() ? fs::path(".") : where;
  refuseTablesInUse(folder, options);
  checkTableTexts(d);
  const TableImages images = buildTableImages(rowsOfDiagram(d, WithStatuses::No));
  ensureFolder(folder);
  replaceTables(images, folder.string());
}

void saveJson(const Diagram& d, const fs::path& file) {
  const std::string json = diagramToJson(rowsOfDiagram(d, WithStatuses::Yes));
  replaceFiles({{file.string(), json}}, "Cannot create file");
}

}  // namespace

DiagramLocation locationFor(const fs::path& chosen) {
  std::string extension = chosen.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return {chosen, extension == ".json" ? DiagramFormat::Json : DiagramFormat::Tables};
}

OpenResult openDiagram(Diagram& into, const DiagramLocation& where, const TableOpener& open) {
  // Without a sentence font, texts cannot be measured: only border points are computed.
  return openDiagram(into, where, open, borderPointGeometry());
}

OpenResult openDiagram(Diagram& into, const DiagramLocation& where, const TableOpener& open,
                       const Geometry& shortForms) {
  if (where.format == DiagramFormat::Json) return openJson(into, where.path, shortForms);
  LoadResult loaded = LoadElements(into, where.path.string(), open);
  return {std::move(loaded.error), std::move(loaded.leftOpen)};
}

void saveDiagram(const Diagram& d, const DiagramLocation& where, const SaveOptions& options) {
  if (where.format == DiagramFormat::Json)
    saveJson(d, where.path);
  else
    saveTables(d, where.path, options);
}

fs::path recoveryFile(const fs::path& dataFolder) { return dataFolder / "Recovered diagram.json"; }

void writeRecoveryCopy(const Diagram& d, const fs::path& file) {
  if (!file.parent_path().empty()) ensureFolder(file.parent_path());
  saveJson(d, file);
}

}  // namespace zorvex
