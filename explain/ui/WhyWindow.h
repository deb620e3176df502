#pragma once
// The "Why" window: a non-modal window with the explanation of one element's
// status as an expandable tree in words. Selecting a line names its element.
#include <QWidget>
#include <functional>
#include <optional>

#include "explain/WhyTree.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace zorvex {

class TWhyWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TWhyWindow(QWidget* parent = nullptr);

  void showTree(const WhyTree& tree, const StatusRecord& record);
  // The element asked about is gone (deleted, or no longer in the diagram).
  void showGone(const std::string& text);
  // Told the element a selected line names.
  std::function<void(ElementRef)> lineSelected;
  // Told when the window closes.
  std::function<void()> closed;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QTreeWidgetItem* node(const WhyTree& tree, const StatusRecord& record, int32_t n, QTreeWidgetItem* parent,
                        std::vector<bool>& written);
  QTreeWidgetItem* ground(const WhyTree& tree, const StatusRecord& record, const WhyGround& g,
                          QTreeWidgetItem* parent, std::vector<bool>& written);

  QTreeWidget* tree_;
};

}  // namespace zorvex
