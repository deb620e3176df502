#include "store/DiskRecord.h"

#include <sys/stat.h>

#include <string_view>

#include "model/LoadElements.h"
#include "model/RegularFile.h"

namespace zorvex {
namespace {

// FNV-1a over the bytes: fast, and any edit a person makes changes it.
uint64_t fnv1a(std::string_view bytes) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001B3ull;
  }
  return h;
}

FileRecord recordOf(const std::filesystem::path& file) {
  FileRecord r;
  struct stat st {};
  if (stat(file.c_str(), &st) != 0) return r;
  const std::optional<std::string> bytes = readRegularFile(file.string());
  if (!bytes) return r;
  r.exists = true;
  r.size = static_cast<uint64_t>(st.st_size);
  r.modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  r.fingerprint = fnv1a(*bytes);
  return r;
}

}  // namespace

DiskRecord recordOnDisk(const DiagramLocation& where) {
  if (where.format != DiagramFormat::Tables) return {recordOf(where.path)};
  const std::filesystem::path folder = where.path.empty() ? std::filesystem::path(".") : where.path;
  return {recordOf(folder / SentencesTableFile), recordOf(folder / ArrowsTableFile),
          recordOf(folder / DefeatersTableFile)};
}

}  // namespace zorvex
