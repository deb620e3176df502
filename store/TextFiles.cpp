#include "store/TextFiles.h"

#include "model/AtomicFiles.h"
#include "model/RegularFile.h"
#include "model/ZorvexError.h"

namespace zorvex {

std::string readTextFile(const std::string& path) {
  std::string whyNot;
  std::optional<std::string> text = readRegularFile(path, &whyNot);
  if (!text) throw ZorvexError("Cannot open file " + path + ": " + whyNot);
  return std::move(*text);
}

// A full disk or a failing write leaves no cut-off file behind, and an
// existing file keeps its old contents.
void writeTextFile(const std::string& path, const std::string& contents) {
  writeOutputFile(path, contents, "Cannot create file");
}

}  // namespace zorvex
