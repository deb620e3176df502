// GraphML in the form yEd reads (and draw.io imports): y:ShapeNode geometry
// and labels, so a graph editor shows the picture as the program does, and
// plain data keys for what the graphics do not say.
#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>

#include "argdown/ArgdownFiles.h"
#include "edit/DefeaterHolds.h"

namespace zorvex {
namespace {

// The painters' palette.
const char* fillColour(Status s) {
  if (has(s, StatusFlipped)) return "#00FF00";
  if (has(s, NotEvaluated)) return "#C0C0C0";
  return "#FFFFFF";
}

const char* frameColour(Status s) {
  if (has(s, SetByUser)) return "#0000FF";
  if (has(s, JustEvaluated)) return "#008000";
  if (has(s, Undefeated) || has(s, Defeated)) return "#000000";
  return "#808080";
}

const char* statusName(Status s) {
  return has(s, Undefeated) ? "justified" : has(s, Defeated) ? "unjustified" : "not evaluated";
}

const char* defeaterColour(DefeaterState s) {
  return s == DefeaterState::Active ? "#FF0000" : s == DefeaterState::Inactive ? "#FF8080" : "#800000";
}

QString number(int64_t n) { return QString::number(n); }

// XML 1.0 has no place for most control characters: they are shown as U+FFFD.
QString xmlText(const std::string& text) {
  QString out = QString::fromStdString(text);
  for (QChar& c : out)
    if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
      c = QChar(0xFFFD);
  return out;
}

class GraphMl {
 public:
  explicit GraphMl(const Diagram& d) : d_(d), xml_(&bytes_) {}

  std::string run() {
    xml_.setAutoFormatting(true);
    xml_.writeStartDocument();
    xml_.writeStartElement("graphml");
    xml_.writeDefaultNamespace("http://graphml.graphdrawing.org/xmlns");
    xml_.writeNamespace("http://www.yworks.com/xml/graphml", "y");
    key("ng", "node", "yfiles.type", "nodegraphics");
    key("eg", "edge", "yfiles.type", "edgegraphics");
    key("kind", "all", "attr.name", "kind");
    key("status", "node", "attr.name", "status");
    key("challenges", "edge", "attr.name", "challenges");
    xml_.writeStartElement("graph");
    xml_.writeAttribute("id", "G");
    xml_.writeAttribute("edgedefault", "directed");
    for (int32_t n = 0; n < d_.SentenceCount(); ++n)
      if (!d_.sentence(n).Deleted) sentence(n);
    for (int32_t n = 0; n < d_.ArrowCount(); ++n) arrow(n);
    for (int32_t n = 0; n < d_.DefeaterCount(); ++n) defeater(n);
    xml_.writeEndDocument();
    return bytes_.toStdString() + "\n";
  }

 private:
  void key(const char* id, const char* domain, const char* name, const char* value) {
    xml_.writeStartElement("key");
    xml_.writeAttribute("id", id);
    xml_.writeAttribute("for", domain);
    xml_.writeAttribute(name, value);
    if (QByteArray(name) == "attr.name") xml_.writeAttribute("attr.type", "string");
    xml_.writeEndElement();
  }
  void data(const char* key, const QString& value) {
    xml_.writeStartElement("data");
    xml_.writeAttribute("key", key);
    xml_.writeCharacters(value);
    xml_.writeEndElement();
  }

  void shape(const Rect& box, const char* fill, const char* frame, const char* form, const QString& label) {
    xml_.writeStartElement("data");
    xml_.writeAttribute("key", "ng");
    xml_.writeStartElement("y:ShapeNode");
    xml_.writeEmptyElement("y:Geometry");
    xml_.writeAttribute("x", number(box.Left));
    xml_.writeAttribute("y", number(box.Top));
    xml_.writeAttribute("width", number(int64_t{box.Right} - box.Left));
    xml_.writeAttribute("height", number(int64_t{box.Bottom} - box.Top));
    xml_.writeEmptyElement("y:Fill");
    xml_.writeAttribute("color", fill);
    xml_.writeAttribute("transparent", "false");
    xml_.writeEmptyElement("y:BorderStyle");
    xml_.writeAttribute("color", frame);
    xml_.writeAttribute("type", "line");
    xml_.writeAttribute("width", "1.0");
    xml_.writeTextElement("y:NodeLabel", label);
    xml_.writeEmptyElement("y:Shape");
    xml_.writeAttribute("type", form);
    xml_.writeEndElement();
    xml_.writeEndElement();
  }

  void sentence(int32_t n) {
    const TSentence& s = d_.sentence(n);
    xml_.writeStartElement("node");
    xml_.writeAttribute("id", "s" + number(n));
    data("kind", "sentence");
    data("status", statusName(s.Status));
    shape(s.box(), fillColour(s.Status), frameColour(s.Status), "rectangle", xmlText(s.Text));
    xml_.writeEndElement();
  }

  void edge(const QString& id, const QString& from, const QString& to, const char* colour, bool dashed,
            const QString& challenges = {}) {
    xml_.writeStartElement("edge");
    xml_.writeAttribute("id", id);
    xml_.writeAttribute("source", from);
    xml_.writeAttribute("target", to);
    data("kind", dashed ? "challenge" : "arrow");
    if (!challenges.isEmpty()) data("challenges", challenges);
    xml_.writeStartElement("data");
    xml_.writeAttribute("key", "eg");
    xml_.writeStartElement("y:PolyLineEdge");
    xml_.writeEmptyElement("y:LineStyle");
    xml_.writeAttribute("color", colour);
    xml_.writeAttribute("type", dashed ? "dashed" : "line");
    xml_.writeAttribute("width", "1.0");
    xml_.writeEmptyElement("y:Arrows");
    xml_.writeAttribute("source", "none");
    xml_.writeAttribute("target", "standard");
    xml_.writeEndElement();
    xml_.writeEndElement();
    xml_.writeEndElement();
  }

  bool live(int32_t a) const {
    const TArrow& r = d_.arrow(a);
    return !r.Deleted && r.resolved() && !d_.sentence(r.Sentence1).Deleted && !d_.sentence(r.Sentence2).Deleted;
  }

  void arrow(int32_t n) {
    if (!live(n)) return;
    const TArrow& a = d_.arrow(n);
    edge("a" + number(n), "s" + number(a.Sentence1), "s" + number(a.Sentence2),
         has(a.Status, NotEvaluated) ? "#808080" : "#000000", false);
  }

  // A small diamond halfway along the defeater's line.
  void defeater(int32_t n) {
    const TDefeater& f = d_.defeater(n);
    if (f.Deleted || f.Incomplete) return;
    const QString id = "d" + number(n);
    const int64_t x = (int64_t{f.StartX} + f.EndX) / 2, y = (int64_t{f.StartY} + f.EndY) / 2;
    xml_.writeStartElement("node");
    xml_.writeAttribute("id", id);
    data("kind", "defeater");
    const Rect box{static_cast<int32_t>(x - 6), static_cast<int32_t>(y - 6), static_cast<int32_t>(x + 6),
                   static_cast<int32_t>(y + 6)};
    shape(box, defeaterColour(f.DefeaterState), defeaterColour(f.DefeaterState), "diamond", {});
    xml_.writeEndElement();
    const DefeaterHolding h = defeaterHolds(d_, n);
    const char* colour = defeaterColour(f.DefeaterState);
    int k = 0;
    for (int32_t s : h.challenging.sentences)
      edge(id + "e" + number(k++), "s" + number(s), id, colour, true);
    for (int32_t s : h.challenged.sentences) edge(id + "e" + number(k++), id, "s" + number(s), colour, true);
    for (int32_t a : h.challenged.arrows)
      if (live(a))
        edge(id + "e" + number(k++), id, "s" + number(d_.arrow(a).Sentence2), colour, true,
             QString::fromStdString(Diagram::name(ElementKind::Arrow, a)));
  }

  const Diagram& d_;
  QByteArray bytes_;
  QXmlStreamWriter xml_;
};

}  // namespace

std::string graphMlOfDiagram(const Diagram& d) { return GraphMl(d).run(); }

}  // namespace zorvex
