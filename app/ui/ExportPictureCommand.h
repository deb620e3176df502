#pragma once
// File, Export Picture: the diagram written as a PNG, SVG or PDF picture.
#include <QString>

namespace zorvex {

class TArgumentForm;
class TArgumentFormStatusBar;
struct ExportedPicture;

class TExportPictureCommand {
 public:
  TExportPictureCommand(TArgumentForm& form, TArgumentFormStatusBar& status) : form_(form), status_(status) {}

  // Asks for the file with the picture dialog of the file commands. A long
  // export shows its progress in a modal box that can cancel it.
  void ExportPictureMenuItemClick();

  // How long an export runs before its progress shows (tests: at once).
  int progressDelayMs = 500;

 private:
  void tell(const ExportedPicture& picture);

  TArgumentForm& form_;
  TArgumentFormStatusBar& status_;
  QString note_;
};

}  // namespace zorvex
