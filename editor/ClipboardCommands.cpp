// Cut, Copy, Paste and Duplicate on the selection. The text is diagram
// JSON; the window carries it to and from the system clipboard.
#include "edit/DefeaterMeaning.h"
#include "editor/ArgumentEditor.h"
#include "editor/ClipboardReading.h"
#include "editor/DiagramClipboard.h"

namespace zorvex {

std::optional<std::string> ArgumentEditor::Copy() {
  if (EditMode_ != EditMode::MakeSelectionMode || groupMove_) return std::nullopt;
  const CopiedElements copied = copiedElements(diagram_);
  if (copied.empty()) return std::nullopt;
  return clipboardText(diagram_, copied);
}

// The deletion of the Delete key, asked once for the whole selection.
std::optional<std::string> ArgumentEditor::Cut() {
  std::optional<std::string> text = Copy();
  if (!text) return text;
  closeRetype();
  std::vector<ElementRef> chosen;
  bool takesOthers = false;
  for (const ElementRef& r : selected_) {
    if (!diagram_.exists(r)) continue;
    const ElementBase& e = r.kind == ElementKind::Sentence ? static_cast<const ElementBase&>(diagram_.sentence(r.index))
                           : r.kind == ElementKind::Arrow  ? static_cast<const ElementBase&>(diagram_.arrow(r.index))
                                                           : diagram_.defeater(r.index);
    if (e.Deleted || !e.Selected) continue;
    chosen.push_back(r);
    if (r.kind == ElementKind::Sentence)
      for (int32_t k : edit_.liveArrowsAt(r.index)) takesOthers = takesOthers || !diagram_.arrow(k).Selected;
  }
  const bool confirmed = host_.askYesNo(takesOthers ? "Deleting the selected elements implies deleting one or more "
                                                      "unselected arrows.\r\nDo you want to delete them all?"
                                                    : "Do you want to delete the selected elements?");
  if (!confirmed) return text;
  EditOutcome cut = edit_.deleteElements(chosen);
  cut.step.name = "Cut";
  record(cut.step);
  host_.repaintSurface();
  return text;
}

void ArgumentEditor::pasteRowsAsStep(const DiagramRows& rows, std::optional<Point> at, const char* stepName) {
  const MeasureText measure = [this](const std::string& t) { return host_.measureText(t); };
  PastedElements pasted;
  try {
    pasted = pasteRows(edit_, rows, at, measure, stepName);
  } catch (const ZorvexError& failed) {
    host_.showWarning(failed.message());
    return;
  }
  record(pasted.step);
  tellMeaning(defeatersGivenNewMeaning(diagram_, pasted.step, pasted.changed));
  selectOnly(pasted.added);
}

void ArgumentEditor::Paste(std::string_view text, std::optional<Point> at) {
  if (!selectionModeForCommand()) return;
  closeRetype();
  ClipboardRows read;
  try {
    read = rowsFromClipboard(text, [this](const std::string& t) { return host_.measureText(t); });
  } catch (const EditRefused& refused) {
    host_.showWarning(refused.message());
    return;
  }
  // What has no place of its own goes near the top left of what shows.
  if (!at && !read.placed) at = view_.toDiagram(ViewPoint{SurfaceLeft + 20, SurfaceTop + 20});
  pasteRowsAsStep(read.rows, at, "Paste");
}

std::optional<Point> ArgumentEditor::SurfacePointAt(ViewPoint pixel) const {
  if (!onSurface(pixel)) return std::nullopt;
  return view_.toDiagram(pixel);
}

void ArgumentEditor::Duplicate() {
  if (!selectionModeForCommand()) return;
  closeRetype();
  const CopiedElements copied = copiedElements(diagram_);
  if (copied.empty()) return;
  pasteRowsAsStep(clipboardRows(diagram_, copied), std::nullopt, "Duplicate");
}

}  // namespace zorvex
