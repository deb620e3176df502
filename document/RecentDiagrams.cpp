#include "document/RecentDiagrams.h"

#include <algorithm>

namespace zorvex {
namespace {

// One spelling per place: absolute, without "." or "..", without a
// separator at the end.
std::string spelled(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  if (ec) p = path;
  p = p.lexically_normal();
  if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();
  return p.string();
}

std::vector<std::string> split(const std::string& s) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at = s.find('/'); at != std::string::npos; at = s.find('/', start)) {
    parts.push_back(s.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(s.substr(start));
  return parts;
}

std::string joined(const std::vector<std::string>& parts, size_t from) {
  std::string s;
  for (size_t i = from; i < parts.size(); ++i) s += (i == from ? "" : "/") + parts[i];
  return s;
}

}  // namespace

RecentDiagrams::RecentDiagrams(const std::vector<std::string>& paths) {
  for (const std::string& p : paths) {
    if (p.empty() || paths_.size() == Kept) continue;
    const std::string s = spelled(p);
    if (std::find(paths_.begin(), paths_.end(), s) == paths_.end()) paths_.push_back(s);
  }
}

void RecentDiagrams::add(const std::filesystem::path& path) {
  remove(path);
  paths_.insert(paths_.begin(), spelled(path));
  if (paths_.size() > Kept) paths_.resize(Kept);
}

void RecentDiagrams::remove(const std::filesystem::path& path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), spelled(path)), paths_.end());
}

std::string recentName(const std::filesystem::path& path) {
  const std::filesystem::path p(spelled(path));
  return p.has_filename() ? p.filename().string() : p.string();
}

std::string shortenedPath(const std::filesystem::path& path, const std::filesystem::path& home, size_t maxLength) {
  std::string s = spelled(path);
  const std::string h = home.empty() ? std::string() : spelled(home);
  if (!h.empty() && h != "/" && s.size() > h.size() && s.compare(0, h.size(), h) == 0 && s[h.size()] == '/')
    s = "~" + s.substr(h.size());
  const std::vector<std::string> parts = split(s);
  // The first part (the root's empty name, or "~"), then the rest from `kept` on.
  for (size_t kept = 2; s.size() > maxLength && kept + 2 <= parts.size(); ++kept)
    s = parts[0] + "/.../" + joined(parts, kept);
  return s;
}

}  // namespace zorvex
