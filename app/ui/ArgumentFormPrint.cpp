// The main window's printing: the commands are made at the first print, with
// the footer naming the diagram as the file commands know it.
#include "app/ui/ArgumentFormControls.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/DiagramFileCommands.h"
#include "app/ui/PrintCommands.h"

namespace zorvex {

TPrintCommands& TArgumentForm::printCommands() {
  if (!print_)
    print_ = new TPrintCommands(*this, diagram_, *controls_->ArgumentFormStatusBar,
                                [this] { return fileCommands_->diagramName(); });
  return *print_;
}

}  // namespace zorvex
