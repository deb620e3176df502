#pragma once
// The diagrams opened or saved last, newest first, as the File menu lists
// them: a diagram file, an AIF or Argdown file, or a folder of tables.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace zorvex {

class RecentDiagrams {
 public:
  static constexpr size_t Kept = 8;

  // From the kept paths, newest first; blanks and repeats are left out.
  explicit RecentDiagrams(const std::vector<std::string>& paths = {});

  // Moves the path to the top (added when new); the oldest beyond Kept goes.
  void add(const std::filesystem::path& path);
  void remove(const std::filesystem::path& path);
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
};

// The name a recent diagram is listed by: its file's name, or its folder's.
std::string recentName(const std::filesystem::path& path);

// The path as a tooltip shows it: the home folder as "~", and when still
// longer than maxLength, the folders after the first replaced by "..." from
// the left until it fits or only the name's folder is left.
std::string shortenedPath(const std::filesystem::path& path, const std::filesystem::path& home, size_t maxLength = 60);

}  // namespace zorvex
