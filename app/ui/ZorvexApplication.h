#pragma once
// The whole program's windows, created in start-up order and owned until the
// program ends. Tests create one in a temporary working directory.
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "model/TableCursor.h"
#include "store/DiagramFiles.h"

class QWidget;

namespace zorvex {

class TAboutForm;
class TArgumentForm;
class THelpForm;
class TKeyToSymbolsAndColorsForm;
class TLogForm;
class TOptionsForm;

// The text printed when the program is started without a display.
extern const char* const NoDisplayMessage;

// True when a display can be reached, or a Qt platform is chosen explicitly.
bool displayAvailable();

class ZorvexApplication {
 public:
  // Creates ArgumentForm, KeyToSymbolsAndColorsForm, OptionsForm, LogForm,
  // HelpForm and AboutForm, in this order, working in the current directory.
  // The About window shows at once; the main window is shown by show().
  explicit ZorvexApplication(TableOpener opener, std::optional<DiagramLocation> start = std::nullopt);
  ZorvexApplication();
  // Opens the diagram at `start` instead of the working directory's tables.
  explicit ZorvexApplication(DiagramLocation start);
  ~ZorvexApplication();

  void show();

  TArgumentForm& ArgumentForm() { return *argumentForm_; }
  TKeyToSymbolsAndColorsForm& KeyToSymbolsAndColorsForm() { return *keyForm_; }
  TOptionsForm& OptionsForm() { return *optionsForm_; }
  TLogForm& LogForm() { return *logForm_; }
  THelpForm& HelpForm() { return *helpForm_; }
  TAboutForm& AboutForm() { return *aboutForm_; }

 private:
  // Declared in creation order; destroyed in reverse, so the windows that
  // refer to the main window's log and options go first.
  std::unique_ptr<TArgumentForm> argumentForm_;
  std::unique_ptr<TKeyToSymbolsAndColorsForm> keyForm_;
  std::unique_ptr<TOptionsForm> optionsForm_;
  std::unique_ptr<TLogForm> logForm_;
  std::unique_ptr<THelpForm> helpForm_;
  std::unique_ptr<TAboutForm> aboutForm_;
};

}  // namespace zorvex
