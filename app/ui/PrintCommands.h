#pragma once
// File, Print and Print Preview: Qt's print dialog and preview, each with the
// choice "Fit to one page", printing the diagram with DiagramPrinting.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace zorvex {

class Diagram;
class TArgumentFormStatusBar;

class TPrintCommands : public QObject {
 public:
  // A child of `parent`, over which the dialogs open. `name`: the diagram's
  // name for the footer, asked at each print.
  TPrintCommands(QWidget& parent, const Diagram& diagram, TArgumentFormStatusBar& status,
                 std::function<QString()> name);
  ~TPrintCommands() override;

  void PrintMenuItemClick();
  void PrintPreviewMenuItemClick();

  // Kept from one print to the next, with the printer, paper and choices the
  // dialogs left in it.
  QPrinter& printer() { return *printer_; }
  bool fitToOnePage = false;

 private:
  // Prints; a failure is shown: 0 pages.
  int print(QPrinter& printer);

  QWidget& parent_;
  const Diagram& diagram_;
  TArgumentFormStatusBar& status_;
  std::function<QString()> name_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace zorvex
