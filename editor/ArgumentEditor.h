#pragma once
// All editing of the diagram: the tool modes, adding sentences, arrows and
// defeaters, selection, hit testing, dragging sentences and deleting. The
// window forwards its pointer, key and edit box events here and shows what
// the editor asks of it through EditorHost.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/EditorHost.h"
#include "editor/EditorIndex.h"
#include "editor/EditorTypes.h"
#include "editor/Overlay.h"
#include "history/UndoHistory.h"
#include "model/Diagram.h"

namespace zorvex {

class ArgumentEditor {
 public:
  ArgumentEditor(Diagram& diagram, EditorHost& host);

  // --- Window events -------------------------------------------------------
  // Pointer events in window client coordinates; the editor routes them to
  // the sentence under the pointer or to the drawing surface itself.
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
  // The undo and redo commands: they first leave the current mode, and do
  // nothing while a sentence is being dragged. Return the step's name, or
  // nothing when no step was undone or redone.
  std::optional<std::string> Undo();
  std::optional<std::string> Redo();

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
  void ShowSentenceEdit(int32_t x, int32_t y);
  // Shows the edit box at exactly (x, y), not kept inside the surface and
  // without taking the focus ("Make rule explicit").
  void PlaceSentenceEdit(int32_t x, int32_t y);
  void AddSentenceFromEdit();

  // --- Drawing surface handlers (surface coordinates) -----------------------
  void ArgumentPaintBoxMouseDown(MouseButton button, ShiftState held, int32_t x, int32_t y);
  void ArgumentPaintBoxMouseMove(ShiftState held, int32_t x, int32_t y);
  void ArgumentPaintBoxMouseUp(MouseButton button, ShiftState held, int32_t x, int32_t y);
  void ArgumentPaintBoxDragOver(int32_t x, int32_t y);
  void ArgumentPaintBoxDragDrop(int32_t x, int32_t y);

  // --- Sentence handlers (the sentence's own coordinates) -------------------
  void SentenceMouseDown(int32_t sentence, MouseButton button, ShiftState held, int32_t x, int32_t y);
  void SentenceMouseMove(int32_t sentence, ShiftState held, int32_t x, int32_t y);
  void SentenceMouseUp(int32_t sentence, MouseButton button, ShiftState held, int32_t x, int32_t y);
  void AddStartArrow(int32_t sentence);
  void AddEndArrow(int32_t sentence);
  void DragSentence(int32_t sentence, int32_t x, int32_t y);
  void SentenceDragOver(int32_t target, int32_t x, int32_t y);
  void SentenceDragDrop(int32_t target, int32_t x, int32_t y);

  // --- Steps in window client coordinates -----------------------------------
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

  // Hit tests in window client coordinates: the highest-numbered element
  // that is not deleted, or nothing.
  std::optional<int32_t> FindArrowAt(int32_t x, int32_t y) const;
  std::optional<int32_t> FindDefeaterAt(int32_t x, int32_t y) const;

  // --- State ----------------------------------------------------------------
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

 private:
  enum class Gesture : uint8_t { None, Selection, ChallengingRect, ChallengedRect };
  struct Target {
    enum class Kind : uint8_t { None, Surface, Sentence } kind = Kind::None;
    int32_t sentence = -1;
  };

  void setMode(EditMode mode, const char* panelText, ToolButton button);
  void leaveTo0();
  void status(int panel, const std::string& text) { host_.setStatusText(panel, text); }
  void publishOverlay();
  void clearOverlay();

  // Routing.
  Target targetAt(Point p) const;
  bool onSurface(Point p) const;
  bool insideBox(int32_t sentence, Point p) const;
  void routeDrag(const PointerEvent& e, bool release);

  // Pieces of the steps.
  void handSurfacePressOn(int32_t sentence, MouseButton button, ShiftState held, int32_t x, int32_t y);
  void handSurfaceEventOn(int32_t sentence, const MouseButton* button, ShiftState held, int32_t x, int32_t y);
  void rightPress(Point p);
  void moveDragged(Point p);
  void followArrows(bool counting);
  void updateArrowEnd(int32_t arrow, bool startSide);
  void endDrag();
  std::pair<OverlayFigure, OverlayFigure> guideFigure();
  void drawGuideFigure();
  void eraseGuideFigure();
  void moveGuideFigureTo(int32_t x, int32_t y);
  void updateChallengedRect(int32_t x, int32_t y);
  void markSelected(ElementRef ref, bool selected);
  void clearAllMarks();
  bool askDeleteArrow(int32_t arrow);
  void deleteElement(ElementRef ref, ElementStepBuilder& step);
  void recordAdded(ElementRef ref, const char* name);
  std::optional<std::string> stepThroughHistory(bool undo);
  TDefeater& pendingDefeater();

  Diagram& diagram_;
  EditorHost& host_;
  EditorIndex index_;
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
  // The dragged sentence and its arrows as they were at the press.
  std::optional<ElementStepBuilder> dragStep_;
  UndoHistory* history_ = nullptr;

  Gesture gesture_ = Gesture::None;
  Target capture_;
  // Every element whose Selected mark this editor set, so clearing is cheap.
  std::vector<ElementRef> selected_;
};

}  // namespace zorvex
