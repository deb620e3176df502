#pragma once
// The window's face of explanations and of evaluating until stable: keeps
// the record of what each step set in step with the rounds, the sentence
// menu and the undo history, answers "Why?" with the Why window and frames
// the element a line of it names.
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "eval/EvaluationLog.h"
#include "eval/EvaluationOptions.h"
#include "explain/StatusRecord.h"
#include "explain/UntilStable.h"
#include "explain/WhyLookup.h"

namespace zorvex {

class TWhyWindow;
class UndoHistory;

class TWhyCommands : public QObject {
 public:
  // `frame` frames a diagram area (nothing: the frame goes), and brings it
  // into view when asked; the window of the explanations belongs to `parent`.
  using Frame = std::function<void(const std::optional<Rect>& area, bool bringIntoView)>;
  TWhyCommands(Diagram& diagram, UndoHistory& history, QWidget& parent, Frame frame);
  ~TWhyCommands() override;

  // Before a round, a reset, a run until stable or a status set by hand.
  void beforeStatusStep();
  // After a round or reset the window ran, with its undo step's changes;
  // a run until stable has recorded its rounds itself.
  void statusStepDone(const std::string& stepName, const StatusChanges& changes, const EvaluationOptions& options);
  void userStatusSet(int32_t sentence);
  // Every change of the undo history: a step recorded, undone or redone, or
  // the lists cleared for another diagram.
  void historyChanged();
  // Another diagram took the window's (Open, Open Recovered): what was
  // recorded and explained belongs to the one before.
  void diagramReplaced();

  void WhyMenuItemClick(ElementRef element);
  // Evaluation rounds until stable; after half a second a progress box
  // shows, and its Cancel (or Escape) stops the run after the round in hand.
  UntilStableOutcome runUntilStable(const EvaluationOptions& options, EvaluationLog& log);

  TWhyWindow* window() { return window_.get(); }
  const StatusRecord& record() const { return record_; }

 private:
  void refresh();
  void frame(std::optional<ElementRef> element, bool bringIntoView);

  Diagram& diagram_;
  QWidget& parent_;
  Frame frame_;
  UndoHistory& history_;
  StatusRecord record_;
  std::unique_ptr<WhyLookup> lookup_;
  std::unique_ptr<TWhyWindow> window_;
  std::optional<ElementRef> target_;
  bool ownChange_ = false;
  bool followNeeded_ = false;
  bool refreshPosted_ = false;
};

}  // namespace zorvex
