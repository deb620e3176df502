#pragma once
// The copies kept of diagrams closed with unsaved changes: one per diagram,
// in one folder, each named after where its diagram came from
// ("Recovered diagram - work.json", "Recovered diagram - work (2).json" for
// another "work" elsewhere), only the newest few kept. A hidden index in the
// folder remembers which copy belongs to which diagram and which is newest.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/Diagram.h"
#include "store/DiagramFiles.h"

namespace zorvex {

inline constexpr size_t RecoveryCopiesKept = 10;

// Writes the copy of the diagram that came from `source` into `folder`
// (made if needed), replacing that diagram's older copy and removing the
// oldest copies beyond `kept`. A diagram opened from one of the copies goes
// back into that copy. Returns the copy's path. Throws ZorvexError; files
// in the folder that the index does not know are never replaced or removed.
std::filesystem::path keepRecoveryCopy(const Diagram& d, const DiagramLocation& source,
                                       const std::filesystem::path& folder, size_t kept = RecoveryCopiesKept);

// The same from the rows of a diagram (statuses included), for a copy
// written away from the diagram itself.
std::filesystem::path keepRecoveryCopy(const DiagramRows& rows, const DiagramLocation& source,
                                       const std::filesystem::path& folder, size_t kept = RecoveryCopiesKept);

struct KeptCopy {
  std::filesystem::path copy;
  std::string firstFailure;  // why `folder` could not keep it; empty when it did
};

// keepRecoveryCopy into `folder`, or, when that fails (a full disk, a folder
// that cannot be made or written), into `fallback`. Throws ZorvexError
// naming both failures when neither place keeps the copy.
KeptCopy keepRecoveryCopy(const Diagram& d, const DiagramLocation& source, const std::filesystem::path& folder,
                          const std::filesystem::path& fallback);
KeptCopy keepRecoveryCopy(const DiagramRows& rows, const DiagramLocation& source, const std::filesystem::path& folder,
                          const std::filesystem::path& fallback);

// The copy of the diagram at `source` kept in any of `folders` that was
// written after the diagram was last saved there (the newest file of its
// tables, or its file), the newest such copy; nothing when there is none.
std::optional<std::filesystem::path> newerRecoveryCopy(const DiagramLocation& source,
                                                       const std::vector<std::filesystem::path>& folders);

}  // namespace zorvex
