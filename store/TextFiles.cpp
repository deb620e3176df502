#include "tools/TextFiles.h"

#include <fstream>
#include <sstream>

#include "model/ZorvexError.h"

namespace zorvex::tools {

std::string readTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ZorvexError("Cannot open file " + path);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw ZorvexError("Cannot open file " + path);
  return std::move(text).str();
}

void writeTextFile(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw ZorvexError("Cannot create file " + path);
  out << contents;
  out.close();
  if (!out) throw ZorvexError("Cannot create file " + path);
}

}  // namespace zorvex::tools
