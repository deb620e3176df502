// Every file of the fuzz targets' corpora, read as the targets read it, in
// the ordinary build (and under the sanitizers): each ends in a diagram, a
// map or a table, or in a ZorvexError, never in a crash. Inputs that once failed stay
// in the corpora, so this is their regression test even without clang.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/fuzz/ReaderInputs.h"

namespace zorvex::fuzzing {
namespace {

namespace fs = std::filesystem;

// Name and bytes of each file, in name order.
std::vector<std::pair<std::string, std::string>> corpus(const std::string& target) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& entry : fs::directory_iterator(std::string(ZORVEX_SOURCE_DIR) + "/tests/fuzz/corpus/" + target)) {
    if (entry.path().filename() == "README.md") continue;  // where the seeds come from
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files.emplace_back(entry.path().filename().string(), bytes.str());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FuzzCorpus, EveryDiagramFileIsReadOrRefused) {
  const auto files = corpus("fuzz_diagram_json");
  ASSERT_GE(files.size(), 10u);
  int read = 0;
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    read += readDiagramJson(bytes) == Outcome::Read;
  }
  // The well-formed seeds are read, the damaged ones refused.
  EXPECT_GE(read, 3);
  EXPECT_LT(read, static_cast<int>(files.size()));
}

// The real maps are read and laid out; the hostile ones that once hung dot,
// aborted the process or exhausted the stack are read or refused in time.
TEST(FuzzCorpus, EveryMapIsReadOrRefused) {
  const auto files = corpus("fuzz_aif_map");
  ASSERT_GE(files.size(), 16u);
  int read = 0;
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    read += readAifMap(bytes) == Outcome::Read;
  }
  EXPECT_GE(read, 13);
  EXPECT_LT(read, static_cast<int>(files.size()));
}

TEST(FuzzCorpus, EveryTableFileIsReadOrRefused) {
  const auto files = corpus("fuzz_paradox");
  ASSERT_GE(files.size(), 4u);
  int read = 0;
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    read += readTable(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) == Outcome::Read;
  }
  EXPECT_GE(read, 3);
  EXPECT_LT(read, static_cast<int>(files.size()));
}

}  // namespace
}  // namespace zorvex::fuzzing
