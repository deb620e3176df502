#include "store/TextFiles.h"

#include <filesystem>
#include <fstream>

#include "model/ZorvexError.h"

namespace zorvex {

std::string readTextFile(const std::string& path) {
  // A FIFO or device under the name would block or never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw ZorvexError("Cannot open file " + path);
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw ZorvexError("Cannot open file " + path);
  std::string text(static_cast<size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad() || static_cast<size_t>(in.gcount()) != text.size()) throw ZorvexError("Cannot open file " + path);
  return text;
}

void writeTextFile(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw ZorvexError("Cannot create file " + path);
  out << contents;
  out.close();
  if (!out) throw ZorvexError("Cannot create file " + path);
}

}  // namespace zorvex
