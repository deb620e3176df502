#pragma once
// The File menu's diagram commands: New, Open, the recent diagrams, Save and
// Save As, and the recovery copy written when the window closes with unsaved
// changes. The file dialogs
// include Export Picture's (app/ui/ExportPictureCommand.h).
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

#include "app/ui/RecoveryCopyTimer.h"
#include "store/DiagramDocument.h"

namespace zorvex {

class TArgumentForm;
class TArgumentFormStatusBar;

// The file dialogs, each returning the chosen path or nothing when
// cancelled. Tests may replace them; the real ones are Qt's file dialogs.
struct DiagramFileDialogs {
  std::function<std::optional<QString>()> openPath;    // a .json file, or a table in a folder
  std::function<std::optional<QString>()> saveAsPath;  // a .json file, or a folder
  // After saveAsPath: whether the user chose to export an AIF argument map.
  std::function<bool()> saveAsAif = [] { return false; };
  std::function<std::optional<QString>()> picturePath;  // .png, .svg or .pdf
};

// Qt's file dialogs, with the recovery copy's folder among the places.
DiagramFileDialogs realDiagramFileDialogs(QWidget* parent, const std::filesystem::path& recoveryFolder);

// The user's application data folder, where the recovery copies go.
std::filesystem::path recoveryFolderPath();

// What the user chose in the Open dialog: a .json file is a diagram file;
// any other file (a table) stands for its folder; a folder is a folder.
DiagramLocation locationOfChoice(const std::filesystem::path& chosen);

class TDiagramFileCommands {
 public:
  // `onDisk`: what the start location's files held before they were read.
  TDiagramFileCommands(TArgumentForm& form, TArgumentFormStatusBar& status, DiagramLocation start, DiskRecord onDisk);

  // An empty diagram with no place of its own: Save asks for one.
  void NewMenuItemClick();
  void OpenMenuItemClick();
  // Opens a recent diagram as Open does; one that is no longer there is
  // taken off the list, with a message.
  void OpenRecentMenuItemClick(const QString& path);
  // Told after Open has put another diagram in the window and settled where
  // it belongs.
  std::function<void()> opened;
  // Opens the diagram's newest recovery copy as a diagram with no place of
  // its own; false when there is none or it cannot be read.
  bool OpenRecoveredMenuItemClick();
  void SaveMenuItemClick();
  // Saves where the user chooses; the AIF type exports instead: the file is
  // written, but Save still writes where it did and the changes stay unsaved.
  void SaveAsMenuItemClick();

  // The diagram now in the window was just loaded from the start location;
  // not `complete` when loading failed part-way.
  void settleLoaded(bool complete = true);
  // The diagram in the window was read from an AIF map: a new diagram with no
  // place of its own (Save asks for one); the status bar shows the report.
  void mapOpened(const std::vector<std::string>& report);
  bool hasChanges() const;
  // The diagram in the window changed (an edit, a round, an undo): the
  // recovery copy is kept fresh until the next save.
  void diagramChanged() { recoveryTimer_.changed(); }
  RecoveryCopyTimer& recoveryTimer() { return recoveryTimer_; }
  // A recovery copy of the diagram written after its last save, in either
  // recovery folder: the newest, or nothing.
  std::optional<std::filesystem::path> newerRecoveryCopy() const;
  // On closing: writes this diagram's recovery copy when there are unsaved
  // changes. Never shows a box: a copy kept in the fallback folder, or not
  // at all, is told on standard error and in the log.
  void writeRecoveryCopyIfChanged();

  const DiagramDocument& document() const { return document_; }
  // What the diagram is called: its file's or folder's name, or "New diagram".
  QString diagramName() const;
  DiagramFileDialogs dialogs;
  std::filesystem::path recoveryFolder;
  // Where the copy goes when the recovery folder cannot keep it: the
  // system's temporary folder.
  std::filesystem::path recoveryFallbackFolder;

 private:
  void open(const std::filesystem::path& chosen);
  bool saveTo(const DiagramLocation& where);
  void exportTo(const DiagramLocation& where);
  // Writes the diagram there; a failure is shown: false.
  bool write(const DiagramLocation& where);
  // Tells on standard error and in the log where a copy went when it could
  // not go to the recovery folder, or that it could not be kept; each new
  // trouble once.
  void tellRecoveryOutcome(const RecoveryOutcome& outcome);
  void tell(const std::string& text);

  TArgumentForm& form_;
  TArgumentFormStatusBar& status_;
  DiagramDocument document_;
  bool placeless_ = false;  // read from an AIF map or a recovery copy: Save asks where, as Save As does
  bool new_ = false;        // made by New and not saved yet
  std::string lastTold_;
  RecoveryCopyTimer recoveryTimer_;
};

}  // namespace zorvex
