#include "app/ui/PrintCommands.h"

#include <QCheckBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/DiagramPrinting.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {
namespace {

QCheckBox* fitCheckBox(bool checked, QWidget* parent) {
  auto* box = new QCheckBox(QStringLiteral("&Fit to one page"), parent);
  box->setObjectName(QStringLiteral("FitToOnePageCheckBox"));
  box->setChecked(checked);
  return box;
}

}  // namespace

TPrintCommands::TPrintCommands(QWidget& parent, const Diagram& diagram, TArgumentFormStatusBar& status,
                               std::function<QString()> name)
    : QObject(&parent),
      parent_(parent),
      diagram_(diagram),
      status_(status),
      name_(std::move(name)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TPrintCommands::~TPrintCommands() = default;

// The choice is a page of the dialog's options, beside the printer's own.
void TPrintCommands::PrintMenuItemClick() {
  QPrintDialog dialog(printer_.get(), &parent_);
  auto* page = new QWidget;
  page->setWindowTitle(QStringLiteral("Diagram"));
  QCheckBox* fit = fitCheckBox(fitToOnePage, page);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(fit);
  layout->addStretch();
  dialog.setOptionTabs({page});
  if (dialog.exec() != QDialog::Accepted) return;
  fitToOnePage = fit->isChecked();
  const int pages = print(*printer_);
  if (pages > 0)
    status_.setPanelText(
        1, pages == 1 ? QStringLiteral("Printed 1 page.") : QStringLiteral("Printed %1 pages.").arg(pages));
}

// The choice stands in the preview's tool bar; changing it draws the pages anew.
void TPrintCommands::PrintPreviewMenuItemClick() {
  QPrintPreviewDialog preview(printer_.get(), &parent_);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [this](QPrinter* p) { print(*p); });
  auto* pages = preview.findChild<QPrintPreviewWidget*>();
  if (auto* bar = preview.findChild<QToolBar*>(); bar && pages) {
    bar->addSeparator();
    QCheckBox* fit = fitCheckBox(fitToOnePage, bar);
    bar->addWidget(fit);
    QObject::connect(fit, &QCheckBox::toggled, pages, [this, pages](bool on) {
      fitToOnePage = on;
      pages->updatePreview();
    });
  }
  preview.exec();
}

int TPrintCommands::print(QPrinter& printer) {
  try {
    return printDiagram(printer, diagram_, name_(), fitToOnePage);
  } catch (const ZorvexError& e) {
    messageBoxes().error(e);
    return 0;
  }
}

}  // namespace zorvex
