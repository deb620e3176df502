#pragma once
// File, Export Picture: the diagram written as a PNG, SVG or PDF picture.
namespace zorvex {

class TArgumentForm;

class TExportPictureCommand {
 public:
  explicit TExportPictureCommand(TArgumentForm& form) : form_(form) {}

  // Asks for the file with the picture dialog of the file commands.
  void ExportPictureMenuItemClick();

 private:
  TArgumentForm& form_;
};

}  // namespace zorvex
