#include "eval/EvaluationLog.h"

#include <fstream>
#include <system_error>

#include "model/ZorvexError.h"

namespace zorvex {
namespace {

constexpr const char* LogFileName = "log.txt";
constexpr const char* OldLogFileName = "oldlog.txt";
constexpr const char* TempLogFileName = "log.txt.saving";

std::string twoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string fourDigits(int v) {
  std::string s = std::to_string(v);
  if (v >= 0 && s.size() < 4) s.insert(0, 4 - s.size(), '0');
  return s;
}

bool writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const std::string& line : lines) {
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.write("\r\n", 2);
  }
  out.close();
  return !out.fail();
}

}  // namespace

LogTime LogTime::fromTm(const std::tm& t) {
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min};
}

LogTime LogTime::now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return fromTm(local);
}

std::string logHeaderLine(const LogTime& time) {
  return "Logs of  " + std::to_string(time.Day) + "-" + std::to_string(time.Month) + "-" + fourDigits(time.Year) +
         "  " + std::to_string(time.Hour) + ":" + twoDigits(time.Minute);
}

void EvaluationLog::SaveLog(const std::filesystem::path& directory) const {
  const std::filesystem::path target = directory / LogFileName;
  const std::filesystem::path temp = directory / TempLogFileName;
  std::error_code ec;
  if (writeLines(temp, lines_)) {
    std::filesystem::rename(temp, target, ec);
    if (!ec) return;
  }
  std::filesystem::remove(temp, ec);
  throw ZorvexError(std::string("Cannot create file ") + LogFileName);
}

void EvaluationLog::StartLog(const std::filesystem::path& directory, const LogTime& time) {
  std::error_code ignored;
  std::filesystem::remove(directory / OldLogFileName, ignored);
  std::filesystem::rename(directory / LogFileName, directory / OldLogFileName, ignored);
  const std::string header = logHeaderLine(time);
  const std::string rule(header.size(), '-');
  AppendLogLine(rule);
  AppendLogLine(header);
  AppendLogLine(rule);
  AppendLogLine("");
  SaveLog(directory);
}

}  // namespace zorvex
