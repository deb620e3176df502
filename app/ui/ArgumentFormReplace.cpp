// The main window takes another diagram: loaded as at start-up, into a
// fresh store, with the editor, the canvas and the log told.
#include <system_error>

#include "app/ui/ArgumentFormControls.h"
#include "app/ui/ArgumentFormHost.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/SurfaceViewport.h"
#include "app/ui/SurfaceCanvas.h"
#include "history/UndoHistory.h"
#include "editor/ArgumentEditor.h"
#include "elements/ui/ShortFormGeometry.h"
#include "explain/ui/WhyCommands.h"
#include "views/ui/TableViews.h"

namespace zorvex {

bool TArgumentForm::replaceDiagram(const DiagramLocation& where, std::optional<std::vector<std::string>>* mapReport) {
  editor_->LeaveCurrentMode();
  Diagram fresh;
  OpenResult loaded = openDiagram(fresh, where, opener_, sentenceFontGeometry());
  if (loaded.error) {
    // Half a diagram would replace the whole one in the window, and a save
    // would then write it over the file that could not be read.
    showError(loaded.error->message());
    return false;
  }
  // A table an earlier failed load left open is let go with its diagram.
  tableLeftOpen_.reset();
  diagram_ = std::move(fresh);
  editor_->DiagramReloaded();
  // Steps of the diagram that was replaced mean nothing for this one.
  undoHistory().clear();
  why_->diagramReplaced();
  host_->forgetSentencePopup();
  // A new diagram opens at 100 % and the origin, as at start-up.
  viewport_->reset();
  // What the status bar said was about the diagram that went.
  controls_->ArgumentFormStatusBar->setPanelText(1, QString());
  repaintSurface();
  if (loaded.fromAif) {
    log_.AppendLogLine("[Open]");
    log_.AppendLogLine(where.path.string());
    logMapReport(loaded.report);
  } else {
    logCommand({"[Open]", where.path.string()});
  }
  if (mapReport) *mapReport = loaded.fromAif ? std::optional(loaded.report) : std::nullopt;
  return true;
}

void TArgumentForm::closeTableLeftOpen() { tableLeftOpen_.reset(); }

bool TArgumentForm::tableViewHolds(const std::filesystem::path& table) const {
  for (const paradox::ParadoxTable* open :
       {tableViews_->SentencesTable(), tableViews_->ArrowsTable(), tableViews_->DefeatersTable()}) {
    std::error_code ec;
    if (open && std::filesystem::equivalent(std::filesystem::path(open->path()), table, ec)) return true;
  }
  return false;
}

}  // namespace zorvex
