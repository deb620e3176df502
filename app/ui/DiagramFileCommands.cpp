#include "app/ui/DiagramFileCommands.h"

#include <QStandardPaths>
#include <system_error>

#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "editor/ArgumentEditor.h"
#include "store/RecoveryCopies.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {

std::filesystem::path recoveryFolderPath() {
  return std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString());
}

DiagramLocation locationOfChoice(const std::filesystem::path& chosen) {
  std::error_code ec;
  if (std::filesystem::is_directory(chosen, ec)) return {chosen, DiagramFormat::Tables};
  const DiagramLocation file = locationFor(chosen);
  if (file.format == DiagramFormat::Json) return file;
  return {chosen.parent_path(), DiagramFormat::Tables};
}

TDiagramFileCommands::TDiagramFileCommands(TArgumentForm& form, DiagramLocation start)
    : recoveryFolder(recoveryFolderPath()), form_(form), document_(std::move(start)) {
  dialogs = realDiagramFileDialogs(&form, recoveryFolder);
}

void TDiagramFileCommands::settleLoaded(bool complete) {
  document_.settle(form_.diagram());
  if (!complete) document_.loadedPartly();
}

bool TDiagramFileCommands::hasChanges() const { return document_.hasChanges(form_.diagram()); }

void TDiagramFileCommands::OpenMenuItemClick() {
  // As the round buttons do: a half-typed sentence may still be kept.
  form_.editor().LeaveCurrentMode();
  const std::optional<QString> chosen = dialogs.openPath();
  if (!chosen) return;
  if (hasChanges() && !messageBoxes().confirm("Do you want to discard the changes to the current diagram?")) return;
  const DiagramLocation where = locationOfChoice(std::filesystem::path(chosen->toStdString()));
  // A diagram that cannot be read leaves the one in the window, and where it
  // belongs, as they were.
  if (!form_.replaceDiagram(where)) return;
  document_.settle(form_.diagram(), where);
}

void TDiagramFileCommands::SaveMenuItemClick() {
  form_.editor().LeaveCurrentMode();
  saveTo(document_.location());
}

void TDiagramFileCommands::SaveAsMenuItemClick() {
  form_.editor().LeaveCurrentMode();
  const std::optional<QString> chosen = dialogs.saveAsPath();
  if (!chosen) return;
  const std::filesystem::path path(chosen->toStdString());
  // A folder that does not exist yet is made by the save. The dialog asks
  // before a file it was given is replaced, but not for a folder.
  const DiagramLocation where = saveLocationFor(path);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec) && holdsDiagram(where) &&
      !messageBoxes().confirm(path.string() + " already holds a diagram. Do you want to replace it?"))
    return;
  saveTo(where);
}

bool TDiagramFileCommands::saveTo(const DiagramLocation& where) {
  if (document_.overwritesUnread(where)) {
    if (!messageBoxes().confirm(shownPath(where) +
                                " could not be read completely. Do you want to replace it with the diagram shown?"))
      return false;
    // The table loading stopped in is one of those to be replaced.
    form_.closeTableLeftOpen();
  }
  try {
    SaveOptions options;
    options.tableInUse = [this](const std::filesystem::path& table) { return form_.tableViewHolds(table); };
    saveDiagram(form_.diagram(), where, options);
  } catch (const ZorvexError& e) {
    messageBoxes().error(e);
    return false;
  }
  document_.settle(form_.diagram(), where);
  // Tables have no column for statuses: they are gone when the tables are opened again.
  if (where.format == DiagramFormat::Tables && tablesLeaveOutStatuses(form_.diagram()))
    form_.ArgumentFormStatusBar->setPanelText(1, QStringLiteral("Saved. Statuses are kept only in .json files."));
  return true;
}

void TDiagramFileCommands::writeRecoveryCopyIfChanged() const {
  try {
    if (recoveryFolder.empty() || !hasChanges()) return;
    keepRecoveryCopy(form_.diagram(), document_.location(), recoveryFolder);
  } catch (...) {
    // Closing goes on: the copy is a courtesy, never an obstacle.
  }
}

}  // namespace zorvex
