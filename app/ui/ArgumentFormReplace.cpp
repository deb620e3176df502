// The main window takes another diagram: loaded as at start-up, into a
// fresh store, with the editor, the canvas and the log told.
#include <system_error>

#include "app/ui/ArgumentFormControls.h"
#include "app/ui/BackgroundLayout.h"
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

namespace {

struct Opened {
  Diagram diagram;
  OpenResult result;
};

}  // namespace

// A diagram file (an AIF map to lay out, a large JSON diagram) is read off
// the window's thread, with the progress box; tables are read here, through
// the window's table views.
std::optional<std::pair<Diagram, OpenResult>> TArgumentForm::openFresh(const DiagramLocation& where) {
  if (where.format == DiagramFormat::Tables) {
    Diagram fresh;
    OpenResult loaded = openDiagram(fresh, where, opener_, sentenceFontGeometry());
    return std::pair(std::move(fresh), std::move(loaded));
  }
  const Geometry geometry = sentenceFontGeometry();
  auto opened = runLongLayout<std::shared_ptr<Opened>>(this, QStringLiteral("Opening the diagram..."), [where, geometry] {
    auto o = std::make_shared<Opened>();
    o->result = openDiagram(o->diagram, where, TableOpener{}, geometry);
    return o;
  });
  if (!opened) return std::nullopt;
  return std::pair(std::move((*opened)->diagram), std::move((*opened)->result));
}

bool TArgumentForm::replaceDiagram(const DiagramLocation& where, std::optional<std::vector<std::string>>* mapReport) {
  editor_->LeaveCurrentMode();
  auto opened = openFresh(where);
  if (!opened) {
    controls_->ArgumentFormStatusBar->setPanelText(1, QStringLiteral("Cancelled: the diagram was not opened."));
    return false;
  }
  Diagram fresh = std::move(opened->first);
  OpenResult loaded = std::move(opened->second);
  if (loaded.error) {
    // Half a diagram would replace the whole one in the window, and a save
    // would then write it over the file that could not be read.
    showError(loaded.error->message());
    return false;
  }
  installDiagram(std::move(fresh));
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

void TArgumentForm::installDiagram(Diagram fresh) {
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
}

void TArgumentForm::replaceByEmptyDiagram() {
  editor_->LeaveCurrentMode();
  installDiagram(Diagram{});
  logCommand({"[New]"});
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
