// Data blocks in YAML's flow form: {key: value, ...} with quoted or bare
// texts, numbers, [lists] and {maps} inside. Only our keys are kept; the
// rest is counted. Nesting is bounded, so no input exhausts the stack.
#include <cctype>
#include <charconv>

#include "argdown/ArgdownSyntax.h"

namespace zorvex::argdown {
namespace {

struct Value {
  enum Kind { Text, Word, List, Map } kind = Word;
  std::string text;
  std::vector<Value> items;
};

class DataParser {
 public:
  DataParser(std::string_view s, size_t i) : s_(s), i_(i) {}

  // The map at '{', its entries' keys and values in order.
  std::vector<std::pair<std::string, Value>> topMap() {
    std::vector<std::pair<std::string, Value>> entries;
    ++i_;
    blanks();
    if (peek() == '}') return ++i_, entries;
    for (;;) {
      std::string key = scalar(":,}").text;
      blanks();
      if (peek() != ':') throw UnreadableLine{};
      ++i_;
      entries.emplace_back(std::move(key), value(1));
      if (separator('}')) return entries;
    }
  }
  size_t position() const { return i_; }

 private:
  char peek() const { return i_ < s_.size() ? s_[i_] : '\0'; }
  void blanks() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t')) ++i_;
  }
  // After an item: true at the closing bracket (passed), false after a comma.
  bool separator(char close) {
    blanks();
    if (peek() == close) return ++i_, true;
    if (peek() != ',') throw UnreadableLine{};
    ++i_;
    blanks();
    return false;
  }

  Value value(int depth) {
    if (depth > DataDepthLimit) throw UnreadableLine{};
    blanks();
    if (peek() == '[' || peek() == '{') return nested(depth);
    return scalar(",]}");
  }

  Value nested(int depth) {
    const char close = peek() == '[' ? ']' : '}';
    Value v;
    v.kind = close == ']' ? Value::List : Value::Map;
    ++i_;
    blanks();
    if (peek() == close) return ++i_, v;
    for (;;) {
      if (v.kind == Value::Map) {
        scalar(":,}");
        blanks();
        if (peek() != ':') throw UnreadableLine{};
        ++i_;
      }
      v.items.push_back(value(depth + 1));
      if (separator(close)) return v;
    }
  }

  Value scalar(std::string_view stops) {
    blanks();
    Value v;
    const char quote = peek();
    if (quote == '"' || quote == '\'') return quoted(quote);
    const size_t start = i_;
    while (i_ < s_.size() && stops.find(s_[i_]) == std::string_view::npos && s_[i_] != '{' && s_[i_] != '[')
      ++i_;
    v.text = std::string(trimmed(s_.substr(start, i_ - start)));
    if (v.text.empty()) throw UnreadableLine{};
    return v;
  }

  Value quoted(char quote) {
    Value v;
    v.kind = Value::Text;
    for (++i_; i_ < s_.size(); ++i_) {
      const char c = s_[i_];
      if (c == quote && quote == '\'' && i_ + 1 < s_.size() && s_[i_ + 1] == '\'') {
        v.text += '\'';
        ++i_;
      } else if (c == quote) {
        ++i_;
        return v;
      } else if (c == '\\' && quote == '"' && i_ + 1 < s_.size()) {
        v.text += s_[++i_];
      } else {
        v.text += c;
      }
    }
    throw UnreadableLine{};
  }

  std::string_view s_;
  size_t i_;
};

std::optional<int64_t> integer(const Value& v) {
  if (v.kind != Value::Word) return std::nullopt;
  int64_t n = 0;
  const char* end = v.text.data() + v.text.size();
  const auto [p, ec] = std::from_chars(v.text.data(), end, n);
  if (ec != std::errc() || p != end || n < -PlaceLimit || n > PlaceLimit) return std::nullopt;
  return n;
}

void keep(const std::string& key, const Value& v, DataItems& into) {
  if (key == "x" || key == "y") {
    std::optional<int64_t>& slot = key == "x" ? into.x : into.y;
    const std::optional<int64_t> n = integer(v);
    if (n && !slot) return void(slot = n);
  } else if (key == "status" && v.kind != Value::List && v.kind != Value::Map) {
    const std::optional<Status> s = statusOfWords(v.text);
    if (s && !into.status) return void(into.status = s);
  } else if (key == "uses" && v.kind == Value::List && !into.uses) {
    std::vector<int64_t> numbers;
    for (const Value& item : v.items) {
      const std::optional<int64_t> n = integer(item);
      if (!n) return void(++into.others);
      numbers.push_back(*n);
    }
    return void(into.uses = std::move(numbers));
  }
  ++into.others;
}

}  // namespace

void readData(std::string_view s, size_t& i, DataItems& into) {
  DataParser parser(s, i);
  for (const auto& [key, value] : parser.topMap()) keep(key, value, into);
  i = parser.position();
}

std::string statusWords(Status s) {
  std::string words = has(s, Undefeated) ? "justified" : has(s, Defeated) ? "unjustified" : "not evaluated";
  if (has(s, SetByUser)) words += ", set by the user";
  if (has(s, StatusFlipped))
    words += ", just flipped";
  else if (has(s, JustEvaluated))
    words += ", just changed";
  return words;
}

std::optional<Status> statusOfWords(std::string_view words) {
  const size_t comma = words.find(',');
  const std::string_view base = trimmed(words.substr(0, comma));
  Status s = 0;
  if (base == "justified") s = Undefeated;
  else if (base == "unjustified") s = Defeated;
  else if (base == "not evaluated") s = NotEvaluated;
  else return std::nullopt;
  for (size_t at = comma; at != std::string_view::npos;) {
    const size_t next = words.find(',', at + 1);
    const std::string_view flag = trimmed(words.substr(at + 1, next == std::string_view::npos ? next : next - at - 1));
    if (flag == "set by the user") s |= SetByUser;
    else if (flag == "just changed") s |= JustEvaluated;
    else if (flag == "just flipped") s |= JustEvaluated | StatusFlipped;
    else return std::nullopt;
    at = next;
  }
  return s;
}

}  // namespace zorvex::argdown
