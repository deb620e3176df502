// The main window's menu bar (less its View menu, ArgumentFormView.cpp) and
// pop-up menus, with their names, captions and shortcuts, each item tied to
// its handler as it is made.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/ui/ArgumentFormControls.h"
#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/DiagramFileCommands.h"
#include "app/ui/PrintCommands.h"
#include "app/ui/RecentDiagramsMenu.h"
#include "app/ui/ShortcutRelay.h"

namespace zorvex {
namespace {

template <typename W>
W* named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

QAction* item(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setObjectName(name);
  return a;
}

}  // namespace

// New, the diagram commands and printing come before the specified "E&xit",
// with letters of their own; the recent diagrams stand just above it.
void TArgumentForm::createFileMenu() {
  ArgumentFormControls& c = *controls_;
  c.FileMenuItem = named(menuBar()->addMenu(QStringLiteral("&File")), "FileMenuItem");
  c.NewMenuItem = item(c.FileMenuItem, "NewMenuItem", "&New");
  c.NewMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
  c.OpenMenuItem = item(c.FileMenuItem, "OpenMenuItem", "&Open...");
  c.OpenMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
  c.SaveMenuItem = item(c.FileMenuItem, "SaveMenuItem", "&Save");
  c.SaveMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  c.SaveAsMenuItem = item(c.FileMenuItem, "SaveAsMenuItem", "Save &As...");
  c.SaveAsMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
  c.ExportPictureMenuItem = item(c.FileMenuItem, "ExportPictureMenuItem", "&Export Picture...");
  c.ExportPictureMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
  c.FileMenuItem->addSeparator()->setObjectName("PrintSeparator");
  c.PrintMenuItem = item(c.FileMenuItem, "PrintMenuItem", "&Print...");
  c.PrintMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
  c.PrintPreviewMenuItem = item(c.FileMenuItem, "PrintPreviewMenuItem", "Print Pre&view...");
  c.FileMenuItem->addSeparator()->setObjectName("FileSeparator");
  c.ExitMenuItem = item(c.FileMenuItem, "ExitMenuItem", "E&xit");
  c.ExitMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
  // The file commands are made with the diagram, after the menus.
  connect(c.NewMenuItem, &QAction::triggered, this, [this] { fileCommands_->NewMenuItemClick(); });
  connect(c.OpenMenuItem, &QAction::triggered, this, [this] { fileCommands_->OpenMenuItemClick(); });
  connect(c.SaveMenuItem, &QAction::triggered, this, [this] { fileCommands_->SaveMenuItemClick(); });
  connect(c.SaveAsMenuItem, &QAction::triggered, this, [this] { fileCommands_->SaveAsMenuItemClick(); });
  connect(c.ExportPictureMenuItem, &QAction::triggered, this, [this] { ExportPictureMenuItemClick(); });
  connect(c.PrintMenuItem, &QAction::triggered, this, [this] { printCommands().PrintMenuItemClick(); });
  connect(c.PrintPreviewMenuItem, &QAction::triggered, this, [this] { printCommands().PrintPreviewMenuItemClick(); });
  // Between the separator and "E&xit", while there are any.
  new TRecentDiagramsMenu(*c.FileMenuItem, *c.ExitMenuItem,
                          [this](const QString& path) { fileCommands_->OpenRecentMenuItemClick(path); });
  connect(c.ExitMenuItem, &QAction::triggered, this, [this] { ExitMenuItemClick(); });
}

void TArgumentForm::createMenus() {
  ArgumentFormControls& c = *controls_;
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu");
  createFileMenu();

  // "&Edit" would take the Alt+E of "&Evaluate (one round)".
  c.EditMenuItem = named(bar->addMenu(QStringLiteral("E&dit")), "EditMenuItem");
  c.UndoMenuItem = item(c.EditMenuItem, "UndoMenuItem", "&Undo");
  c.UndoMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  c.RedoMenuItem = item(c.EditMenuItem, "RedoMenuItem", "&Redo");
  c.RedoMenuItem->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
  connect(c.UndoMenuItem, &QAction::triggered, this, [this] { UndoMenuItemClick(); });
  connect(c.RedoMenuItem, &QAction::triggered, this, [this] { RedoMenuItemClick(); });

  createViewMenu();

  c.ZorvexMenuItem = named(bar->addMenu(QStringLiteral("&Zorvex")), "ZorvexMenuItem");
  c.OptionsMenuItem = item(c.ZorvexMenuItem, "OptionsMenuItem", "&Options");
  connect(c.OptionsMenuItem, &QAction::triggered, this, [this] { OptionsMenuItemClick(); });
  c.EvaluateUntilStableMenuItem = item(c.ZorvexMenuItem, "EvaluateUntilStableMenuItem", "Evaluate until &stable");
  c.EvaluateUntilStableMenuItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+E")));
  connect(c.EvaluateUntilStableMenuItem, &QAction::triggered, this, [this] { EvaluateUntilStableMenuItemClick(); });

  c.HelpMenuItem = named(bar->addMenu(QStringLiteral("&Help")), "HelpMenuItem");
  c.ContentsMenuItem = item(c.HelpMenuItem, "ContentsMenuItem", "&Contents");
  c.KeyToSymbolsAndColorsMenuItem = item(c.HelpMenuItem, "KeyToSymbolsAndColorsMenuItem", "&Key to symbols and colors");
  c.HelpMenuItem->addSeparator()->setObjectName("HelpSeparator");
  c.AboutMenuItem = item(c.HelpMenuItem, "AboutMenuItem", "&About...");
  c.ContentsMenuItem->setShortcut(QKeySequence(QStringLiteral("F1")));
  connect(c.ContentsMenuItem, &QAction::triggered, this, [this] { ContentsMenuItemClick(); });
  connect(c.KeyToSymbolsAndColorsMenuItem, &QAction::triggered, this, [this] { KeyToSymbolsAndColorsMenuItemClick(); });
  connect(c.AboutMenuItem, &QAction::triggered, this, [this] { AboutMenuItemClick(); });

  // The other windows pass these keys on when none of their controls uses them.
  new ShortcutRelay(*this, *bar);
}

// Joins the File menu, after "&Open...", only when there is something to recover.
void TArgumentForm::createOpenRecoveredMenuItem() {
  ArgumentFormControls& c = *controls_;
  c.OpenRecoveredMenuItem = new QAction(QStringLiteral("Open &Recovered"), c.FileMenuItem);
  c.OpenRecoveredMenuItem->setObjectName("OpenRecoveredMenuItem");
  c.FileMenuItem->insertAction(c.SaveMenuItem, c.OpenRecoveredMenuItem);
  connect(c.OpenRecoveredMenuItem, &QAction::triggered, this, [this] { OpenRecoveredMenuItemClick(); });
}

void TArgumentForm::createPopupMenus() {
  ArgumentFormControls& c = *controls_;
  c.SentencePopupMenu = named(new QMenu(this), "SentencePopupMenu");
  c.SetStatusUndefeatedMenuItem = item(c.SentencePopupMenu, "SetStatusUndefeatedMenuItem", "Set Status: &Justified");
  c.SetStatusDefeatedMenuItem = item(c.SentencePopupMenu, "SetStatusDefeatedMenuItem", "Set Status: &Unjustified");
  c.SetStatusNotEvaluatedMenuItem =
      item(c.SentencePopupMenu, "SetStatusNotEvaluatedMenuItem", "Set Status: &Not Evaluated");
  c.SentencePopupMenu->addSeparator()->setObjectName("SentencePopupSeparator");
  c.ShowSentenceDataMenuItem = item(c.SentencePopupMenu, "ShowSentenceDataMenuItem", "&Show Sentence Data");
  connect(c.SetStatusUndefeatedMenuItem, &QAction::triggered, this, [this] { SetStatusUndefeatedMenuItemClick(); });
  connect(c.SetStatusDefeatedMenuItem, &QAction::triggered, this, [this] { SetStatusDefeatedMenuItemClick(); });
  connect(c.SetStatusNotEvaluatedMenuItem, &QAction::triggered, this, [this] { SetStatusNotEvaluatedMenuItemClick(); });
  connect(c.ShowSentenceDataMenuItem, &QAction::triggered, this, [this] { ShowSentenceDataMenuItemClick(); });
  c.SentenceWhyMenuItem = item(c.SentencePopupMenu, "SentenceWhyMenuItem", "&Why?");
  connect(c.SentenceWhyMenuItem, &QAction::triggered, this, [this] { WhyMenuItemClick(ElementKind::Sentence); });

  c.ArrowPopupMenu = named(new QMenu(this), "ArrowPopupMenu");
  c.AddRuleMenuItem = item(c.ArrowPopupMenu, "AddRuleMenuItem", "Make &rule explicit");
  c.AddRuleMenuItem->setVisible(false);
  c.AddRuleSeparator = c.ArrowPopupMenu->addSeparator();
  c.AddRuleSeparator->setObjectName("AddRuleSeparator");
  c.AddRuleSeparator->setVisible(false);
  c.ShowArrowDataMenuItem = item(c.ArrowPopupMenu, "ShowArrowDataMenuItem", "&Show Arrow &Data");
  connect(c.AddRuleMenuItem, &QAction::triggered, this, [this] { AddRuleMenuItemClick(); });
  connect(c.ShowArrowDataMenuItem, &QAction::triggered, this, [this] { ShowArrowDataMenuItemClick(); });
  c.ArrowWhyMenuItem = item(c.ArrowPopupMenu, "ArrowWhyMenuItem", "&Why?");
  connect(c.ArrowWhyMenuItem, &QAction::triggered, this, [this] { WhyMenuItemClick(ElementKind::Arrow); });

  c.DefeaterPopupMenu = named(new QMenu(this), "DefeaterPopupMenu");
  c.ShowDefeaterDataMenuItem = item(c.DefeaterPopupMenu, "ShowDefeaterDataMenuItem", "&Show Defeater Data");
  connect(c.ShowDefeaterDataMenuItem, &QAction::triggered, this, [this] { ShowDefeaterDataMenuItemClick(); });
  c.DefeaterWhyMenuItem = item(c.DefeaterPopupMenu, "DefeaterWhyMenuItem", "&Why?");
  connect(c.DefeaterWhyMenuItem, &QAction::triggered, this, [this] { WhyMenuItemClick(ElementKind::Defeater); });
}

}  // namespace zorvex
