#pragma once
// The evaluation log: the lines the log window shows, appended by rounds,
// reset and user commands, and saved whole as "log.txt".
//
// Text is held as UTF-8. The file is written in the system's 8-bit character
// set, which on the systems we run on is UTF-8 too, so the bytes are written
// unchanged; no conversion can fail or lose characters.
#include <ctime>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace zorvex {

// A local date and time, as much of it as the log header shows.
struct LogTime {
  int Year = 2000;
  int Month = 1;   // 1..12
  int Day = 1;     // 1..31
  int Hour = 0;    // 0..23
  int Minute = 0;  // 0..59

  static LogTime fromTm(const std::tm& t);
  static LogTime now();  // the current local time
};

// "Logs of  d-m-yyyy  h:nn": no leading zeros in day, month and hour.
std::string logHeaderLine(const LogTime& time);

class EvaluationLog {
 public:
  // Adds one line at the end (an empty text gives an empty line).
  void AppendLogLine(std::string text) { lines_.push_back(std::move(text)); }
  void appendLogLines(std::vector<std::string>&& texts) {
    lines_.insert(lines_.end(), std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end()));
  }
  const std::vector<std::string>& lines() const { return lines_; }
  // The log window lets the user type into the log: its text becomes the lines.
  void replaceLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

  // Writes every line, each ended by CR LF, to "log.txt" in the directory,
  // replacing the file. The text goes to a temporary file first and is then
  // renamed over "log.txt", so a failed save never leaves half a file.
  // Throws ZorvexError("Cannot create file log.txt"); the lines are kept.
  void SaveLog(const std::filesystem::path& directory) const;

  // Start of a run: "oldlog.txt" is deleted and "log.txt" renamed to it
  // (failures of both are ignored), then the header (a rule line, the header
  // line, a rule line, an empty line) is appended and the log saved. A failed
  // save throws as SaveLog does, after the lines are appended.
  void StartLog(const std::filesystem::path& directory, const LogTime& time);

 private:
  std::vector<std::string> lines_;
};

}  // namespace zorvex
