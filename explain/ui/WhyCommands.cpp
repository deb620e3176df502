#include "explain/ui/WhyCommands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QTimer>

#include "explain/ui/WhyWindow.h"
#include "explain/WhyTexts.h"
#include "history/UndoHistory.h"

namespace zorvex {

TWhyCommands::TWhyCommands(Diagram& diagram, UndoHistory& history, QWidget& parent, Frame frame)
    : diagram_(diagram),
      parent_(parent),
      frame_(std::move(frame)),
      history_(history),
      record_(diagram),
      window_(std::make_unique<TWhyWindow>(&parent)) {
  window_->lineSelected = [this](std::optional<ElementRef> element) { this->frame(element, true); };
  // The frame stays with the line, where the element is now; a person
  // looking elsewhere is not taken back to it.
  window_->selectionKept = [this](std::optional<ElementRef> element) { this->frame(element, false); };
  window_->closed = [this] {
    target_.reset();
    frame_(std::nullopt, false);
  };
}

TWhyCommands::~TWhyCommands() = default;

// Undo and redo changed statuses behind the record's back: it catches up
// before it is next used.
void TWhyCommands::beforeStatusStep() {
  if (followNeeded_) record_.follow(diagram_);
  followNeeded_ = false;
}

void TWhyCommands::statusStepDone(const std::string& stepName, const StatusChanges& changes,
                                  const EvaluationOptions& options) {
  if (stepName == "Evaluate (one round)")
    record_.finishRoundFrom(diagram_, changes, false, options.evaluationRules());
  else if (stepName == "Jump (one round)")
    record_.finishRoundFrom(diagram_, changes, true, options.jumpingRules());
  else if (stepName == "Reset")
    record_.finishReset(diagram_);
  ownChange_ = true;
}

void TWhyCommands::userStatusSet(int32_t sentence) {
  record_.finishUser(diagram_, sentence);
  ownChange_ = true;
}

void TWhyCommands::historyChanged() {
  if (!ownChange_) followNeeded_ = true;
  ownChange_ = false;
  lookup_.reset();  // elements may have been added, moved or deleted
  if (!target_ || refreshPosted_) return;
  refreshPosted_ = true;
  QTimer::singleShot(0, this, [this] {
    refreshPosted_ = false;
    refresh();
  });
}

// The window says so rather than explain an element of the same number in
// the new diagram, which would pass for the one asked about.
void TWhyCommands::diagramReplaced() {
  record_.restart(diagram_);
  followNeeded_ = false;
  ownChange_ = false;
  lookup_.reset();
  target_.reset();
  window_->showMessage("The diagram was replaced.");
  frame_(std::nullopt, false);
}

void TWhyCommands::WhyMenuItemClick(ElementRef element) {
  target_ = element;
  refresh();
  window_->show();
  window_->raise();
}

void TWhyCommands::refresh() {
  if (!target_) return;
  beforeStatusStep();
  const Diagram& d = diagram_;
  if (!d.exists(*target_)) return window_->showMessage(d.name(*target_) + " is gone.");
  if (!lookup_) lookup_ = std::make_unique<WhyLookup>(d);
  window_->showTree(ExplainStatus(d, record_, *target_, 20, lookup_.get()), record_);
}

// As Find does: the element is framed, and brought into view when asked.
void TWhyCommands::frame(std::optional<ElementRef> element, bool bringIntoView) {
  if (element && diagram_.exists(*element)) frame_(diagram_.drawnExtent(*element), bringIntoView);
  else frame_(std::nullopt, false);
}

UntilStableOutcome TWhyCommands::runUntilStable(const EvaluationOptions& options, EvaluationLog& log) {
  QElapsedTimer clock;
  clock.start();
  std::unique_ptr<QProgressDialog> progress;
  const auto keepGoing = [&](int32_t done) {
    if (!progress && clock.elapsed() > 500) {
      progress = std::make_unique<QProgressDialog>(QStringLiteral("Evaluating until stable..."),
                                                   QStringLiteral("Cancel"), 0, 0, &parent_);
      progress->setObjectName("UntilStableProgress");
      progress->setWindowTitle(QStringLiteral("Zorvex!"));
      progress->setWindowModality(Qt::ApplicationModal);
      progress->setMinimumDuration(0);
      progress->show();
    }
    if (!progress) return true;
    progress->setLabelText(QStringLiteral("Evaluating until stable: %1 done").arg(QString::fromStdString(roundsText(done))));
    QCoreApplication::processEvents();
    return !progress->wasCanceled();
  };
  const UntilStableOutcome out = EvaluateUntilStable(diagram_, record_, options, log, -1, keepGoing);
  ownChange_ = true;
  return out;
}

}  // namespace zorvex
