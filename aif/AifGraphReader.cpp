#include <set>

#include <nlohmann/json.hpp>

#include "aif/AifGraph.h"
#include "aif/MapJson.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

using Json = nlohmann::json;

const Json& member(const Json& object, const char* key, const std::string& where) {
  const auto it = object.find(key);
  if (it == object.end()) throw ZorvexError(where + ": missing '" + key + "'");
  return *it;
}

// An ID may be a string or an integer; both are kept as text.
std::string idOf(const Json& object, const char* key, const std::string& where) {
  const Json& v = member(object, key, where);
  if (v.is_string()) return v.get<std::string>();
  if (v.is_number_integer() || v.is_number_unsigned()) return v.dump();
  throw ZorvexError(where + ": '" + key + "' is neither text nor a whole number");
}

const Json& listOf(const Json& object, const char* key, const std::string& where) {
  const Json& v = member(object, key, where);
  if (!v.is_array()) throw ZorvexError(where + ": '" + key + "' is not a list");
  return v;
}

AifNodeType typeOf(const std::string& t) {
  static const std::pair<const char*, AifNodeType> names[] = {
      {"I", AifNodeType::I},   {"RA", AifNodeType::RA}, {"CA", AifNodeType::CA}, {"MA", AifNodeType::MA},
      {"PA", AifNodeType::PA}, {"L", AifNodeType::L},   {"TA", AifNodeType::TA}, {"YA", AifNodeType::YA}};
  for (const auto& [name, type] : names)
    if (t == name) return type;
  return AifNodeType::Other;
}

bool isScheme(AifNodeType t) {
  return t == AifNodeType::RA || t == AifNodeType::CA || t == AifNodeType::MA || t == AifNodeType::PA;
}

bool hasText(const Json& node, const char* key) {
  const auto it = node.find(key);
  return it != node.end() && it->is_string() && !it->get<std::string>().empty();
}

AifNode nodeOf(const Json& n, const char* idKey, const std::string& where) {
  if (!n.is_object()) throw ZorvexError(where + ": not an object");
  AifNode node;
  node.id = idOf(n, idKey, where);
  const Json& type = member(n, "type", where);
  if (!type.is_string()) throw ZorvexError(where + ": 'type' is not text");
  node.type = typeOf(type.get<std::string>());
  const auto text = n.find("text");
  if (text != n.end() && !text->is_string() && !text->is_null()) throw ZorvexError(where + ": 'text' is not text");
  if (text != n.end() && text->is_string()) node.text = text->get<std::string>();
  if (node.type == AifNodeType::I && (text == n.end() || !text->is_string()))
    throw ZorvexError(where + ": missing 'text'");
  if (node.type == AifNodeType::I && node.text.size() > AifTextLimit)
    throw ZorvexError(where + ": a text of " + std::to_string(node.text.size()) + " bytes, more than the " +
                      std::to_string(AifTextLimit) + " a sentence may take");
  node.namesScheme = isScheme(node.type) && !node.text.empty() && node.text.rfind("Default ", 0) != 0;
  node.timestamped = hasText(n, "timestamp") || hasText(n, "date");
  return node;
}

void readNodes(AifGraph& g, const Json& nodes, const char* idKey) {
  g.nodes.reserve(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i)
    g.nodes.push_back(nodeOf(nodes[i], idKey, "nodes[" + std::to_string(i) + "]"));
}

void readAifDbEdges(AifGraph& g, const Json& edges) {
  for (size_t i = 0; i < edges.size(); ++i) {
    const std::string where = "edges[" + std::to_string(i) + "]";
    if (!edges[i].is_object()) throw ZorvexError(where + ": not an object");
    g.edges.push_back({idOf(edges[i], "fromID", where), idOf(edges[i], "toID", where)});
  }
}

void readOva2Edges(AifGraph& g, const Json& edges) {
  for (size_t i = 0; i < edges.size(); ++i) {
    const std::string where = "edges[" + std::to_string(i) + "]";
    if (!edges[i].is_object()) throw ZorvexError(where + ": not an object");
    const Json& from = member(edges[i], "from", where);
    const Json& to = member(edges[i], "to", where);
    if (!from.is_object() || !to.is_object()) throw ZorvexError(where + ": 'from' or 'to' is not an object");
    g.edges.push_back({idOf(from, "id", where + ".from"), idOf(to, "id", where + ".to")});
  }
}

size_t speakersOf(const Json& aif) {
  const auto participants = aif.find("participants");
  if (participants != aif.end() && participants->is_array() && !participants->empty()) return participants->size();
  std::set<std::string> people;
  const auto locutions = aif.find("locutions");
  if (locutions == aif.end() || !locutions->is_array()) return 0;
  for (const Json& l : *locutions) {
    if (!l.is_object()) continue;
    const auto person = l.find("personID");
    if (person != l.end() && !person->is_null()) people.insert(person->dump());
  }
  return people.size();
}

// OVA2 names its nodes by "id" and its edges' ends by objects; AIFdb by
// "nodeID", "fromID" and "toID".
bool isOva2(const Json& nodes, const Json& edges) {
  if (!nodes.empty() && nodes[0].is_object()) return !nodes[0].contains("nodeID") && nodes[0].contains("id");
  return !edges.empty() && edges[0].is_object() && edges[0].contains("from");
}

AifGraph graphOf(const Json& doc) {
  if (!doc.is_object()) throw ZorvexError("not an AIF map: the file holds no JSON object");
  AifGraph g;
  const Json* aif = &doc;
  const auto inner = doc.find("AIF");
  if (inner != doc.end() && inner->is_object()) {
    g.format = AifFormat::XAif;
    aif = &*inner;
  } else if (!doc.contains("nodes")) {
    throw ZorvexError("not an AIF map: no 'nodes' list");
  }
  const Json& nodes = listOf(*aif, "nodes", g.format == AifFormat::XAif ? "AIF" : "the map");
  const Json& edges = listOf(*aif, "edges", g.format == AifFormat::XAif ? "AIF" : "the map");
  if (g.format != AifFormat::XAif && isOva2(nodes, edges)) {
    g.format = AifFormat::Ova2;
    readNodes(g, nodes, "id");
    readOva2Edges(g, edges);
  } else {
    readNodes(g, nodes, "nodeID");
    readAifDbEdges(g, edges);
  }
  g.speakers = speakersOf(*aif);
  return g;
}

}  // namespace

const char* formatName(AifFormat format) {
  switch (format) {
    case AifFormat::AifDb: return "AIFdb JSON";
    case AifFormat::XAif: return "xAIF";
    case AifFormat::Ova2: return "OVA2";
  }
  return "";
}

AifGraph readAifGraph(std::string_view json) {
  return graphOf(parseMapJson(json));
}

}  // namespace zorvex
