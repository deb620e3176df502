#include "app/ui/DiagramFileCommands.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <system_error>

#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/RecentDiagramsMenu.h"
#include "document/RecentDiagrams.h"
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
      document_(std::move(start), std::move(onDisk)),
      recoveryTimer_(
          form.diagram(),
          [this] {
            return RecoveryCopyTimer::Places{document_.location(), recoveryFolder, recoveryFallbackFolder};
          },
          [this](const RecoveryOutcome& outcome) { tellRecoveryOutcome(outcome); }) {
  dialogs = realDiagramFileDialogs(&form, recoveryFolder);
}

void TDiagramFileCommands::settleLoaded(bool complete) {
  document_.settle(form_.diagram());
  if (!complete) document_.loadedPartly();
  recoveryTimer_.saved();
  // One named on the command line was opened; the working directory's
  // tables, taken when none is named, were not.
  if (complete && !document_.location().path.empty()) rememberRecentDiagram(document_.location().path);
}

bool TDiagramFileCommands::hasChanges() const { return document_.hasChanges(form_.diagram()); }

namespace {

const char* const DiscardQuestion = "Do you want to discard the changes to the current diagram?";

}  // namespace

void TDiagramFileCommands::NewMenuItemClick() {
  form_.editor().LeaveCurrentMode();
  if (hasChanges() && !messageBoxes().confirm(DiscardQuestion)) return;
  form_.replaceByEmptyDiagram();
  // Its recovery copies are named after a file it does not have yet.
  std::error_code ec;
  const DiagramLocation where{std::filesystem::current_path(ec) / "New diagram.json", DiagramFormat::Json};
  document_.settle(form_.diagram(), where, recordOnDisk(where));
  placeless_ = true;
  new_ = true;
  recoveryTimer_.saved();
  if (opened) opened();
}

void TDiagramFileCommands::OpenMenuItemClick() {
  // As the round buttons do: a half-typed sentence may still be kept.
  form_.editor().LeaveCurrentMode();
  const std::optional<QString> chosen = dialogs.openPath();
  if (chosen) open(std::filesystem::path(chosen->toStdString()));
}

void TDiagramFileCommands::OpenRecentMenuItemClick(const QString& path) {
  form_.editor().LeaveCurrentMode();
  const std::filesystem::path chosen(path.toStdString());
  std::error_code ec;
  if (!std::filesystem::exists(chosen, ec)) {
    forgetRecentDiagram(chosen);
    messageBoxes().warning(chosen.string() + " no longer exists. It is taken off the recent diagrams.");
    return;
  }
  open(chosen);
}

void TDiagramFileCommands::open(const std::filesystem::path& chosen) {
  if (hasChanges() && !messageBoxes().confirm(DiscardQuestion)) return;
  const DiagramLocation where = locationOfChoice(chosen);
  // Taken before reading, so a write by another program meanwhile is noticed at the next save.
  DiskRecord onDisk = recordOnDisk(where);
  // A diagram that cannot be read leaves the one in the window, and where it
  // belongs, as they were.
  std::optional<std::vector<std::string>> mapReport;
  if (!form_.replaceDiagram(where, &mapReport)) return;
  document_.settle(form_.diagram(), where, std::move(onDisk));
  placeless_ = false;
  new_ = false;
  recoveryTimer_.saved();
  rememberRecentDiagram(where.path);
  if (mapReport) mapOpened(*mapReport);
  if (opened) opened();
}

QString TDiagramFileCommands::diagramName() const {
  if (new_) return QStringLiteral("New diagram");
  return QString::fromStdString(recentName(shownPath(document_.location())));
}

std::optional<std::filesystem::path> TDiagramFileCommands::newerRecoveryCopy() const {
  return zorvex::newerRecoveryCopy(document_.location(), {recoveryFolder, recoveryFallbackFolder});
}

bool TDiagramFileCommands::OpenRecoveredMenuItemClick() {
  form_.editor().LeaveCurrentMode();
  const std::optional<std::filesystem::path> copy = newerRecoveryCopy();
  if (!copy) return false;
  if (hasChanges() && !messageBoxes().confirm(DiscardQuestion)) return false;
  const DiagramLocation where{*copy, DiagramFormat::Json};
  DiskRecord onDisk = recordOnDisk(where);
  if (!form_.replaceDiagram(where)) return false;
  // Later copies of it go back into the copy it came from; Save asks for a place.
  document_.settle(form_.diagram(), where, std::move(onDisk));
  placeless_ = true;
  new_ = false;
  recoveryTimer_.saved();
  status_.setPanelText(1, QStringLiteral("Opened the recovered diagram. Save asks where to keep it."));
  return true;
}

void TDiagramFileCommands::mapOpened(const std::vector<std::string>& report) {
  placeless_ = true;
  std::string text;
  for (const std::string& line : report) text += (text.empty() ? "" : ". ") + line;
  status_.setPanelText(1, QString::fromStdString(text));
}

void TDiagramFileCommands::SaveMenuItemClick() {
  // A map read from AIF is never written back over with our own form.
  if (placeless_) return SaveAsMenuItemClick();
  form_.editor().LeaveCurrentMode();
  saveTo(document_.location());
}

void TDiagramFileCommands::SaveAsMenuItemClick() {
  form_.editor().LeaveCurrentMode();
  const std::optional<QString> chosen = dialogs.saveAsPath();
  if (!chosen) return;
  const std::filesystem::path path(chosen->toStdString());
  // An argument map, an Argdown text and GraphML are exports: the diagram
  // still belongs where it did, with its changes.
  if (dialogs.saveAsAif()) return exportTo(exportLocationFor(path));
  // A folder that does not exist yet is made by the save. The dialog asks
  // before a file it was given is replaced, but not for a folder.
  const DiagramLocation where = saveLocationFor(path);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec) && holdsDiagram(where) &&
      !messageBoxes().confirm(path.string() + " already holds a diagram. Do you want to replace it?",
                              DefaultAnswer::No))
    return;
  saveTo(where);
}

bool TDiagramFileCommands::saveTo(const DiagramLocation& where) {
  // Another window or program saved there since: No keeps both, for Save As.
  if (document_.changedByOthers(where) &&
      !messageBoxes().confirm("The diagram was changed by another program since it was opened. "
                              "Replace it with this one?",
                              DefaultAnswer::No))
    return false;
  if (document_.overwritesUnread(where)) {
    if (!messageBoxes().confirm(
            shownPath(where) + " could not be read completely. Do you want to replace it with the diagram shown?",
            DefaultAnswer::No))
      return false;
    // The table loading stopped in is one of those to be replaced.
    form_.closeTableLeftOpen();
  }
  if (!write(where)) return false;
  document_.settle(form_.diagram(), where);
  placeless_ = false;
  new_ = false;
  recoveryTimer_.saved();
  rememberRecentDiagram(where.path);
  // Tables have no column for statuses: they are gone when the tables are opened again.
  if (where.format == DiagramFormat::Tables && tablesLeaveOutStatuses(form_.diagram()))
    status_.setPanelText(1, QStringLiteral("Saved. Statuses are kept only in .json files."));
  else
    status_.setPanelText(1, QString::fromStdString("Saved to " + shownPath(where) + "."));
  return true;
}

void TDiagramFileCommands::exportTo(const DiagramLocation& where) {
  if (!write(where)) return;
  // GraphML is written for other programs; Open does not read it.
  if (where.format != DiagramFormat::GraphMl) rememberRecentDiagram(where.path);
  status_.setPanelText(1, QString::fromStdString(exportedText(where.format)));
}

bool TDiagramFileCommands::write(const DiagramLocation& where) {
  try {
    SaveOptions options;
    options.tableInUse = [this](const std::filesystem::path& table) { return form_.tableViewHolds(table); };
    saveDiagram(form_.diagram(), where, options);
  } catch (const ZorvexError& e) {
    messageBoxes().error(e);
    return false;
  }
  return true;
}

void TDiagramFileCommands::writeRecoveryCopyIfChanged() {
  // The copy being written goes first: two writers never share the folder.
  recoveryTimer_.finish();
  if (recoveryFolder.empty() || !hasChanges()) return;
  // Closing goes on whatever happens: the copy is a courtesy, never an
  // obstacle. But work that was not kept where the user looks is told.
  RecoveryOutcome outcome;
  try {
    outcome.kept = keepRecoveryCopy(form_.diagram(), document_.location(), recoveryFolder, recoveryFallbackFolder);
  } catch (const ZorvexError& e) {
    outcome.error = e;
  } catch (const std::exception& e) {
    outcome.error = ZorvexError(e.what());
  }
  tellRecoveryOutcome(outcome);
}

void TDiagramFileCommands::tellRecoveryOutcome(const RecoveryOutcome& outcome) {
  std::string told;
  if (outcome.error)
    told = "The recovery copy could not be kept: " + outcome.error->message();
  else if (!outcome.kept.firstFailure.empty())
    told = "The recovery copy could not be kept in " + recoveryFolder.string() + " (" + outcome.kept.firstFailure +
           "); it is kept in " + outcome.kept.copy.string();
  if (!told.empty() && told != lastTold_) tell(told);
  lastTold_ = told;
}

void TDiagramFileCommands::tell(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  form_.log().AppendLogLine(text);
  form_.log().AppendLogLine(std::string());
}

}  // namespace zorvex
