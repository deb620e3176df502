#include "app/ui/DiagramFileCommands.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdio>
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

TDiagramFileCommands::TDiagramFileCommands(TArgumentForm& form, TArgumentFormStatusBar& status, DiagramLocation start,
                                           DiskRecord onDisk)
    : recoveryFolder(recoveryFolderPath()),
      recoveryFallbackFolder(std::filesystem::path(QDir::tempPath().toStdString()) / "Zorvex!"),
      form_(form),
      status_(status),
      document_(std::move(start), std::move(onDisk)) {
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
  // Taken before reading, so a write by another program meanwhile is noticed at the next save.
  DiskRecord onDisk = recordOnDisk(where);
  // A diagram that cannot be read leaves the one in the window, and where it
  // belongs, as they were.
  if (!form_.replaceDiagram(where)) return;
  document_.settle(form_.diagram(), where, std::move(onDisk));
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
  // Another window or program saved there since: No keeps both, for Save As.
  if (document_.changedByOthers(where) &&
      !messageBoxes().confirm("The diagram was changed by another program since it was opened. "
                              "Replace it with this one?"))
    return false;
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
    status_.setPanelText(1, QStringLiteral("Saved. Statuses are kept only in .json files."));
  return true;
}

void TDiagramFileCommands::writeRecoveryCopyIfChanged() {
  if (recoveryFolder.empty() || !hasChanges()) return;
  // Closing goes on whatever happens: the copy is a courtesy, never an
  // obstacle. But work that was not kept where the user looks is told.
  std::string told;
  try {
    const KeptCopy kept = keepRecoveryCopy(form_.diagram(), document_.location(), recoveryFolder,
                                           recoveryFallbackFolder);
    if (!kept.firstFailure.empty())
      told = "The recovery copy could not be kept in " + recoveryFolder.string() + " (" + kept.firstFailure +
             "); it is kept in " + kept.copy.string();
  } catch (const ZorvexError& e) {
    told = "The recovery copy could not be kept: " + e.message();
  } catch (const std::exception& e) {
    told = std::string("The recovery copy could not be kept: ") + e.what();
  }
  if (told.empty()) return;
  std::fprintf(stderr, "%s\n", told.c_str());
  std::fflush(stderr);
  form_.log().AppendLogLine(told);
  form_.log().AppendLogLine(std::string());
}

}  // namespace zorvex
