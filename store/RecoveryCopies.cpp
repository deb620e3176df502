#include "store/RecoveryCopies.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <system_error>
#include <vector>

#include "model/AtomicFiles.h"
#include "model/LoadElements.h"
#include "model/RegularFile.h"
#include "store/DiagramToRows.h"

namespace zorvex {
namespace {

namespace fs = std::filesystem;

// Hidden, so the Open dialog lists only the copies.
constexpr const char* IndexFile = ".recovered-from.json";

struct Entry {
  std::string copy;    // file name in the folder
  std::string source;  // absolute path of the diagram it keeps
};

// Oldest first. A missing or unreadable index knows no copies; an entry
// whose copy the user has removed is forgotten.
std::vector<Entry> readIndex(const fs::path& folder) {
  std::vector<Entry> entries;
  const std::optional<std::string> text = readRegularFile((folder / IndexFile).string());
  if (!text) return entries;
  // A list of objects of texts: anything nested deeper is left out as it is read, never built.
  const auto shallow = [](int depth, nlohmann::json::parse_event_t, nlohmann::json&) { return depth <= 2; };
  const nlohmann::json index = nlohmann::json::parse(*text, shallow, false);
  if (!index.is_array()) return entries;
  for (const nlohmann::json& item : index) {
    if (!item.is_object() || !item.contains("copy") || !item["copy"].is_string() || !item.contains("source") ||
        !item["source"].is_string())
      continue;
    Entry e{item["copy"].get<std::string>(), item["source"].get<std::string>()};
    std::error_code ec;
    if (fs::path(e.copy).filename() == e.copy && fs::is_regular_file(folder / e.copy, ec)) entries.push_back(e);
  }
  return entries;
}

void writeIndex(const fs::path& folder, const std::vector<Entry>& entries) {
  nlohmann::json index = nlohmann::json::array();
  for (const Entry& e : entries) index.push_back({{"copy", e.copy}, {"source", e.source}});
  const std::string text = index.dump(1) + "\n";
  replaceFiles({{(folder / IndexFile).string(), text}}, "Cannot create file");
}

// Absolute, without "." or "..", symbolic links resolved where they exist;
// the empty path is the working directory.
fs::path fullPath(const fs::path& path) {
  std::error_code ec;
  fs::path full = fs::weakly_canonical(fs::absolute(path.empty() ? fs::path(".") : path), ec);
  if (ec) full = fs::absolute(path).lexically_normal();
  if (full.filename().empty() && full.has_parent_path() && full != full.root_path()) full = full.parent_path();
  return full;
}

// The folder's name, or the file's without ".json".
std::string labelOf(const DiagramLocation& source, const fs::path& full) {
  const std::string label = (source.format != DiagramFormat::Tables ? full.stem() : full.filename()).string();
  return label.empty() ? "diagram" : label;
}

// The first of "<base>.json", "<base> (2).json", ... that no other diagram's
// copy and no file the index does not know already has.
std::string freeName(const fs::path& folder, const std::string& base, const std::vector<Entry>& entries) {
  for (int n = 1;; ++n) {
    const std::string name = base + (n == 1 ? std::string() : " (" + std::to_string(n) + ")") + ".json";
    std::error_code ec;
    const bool taken = std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.copy == name; }) ||
                       fs::exists(folder / name, ec);
    if (!taken) return name;
  }
}

// When the diagram at `source` was last written there; nothing when it
// never was.
std::optional<fs::file_time_type> lastSaved(const DiagramLocation& source) {
  std::vector<fs::path> files;
  if (source.format == DiagramFormat::Tables) {
    const fs::path folder = source.path.empty() ? fs::path(".") : source.path;
    for (const char* table : {SentencesTableFile, ArrowsTableFile, DefeatersTableFile}) files.push_back(folder / table);
  } else {
    files.push_back(source.path);
  }
  std::optional<fs::file_time_type> newest;
  for (const fs::path& file : files) {
    std::error_code ec;
    const fs::file_time_type t = fs::last_write_time(file, ec);
    if (!ec && (!newest || t > *newest)) newest = t;
  }
  return newest;
}

}  // namespace

std::optional<fs::path> newerRecoveryCopy(const DiagramLocation& source, const std::vector<fs::path>& folders) {
  const fs::path full = fullPath(source.path);
  const std::optional<fs::file_time_type> saved = lastSaved(source);
  std::optional<fs::path> found;
  fs::file_time_type foundTime{};
  for (const fs::path& folder : folders) {
    if (folder.empty()) continue;
    const fs::path home = fullPath(folder);
    for (const Entry& e : readIndex(folder)) {
      if (e.source != full.string() && home / e.copy != full) continue;
      std::error_code ec;
      const fs::file_time_type t = fs::last_write_time(folder / e.copy, ec);
      if (ec || (saved && t <= *saved) || (found && t <= foundTime)) continue;
      found = folder / e.copy;
      foundTime = t;
    }
  }
  return found;
}

fs::path keepRecoveryCopy(const Diagram& d, const DiagramLocation& source, const fs::path& folder, size_t kept) {
  return keepRecoveryCopy(rowsOfDiagram(d, WithStatuses::Yes), source, folder, kept);
}

fs::path keepRecoveryCopy(const DiagramRows& rows, const DiagramLocation& source, const fs::path& folder, size_t kept) {
  std::vector<Entry> entries = readIndex(folder);
  const fs::path full = fullPath(source.path), home = fullPath(folder);
  // The diagram's own copy: the one keeping the same place, or the copy it
  // was opened from.
  auto own = std::find_if(entries.begin(), entries.end(),
                          [&](const Entry& e) { return e.source == full.string() || home / e.copy == full; });
  Entry entry = own != entries.end()
                    ? *own
                    : Entry{freeName(folder, "Recovered diagram - " + labelOf(source, full), entries), full.string()};
  if (own != entries.end()) entries.erase(own);

  writeRecoveryCopy(rows, folder / entry.copy);
  entries.push_back(entry);
  const size_t keep = std::max<size_t>(kept, 1);
  const size_t dropped = entries.size() > keep ? entries.size() - keep : 0;
  const std::vector<Entry> old(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(dropped));
  entries.erase(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(dropped));
  writeIndex(folder, entries);
  for (const Entry& e : old) {
    std::error_code ec;
    fs::remove(folder / e.copy, ec);
  }
  return folder / entry.copy;
}

KeptCopy keepRecoveryCopy(const Diagram& d, const DiagramLocation& source, const fs::path& folder,
                          const fs::path& fallback) {
  return keepRecoveryCopy(rowsOfDiagram(d, WithStatuses::Yes), source, folder, fallback);
}

KeptCopy keepRecoveryCopy(const DiagramRows& rows, const DiagramLocation& source, const fs::path& folder,
                          const fs::path& fallback) {
  try {
    return {keepRecoveryCopy(rows, source, folder), {}};
  } catch (const ZorvexError& first) {
    try {
      return {keepRecoveryCopy(rows, source, fallback), first.message()};
    } catch (const ZorvexError& second) {
      throw ZorvexError(first.message() + "; " + second.message());
    }
  }
}

}  // namespace zorvex
