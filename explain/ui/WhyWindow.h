#pragma once
// The "Why" window: a non-modal window with the explanation of one element's
// status as an expandable tree in words. Selecting a line names its element.
// Shown anew, the tree keeps the lines expanded and the line selected where
// the same elements are explained again: a line is known by the elements on
// its way from the top.
#include <QSet>
#include <QString>
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
  // One line that explains nothing: the element asked about is gone, or the
  // diagram was replaced.
  void showMessage(const std::string& text);
  // Told the element a line the user selected names (nothing: the line names none).
  std::function<void(std::optional<ElementRef>)> lineSelected;
  // Told, when the tree was shown anew while a line was selected, the element
  // the line kept selected names (nothing: no line like it is left).
  std::function<void(std::optional<ElementRef>)> selectionKept;
  // Told when the window closes.
  std::function<void()> closed;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Shown {
    QString root;
    QSet<QString> expanded;
    std::optional<QString> current;
    int scrolled = 0;
  };
  class Builder;

  Shown shown() const;
  void restore(const Shown& before);

  QTreeWidget* tree_;
};

}  // namespace zorvex
