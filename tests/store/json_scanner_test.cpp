// The quick JSON reader against nlohmann's parser: on any input it must
// either give up (and leave the input to nlohmann) or hand on exactly the
// events nlohmann hands on for an input nlohmann accepts.
#include <gtest/gtest.h>

#include <random>

#include <nlohmann/json.hpp>

#include "store/JsonScanner.h"

namespace zorvex {
namespace {

// Every event as text, the parser's verdict at the end.
struct Recorder {
  std::vector<std::string> events;
  bool failed = false;

  bool null() { return add("null"); }
  bool boolean(bool v) { return add(v ? "true" : "false"); }
  bool number_integer(int64_t v) { return add("int " + std::to_string(v)); }
  bool number_unsigned(uint64_t v) { return add("unsigned " + std::to_string(v)); }
  bool number_float(double v, const std::string&) {
    char text[64];
    std::snprintf(text, sizeof text, "float %.17g", v);
    return add(text);
  }
  bool string(std::string& s) { return add("string " + s); }
  bool binary(nlohmann::json::binary_t&) { return add("binary"); }
  bool start_object(size_t) { return add("{"); }
  bool end_object() { return add("}"); }
  bool start_array(size_t) { return add("["); }
  bool end_array() { return add("]"); }
  bool key(std::string& k) { return add("key " + k); }
  bool parse_error(size_t, const std::string&, const nlohmann::detail::exception&) { return !(failed = true); }

 private:
  bool add(std::string e) {
    events.push_back(std::move(e));
    return true;
  }
};

// The input handed over in pieces of `piece` bytes, as a file is read.
class PiecewiseBytes : public JsonBytes {
 public:
  PiecewiseBytes(std::string_view text, size_t piece) : text_(text), piece_(piece) { p = end = buffer_.data(); }
  bool more() override {
    if (at_ >= text_.size()) return false;
    const std::string kept(p, end);
    buffer_ = kept + std::string(text_.substr(at_, piece_));
    at_ += piece_;
    p = buffer_.data(), end = p + buffer_.size();
    return true;
  }

 private:
  std::string_view text_;
  size_t piece_, at_ = 0;
  std::string buffer_;
};

// Returns whether the quick reader took the input.
bool expectAgreement(const std::string& input, size_t piece) {
  Recorder slow;
  nlohmann::json::sax_parse(input, &slow);
  Recorder quick;
  PiecewiseBytes bytes(input, piece);
  if (!JsonScanner(bytes).read(quick)) return false;  // given up: nlohmann decides
  EXPECT_FALSE(slow.failed) << "accepted what nlohmann refuses: " << input;
  EXPECT_EQ(quick.events, slow.events) << input;
  return true;
}

TEST(JsonScanner, AcceptsOnlyWhatNlohmannAcceptsWithTheSameEvents) {
  const std::vector<std::string> cases = {"{}",
                                          "[]",
                                          "[[]]",
                                          "{\"a\":{}}",
                                          "  [1, -2, 0, -0, 3.5, 1e5, 1E+2, -1.25e-3]  ",
                                          "01",
                                          "1.",
                                          "-",
                                          ".5",
                                          "[1,]",
                                          "{\"a\":1,}",
                                          "{\"a\" 1}",
                                          "[1 2]",
                                          "[tru]",
                                          "nul",
                                          "true",
                                          "{} x",
                                          "",
                                          "  ",
                                          "\xEF\xBB\xBF{}",
                                          "18446744073709551615",
                                          "18446744073709551616",
                                          "-9223372036854775808",
                                          "-9223372036854775809",
                                          "1e400",
                                          "123456789012345678901234567890",
                                          "[\"\\ud800\"]",
                                          "[\"\\ud83d\\ude00\"]",
                                          "[\"\\udc00\"]",
                                          "[\"\\u00e4\\n\\t\\\"\\\\\\/\\b\\f\\r\"]",
                                          "[\"\xC3\xA4\"]",
                                          "[\"\xC0\xAF\"]",
                                          "[\"\xED\xA0\x80\"]",
                                          "[\"\xF4\x90\x80\x80\"]",
                                          "[\"\xF0\x9F\x98\x80\"]",
                                          "[\"a\tb\"]",
                                          std::string("[\"a\0b\"]", 7),
                                          std::string("[1]\0", 4),
                                          "[\"\\x\"]",
                                          "[\"\\u12\"]",
                                          "{\"sentences\": [{\"Left\": 1, \"Text\": \"x\"}]}"};
  int taken = 0;
  for (const std::string& c : cases)
    for (size_t piece : {size_t{1}, size_t{3}, size_t{1} << 20}) taken += expectAgreement(c, piece);
  EXPECT_GE(taken, 3 * 15);  // the well-formed ones

  // Random damage to a document with every kind of value.
  const std::string base =
      "{\"sentences\": [{\"Left\": 10, \"Top\": -20, \"Text\": \"caf\xC3\xA9 \\\"q\\\" \\u00e4\\ud83d\\ude00\"},\n"
      "{\"Left\": 0, \"Top\": 1.5e3, \"Status\": 34, \"x\": [true, false, null, {\"k\": []}]}],\n"
      "\"arrows\": [], \"defeaters\": [{\"ChallengingRect\": [1, 2, 3, 4]}]}";
  ASSERT_TRUE(expectAgreement(base, 7));
  std::mt19937 rng(20261208);
  taken = 0;
  const std::string alphabet = "{}[],:\"\\0123456789-+.eEtrufalsn \t\n\xC3\xA9\xED\xEF\x80";
  for (int i = 0; i < 20000; ++i) {
    std::string s = base;
    for (int k = 0, n = 1 + static_cast<int>(rng() % 3); k < n; ++k) {
      const size_t at = rng() % s.size();
      switch (rng() % 3) {
        case 0: s.erase(at, 1); break;
        case 1: s.insert(at, 1, alphabet[rng() % alphabet.size()]); break;
        default: s[at] = alphabet[rng() % alphabet.size()];
      }
    }
    taken += expectAgreement(s, 1 + rng() % 40);
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(taken, 2000);
}

}  // namespace
}  // namespace zorvex
