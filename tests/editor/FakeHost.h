#pragma once
// A window stand-in that records what the editor asks of it and answers
// the Yes/No questions from a script.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "editor/ArgumentEditor.h"
#include "editor/EditorHost.h"
#include "model/Diagram.h"

namespace zorvex::testing {

struct FakeHost : EditorHost {
  std::string panel[2];
  ToolButton button = ToolButton::None;
  int surfaceRepaints = 0;
  int defeaterRepaints = 0;
  std::vector<ElementRef> elementRepaints;
  std::vector<ElementRef> moved;
  std::vector<OverlayFigure> overlay;
  std::deque<bool> answers;
  std::vector<std::string> questions;
  std::vector<std::string> warnings;
  std::vector<std::string> popups;  // "arrow" / "defeater", in opening order
  std::vector<SentencePopupState> sentencePopups;
  int editChanges = 0;
  int editFocuses = 0;
  SurfaceSize surface{800, 500};

  void setStatusText(int p, const std::string& text) override { panel[p] = text; }
  void setToolButtonDown(ToolButton b) override { button = b; }
  void repaintSurface() override { ++surfaceRepaints; }
  void repaintElement(ElementRef ref) override { elementRepaints.push_back(ref); }
  void repaintAllDefeaters() override { ++defeaterRepaints; }
  void elementMoved(ElementRef ref, const Rect&) override { moved.push_back(ref); }
  void setOverlay(const std::vector<OverlayFigure>& figures) override { overlay = figures; }
  bool askYesNo(const std::string& text) override {
    questions.push_back(text);
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text;
      return false;
    }
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void showWarning(const std::string& text) override { warnings.push_back(text); }
  void sentenceEditChanged() override { ++editChanges; }
  void focusSentenceEdit() override { ++editFocuses; }
  // 7 pixels per character, 13 high.
  TextSize measureText(const std::string& text) override { return {static_cast<int32_t>(text.size()) * 7, 13}; }
  SurfaceSize surfaceSize() override { return surface; }
  void openArrowPopup(Point) override { popups.push_back("arrow"); }
  void openDefeaterPopup(Point) override { popups.push_back("defeater"); }
  void prepareSentencePopup(const SentencePopupState& s) override { sentencePopups.push_back(s); }
};

// A sentence box as the user adds them: Right = Left + Width, Bottom = Top + Height.
inline int32_t addBox(Diagram& d, const std::string& text, int32_t left, int32_t top, int32_t width, int32_t height) {
  TSentence s;
  s.Left = left;
  s.Top = top;
  s.Width = width;
  s.Height = height;
  s.Right = left + width;
  s.Bottom = top + height;
  s.Text = text;
  return d.addSentence(s);
}

inline int32_t addLine(Diagram& d, Point from, Point to, int32_t s1 = NoSentence, int32_t s2 = NoSentence) {
  TArrow a;
  a.Sentence1 = s1;
  a.Sentence2 = s2;
  a.StartX = from.x;
  a.StartY = from.y;
  a.EndX = to.x;
  a.EndY = to.y;
  return d.addArrow(a);
}

constexpr ShiftState HeldLeft{ssLeft};
constexpr ShiftState HeldNone{0u};

// Pointer gestures in window client coordinates.
struct Pointer {
  ArgumentEditor& ed;
  void press(Point p, MouseButton b = MouseButton::Left, ShiftState held = HeldLeft) { ed.MousePress({b, held, p}); }
  void move(Point p, ShiftState held = HeldLeft) { ed.MouseMove({MouseButton::Left, held, p}); }
  void release(Point p, MouseButton b = MouseButton::Left, ShiftState held = HeldNone) { ed.MouseRelease({b, held, p}); }
  void click(Point p) {
    press(p);
    release(p);
  }
  void drag(Point from, Point to) {
    press(from);
    move(to);
    release(to);
  }
};

// Pointer gestures aimed at diagram points, sent as the surface pixels at
// which the editor's view shows them.
struct ViewPointer {
  ArgumentEditor& ed;
  Point pixel(Point d) const {
    const ViewPoint v = ed.view().toView(d);
    return {static_cast<int32_t>(v.x), static_cast<int32_t>(v.y)};
  }
  void press(Point d, MouseButton b = MouseButton::Left, ShiftState held = HeldLeft) {
    ed.MousePress({b, held, pixel(d)});
  }
  void move(Point d, ShiftState held = HeldLeft) { ed.MouseMove({MouseButton::Left, held, pixel(d)}); }
  void release(Point d, MouseButton b = MouseButton::Left, ShiftState held = HeldNone) {
    ed.MouseRelease({b, held, pixel(d)});
  }
  void click(Point d) {
    press(d);
    release(d);
  }
};

// A view at a zoom step, scrolled by `offset` zoomed pixels.
inline ViewTransform viewAt(int step, ViewPoint offset) {
  ViewTransform v;
  v.zoomTo(step, {0, 0});
  v.setOffset(offset);
  return v;
}

struct EditorFixture : ::testing::Test {
  Diagram diagram;
  FakeHost host;
  ArgumentEditor ed{diagram, host};
  Pointer ptr{ed};
};

}  // namespace zorvex::testing
