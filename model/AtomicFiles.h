#pragma once
// Replacing files so that a failure changes none of them: every target is
// checked first, every new content goes to a temporary file beside its
// target and is flushed to disk, and only when all of them are complete are
// they renamed into place, the old files kept under a second name until the
// last rename has succeeded, to be put back if one fails.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex {

struct FileContents {
  std::string path;
  std::string_view bytes;
};

// `failure` begins each message: "<failure> <path>: <reason>" (e.g. "Cannot
// write table"). Read-only targets and folders are refused by their
// permission bits too, so even a user the system lets write leaves them
// alone, and so are files and folders marked immutable or append-only. A symbolic link is followed: the file it names
// is replaced. A replaced file keeps its permission bits. Throws ZorvexError; temporary files are removed on every
// failure. What an earlier replacement left in a target's folder when it was stopped midway (its process no longer
// runs) is settled first, as settleStoppedReplacements does.
//
// With keepLocked, each new file is locked (flock, exclusive) before it
// appears under its name, and the returned descriptors, one per file, keep
// the locks; the caller closes them. Otherwise nothing is returned.
std::vector<int> replaceFiles(const std::vector<FileContents>& files, const std::string& failure,
                              bool keepLocked = false);

// The step that renames one new file into place: rename(2), unless a test
// puts in one that fails (setting errno) to see what a failure half-way
// leaves. Returns the step it replaces; an empty one restores rename(2).
using RenameStep = std::function<int(const std::string& from, const std::string& to)>;
RenameStep setRenameStep(RenameStep step);

// Settles what replacements stopped midway (killed, power lost) left in the
// folder: new content never renamed into place is removed; if such a
// replacement had renamed some of its files but not all, those get their old
// content back, so that the files stay a complete old set; old files are
// removed once nothing needs them. Best effort, never throws.
void settleStoppedReplacements(const std::string& folder);

// Throws as replaceFiles would for a file it could not replace; for work
// that takes long before its bytes are ready.
void checkReplaceable(const std::string& path, const std::string& failure);

// A command's output file: a regular file, or a new one, is replaced as
// replaceFiles does. A device, a FIFO or one of the program's own streams
// (/dev/stdout, /dev/stderr, /dev/fd/N) is written directly, as scripts
// expect of "-o /dev/null", and only a failed write is an error:
// ZorvexError("Cannot write to <path>: <reason>").
void writeOutputFile(const std::string& path, std::string_view bytes, const std::string& failure);
// True for the outputs writeOutputFile writes directly rather than replaces.
bool writtenDirectly(const std::string& path);

}  // namespace zorvex
