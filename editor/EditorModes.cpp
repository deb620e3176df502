// The tool modes: entering and leaving each one, and the four tool buttons.
#include "edit/DefeaterMeaning.h"
#include "editor/ArgumentEditor.h"

namespace zorvex {

ArgumentEditor::ArgumentEditor(Diagram& diagram, EditorHost& host)
    : diagram_(diagram), host_(host), edit_(diagram), index_(edit_.lookup()) {}

void ArgumentEditor::DiagramReloaded() {
  edit_.reloaded();
  selected_.clear();
  Dragged_.reset();
  dragStep_.reset();
  groupMove_.reset();
  nudge_.reset();
  if (retyped_) {
    retyped_.reset();
    SentenceEdit_.visible = false;
    host_.sentenceEditChanged();
  }
  capture_ = {};
  gesture_ = Gesture::None;
  // References into the diagram that was replaced mean nothing now.
  PendingDefeater_.reset();
  PendingDefeaterComplete_ = false;
  PopupArrow_.reset();
  PopupDefeater_.reset();
}

void ArgumentEditor::record(const UndoStep& step) {
  if (history_) history_->record(step);
}

void ArgumentEditor::setMode(EditMode mode, const char* panelText, ToolButton button) {
  EditMode_ = mode;
  modeText_ = panelText;
  status(1, panelText);
  host_.setToolButtonDown(button);
}

void ArgumentEditor::tellMeaning(const std::vector<int32_t>& defeaters) {
  status(1, defeaters.empty() ? modeText_ : DefeaterMeaningChangedText(defeaters));
}

void ArgumentEditor::takeTool(EditMode tool) {
  switch (tool) {
    case EditMode::AddSentenceMode: EnterAddSentenceMode(); break;
    case EditMode::AddStartArrowMode:
    case EditMode::AddEndArrowMode: EnterAddStartArrowMode(); break;
    case EditMode::AddChallengingRectMode:
    case EditMode::AddChallengedRectMode: EnterAddChallengingRectMode(); break;
    case EditMode::MakeSelectionMode: EnterMakeSelectionMode(); break;
    case EditMode::NoTool:
    case EditMode::DraggingSentenceMode: break;
  }
}

void ArgumentEditor::leaveTo0() {
  gesture_ = Gesture::None;
  clearOverlay();
  setMode(EditMode::NoTool, "", ToolButton::None);
}

void ArgumentEditor::publishOverlay() {
  if (overlay_.takeChanged()) host_.setOverlay(overlay_.figures());
}

void ArgumentEditor::clearOverlay() {
  overlay_.clear();
  publishOverlay();
}

void ArgumentEditor::EnterAddSentenceMode() {
  setMode(EditMode::AddSentenceMode, "Add Sentence", ToolButton::AddSentence);
}

void ArgumentEditor::LeaveAddSentenceMode() {
  if (SentenceEdit_.visible) {
    // With no sentence yet there is nothing to compare with: the box is
    // showing, so the user may have typed something worth keeping.
    const int32_t count = diagram_.SentenceCount();
    const bool differs = count == 0 || diagram_.sentence(count - 1).Text != SentenceEdit_.text;
    if (differs && host_.askYesNo("Do you want to keep the current sentence?")) AddSentenceFromEdit();
  }
  if (SentenceEdit_.visible) {
    SentenceEdit_.visible = false;
    host_.sentenceEditChanged();
  }
  leaveTo0();
}

void ArgumentEditor::EnterAddStartArrowMode() {
  setMode(EditMode::AddStartArrowMode, "Add Start Arrow", ToolButton::AddArrow);
}

void ArgumentEditor::LeaveAddStartArrowMode() { leaveTo0(); }

void ArgumentEditor::EnterAddEndArrowMode() {
  setMode(EditMode::AddEndArrowMode, "Add End Arrow", ToolButton::AddArrow);
}

void ArgumentEditor::LeaveAddEndArrowMode() {
  clearOverlay();
  host_.repaintSurface();
  // A completed arrow has already left the pending slot; what is still there
  // never got its end sentence.
  if (diagram_.hasPendingArrow()) diagram_.discardPendingArrow();
  leaveTo0();
}

void ArgumentEditor::EnterAddChallengingRectMode() {
  setMode(EditMode::AddChallengingRectMode, "Add Challenging Rect", ToolButton::AddDefeater);
}

void ArgumentEditor::LeaveAddChallengingRectMode() {
  // Only reachable in the middle of a drag from outside the pointer (an
  // evaluation started by key): the half-drawn defeater must not stay.
  if (gesture_ == Gesture::ChallengingRect && PendingDefeater_ && !PendingDefeaterComplete_ &&
      *PendingDefeater_ == diagram_.DefeaterCount() - 1) {
    clearOverlay();
    host_.repaintSurface();
    diagram_.destroyLastDefeater();
    PendingDefeater_.reset();
  }
  leaveTo0();
}

void ArgumentEditor::EnterAddChallengedRectMode() {
  setMode(EditMode::AddChallengedRectMode, "Add Challenged Rect", ToolButton::AddDefeater);
}

void ArgumentEditor::LeaveAddChallengedRectMode() {
  if (!PendingDefeaterComplete_) {
    clearOverlay();
    host_.repaintSurface();
    if (PendingDefeater_ && *PendingDefeater_ == diagram_.DefeaterCount() - 1) diagram_.destroyLastDefeater();
    PendingDefeater_.reset();
  }
  leaveTo0();
}

void ArgumentEditor::EnterMakeSelectionMode() {
  setMode(EditMode::MakeSelectionMode, "Make a selection", ToolButton::MakeSelection);
}

void ArgumentEditor::LeaveMakeSelectionMode() {
  closeRetype();
  clearAllMarks();
  leaveTo0();
}

void ArgumentEditor::LeaveCurrentMode() {
  switch (EditMode_) {
    case EditMode::AddSentenceMode: LeaveAddSentenceMode(); break;
    case EditMode::AddStartArrowMode: LeaveAddStartArrowMode(); break;
    case EditMode::AddEndArrowMode: LeaveAddEndArrowMode(); break;
    case EditMode::AddChallengingRectMode: LeaveAddChallengingRectMode(); break;
    case EditMode::AddChallengedRectMode: LeaveAddChallengedRectMode(); break;
    case EditMode::MakeSelectionMode: LeaveMakeSelectionMode(); break;
    case EditMode::NoTool:
    case EditMode::DraggingSentenceMode: break;
  }
}

namespace {
// Modes whose leave operation has work to do before another tool starts.
bool leaveFirst(EditMode m) {
  return m == EditMode::AddSentenceMode || m == EditMode::AddEndArrowMode ||
         m == EditMode::AddChallengedRectMode || m == EditMode::MakeSelectionMode;
}
}  // namespace

void ArgumentEditor::AddSentenceSpeedButtonClick() {
  if (EditMode_ == EditMode::DraggingSentenceMode) return;
  if (EditMode_ == EditMode::AddSentenceMode) return LeaveAddSentenceMode();
  if (leaveFirst(EditMode_)) LeaveCurrentMode();
  EnterAddSentenceMode();
}

void ArgumentEditor::AddArrowSpeedButtonClick() {
  if (EditMode_ == EditMode::DraggingSentenceMode) return;
  if (EditMode_ == EditMode::AddStartArrowMode) return LeaveAddStartArrowMode();
  if (EditMode_ == EditMode::AddEndArrowMode) return LeaveAddEndArrowMode();
  if (leaveFirst(EditMode_)) LeaveCurrentMode();
  EnterAddStartArrowMode();
}

void ArgumentEditor::AddDefeaterSpeedButtonClick() {
  if (EditMode_ == EditMode::DraggingSentenceMode) return;
  if (EditMode_ == EditMode::AddChallengingRectMode) return LeaveAddChallengingRectMode();
  if (EditMode_ == EditMode::AddChallengedRectMode) return LeaveAddChallengedRectMode();
  if (leaveFirst(EditMode_)) LeaveCurrentMode();
  EnterAddChallengingRectMode();
}

void ArgumentEditor::MakeSelectionSpeedButtonClick() {
  if (EditMode_ == EditMode::DraggingSentenceMode) return;
  if (EditMode_ == EditMode::MakeSelectionMode) return LeaveMakeSelectionMode();
  if (leaveFirst(EditMode_)) LeaveCurrentMode();
  EnterMakeSelectionMode();
}

}  // namespace zorvex
