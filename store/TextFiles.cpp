#include "store/TextFiles.h"

#include <fstream>

#include "model/RegularFile.h"
#include "model/ZorvexError.h"

namespace zorvex {

std::string readTextFile(const std::string& path) {
  std::optional<std::string> text = readRegularFile(path);
  if (!text) throw ZorvexError("Cannot open file " + path);
  return std::move(*text);
}

void writeTextFile(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw ZorvexError("Cannot create file " + path);
  out << contents;
  out.close();
  if (!out) throw ZorvexError("Cannot create file " + path);
}

}  // namespace zorvex
