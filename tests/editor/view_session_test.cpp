// One editing session fed at several zooms and scroll positions: the
// pointer's surface pixels are turned into diagram points before any editing
// rule sees them, so the diagram, the overlay, the status texts and every
// request to the window come out the same at every view.
#include <sstream>

#include "FakeHost.h"

namespace zorvex::testing {
namespace {

constexpr ShiftState CtrlLeft{ssCtrl | ssLeft};
constexpr ShiftState RightAlone{ssRight};
constexpr int Quarter = 4, ActualSize = 6, Four = 8;

std::string describe(const ElementBase& e) {
  std::ostringstream o;
  o << e.Left << ',' << e.Top << ' ' << e.Width << 'x' << e.Height << (e.Enabled ? " enabled" : "")
    << (e.Selected ? " selected" : "") << (e.Deleted ? " deleted" : "");
  return o.str();
}

std::string describe(const Rect& r) {
  return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom) + ")";
}

std::string describe(Point p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

std::string describe(const std::vector<OverlayFigure>& figures) {
  std::string s = "overlay";
  for (const OverlayFigure& f : figures)
    s += " " + std::to_string(static_cast<int>(f.shape)) + describe(f.p1) + describe(f.p2) + (f.dotted ? "d" : "") +
         (f.inverting ? "i" : "");
  return s;
}

// Every element's geometry and marks, one line each.
std::vector<std::string> describe(Diagram& d) {
  std::vector<std::string> lines;
  for (int32_t n = 0; n < d.SentenceCount(); ++n) {
    const TSentence& s = d.sentence(n);
    lines.push_back("sentence '" + s.Text + "' " + describe(s) + " " + describe(s.box()));
  }
  for (int32_t n = 0; n < d.ArrowCount(); ++n) {
    const TArrow& a = d.arrow(n);
    lines.push_back("arrow " + std::to_string(a.Sentence1) + "->" + std::to_string(a.Sentence2) + " " + describe(a) +
                    " centres " + describe(Point{a.Center1X, a.Center1Y}) + describe(Point{a.Center2X, a.Center2Y}) +
                    " ends " + describe(Point{a.StartX, a.StartY}) + describe(Point{a.EndX, a.EndY}));
  }
  for (int32_t n = 0; n < d.DefeaterCount(); ++n) {
    const TDefeater& f = d.defeater(n);
    lines.push_back("defeater " + describe(f) + " " + describe(f.ChallengingRect) + describe(f.ChallengedRect) +
                    " centres " + describe(Point{f.Center1X, f.Center1Y}) + describe(Point{f.Center2X, f.Center2Y}) +
                    " ends " + describe(Point{f.StartX, f.StartY}) + describe(Point{f.EndX, f.EndY}));
  }
  return lines;
}

// The session runs in a fresh editor and keeps, after every event, what the
// window was shown and asked; at the end, the whole diagram.
struct Session {
  Diagram diagram;
  FakeHost host;
  ArgumentEditor ed{diagram, host};
  ViewPointer ptr{ed};
  std::vector<std::string> transcript;
  Rect offBox;  // the dragged box after the pointer left it

  explicit Session(const ViewTransform& view) { ed.setView(view); }

  void note(const std::string& what) {
    transcript.push_back(what + " | " + host.panel[0] + " | " + host.panel[1] + " | " + describe(host.overlay) +
                         " | mode " + std::to_string(static_cast<int>(ed.editMode())) + " | repaints " +
                         std::to_string(host.surfaceRepaints) + "/" + std::to_string(host.defeaterRepaints) + "/" +
                         std::to_string(host.elementRepaints.size()) + "/" + std::to_string(host.moved.size()) +
                         " | drag " + std::to_string(ed.DragRepaintCounter()) + " | popups " +
                         std::to_string(host.popups.size()) + " at " + describe(ed.PopupPoint()));
  }
  // Every pointer event is aimed at a diagram point the surface shows.
  void check(Point d) {
    const Point v = ptr.pixel(d);
    ASSERT_EQ(ed.view().toDiagram(ViewPoint{v.x, v.y}), d) << describe(d) << " has no pixel of its own";
    ASSERT_TRUE(v.x >= 0 && v.y >= SurfaceTop && v.x < host.surface.width && v.y < host.surface.height)
        << describe(d) << " is off the surface at " << describe(v);
  }
  void press(Point d, MouseButton b = MouseButton::Left, ShiftState held = HeldLeft) {
    check(d);
    ptr.press(d, b, held);
    note("press " + describe(d));
  }
  void move(Point d, ShiftState held = HeldLeft) {
    check(d);
    ptr.move(d, held);
    note("move " + describe(d));
  }
  void release(Point d, MouseButton b = MouseButton::Left, ShiftState held = HeldNone) {
    check(d);
    ptr.release(d, b, held);
    note("release " + describe(d));
  }
  void click(Point d) {
    press(d);
    release(d);
  }
  void addSentence(Point at, const std::string& text) {
    click(at);
    ed.SentenceEditTextChanged(text);
    note("edit box at " + describe(Point{ed.sentenceEdit().Left, ed.sentenceEdit().Top}));
    ed.SentenceEditKeyPress(EnterKey);
  }

  // Diagram points are multiples of 4, so each has a pixel of its own at 1/4.
  void run() {
    ed.AddSentenceSpeedButtonClick();
    addSentence({-60, -40}, "A");
    addSentence({40, -40}, "B");
    addSentence({-20, 40}, "Tweety");

    ed.AddArrowSpeedButtonClick();
    click({-52, -32});  // A
    move({0, -8}, HeldNone);
    click({44, -32});  // B
    click({0, 48});    // Tweety
    move({-24, 0}, HeldNone);
    click({-52, -28});  // A

    ed.AddDefeaterSpeedButtonClick();
    press({-40, 8});
    move({0, 20});
    release({12, 28});
    move({60, 20}, HeldNone);
    press({64, 0});
    move({80, 24});
    release({100, 36});
    press({-40, 16}, MouseButton::Right, RightAlone);  // on the challenging rectangle's side
    release({-40, 16}, MouseButton::Right);
    press({44, -32}, MouseButton::Right, RightAlone);  // on B
    release({44, -32}, MouseButton::Right);

    ed.MakeSelectionSpeedButtonClick();
    press({-64, -44});
    move({0, -20});
    move({60, -16});
    release({60, -16});
    press({0, 48}, MouseButton::Left, CtrlLeft);  // drag Tweety, once off its box
    move({8, 52}, CtrlLeft);
    move({16, 56}, CtrlLeft);
    move({-12, 44}, CtrlLeft);
    offBox = diagram.sentence(2).box();
    release({-8, 48}, MouseButton::Left, ShiftState(ssCtrl));
    click({64, 20});  // on the challenged rectangle's side
    host.answers = {true};
    ed.FormKeyDown(DeleteKey);
    note("deleted the defeater");
    press({-64, -44});
    move({-44, -16});
    release({-44, -16});
    host.answers = {true};
    ed.FormKeyDown(DeleteKey);
    note("deleted A");
  }
};

void expectSameSession(Session& got, Session& want) {
  const std::vector<std::string> a = describe(got.diagram), b = describe(want.diagram);
  EXPECT_EQ(a, b);
  ASSERT_EQ(got.transcript.size(), want.transcript.size());
  for (size_t k = 0; k < want.transcript.size(); ++k) {
    ASSERT_EQ(got.transcript[k], want.transcript[k]) << "after step " << k;
  }
  EXPECT_EQ(got.host.questions, want.host.questions);
  EXPECT_EQ(got.host.popups, want.host.popups);
  EXPECT_EQ(got.host.sentencePopups.size(), want.host.sentencePopups.size());
}

TEST(ViewSession, TheSessionBuildsTheDiagramAtItsDiagramPoints) {
  Session s(viewAt(ActualSize, {-300, -200}));
  s.run();
  ASSERT_EQ(s.diagram.SentenceCount(), 3);
  ASSERT_EQ(s.diagram.ArrowCount(), 2);
  ASSERT_EQ(s.diagram.DefeaterCount(), 1);
  const TSentence& a = s.diagram.sentence(0);
  EXPECT_EQ(a.box(), (Rect{-60, -40, -46, -20}));
  EXPECT_TRUE(a.Deleted);
  EXPECT_EQ(s.diagram.sentence(1).box(), (Rect{40, -40, 54, -20}));
  // Tweety (-20,40)-(29,60), moved by (16,8), then (-28,-12) off its box, then (4,4).
  EXPECT_EQ(s.offBox, (Rect{-32, 36, 17, 56}));
  EXPECT_EQ(s.diagram.sentence(2).box(), (Rect{-28, 40, 21, 60}));
  EXPECT_EQ(s.diagram.arrow(0).Sentence1, 0);
  EXPECT_EQ(s.diagram.arrow(0).Sentence2, 1);
  EXPECT_EQ(s.diagram.arrow(1).Sentence1, 2);
  EXPECT_EQ(s.diagram.arrow(1).Sentence2, 0);
  EXPECT_TRUE(s.diagram.arrow(0).Deleted && s.diagram.arrow(1).Deleted);
  const TDefeater& d = s.diagram.defeater(0);
  EXPECT_EQ(d.ChallengingRect, (Rect{-40, 8, 12, 28}));
  EXPECT_EQ(d.ChallengedRect, (Rect{64, 0, 100, 36}));
  EXPECT_TRUE(d.Deleted);
  EXPECT_EQ(s.host.popups, std::vector<std::string>{"defeater"});
  EXPECT_EQ(s.ed.PopupPoint(), (Point{44, -32}));  // the last right press, on B
  ASSERT_EQ(s.host.sentencePopups.size(), 1u);
  EXPECT_EQ(s.host.sentencePopups[0].sentence, 1);
  EXPECT_EQ(s.host.questions.size(), 2u);
  EXPECT_EQ(s.host.panel[0], "(-64,-44)");  // the last press
}

TEST(ViewSession, QuarterActualAndFourTimesScrolledGiveTheSameDiagramAndRequests) {
  Session want(viewAt(ActualSize, {-300, -200}));
  want.run();
  for (const ViewTransform& view :
       {viewAt(Quarter, {-100, -50}), viewAt(ActualSize, {-90, -60}), viewAt(Four, {-300, -200})}) {
    SCOPED_TRACE(std::string("zoom step ") + std::to_string(view.step()));
    Session got(view);
    got.run();
    expectSameSession(got, want);
  }
}

}  // namespace
}  // namespace zorvex::testing
