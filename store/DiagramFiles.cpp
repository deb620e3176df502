#include "store/DiagramFiles.h"

#include <algorithm>
#include <cctype>

#include "aif/AifFiles.h"
#include "argdown/ArgdownFiles.h"
#include "model/LoadElements.h"
#include "model/paradox/CodePage.h"
#include "model/AtomicFiles.h"
#include "store/DiagramJson.h"
#include "store/DiagramToRows.h"
#include "store/FilePieces.h"
#include "store/PlainJsonRows.h"
#include "store/RowsLoading.h"
#include "store/TableFiles.h"
#include "store/WrittenJson.h"

namespace zorvex {
namespace {

namespace fs = std::filesystem;

constexpr int TableCodePage = 1252;
constexpr size_t AlphaLimit = 255;

// What is wrong inside a diagram file is told with the file's name; a file
// that cannot be opened at all says so by itself.
OpenResult openJson(Diagram& into, const fs::path& file, const Geometry& shortForms) {
  OpenResult result;
  try {
    {
      FilePieces pieces(file.string());
      if (loadWrittenJson(into, pieces, &shortForms)) return result;
    }
    into = Diagram();
    {
      FilePieces pieces(file.string());
      FileJsonBytes bytes(pieces);
      if (loadPlainJson(into, bytes)) return result;
    }
    into = Diagram();
    const DiagramRows rows = diagramFromJsonFile(file.string(), shortForms);
    result.error = loadRows(into, rows);
    applyStatuses(into, rows);
  } catch (const ZorvexError& e) {
    result.error = e;
  }
  const bool unopened = result.error && result.error->message().rfind("Cannot open file ", 0) == 0;
  if (result.error && !unopened)
    result.error = ZorvexError("Cannot read diagram file " + file.string() + ": " + result.error->message());
  return result;
}

// Without the sentence font: about the size of FreeSans's average letter.
TextSize estimatedSize(const std::string& text) { return {static_cast<int32_t>(7 * text.size()), 13}; }

OpenResult openAif(Diagram& into, const fs::path& file, const Geometry& shortForms) {
  OpenResult result;
  result.fromAif = true;
  try {
    Diagram read;
    result.report = readAifFile(read, file, shortForms.textSize ? shortForms.textSize : estimatedSize).report;
    into = std::move(read);
  } catch (const ZorvexError& e) {
    const bool unopened = e.message().rfind("Cannot open file ", 0) == 0;
    result.error = unopened ? e : ZorvexError("Cannot read AIF map " + file.string() + ": " + e.message());
  }
  return result;
}

OpenResult openArgdown(Diagram& into, const fs::path& file, const Geometry& shortForms) {
  OpenResult result;
  result.fromAif = true;
  try {
    Diagram read;
    result.report = readArgdownFile(read, file, shortForms.textSize ? shortForms.textSize : estimatedSize).report;
    into = std::move(read);
  } catch (const ZorvexError& e) {
    const bool unopened = e.message().rfind("Cannot open file ", 0) == 0;
    result.error = unopened ? e : ZorvexError("Cannot read Argdown text " + file.string() + ": " + e.message());
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

// No separator at the end.
fs::path withoutSeparator(fs::path p) {
  if (p.filename().empty() && p != p.root_path()) p = p.parent_path();
  return p;
}

// Makes the folder and any missing folders above it; returns the outermost
// one it made, or nothing when the folder was there.
fs::path ensureFolder(const fs::path& given) {
  const fs::path folder = withoutSeparator(given);
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return {};
  fs::path outermost = folder;
  for (fs::path p = folder.parent_path(); !p.empty() && p != p.parent_path() && !fs::exists(p, ec); p = p.parent_path())
    outermost = p;
  fs::create_directories(folder, ec);
  if (ec) throw ZorvexError("Cannot create folder " + given.string() + ": " + ec.message());
  return outermost;
}

// After a failed save: the folders it made go again, innermost first, as
// long as they are empty.
void removeMadeFolders(const fs::path& given, const fs::path& outermost) {
  if (outermost.empty()) return;
  std::error_code ec;
  for (fs::path p = withoutSeparator(given);; p = p.parent_path()) {
    if (!fs::remove(p, ec) || p == outermost || p.empty()) return;
  }
}

// Writes into `folder`, made first if needed; a failure takes back the folders it made.
template <class Write>
void intoFolder(const fs::path& folder, Write write) {
  const fs::path made = ensureFolder(folder);
  try {
    write();
  } catch (...) {
    removeMadeFolders(folder, made);
    throw;
  }
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
  intoFolder(folder, [&] { replaceTables(images, folder.string()); });
}

void saveJson(const Diagram& d, const fs::path& file) {
  const std::string json = diagramToJson(rowsOfDiagram(d, WithStatuses::Yes));
  replaceFiles({{file.string(), json}}, "Cannot create file");
}

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Absolute and without "." or "..", no separator at the end.
fs::path fullPath(const fs::path& given) {
  std::error_code ec;
  const fs::path full = fs::absolute(given.empty() ? fs::path(".") : given, ec);
  return withoutSeparator((ec ? given : full).lexically_normal());
}

}  // namespace

DiagramLocation locationFor(const fs::path& chosen) {
  if (lowerCase(chosen.extension().string()) == ".json") return {chosen, DiagramFormat::Json};
  // An AIF map is known by its content, whatever it is called.
  if (isAifFile(chosen) || isArgdownName(chosen)) return {chosen, DiagramFormat::Json};
  return {chosen, DiagramFormat::Tables};
}

DiagramLocation exportLocationFor(const fs::path& chosen) {
  if (isArgdownName(chosen)) return {chosen, DiagramFormat::Argdown};
  if (lowerCase(chosen.extension().string()) == ".graphml") return {chosen, DiagramFormat::GraphMl};
  return {chosen, DiagramFormat::Aif};
}

std::string exportedText(DiagramFormat format) {
  if (format == DiagramFormat::Argdown)
    return "Exported as Argdown: the statuses of arrows and defeaters are not kept in Argdown.";
  if (format == DiagramFormat::GraphMl) return "Exported as GraphML, for graph editors: it is not opened again.";
  return "Exported as AIF: positions and statuses are not kept in AIF.";
}

DiagramLocation saveLocationFor(const fs::path& chosen) {
  std::error_code ec;
  if (fs::is_directory(chosen, ec)) return {chosen, DiagramFormat::Tables};
  const std::string name = lowerCase(chosen.filename().string());
  for (const char* table : {SentencesTableFile, ArrowsTableFile, DefeatersTableFile})
    if (name == lowerCase(table)) return {chosen.parent_path(), DiagramFormat::Tables};
  return locationFor(chosen);
}

bool holdsDiagram(const DiagramLocation& where) {
  std::error_code ec;
  if (where.format != DiagramFormat::Tables) return fs::exists(where.path, ec);
  const fs::path folder = where.path.empty() ? fs::path(".") : where.path;
  for (const char* table : {SentencesTableFile, ArrowsTableFile, DefeatersTableFile})
    if (fs::exists(folder / table, ec)) return true;
  return false;
}

bool sameLocation(const DiagramLocation& a, const DiagramLocation& b) {
  if (a.format != b.format) return false;
  std::error_code ec;
  const fs::path first = fs::weakly_canonical(fullPath(a.path), ec);
  if (ec) return fullPath(a.path) == fullPath(b.path);
  const fs::path second = fs::weakly_canonical(fullPath(b.path), ec);
  if (ec) return fullPath(a.path) == fullPath(b.path);
  return withoutSeparator(first) == withoutSeparator(second);
}

std::string shownPath(const DiagramLocation& where) { return fullPath(where.path).string(); }

OpenResult openDiagram(Diagram& into, const DiagramLocation& where, const TableOpener& open) {
  // Without a sentence font, texts cannot be measured: only border points are computed.
  return openDiagram(into, where, open, borderPointGeometry());
}

OpenResult openDiagram(Diagram& into, const DiagramLocation& where, const TableOpener& open,
                       const Geometry& shortForms) {
  if (where.format != DiagramFormat::Tables && isArgdownName(where.path))
    return openArgdown(into, where.path, shortForms);
  if (where.format != DiagramFormat::Tables && isAifFile(where.path)) return openAif(into, where.path, shortForms);
  if (where.format != DiagramFormat::Tables) return openJson(into, where.path, shortForms);
  // A save into the folder that was stopped between its renames leaves the old tables complete again.
  settleStoppedReplacements(where.path.string());
  LoadResult loaded = LoadElements(into, where.path.string(), open);
  OpenResult result;
  result.error = std::move(loaded.error);
  result.leftOpen = std::move(loaded.leftOpen);
  return result;
}

void saveDiagram(const Diagram& d, const DiagramLocation& where, const SaveOptions& options) {
  if (where.format == DiagramFormat::Json)
    saveJson(d, where.path);
  else if (where.format == DiagramFormat::Aif)
    replaceFiles({{where.path.string(), aifOfDiagram(d)}}, "Cannot create file");
  else if (where.format == DiagramFormat::Argdown)
    replaceFiles({{where.path.string(), writeArgdown(d).text}}, "Cannot create file");
  else if (where.format == DiagramFormat::GraphMl)
    replaceFiles({{where.path.string(), graphMlOfDiagram(d)}}, "Cannot create file");
  else
    saveTables(d, where.path, options);
}

bool tablesLeaveOutStatuses(const Diagram& d) {
  const auto kept = [](const auto& e) { return !e.Deleted && e.Status != NotEvaluated; };
  return std::any_of(d.sentences().begin(), d.sentences().end(), kept) ||
         std::any_of(d.arrows().begin(), d.arrows().end(), kept) ||
         std::any_of(d.defeaters().begin(), d.defeaters().end(), [](const TDefeater& f) {
           return !f.Deleted && !f.Incomplete && f.DefeaterState != DefeaterState::ActiveNorInactive;
         });
}

void writeRecoveryCopy(const Diagram& d, const fs::path& file) {
  writeRecoveryCopy(rowsOfDiagram(d, WithStatuses::Yes), file);
}

void writeRecoveryCopy(const DiagramRows& rows, const fs::path& file) {
  const auto write = [&] {
    const std::string json = diagramToJson(rows);
    replaceFiles({{file.string(), json}}, "Cannot create file");
  };
  if (file.parent_path().empty())
    write();
  else
    intoFolder(file.parent_path(), write);
}

}  // namespace zorvex
