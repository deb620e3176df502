#pragma once
// Text conversion between a table's DOS/Windows code page and UTF-8 (iconv).
#include <cstdint>
#include <string>
#include <string_view>

#include "model/ZorvexError.h"
#include "model/paradox/ByteCharset.h"

namespace zorvex::paradox {

class CodePage {
 public:
  // An unknown code page falls back to 1252 (and to Latin-1 if iconv lacks
  // it). HpRoman8CodePage (SortOrder.h) uses the codec's own table.
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
  ZorvexError cannotStore(std::string_view text) const;

  int number_;
  int effective_;  // the code page actually used
  void* decoder_ = nullptr;  // iconv_t
  void* encoder_ = nullptr;
  const UpperHalf* table_ = nullptr;  // a set of our own, in place of iconv
};

}  // namespace zorvex::paradox
