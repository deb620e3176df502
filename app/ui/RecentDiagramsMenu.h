#pragma once
// The recent diagrams at the foot of the File menu, "&1" to "&8", newest
// first, kept in the user's settings (QSettings, the platform's place) so
// that every run, and every window running at once, shares one list.
#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace zorvex {

// The list as the settings keep it, and changes to it.
std::vector<std::string> recentDiagramPaths();
void rememberRecentDiagram(const std::filesystem::path& path);
void forgetRecentDiagram(const std::filesystem::path& path);
// The settings file that keeps the list.
QString recentDiagramsFile();

class TRecentDiagramsMenu : public QObject {
 public:
  // The items go into `menu` before `before`, read anew each time the menu
  // opens; choosing one tells `chosen` its path.
  TRecentDiagramsMenu(QMenu& menu, QAction& before, std::function<void(const QString& path)> chosen);

  // Lists the kept diagrams in the menu now.
  void refresh();

 private:
  QMenu& menu_;
  QAction& before_;
  std::function<void(const QString&)> chosen_;
  std::vector<QAction*> items_;
};

}  // namespace zorvex
