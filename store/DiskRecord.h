#pragma once
// What a diagram's files held on disk when it was read or last saved, so a
// save can tell whether another program has written them since.
#include <cstdint>
#include <vector>

#include "store/DiagramFiles.h"

namespace zorvex {

struct FileRecord {
  bool exists = false;
  uint64_t size = 0;
  int64_t modified = 0;      // nanoseconds since the epoch
  uint64_t fingerprint = 0;  // of the bytes
  bool operator==(const FileRecord&) const = default;
};

// One record per file of the location: the JSON file, or the three tables.
using DiskRecord = std::vector<FileRecord>;

// The location's files as they are now; a file that cannot be read counts
// as absent.
DiskRecord recordOnDisk(const DiagramLocation& where);

}  // namespace zorvex
