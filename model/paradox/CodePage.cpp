#include "model/paradox/CodePage.h"

#include <errno.h>
#include <iconv.h>

#include <cstring>

#include "model/InputExcerpt.h"
#include "model/ZorvexError.h"
#include "model/paradox/ByteCharset.h"
#include "model/paradox/SortOrder.h"

namespace zorvex::paradox {
namespace {

const iconv_t NoConverter = reinterpret_cast<iconv_t>(-1);

iconv_t openConverter(const std::string& to, const std::string& from) { return iconv_open(to.c_str(), from.c_str()); }

std::string iconvName(int cp) { return "CP" + std::to_string(cp); }

bool isAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

CodePage::CodePage(int codePage) : number_(codePage), effective_(codePage) {
  if (codePage == HpRoman8CodePage) {
    table_ = &hpRoman8();
    return;
  }
  iconv_t dec = openConverter("UTF-8", iconvName(codePage));
  iconv_t enc = openConverter(iconvName(codePage), "UTF-8");
  if (dec == NoConverter || enc == NoConverter) {
    if (dec != NoConverter) iconv_close(dec);
    if (enc != NoConverter) iconv_close(enc);
    effective_ = 1252;
    dec = openConverter("UTF-8", "CP1252");
    enc = openConverter("CP1252", "UTF-8");
    if (dec == NoConverter || enc == NoConverter) {
      effective_ = 28591;
      dec = openConverter("UTF-8", "ISO-8859-1");
      enc = openConverter("ISO-8859-1", "UTF-8");
    }
  }
  decoder_ = dec == NoConverter ? nullptr : dec;
  encoder_ = enc == NoConverter ? nullptr : enc;
}

CodePage::~CodePage() {
  if (decoder_ != nullptr) iconv_close(static_cast<iconv_t>(decoder_));
  if (encoder_ != nullptr) iconv_close(static_cast<iconv_t>(encoder_));
}

std::string CodePage::toUtf8(std::string_view bytes) const {
  if (isAscii(bytes)) return std::string(bytes);
  if (table_ != nullptr) return decodeBytes(bytes, *table_);
  if (decoder_ == nullptr) return std::string(bytes);
  auto cd = static_cast<iconv_t>(decoder_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out(bytes.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) break;  // cannot happen: four bytes per input byte suffice
    // An undefined or cut-off byte: show U+FFFD in its place and go on.
    if (outLeft < 3) break;
    std::memcpy(outPtr, "\xEF\xBF\xBD", 3);
    outPtr += 3;
    outLeft -= 3;
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(static_cast<size_t>(outPtr - out.data()));
  return out;
}

ZorvexError CodePage::cannotStore(std::string_view text) const {
  return ZorvexError("The text '" + inputExcerpt(text) + "' cannot be stored in code page " + std::to_string(effective_));
}

std::string CodePage::fromUtf8(std::string_view text) const {
  if (isAscii(text)) return std::string(text);
  if (table_ != nullptr) {
    std::optional<std::string> bytes = encodeText(text, *table_);
    if (!bytes) throw cannotStore(text);
    return *bytes;
  }
  if (encoder_ == nullptr) return std::string(text);
  auto cd = static_cast<iconv_t>(encoder_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out(text.size() * 2 + 8, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
      iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1))
    throw cannotStore(text);
  out.resize(static_cast<size_t>(outPtr - out.data()));
  return out;
}

}  // namespace zorvex::paradox
