#include "views/ui/HeldTables.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace zorvex {
namespace {

// A file is known by its device and inode, so "./ArrowsDb.DB", a full path or
// a link all find the same table.
struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileId&) const = default;
};

bool idOf(const std::string& path, FileId& id) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  id = {st.st_dev, st.st_ino};
  return true;
}

struct Entry {
  const HeldTable* holder;
  FileId file;
  std::weak_ptr<paradox::ParadoxTable> table;
};

// All on the user-interface thread, like every table operation.
std::vector<Entry>& heldTables() {
  static std::vector<Entry> entries;
  return entries;
}

void unlist(const HeldTable* holder) {
  std::erase_if(heldTables(), [holder](const Entry& e) { return e.holder == holder; });
}

}  // namespace

HeldTable::HeldTable(std::shared_ptr<paradox::ParadoxTable> table) : table_(std::move(table)) {
  FileId id;
  if (idOf(table_->path(), id)) heldTables().push_back({this, id, table_});
}

HeldTable::~HeldTable() { unlist(this); }

void HeldTable::close() {
  unlist(this);
  table_->close();
}

std::unique_ptr<TableCursor> openHeldTable(const std::string& path) {
  return std::make_unique<HeldTable>(std::shared_ptr<paradox::ParadoxTable>(paradox::ParadoxTable::open(path)));
}

std::shared_ptr<paradox::ParadoxTable> takeHeldTable(const std::string& path) {
  FileId id;
  if (!idOf(path, id)) return nullptr;
  auto& entries = heldTables();
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (it->file != id) continue;
    std::shared_ptr<paradox::ParadoxTable> table = it->table.lock();
    if (!table || !table->isOpen()) continue;
    entries.erase(it);
    return table;
  }
  return nullptr;
}

}  // namespace zorvex
