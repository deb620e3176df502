#pragma once
// Shared test helpers: a temporary folder removed afterwards, and the message
// of the ZorvexError a call throws.
#include <sys/stat.h>

#include <cstdlib>
#include <iterator>
#include <filesystem>
#include <functional>
#include <string>

#include "model/ZorvexError.h"

namespace zorvex::testing {

struct TempDir {
  std::string path;
  TempDir() {
    char tmpl[] = "/tmp/zorvex-test-XXXXXX";
    const char* made = mkdtemp(tmpl);
    path = made ? made : "";
  }
  ~TempDir() {
    // A test may have made the folder read-only.
    chmod(path.c_str(), 0755);
    std::filesystem::remove_all(path);
  }
  std::string file(const std::string& name) const { return path + "/" + name; }
  // How many files the folder holds (a failed write must leave no temporary one).
  size_t entries() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path), {}));
  }
};

inline std::string messageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const ZorvexError& e) {
    return e.message();
  }
  return "(no error)";
}

}  // namespace zorvex::testing
