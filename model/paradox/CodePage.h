#pragma once
// Text conversion between a table's DOS/Windows code page and UTF-8 (iconv).
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvex::paradox {

class CodePage {
 public:
  // An unknown code page falls back to 1252 (and to Latin-1 if iconv lacks it).
  explicit CodePage(int codePage);
  ~CodePage();
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  int number() const { return number_; }
  int effective() const { return effective_; }
  // Bytes the code page does not define become U+FFFD; decoding never fails.
  std::string toUtf8(std::string_view bytes) const;
  // Throws ZorvexError "The text '<text>' cannot be stored in code page <n>".
  std::string fromUtf8(std::string_view text) const;

 private:
  int number_;
  int effective_;  // the code page actually used
  void* decoder_ = nullptr;  // iconv_t
  void* encoder_ = nullptr;
};

}  // namespace zorvex::paradox
