#pragma once
// Writing texts and titles so that reading them gives them back: short
// titles from a text's first words, unique in one text, and statement texts
// with every character the reader would take for something else escaped.
#include <string>
#include <unordered_set>

namespace zorvex::argdown {

class Titles {
 public:
  // The first words of `text` (at most four, about 30 bytes), without
  // brackets or backslashes; "Statement" for none; " 2", " 3"... when taken.
  std::string fromText(const std::string& text);
  // `base` itself when not taken, else with " 2", " 3"...
  std::string unique(const std::string& base);

 private:
  std::unordered_set<std::string> taken_;
};

// The text as it is written after "[Title]: ".
std::string escapedText(const std::string& text);

}  // namespace zorvex::argdown
