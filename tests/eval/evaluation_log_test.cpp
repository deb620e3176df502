// The log header, the start-up rotation to "oldlog.txt" and the bytes of
// "log.txt", in a fresh temporary directory per test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "eval/EvaluationLog.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "zorvex-log-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string bytesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(EvaluationLog, HeaderHasNoLeadingZerosButTwoDigitMinutes) {
  EXPECT_EQ(logHeaderLine({2027, 3, 1, 9, 5}), "Logs of  1-3-2027  9:05");
  EXPECT_EQ(logHeaderLine({2027, 3, 1, 9, 5}).size(), 23u);
  EXPECT_EQ(logHeaderLine({2026, 12, 6, 18, 5}), "Logs of  6-12-2026  18:05");
  EXPECT_EQ(logHeaderLine({2026, 12, 6, 18, 5}).size(), 25u);
  EXPECT_EQ(logHeaderLine({2030, 10, 31, 0, 0}), "Logs of  31-10-2030  0:00");
  std::tm t{};
  t.tm_year = 127, t.tm_mon = 2, t.tm_mday = 1, t.tm_hour = 9, t.tm_min = 5;
  EXPECT_EQ(logHeaderLine(LogTime::fromTm(t)), "Logs of  1-3-2027  9:05");
}

TEST(EvaluationLog, StartMovesThePreviousLogAside) {
  TempDir dir;
  EvaluationLog first;
  first.StartLog(dir.path(), {2027, 3, 1, 9, 5});
  EXPECT_FALSE(fs::exists(dir.path() / "oldlog.txt"));
  const std::string firstBytes = bytesOf(dir.path() / "log.txt");
  EXPECT_EQ(firstBytes,
            "-----------------------\r\nLogs of  1-3-2027  9:05\r\n-----------------------\r\n\r\n");
  first.AppendLogLine("[Reset]");
  first.SaveLog(dir.path());
  const std::string savedBytes = bytesOf(dir.path() / "log.txt");

  EvaluationLog second;
  second.StartLog(dir.path(), {2026, 12, 6, 18, 5});
  EXPECT_EQ(bytesOf(dir.path() / "oldlog.txt"), savedBytes);
  EXPECT_EQ(bytesOf(dir.path() / "log.txt"),
            "-------------------------\r\nLogs of  6-12-2026  18:05\r\n-------------------------\r\n\r\n");
  EXPECT_EQ(second.lines().size(), 4u);

  // A third start drops the oldest log.
  EvaluationLog third;
  third.StartLog(dir.path(), {2028, 1, 2, 3, 4});
  EXPECT_EQ(bytesOf(dir.path() / "oldlog.txt"),
            "-------------------------\r\nLogs of  6-12-2026  18:05\r\n-------------------------\r\n\r\n");
}

TEST(EvaluationLog, SaveWritesEveryLineWithCrLfAndReplacesTheFile) {
  TempDir dir;
  EvaluationLog log;
  log.replaceLines({"typed by the user", "'Gr\xC3\xBC\xC3\x9F" "e' is justified (set by user).", "", "x"});
  log.SaveLog(dir.path());
  log.replaceLines({"short"});
  log.SaveLog(dir.path());
  EXPECT_EQ(bytesOf(dir.path() / "log.txt"), "short\r\n");
  log.replaceLines({"'Gr\xC3\xBC\xC3\x9F" "e'", ""});
  log.SaveLog(dir.path());
  EXPECT_EQ(bytesOf(dir.path() / "log.txt"), "'Gr\xC3\xBC\xC3\x9F" "e'\r\n\r\n");  // UTF-8 bytes as they are
}

TEST(EvaluationLog, FailedSaveKeepsLinesAndLeavesNoHalfFile) {
  TempDir dir;
  fs::create_directory(dir.path() / "log.txt");  // works as an obstacle even for root
  EvaluationLog log;
  log.AppendLogLine("[Reset]");
  try {
    log.SaveLog(dir.path());
    FAIL() << "the save should fail";
  } catch (const ZorvexError& e) {
    EXPECT_EQ(e.message(), "Cannot create file log.txt");
    EXPECT_EQ(errorBoxText(e.message()), "Cannot create file log.txt.");
  }
  EXPECT_EQ(log.lines(), std::vector<std::string>{"[Reset]"});
  size_t entries = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    ++entries;
    EXPECT_EQ(entry.path().filename(), "log.txt");
  }
  EXPECT_EQ(entries, 1u);
  fs::remove(dir.path() / "log.txt");
  log.SaveLog(dir.path());
  EXPECT_EQ(bytesOf(dir.path() / "log.txt"), "[Reset]\r\n");
}

TEST(EvaluationLog, StartInADirectoryThatCannotBeWrittenStillKeepsTheHeader) {
  TempDir dir;
  const fs::path missing = dir.path() / "no such folder";
  EvaluationLog log;
  EXPECT_THROW(log.StartLog(missing, {2027, 3, 1, 9, 5}), ZorvexError);
  EXPECT_EQ(log.lines().size(), 4u);
  EXPECT_EQ(log.lines()[1], "Logs of  1-3-2027  9:05");
}

}  // namespace
}  // namespace zorvex
