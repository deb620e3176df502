#include "aif/MapJson.h"

#include <string>
#include <utility>
#include <vector>

#include "model/InputExcerpt.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

using Json = nlohmann::json;

// Builds the document as nlohmann's own reader does, one event at a time,
// keeping the way down to the value being read for the messages.
class BoundedDocument {
 public:
  explicit BoundedDocument(Json& root) : root_(root) {}

  bool null() { return put(nullptr); }
  bool boolean(bool v) { return put(v); }
  bool number_integer(Json::number_integer_t v) { return put(v); }
  bool number_unsigned(Json::number_unsigned_t v) { return put(v); }
  bool number_float(Json::number_float_t v, const std::string&) { return put(v); }
  bool string(std::string& s) { return put(s); }
  bool binary(Json::binary_t& b) { return put(Json::binary(b)); }
  bool start_object(std::size_t) { return open(Json::object()); }
  bool start_array(std::size_t) { return open(Json::array()); }
  bool key(std::string& k) {
    levels_.back().key = k;
    return true;
  }
  bool end_object() { return close(); }
  bool end_array() { return close(); }
  bool parse_error(std::size_t position, const std::string& token, const nlohmann::detail::exception& e) {
    const std::string at = " at byte " + std::to_string(position);
    if (e.id == 406) throw ZorvexError("a number too large" + at + " ('" + inputExcerpt(token) + "')");
    throw ZorvexError("not complete JSON (" + at.substr(1) + ")");
  }

 private:
  struct Level {
    Json* value;
    size_t items = 0;  // of a list: how many were begun
    std::string key;   // of an object: the key being read
  };

  // Where the next value goes: the root, the end of a list, or an object's key.
  Json& place() {
    if (levels_.empty()) return root_;
    Level& l = levels_.back();
    if (!l.value->is_array()) return (*l.value)[l.key];
    ++l.items;
    l.value->push_back(nullptr);
    return l.value->back();
  }
  template <class V>
  bool put(V&& v) {
    place() = std::forward<V>(v);
    return true;
  }
  bool open(Json empty) {
    Json& v = place();
    if (levels_.size() == JsonNestingLimit)
      throw ZorvexError(way() + ": lists and objects nested more than " + std::to_string(JsonNestingLimit) +
                        " deep");
    v = std::move(empty);
    levels_.push_back({&v, 0, {}});
    return true;
  }
  bool close() {
    levels_.pop_back();
    return true;
  }
  // "locutions[0].personID[0][0]...", cut short.
  std::string way() const {
    std::string out;
    for (const Level& l : levels_) {
      if (l.value->is_array())
        out += "[" + std::to_string(l.items - 1) + "]";
      else
        out += (out.empty() ? "" : ".") + l.key;
      if (out.size() > 4 * ExcerptCharacters) break;
    }
    return inputExcerpt(out);
  }

  Json& root_;
  std::vector<Level> levels_;
};

}  // namespace

nlohmann::json parseMapJson(std::string_view text) {
  Json doc;
  BoundedDocument builder(doc);
  Json::sax_parse(text.begin(), text.end(), &builder);
  return doc;
}

}  // namespace zorvex
