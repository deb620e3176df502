#pragma once
// All editing of the diagram: the tool modes, adding sentences, arrows and
// defeaters, selection, hit testing, dragging sentences and deleting. The
// window forwards its pointer, key and edit box events here and shows what
// the editor asks of it through EditorHost.
//
// Coordinates: pointer events arrive in surface pixels (window client
// points); the view turns each into a diagram point before any editing rule
// sees it, so everything else here (handlers, steps, state, overlay, pop-up
// points) is in diagram coordinates. At 100 % with the view at the origin
// the two are the same.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "edit/DiagramEdit.h"
#include "editor/EditorHost.h"
#include "editor/EditorTypes.h"
#include "editor/Overlay.h"
#include "history/UndoHistory.h"
#include "store/DiagramRows.h"
#include "model/Diagram.h"
#include "viewport/ViewTransform.h"

namespace zorvex {

class ArgumentEditor {
 public:
  ArgumentEditor(Diagram& diagram, EditorHost& host);

  // --- Window events -------------------------------------------------------
  // Which part of the diagram the surface shows, and at what zoom; the window
  // sets it whenever the user scrolls or zooms. Default: 100 % at the origin.
  void setView(const ViewTransform& view) { view_ = view; }
  const ViewTransform& view() const { return view_; }
  // Pointer events in surface pixels (window client coordinates). The editor
  // maps them to diagram points and routes them to the sentence under the
  // pointer or to the drawing surface itself; whether the pointer is on the
  // surface at all is decided on the pixel.
  void MousePress(const PointerEvent& e);
  void MouseMove(const PointerEvent& e);
  void MouseRelease(const PointerEvent& e);
  // A modal menu or box took the pointer: the release that would end the
  // capture never comes, so the next press goes to what is under the pointer.
  void PointerCaptureLost();
  // Key press on the main window. The window does not forward keys while the
  // sentence edit box has the focus: there Delete edits the text.
  void FormKeyDown(int key);
  // The edit box's text as the user typed it, and its key presses.
  void SentenceEditTextChanged(const std::string& text);
  void SentenceEditKeyPress(char key);
  // Set the edit box's text and size from outside (e.g. "Make rule explicit").
  void SetSentenceEditText(const std::string& text);
  void SetSentenceEditSize(int32_t width, int32_t height);
  // The diagram was replaced or loaded anew: rebuild the lookup indexes.
  void DiagramReloaded();
  // Where finished edits are recorded as undoable steps (none: not recorded).
  void setUndoHistory(UndoHistory* history) { history_ = history; }
  // The undo and redo commands: they end what the current tool was in the
  // middle of (asking, as leaving it does, about a half-typed sentence), keep
  // the tool, and in selection mode select what the step changed (a step of
  // statuses only keeps the selection). They do nothing while a sentence is
  // being dragged. Return the step's name, or nothing when no step was
  // undone or redone.
  std::optional<std::string> Undo();
  std::optional<std::string> Redo();
  // The clock that tells whether arrow-key presses follow each other closely
  // enough to be one step; tests set their own.
  using Clock = std::chrono::steady_clock;
  void setClock(std::function<Clock::time_point()> now) { now_ = std::move(now); }

  // --- Tool buttons and modes ----------------------------------------------
  void AddSentenceSpeedButtonClick();
  void AddArrowSpeedButtonClick();
  void AddDefeaterSpeedButtonClick();
  void MakeSelectionSpeedButtonClick();
  void LeaveCurrentMode();
  void EnterAddSentenceMode();
  void LeaveAddSentenceMode();
  void EnterAddStartArrowMode();
  void LeaveAddStartArrowMode();
  void EnterAddEndArrowMode();
  void LeaveAddEndArrowMode();
  void EnterAddChallengingRectMode();
  void LeaveAddChallengingRectMode();
  void EnterAddChallengedRectMode();
  void LeaveAddChallengedRectMode();
  void EnterMakeSelectionMode();
  void LeaveMakeSelectionMode();

  // --- Adding sentences ----------------------------------------------------
  // Shows the edit box for a sentence at diagram point (x, y), moved up or
  // left where needed so that the box (its size in screen pixels) lies inside
  // the visible surface; sentenceEdit() then holds the diagram point the new
  // sentence gets, which the window maps to the box's place on the screen.
  void ShowSentenceEdit(int32_t x, int32_t y);
  // Shows the edit box at exactly diagram point (x, y), not kept inside the
  // surface and without taking the focus ("Make rule explicit").
  void PlaceSentenceEdit(int32_t x, int32_t y);
  void AddSentenceFromEdit();

  // --- Drawing surface handlers ---------------------------------------------
  // (x, y) is the diagram point less the surface's place in the window
  // (SurfaceLeft, SurfaceTop): surface coordinates at 100 % and the origin.
  void ArgumentPaintBoxMouseDown(MouseButton button, ShiftState held, int32_t x, int32_t y);
  void ArgumentPaintBoxMouseMove(ShiftState held, int32_t x, int32_t y);
  void ArgumentPaintBoxMouseUp(MouseButton button, ShiftState held, int32_t x, int32_t y);
  void ArgumentPaintBoxDragOver(int32_t x, int32_t y);
  void ArgumentPaintBoxDragDrop(int32_t x, int32_t y);

  // --- Sentence handlers (diagram units from the sentence's Left, Top) -------
  void SentenceMouseDown(int32_t sentence, MouseButton button, ShiftState held, int32_t x, int32_t y);
  void SentenceMouseMove(int32_t sentence, ShiftState held, int32_t x, int32_t y);
  void SentenceMouseUp(int32_t sentence, MouseButton button, ShiftState held, int32_t x, int32_t y);
  void AddStartArrow(int32_t sentence);
  void AddEndArrow(int32_t sentence);
  void DragSentence(int32_t sentence, int32_t x, int32_t y);
  void SentenceDragOver(int32_t target, int32_t x, int32_t y);
  void SentenceDragDrop(int32_t target, int32_t x, int32_t y);

  // --- Steps, at diagram points ----------------------------------------------
  void TrackArrowGuideLine(int32_t x, int32_t y);
  void StartSelectionRect(int32_t x, int32_t y);
  void TrackSelectionRect(int32_t x, int32_t y);
  void FinishSelection(int32_t x, int32_t y);
  void StartChallengingRect(int32_t x, int32_t y);
  void TrackChallengingRect(int32_t x, int32_t y);
  void FinishChallengingRect(int32_t x, int32_t y);
  void TrackDefeaterHead(int32_t x, int32_t y);
  void StartChallengedRect(int32_t x, int32_t y);
  void TrackChallengedRect(int32_t x, int32_t y);
  void FinishChallengedRect(int32_t x, int32_t y);
  void DeleteSelection();

  // --- Edit menu commands ------------------------------------------------------
  // Each change is one undo step. They act in selection mode; Edit Text,
  // Select All, Paste and Duplicate switch to it first.
  // Takes the selection tool and opens the edit box on the one selected
  // sentence with its text selected; Enter keeps the new text, Escape the
  // old one. With no sentence or several selected, panel 1 says so.
  void EditSentenceText();
  void RetypeSentence(int32_t sentence);
  std::optional<int32_t> RetypedSentence() const { return retyped_; }
  // A double-click, after the press and release it began with: on a
  // sentence, in selection mode or with no tool (which takes the selection
  // tool and selects it), it retypes the sentence.
  void MouseDoubleClick(const PointerEvent& e);
  void SelectAll();
  // Moves every selected sentence and the arrows at them (the arrow keys).
  // Presses on the same selection less than NudgeJoinTime apart are one
  // step.
  void MoveSelectionBy(int32_t dx, int32_t dy);
  static constexpr std::chrono::milliseconds NudgeJoinTime{1000};
  // Key press with the modifiers held: Delete, and the arrow keys by 1, with
  // Shift by 10.
  void FormKeyDown(int key, ShiftState held);
  // The selection as diagram JSON text, or nothing when nothing is selected.
  std::optional<std::string> Copy();
  // Copy, then delete the selection after one question.
  std::optional<std::string> Cut();
  // Adds what a clipboard text holds (see rowsFromClipboard), the top left
  // of it at a diagram point, or else 20 right of and below where it was
  // copied (plain text: 20 in from the top left of the view); it becomes the
  // selection. A text that cannot be pasted gives a warning.
  void Paste(std::string_view text, std::optional<Point> at);
  void Duplicate();
  // The diagram point shown at a surface pixel, or nothing when the pixel
  // is not on the drawing surface (where Paste puts what it adds).
  std::optional<Point> SurfacePointAt(ViewPoint pixel) const;

  // Hit tests at a diagram point, with the reach of 3 that 100 % gives: the
  // highest-numbered element that is not deleted, or nothing.
  std::optional<int32_t> FindArrowAt(int32_t x, int32_t y) const;
  std::optional<int32_t> FindDefeaterAt(int32_t x, int32_t y) const;
  // The same at a diagram position with a fraction and a reach in diagram
  // units: the 3 screen pixels at the zoom in use are hitReach() units.
  std::optional<int32_t> FindArrowAt(ExactPoint p, double reach) const;
  std::optional<int32_t> FindDefeaterAt(ExactPoint p, double reach) const;
  double hitReach() const;
  // What a press on surface pixel v hits under the current view, the reach
  // measured in screen pixels.
  std::optional<int32_t> FindArrowAtPixel(ViewPoint v) const;
  std::optional<int32_t> FindDefeaterAtPixel(ViewPoint v) const;

  // --- State (diagram coordinates) -------------------------------------------
  EditMode editMode() const { return EditMode_; }
  const SentenceEditState& sentenceEdit() const { return SentenceEdit_; }
  std::optional<int32_t> PopupArrow() const { return PopupArrow_; }
  std::optional<int32_t> PopupDefeater() const { return PopupDefeater_; }
  Point PopupPoint() const { return PopupPoint_; }
  std::optional<int32_t> PendingDefeater() const { return PendingDefeater_; }
  bool PendingDefeaterComplete() const { return PendingDefeaterComplete_; }
  Point ArrowGuidePoint() const { return ArrowGuidePoint_; }
  Point SelectionAnchor() const { return SelectionAnchor_; }
  Point LastPointerPoint() const { return LastPointerPoint_; }
  Point LastChallengedPoint() const { return LastChallengedPoint_; }
  Rect SelectionRect() const { return SelectionRect_; }
  Point DragReferencePoint() const { return DragReferencePoint_; }
  int32_t DragRepaintCounter() const { return DragRepaintCounter_; }
  std::optional<int32_t> DraggedSentence() const { return Dragged_; }
  const std::vector<OverlayFigure>& overlay() const { return overlay_.figures(); }
  Diagram& diagram() { return diagram_; }
  // The edit layer this editor changes the diagram through; commands outside
  // the editor use it too, so its lookups stay in step.
  DiagramEdit& edit() { return edit_; }

 private:
  enum class Gesture : uint8_t { None, Selection, ChallengingRect, ChallengedRect };
  // Ctrl+Shift-drag of the selected sentences: one step at the release.
  struct GroupMove {
    std::vector<int32_t> sentences;
    Point reference;
    std::optional<StepSequence> step;
  };
  struct Target {
    enum class Kind : uint8_t { None, Surface, Sentence } kind = Kind::None;
    int32_t sentence = -1;
  };

  void setMode(EditMode mode, const char* panelText, ToolButton button);
  // Panel 1 after a command that moved or added elements: the defeaters it
  // gave another meaning, or else the tool's own text again.
  void tellMeaning(const std::vector<int32_t>& defeaters);
  // Back to a tool after undo or redo left it: the one a half-done arrow
  // or defeater began with.
  void takeTool(EditMode tool);
  std::vector<ElementRef> selectionNow() const;
  // What a step undone or redone leaves selected.
  std::vector<ElementRef> selectionAfter(const UndoStep& step) const;
  void leaveTo0();
  void status(int panel, const std::string& text) { host_.setStatusText(panel, text); }
  void publishOverlay();
  void clearOverlay();

  // Routing.
  class PointerScope;
  Target targetAt(Point p, ViewPoint pixel) const;
  bool onSurface(ViewPoint pixel) const;
  bool pastSurfaceCorner(Point p) const;
  bool insideBox(int32_t sentence, Point p) const;
  void routeDrag(const PointerEvent& e, bool release);
  // Hit tests at the point of the event in hand, at its own pixel when the
  // editor is handling a pointer event.
  std::optional<int32_t> arrowUnderPointer(Point p) const;
  std::optional<int32_t> defeaterUnderPointer(Point p) const;

  // Pieces of the steps.
  void handSurfacePressOn(int32_t sentence, MouseButton button, ShiftState held, int32_t x, int32_t y);
  void handSurfaceEventOn(int32_t sentence, const MouseButton* button, ShiftState held, int32_t x, int32_t y);
  void rightPress(Point p);
  void moveDragged(Point p);
  void followArrows(bool counting);
  void arrowFollowed(int32_t arrow, Rect& before);
  void endDrag();
  std::pair<OverlayFigure, OverlayFigure> guideFigure();
  void drawGuideFigure();
  void eraseGuideFigure();
  void moveGuideFigureTo(int32_t x, int32_t y);
  Rect challengedRectTo(int32_t x, int32_t y) const;
  void markSelected(ElementRef ref, bool selected);
  void clearAllMarks();
  bool askDeleteArrow(int32_t arrow);
  bool selectionModeForCommand();
  std::vector<int32_t> selectedSentences() const;
  void selectOnly(const std::vector<ElementRef>& refs);
  void retypeFromEdit();
  void closeRetype();
  void startGroupMove(int32_t sentence, int32_t x, int32_t y);
  void trackGroupMove(Point p);
  void endGroupMove();
  void pasteRowsAsStep(const DiagramRows& rows, std::optional<Point> at, const char* stepName);
  void record(const UndoStep& step);
  std::optional<std::string> stepThroughHistory(bool undo);
  TDefeater& pendingDefeater();

  Diagram& diagram_;
  EditorHost& host_;
  ViewTransform view_;
  // The surface pixel of the pointer event being handled, if any.
  std::optional<ViewPoint> pointer_;
  // Every change to the diagram goes through edit_; index_ is its lookups.
  DiagramEdit edit_;
  DiagramLookup& index_;
  Overlay overlay_;

  EditMode EditMode_ = EditMode::NoTool;
  SentenceEditState SentenceEdit_;
  std::optional<int32_t> PendingDefeater_;
  bool PendingDefeaterComplete_ = false;
  Point ArrowGuidePoint_;
  Point SelectionAnchor_;
  Point LastPointerPoint_;
  Rect SelectionRect_;
  Point LastChallengedPoint_;
  std::optional<int32_t> PopupArrow_;
  std::optional<int32_t> PopupDefeater_;
  Point PopupPoint_;
  Point DragReferencePoint_;
  int32_t DragRepaintCounter_ = 0;
  std::optional<int32_t> Dragged_;
  // The steps of the drag so far, one undo step at the drop.
  std::optional<StepSequence> dragStep_;
  // The drawn extents of the dragged sentence's arrows (as its lookup lists
  // them) before the latest step moved them, for the window to repaint
  // where they were.
  std::vector<Rect> arrowsBeforeStep_;
  UndoHistory* history_ = nullptr;
  // The sentence the edit box is retyping, if it is.
  std::optional<int32_t> retyped_;
  std::optional<GroupMove> groupMove_;
  // The latest arrow-key press, which the next one on the same selection
  // may join: the history's version right after it was recorded.
  struct Nudge {
    std::vector<int32_t> sentences;
    Clock::time_point at;
    uint64_t version = 0;
  };
  std::optional<Nudge> nudge_;
  std::function<Clock::time_point()> now_ = [] { return Clock::now(); };
  // Panel 1's text for the tool in use.
  std::string modeText_;

  Gesture gesture_ = Gesture::None;
  Target capture_;
  // Every element whose Selected mark this editor set, so clearing is cheap.
  std::vector<ElementRef> selected_;
};

}  // namespace zorvex
