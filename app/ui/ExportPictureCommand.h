#pragma once
// File, Export Picture: the diagram written as a PNG, SVG or PDF picture.
#include <QString>

namespace zorvex {

class TArgumentForm;
struct ExportedPicture;

class TExportPictureCommand {
 public:
  explicit TExportPictureCommand(TArgumentForm& form) : form_(form) {}

  // Asks for the file with the picture dialog of the file commands.
  void ExportPictureMenuItemClick();

 private:
  void tell(const ExportedPicture& picture);

  TArgumentForm& form_;
  QString note_;
};

}  // namespace zorvex
