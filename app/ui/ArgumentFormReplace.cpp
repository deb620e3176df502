// The main window takes another diagram: loaded as at start-up, into a
// fresh store, with the editor, the canvas and the log told.
#include <system_error>

#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/SurfaceCanvas.h"
#include "editor/ArgumentEditor.h"
#include "elements/Geometry.h"
#include "elements/ui/SentenceFont.h"
#include "eval/ui/LogFormUnit.h"
#include "views/ui/TableViews.h"

namespace zorvex {

// Hand-written diagram files may leave sizes and end points out; they are
// completed as the window would draw them.
Geometry TArgumentForm::windowGeometry() {
  Geometry g;
  g.textSize = [](const std::string& text) {
    const QSize size = measureText(sentenceFont(), text);
    return TextSize{size.width(), size.height()};
  };
  g.startEnd = [](const Rect& a, const Rect& b) {
    const StartEnd se = ComputeStartEndPoints(a, b);
    return std::pair{se.start, se.end};
  };
  return g;
}

void TArgumentForm::replaceDiagram(const DiagramLocation& where) {
  editor_->LeaveCurrentMode();
  // A table an earlier failed load left open is let go with its diagram.
  tableLeftOpen_.reset();
  diagram_ = Diagram{};
  OpenResult loaded = openDiagram(diagram_, where, opener_, windowGeometry());
  tableLeftOpen_ = std::move(loaded.leftOpen);
  editor_->DiagramReloaded();
  sentencePopupTarget_.reset();
  repaintSurface();
  log_.AppendLogLine("[Open]");
  log_.AppendLogLine(where.path.string());
  log_.AppendLogLine(std::string());
  refreshLogWindow();
  saveLog();
  if (loaded.error) showError(loaded.error->message());
}

bool TArgumentForm::tableViewHolds(const std::filesystem::path& table) const {
  for (const paradox::ParadoxTable* open :
       {tableViews_->SentencesTable(), tableViews_->ArrowsTable(), tableViews_->DefeatersTable()}) {
    std::error_code ec;
    if (open && std::filesystem::equivalent(std::filesystem::path(open->path()), table, ec)) return true;
  }
  return false;
}

}  // namespace zorvex
