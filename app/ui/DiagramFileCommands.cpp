#include "app/ui/DiagramFileCommands.h"

#include <QStandardPaths>
#include <system_error>

#include "app/ui/ArgumentFormUnit.h"
#include "editor/ArgumentEditor.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {

std::filesystem::path recoveryCopyPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return recoveryFile(std::filesystem::path(folder.toStdString()));
}

DiagramLocation locationOfChoice(const std::filesystem::path& chosen) {
  std::error_code ec;
  if (std::filesystem::is_directory(chosen, ec)) return {chosen, DiagramFormat::Tables};
  const DiagramLocation file = locationFor(chosen);
  if (file.format == DiagramFormat::Json) return file;
  return {chosen.parent_path(), DiagramFormat::Tables};
}

TDiagramFileCommands::TDiagramFileCommands(TArgumentForm& form, DiagramLocation start)
    : recoveryPath(recoveryCopyPath()), form_(form), document_(std::move(start)) {
  dialogs = realDiagramFileDialogs(&form, recoveryPath.parent_path());
}

void TDiagramFileCommands::settleLoaded() { document_.settle(form_.diagram()); }

bool TDiagramFileCommands::hasChanges() const { return document_.hasChanges(form_.diagram()); }

void TDiagramFileCommands::OpenMenuItemClick() {
  // As the round buttons do: a half-typed sentence may still be kept.
  form_.editor().LeaveCurrentMode();
  const std::optional<QString> chosen = dialogs.openPath();
  if (!chosen) return;
  if (hasChanges() && !messageBoxes().confirm("Do you want to discard the changes to the current diagram?")) return;
  const DiagramLocation where = locationOfChoice(std::filesystem::path(chosen->toStdString()));
  form_.replaceDiagram(where);
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
  // A folder that does not exist yet is made by the save.
  saveTo(locationFor(std::filesystem::path(chosen->toStdString())));
}

bool TDiagramFileCommands::saveTo(const DiagramLocation& where) {
  try {
    SaveOptions options;
    options.tableInUse = [this](const std::filesystem::path& table) { return form_.tableViewHolds(table); };
    saveDiagram(form_.diagram(), where, options);
  } catch (const ZorvexError& e) {
    messageBoxes().error(e);
    return false;
  }
  document_.settle(form_.diagram(), where);
  return true;
}

void TDiagramFileCommands::writeRecoveryCopyIfChanged() const {
  try {
    if (recoveryPath.empty() || !hasChanges()) return;
    writeRecoveryCopy(form_.diagram(), recoveryPath);
  } catch (...) {
    // Closing goes on: the copy is a courtesy, never an obstacle.
  }
}

}  // namespace zorvex
