// What the companion writes either arrives whole or the command fails with
// the system's reason: standard output on a full device, picture, log and
// JSON files on a disk that refuses the write, and targets in the way.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "tests/tools/ChildRun.h"

namespace zorvex::tools::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> folderFiles(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Enough sentences that the export passes the output buffer several times.
std::string manySentences() {
  std::string json = R"({"sentences": [)";
  for (int i = 0; i < 3000; ++i)
    json += (i ? "," : "") + std::string(R"({"Left": )") + std::to_string(i) +
            R"(, "Top": 1, "Right": 50000, "Bottom": 40, "Text": "sentence )" + std::to_string(i) + R"("})";
  return json + "]}";
}

TEST(OutputFailures, StandardOutputMustArriveWhole) {
  ScratchDir dir;
  writeFile(dir.file("many.json"), manySentences());
  const CliRun written = runChild({"export", dir.file("many.json")}, dir.file("out.json"));
  EXPECT_EQ(written.code, 0) << written.err;
  EXPECT_EQ(readFile(dir.file("out.json")), runTool({"export", dir.file("many.json")}).out);
  ASSERT_GT(readFile(dir.file("out.json")).size(), 200000u);

  const CliRun full = runChild({"export", dir.file("many.json")}, "/dev/full");
  EXPECT_EQ(full.code, 1);
  EXPECT_EQ(full.err, "Cannot write to the standard output: No space left on device.\n");
  EXPECT_EQ(runChild({"--help"}, "/dev/full").code, 1);
}

// The disk refuses every write past 100 bytes: each command fails with the
// reason, leaves an existing file as it was and no new or temporary file.
TEST(OutputFailures, AFileCutShortIsNeitherLeftNorReportedAsWritten) {
  ScratchDir dir;
  fs::create_directory(dir.file("out"));
  writeFile(dir.file("out/old.png"), "old picture");
  const std::vector<std::pair<std::vector<std::string>, std::string>> commands = {
      {{"render", birdExample(), "-o"}, "old.png"},
      {{"render", birdExample(), "-o"}, "new.svg"},
      {{"render", birdExample(), "-o"}, "new.pdf"},
      {{"render", birdExample(), "--scale", "1/2", "-o"}, "new.png"},
      {{"export", birdExample(), "-o"}, "new.json"},
      {{"evaluate", birdExample(), "--log"}, "log.txt"}};
  for (auto [args, name] : commands) {
    const std::string target = dir.file("out/" + name);
    args.push_back(target);
    const CliRun run = runChild(args, dir.file("stdout"), 100);
    EXPECT_EQ(run.code, 1) << name;
    EXPECT_EQ(run.err, "Cannot create file " + target + ": File too large.\n");
    EXPECT_EQ(folderFiles(dir.file("out")), std::vector<std::string>{"old.png"}) << name;
  }
  EXPECT_EQ(readFile(dir.file("out/old.png")), "old picture");
}

TEST(OutputFailures, ATargetInTheWaySaysWhy) {
  ScratchDir dir;
  fs::create_directory(dir.file("folder.png"));
  writeFile(dir.file("plain"), "");
  const std::vector<std::vector<std::string>> commands = {{"render", birdExample(), "-o"},
                                                          {"export", birdExample(), "-o"},
                                                          {"evaluate", birdExample(), "--log"}};
  for (std::vector<std::string> args : commands) {
    args.push_back(dir.file("folder.png"));
    EXPECT_EQ(runTool(args).err, "Cannot create file " + dir.file("folder.png") + ": Is a directory.\n") << args[0];
    args.back() = dir.file("plain/x.png");
    EXPECT_EQ(runTool(args).err,
              "Cannot create file " + dir.file("plain/x.png") + ": " + dir.file("plain") + " is not a folder.\n")
        << args[0];
  }
  EXPECT_EQ(runTool({"render", birdExample(), "-o", "/proc/version.png"}).err,
            "Cannot create file /proc/version.png: the folder is read-only.\n");
}

// A script's "-o /dev/null", a FIFO another program reads and /dev/stdout
// are written directly; only a failed write is an error.
TEST(OutputFailures, DevicesFifosAndStandardOutputAreWrittenDirectly) {
  const std::string expected = runTool({"export", birdExample()}).out;
  const CliRun discarded = runTool({"export", birdExample(), "-o", "/dev/null"});
  EXPECT_EQ(discarded.code, 0);
  EXPECT_EQ(discarded.err, "");
  EXPECT_EQ(runTool({"evaluate", birdExample(), "--log", "/dev/null"}).code, 0);
  const CliRun picture = runTool({"render", birdExample(), "-o", "/dev/null"});
  EXPECT_EQ(picture.code, 0) << picture.err;

  ScratchDir dir;
  // The reading end open first: the export (a few kilobytes, less than the pipe holds) never waits.
  ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
  const int pipeEnd = open(dir.file("pipe").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(pipeEnd, 0);
  const CliRun toPipe = runTool({"export", birdExample(), "-o", dir.file("pipe")});
  std::string piped(1 << 16, '\0');
  const ssize_t got = read(pipeEnd, piped.data(), piped.size());
  close(pipeEnd);
  piped.resize(got > 0 ? static_cast<size_t>(got) : 0);
  EXPECT_EQ(toPipe.code, 0) << toPipe.err;
  EXPECT_EQ(piped, expected);
  EXPECT_EQ(folderFiles(dir.str()), std::vector<std::string>{"pipe"});  // no temporary file beside it

  const CliRun toStdout = runChild({"export", birdExample(), "-o", "/dev/stdout"}, dir.file("out.json"));
  EXPECT_EQ(toStdout.code, 0) << toStdout.err;
  EXPECT_EQ(readFile(dir.file("out.json")), expected);

  const CliRun full = runTool({"export", birdExample(), "-o", "/dev/full"});
  EXPECT_EQ(full.code, 1);
  EXPECT_EQ(full.err, "Cannot write to /dev/full: No space left on device.\n");
}

}  // namespace
}  // namespace zorvex::tools::testing
