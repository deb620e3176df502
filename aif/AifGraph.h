#pragma once
// An argument map in the Argument Interchange Format as read: its nodes and
// edges, whichever of the three JSON forms it came in. IDs are kept as text
// (a number ID as its decimal digits).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex {

enum class AifFormat { AifDb, XAif, Ova2 };
const char* formatName(AifFormat format);

enum class AifNodeType { I, RA, CA, MA, PA, L, TA, YA, Other };

struct AifNode {
  std::string id;
  AifNodeType type = AifNodeType::Other;
  std::string text;
  bool namesScheme = false;  // a scheme other than the default inference or conflict
  bool timestamped = false;
};

struct AifEdge {
  std::string from;
  std::string to;
};

struct AifGraph {
  AifFormat format = AifFormat::AifDb;
  std::vector<AifNode> nodes;
  std::vector<AifEdge> edges;
  size_t speakers = 0;
};

// The longest I-node text taken, in bytes: longer is a damaged or foreign file.
inline constexpr size_t AifTextLimit = 10000;

// Which form a JSON text is in; throws ZorvexError when it is no AIF map or
// is damaged (not JSON, missing keys, wrong types, an overlong text), with a
// message that says where.
AifGraph readAifGraph(std::string_view json);

// True when a file that begins so is an AIF map rather than one of our own
// diagram files: its first key is one only AIF maps start with.
bool beginsLikeAif(std::string_view head);

}  // namespace zorvex
