#include "app/ui/ZorvexApplication.h"

#include <QApplication>
#include <QtGlobal>

#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/TableOpening.h"
#include "elements/ui/KeyToSymbolsAndColorsFormUnit.h"
#include "eval/ui/LogFormUnit.h"
#include "eval/ui/OptionsFormUnit.h"
#include "views/ui/AboutUnit.h"
#include "views/ui/HelpFormUnit.h"
#include "views/ui/InterfaceFont.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {

const char* const NoDisplayMessage =
    "zorvex: no display found; start it in a desktop session or under xvfb-run. "
    "'zorvex-cli render' draws the diagram without a display.";

bool displayAvailable() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

ZorvexApplication::ZorvexApplication() : ZorvexApplication(programTableOpener()) {}

ZorvexApplication::ZorvexApplication(DiagramLocation start)
    : ZorvexApplication(programTableOpener(), std::move(start)) {}

ZorvexApplication::ZorvexApplication(TableOpener opener, std::optional<DiagramLocation> start) {
  // Before any window exists, so that menus, pop-up menus, tooltips and
  // message boxes use the interface font as the windows' controls do.
  QApplication::setFont(interfaceFont());
  argumentForm_ = std::make_unique<TArgumentForm>(std::string(), std::move(opener), std::move(start));
  // Boxes stand over the main window, wherever the last dialog left the focus.
  setMessageBoxOwner(argumentForm_.get());
  keyForm_ = std::make_unique<TKeyToSymbolsAndColorsForm>();
  optionsForm_ = std::make_unique<TOptionsForm>();
  logForm_ = std::make_unique<TLogForm>(argumentForm_->log());
  try {
    logForm_->FormCreate();
  } catch (const ZorvexError& e) {
    // A failed first save is reported and start-up goes on.
    messageBoxes().error(e);
  }
  helpForm_ = std::make_unique<THelpForm>(messageBoxes());
  aboutForm_ = std::make_unique<TAboutForm>();
  aboutForm_->showAtStartup();

  ArgumentFormWindows windows;
  windows.KeyToSymbolsAndColorsForm = keyForm_.get();
  windows.OptionsForm = optionsForm_.get();
  windows.LogForm = logForm_.get();
  windows.HelpForm = helpForm_.get();
  windows.AboutForm = aboutForm_.get();
  argumentForm_->attachWindows(windows);
}

ZorvexApplication::~ZorvexApplication() = default;

void ZorvexApplication::show() {
  argumentForm_->show();
  // The About window was shown first; keep it in sight above the main window
  // instead of hidden behind it.
  if (aboutForm_->isVisible()) aboutForm_->raise();
}

}  // namespace zorvex
