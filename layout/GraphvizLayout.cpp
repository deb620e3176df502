// The layered layout through Graphviz's own library: one dot graph of
// fixed-size boxes, links from premise to conclusion laid bottom to top,
// clusters for the groups. Graphviz works in points; one point is taken as
// one pixel. What dot is given is decided here (DotGraph); dot itself runs
// in a child process, which hands back the centres of the boxes.
#include <gvc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "layout/BoxLayout.h"
#include "layout/ChildProcess.h"
#include "layout/DotGraph.h"
#include "layout/DotParts.h"
#include "layout/LayeredLayoutSeam.h"
#include "layout/PlacedCorners.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

constexpr double PointsPerInch = 72.0;

std::string inches(double pixels) { return std::to_string(pixels / PointsPerInch); }

char* text(const char* s) { return const_cast<char*>(s); }

struct DotHandle {
  Agraph_t* graph;
  GVC_t* gvc;
  bool laidOut = false;
  ~DotHandle() {
    if (laidOut) gvFreeLayout(gvc, graph);
    agclose(graph);
  }
};

// Made once in the program, with dot's plugin loaded by laying out an empty
// graph, so that no child process has to load a library.
GVC_t* readyContext() {
  static GVC_t* gvc = nullptr;
  static std::once_flag made;
  std::call_once(made, [] {
    agseterr(AGERR);  // dot's warnings are not the user's business
    gvc = gvContext();
    DotHandle empty{agopen(text("empty"), Agdirected, nullptr), gvc};
    empty.laidOut = gvLayout(gvc, empty.graph, "dot") == 0;
  });
  return gvc;
}

void setGraphAttributes(Agraph_t* g, int32_t gap) {
  agattr(g, AGRAPH, text("rankdir"), text("BT"));
  agattr(g, AGRAPH, text("nodesep"), text(inches(gap).c_str()));
  agattr(g, AGRAPH, text("ranksep"), text(inches(gap * 3).c_str()));
  // Our arrows are straight lines between the boxes: dot need not route any.
  agattr(g, AGRAPH, text("splines"), text("none"));
  agattr(g, AGNODE, text("shape"), text("box"));
  agattr(g, AGNODE, text("fixedsize"), text("true"));
  agattr(g, AGNODE, text("label"), text(""));
}

std::vector<Agnode_t*> addNodes(Agraph_t* g, const DotGraph& in) {
  Agsym_t* width = agattr(g, AGNODE, text("width"), text("1"));
  Agsym_t* height = agattr(g, AGNODE, text("height"), text("1"));
  Agsym_t* group = agattr(g, AGNODE, text("group"), text(""));
  std::vector<Agnode_t*> nodes(in.boxes.size());
  for (size_t i = 0; i < in.boxes.size(); ++i) {
    nodes[i] = agnode(g, text(("n" + std::to_string(i)).c_str()), 1);
    agxset(nodes[i], width, text(inches(std::max(1, in.boxes[i].width)).c_str()));
    agxset(nodes[i], height, text(inches(std::max(1, in.boxes[i].height)).c_str()));
    if (in.upright[i] >= 0) agxset(nodes[i], group, text(("g" + std::to_string(in.upright[i])).c_str()));
  }
  return nodes;
}

void addEdges(Agraph_t* g, const DotGraph& in, const std::vector<Agnode_t*>& nodes) {
  Agsym_t* minlen = agattr(g, AGEDGE, text("minlen"), text("1"));
  Agsym_t* constraint = agattr(g, AGEDGE, text("constraint"), text("true"));
  Agsym_t* weight = agattr(g, AGEDGE, text("weight"), text("1"));
  for (const DotEdge& d : in.edges) {
    Agedge_t* e = agedge(g, nodes[d.from], nodes[d.to], nullptr, 1);
    if (d.sameRank) agxset(e, minlen, text("0"));
    if (!d.ranks) agxset(e, constraint, text("false"));
    if (d.weight != 1) agxset(e, weight, text(std::to_string(d.weight).c_str()));
  }
}

void addClusters(Agraph_t* g, const DotGraph& in, const std::vector<Agnode_t*>& nodes) {
  for (size_t n = 0; n < in.clusters.size(); ++n) {
    Agraph_t* cluster = agsubg(g, text(("cluster_" + std::to_string(n)).c_str()), 1);
    for (int32_t box : in.clusters[n]) agsubnode(cluster, nodes[box], 1);
  }
}

// In the child: dot's centres of the boxes, as bytes (dot's y grows upwards).
std::string dotCentres(const DotGraph& in, GVC_t* gvc) {
  DotHandle dot{agopen(text("map"), Agdirected, nullptr), gvc};
  setGraphAttributes(dot.graph, in.gap);
  const std::vector<Agnode_t*> nodes = addNodes(dot.graph, in);
  addEdges(dot.graph, in, nodes);
  addClusters(dot.graph, in, nodes);
  if (gvLayout(gvc, dot.graph, "dot") != 0) throw ZorvexError("The layered layout failed");
  dot.laidOut = true;
  std::vector<DoublePoint> centres(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) centres[i] = {ND_coord(nodes[i]).x, -ND_coord(nodes[i]).y};
  return std::string(reinterpret_cast<const char*>(centres.data()), centres.size() * sizeof(DoublePoint));
}

// The child's bytes back as centres; nothing when they are not one finite point per box.
std::optional<std::vector<DoublePoint>> centresOf(const std::string& bytes, size_t boxes) {
  if (bytes.size() != boxes * sizeof(DoublePoint)) return std::nullopt;
  std::vector<DoublePoint> centres(boxes);
  std::memcpy(centres.data(), bytes.data(), bytes.size());
  for (const DoublePoint& c : centres)
    if (!std::isfinite(c.x) || !std::isfinite(c.y)) return std::nullopt;
  return centres;
}

LayeredLayoutSeam& seam() {
  static LayeredLayoutSeam current;
  return current;
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// Debian's Graphviz 2.43 keeps a few small blocks of each layout to itself
// past agclose and gvFreeLayout; they are its own, not ours to report.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libgvc.so\nleak:libcgraph.so\nleak:libcdt.so\nleak:libgvplugin_dot_layout.so\n";
}
#endif

LayeredLayoutSeam setLayeredLayoutSeam(LayeredLayoutSeam next) { return std::exchange(seam(), std::move(next)); }

std::optional<std::vector<std::vector<DoublePoint>>> dotCentresOfParts(const std::vector<const LayoutInput*>& parts,
                                                                        LayeredFailure& failure) {
  std::vector<DotGraph> graphs;
  size_t boxes = 0;
  for (const LayoutInput* part : parts) {
    graphs.push_back(dotGraphOf(*part));
    boxes += part->boxes.size();
  }
  if (boxes == 0) return std::vector<std::vector<DoublePoint>>(parts.size());
  GVC_t* gvc = readyContext();
  const LayeredLayoutSeam& s = seam();
  // One child for all parts: a process costs more than dot takes on a small part.
  const ChildResult child = runInChild(
      [&] {
        if (s.inChild) s.inChild();
        std::string bytes;
        for (const DotGraph& graph : graphs) bytes += dotCentres(graph, gvc);
        return bytes;
      },
      s.timeLimit);
  const auto all = child.end == ChildEnd::Done ? centresOf(child.bytes, boxes) : std::nullopt;
  if (!all) {
    failure = child.end == ChildEnd::TookTooLong ? LayeredFailure::TookTooLong : LayeredFailure::Failed;
    return std::nullopt;
  }
  std::vector<std::vector<DoublePoint>> out;
  auto next = all->begin();
  for (const LayoutInput* part : parts) {
    out.emplace_back(next, next + static_cast<std::ptrdiff_t>(part->boxes.size()));
    next += static_cast<std::ptrdiff_t>(part->boxes.size());
  }
  return out;
}

LayoutOutput layOutLayered(const LayoutInput& in) {
  LayoutOutput out;
  out.method = LayoutMethod::Layered;
  if (in.boxes.empty()) return out;
  const auto centres = dotCentresOfParts({&in}, out.failure);
  if (!centres) {
    LayoutOutput own = layOutOwn(in);
    own.failure = out.failure;
    return own;
  }
  out.corners = cornersFromCentres(in.boxes, centres->front());
  return out;
}

}  // namespace zorvex
